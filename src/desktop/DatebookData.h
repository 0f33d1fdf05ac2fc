// The stand-alone datebook in memory: the user's name and the appointments by
// record id, with the changes since the last load or commit (so the store
// writes only what changed) and the switches tests use to shape the host.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "desktop/AppointmentData.h"
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

  // The appointment with that record id unless it was deleted or marked for
  // archival; null when there is none.
  std::shared_ptr<AppointmentData> FindActive(std::int32_t recordId) const;
  // Active appointments whose series touches the days from..to (those with an
  // invalid start always: only the program can tell), by start, then record id.
  std::vector<std::shared_ptr<AppointmentData>> Query(TimeValue from, TimeValue to) const;
  // Every appointment kept (active and marked for archival), by record id.
  const std::map<std::int32_t, std::shared_ptr<AppointmentData>>& All() const {
    return appointments_;
  }

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
  WideString userName_;
  std::map<std::int32_t, std::shared_ptr<AppointmentData>> appointments_;
  std::int32_t nextRecordId_ = 1;
  Changes changes_;
  std::shared_ptr<FaultInjector> faults_ = std::make_shared<FaultInjector>();
  bool offersAppointment2_ = true;
};

}  // namespace tavir
