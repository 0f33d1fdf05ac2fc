// The stand-alone datebook in memory: the user's name and the appointments by
// record id, with the changes since the last load or commit (so the store
// writes only what changed) and the switches tests use to shape the host.
// Appointments read from a file stay in their compact stored form until one
// is asked for; only the changed ones are held as AppointmentData.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

#include "desktop/AppointmentData.h"
#include "desktop/StoredAppointments.h"
#include "platform/FaultInjector.h"

namespace tavir {

class DatebookData {
 public:
  explicit DatebookData(WideString userName = {});

  const WideString& UserName() const { return userName_; }
  void SetUserName(WideString name);

  // Adds a copy of appointment under a new record id, its fields as given
  // (tests store invalid starts and ends this way). Returns the stored one.
  std::shared_ptr<AppointmentData> Add(AppointmentData appointment);
  // Puts back an appointment read from a file under its own record id; not a
  // change. Throws std::invalid_argument for an id that is not positive or
  // already taken.
  void Restore(AppointmentData appointment);
  // Takes the appointments a file held, before any other is added or
  // restored; not a change.
  void RestoreStored(StoredAppointments stored);

  // The appointment with that record id, also when it was deleted while an
  // object still refers to it; null when there is none. Every caller asking
  // for the same appointment gets the same object.
  std::shared_ptr<AppointmentData> Find(std::int32_t recordId) const;
  // Where the appointment with that record id is, without materialising it:
  // its object when one exists, else its stored row; neither when there is
  // no such appointment.
  struct Location {
    std::shared_ptr<AppointmentData> object;
    std::optional<std::size_t> storedRow;
  };
  Location Locate(std::int32_t recordId) const;
  // A stored row stays readable as such until its appointment is changed,
  // deleted or materialised by All(); Find then gives the object.
  bool IsStillStored(std::size_t row) const { return !superseded_[row]; }
  AppointmentView StoredView(std::size_t row) const { return stored_.View(row); }
  // A collection handing out items in order tells what comes next (see
  // StoredAppointments::PrefetchRow).
  void Prefetch(std::int32_t nextRecordId, std::int32_t afterRecordId) const {
    stored_.PrefetchTexts(nextRecordId);
    stored_.PrefetchRow(afterRecordId);
  }
  std::int32_t StoredRecordId(std::size_t row) const { return stored_.RecordId(row); }
  // The appointment with that record id unless it was deleted or marked for
  // archival; null when there is none.
  std::shared_ptr<AppointmentData> FindActive(std::int32_t recordId) const;
  // The record ids of the active appointments whose series touches the days
  // from..to (those with an invalid start always: only the program can tell),
  // by start, then record id.
  std::vector<std::int32_t> Query(TimeValue from, TimeValue to) const;
  // Every appointment kept (active and marked for archival), by record id.
  // Materialises all of them: for tests and small datebooks.
  const std::map<std::int32_t, std::shared_ptr<AppointmentData>>& All() const;

  // Called after a field of an appointment changed.
  void MarkChanged(const AppointmentData& appointment);
  void Delete(AppointmentData& appointment);
  void MarkForArchival(AppointmentData& appointment);

  // Record ids are never reused, also across saves: the store keeps this.
  std::int32_t NextRecordId() const { return nextRecordId_; }
  void SetNextRecordId(std::int32_t next);

  struct Changes {
    std::set<std::int32_t> written;  // added or changed, still kept
    std::set<std::int32_t> removed;  // deleted
    bool userName = false;
    bool nextRecordId = false;
    bool Any() const { return !written.empty() || !removed.empty() || userName || nextRecordId; }
  };
  const Changes& PendingChanges() const { return changes_; }
  void ForgetChanges() { changes_ = {}; }

  FaultInjector& Faults() { return *faults_; }
  const std::shared_ptr<FaultInjector>& SharedFaults() const { return faults_; }

  // A host without IDesktopAppointment2: QueryInterface for it fails.
  void SetOffersAppointment2(bool offers) { offersAppointment2_ = offers; }
  bool OffersAppointment2() const { return offersAppointment2_; }

 private:
  // Gives the stored appointment of row to held_; it is then found there.
  void Hold(std::size_t row, std::shared_ptr<AppointmentData> appointment) const;
  std::shared_ptr<AppointmentData> Materialise(std::size_t row) const;

  WideString userName_;
  // Materialising does not change what the datebook holds, hence mutable.
  StoredAppointments stored_;
  mutable std::vector<bool> superseded_;  // by row of stored_: held_ or deleted_ has it now
  // Added, changed, marked for archival, or materialised by All().
  mutable std::map<std::int32_t, std::shared_ptr<AppointmentData>> held_;
  // Deleted, still readable through objects and collections handed out.
  std::unordered_map<std::int32_t, std::shared_ptr<AppointmentData>> deleted_;
  // Stored appointments materialised and unchanged, while something uses them.
  mutable std::unordered_map<std::int32_t, std::weak_ptr<AppointmentData>> lent_;
  mutable std::size_t lentPruneAt_ = 1024;
  std::int32_t nextRecordId_ = 1;
  Changes changes_;
  std::shared_ptr<FaultInjector> faults_ = std::make_shared<FaultInjector>();
  bool offersAppointment2_ = true;
};

}  // namespace tavir
