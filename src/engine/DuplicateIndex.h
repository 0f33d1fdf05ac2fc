// The Datebook's appointments indexed for the import's duplicate test, so
// that a record costs a lookup instead of a pass over the whole Datebook.
// Answers exactly as IsSameAppointment over every appointment would.
#pragma once

#include <cstdint>
#include <vector>

#include "host/DesktopInterfaces.h"
#include "model/AppointmentRecord.h"
#include "platform/ComPtr.h"

namespace tavir {

class Options;

class DuplicateIndex {
 public:
  explicit DuplicateIndex(const Options& options) : options_(options) {}

  // Reads every appointment of the fixed query range. The index keeps the
  // Datebook to read candidates from.
  void Build(IDesktopDatebook* datebook);
  bool Contains(const AppointmentRecord& imported) const;
  // Keeps the index current after the import wrote this appointment (new or
  // rewritten).
  void Refresh(IDesktopAppointment* appointment);

 private:
  // Only a hash and a record id per appointment: a million appointments
  // would otherwise be held a second time. The hash covers what every
  // variant of the duplicate test compares for equality (the trimmed texts,
  // the untimed flag and the local day); a candidate under it is read again
  // from the Datebook and confirmed with IsSameAppointment.
  struct Slot {
    std::uint64_t key = 0;  // 0: empty
    std::int32_t recordId = 0;
  };
  static std::uint64_t KeyOf(const AppointmentRecord& record);
  std::size_t Home(std::uint64_t key) const;
  void Insert(std::uint64_t key, std::int32_t recordId);
  void InsertBatch(std::vector<Slot>& batch);
  void Grow(std::size_t entries);
  bool IsSameAsStored(std::int32_t recordId, const AppointmentRecord& imported) const;

  const Options& options_;
  ComPtr<IDesktopDatebook> datebook_;
  // Open addressing, at most half full. A rewritten appointment leaves its
  // old entry behind: the confirmation reads what the appointment holds now,
  // so a stale entry costs a read, never a wrong answer.
  std::vector<Slot> slots_;
  std::size_t used_ = 0;
  int shift_ = 64;
};

}  // namespace tavir
