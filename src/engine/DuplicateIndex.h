// The Datebook's appointments indexed for the import's duplicate test, so
// that a record costs a lookup instead of a pass over the whole Datebook.
// Answers exactly as IsSameAppointment over every appointment would.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "host/DesktopInterfaces.h"
#include "model/AppointmentRecord.h"

namespace tavir {

class Options;

class DuplicateIndex {
 public:
  explicit DuplicateIndex(const Options& options) : options_(options) {}

  // Reads every appointment of the fixed query range.
  void Build(IDesktopDatebook* datebook);
  bool Contains(const AppointmentRecord& imported) const;
  // Keeps the index current after the import wrote this appointment (new or
  // rewritten): its previous entry, found by record id, is replaced.
  void Refresh(IDesktopAppointment* appointment);

 private:
  struct Entry {
    std::int32_t recordId;
    std::unique_ptr<AppointmentRecord> record;
  };
  // A hash of only what every variant of the duplicate test compares for
  // equality: the trimmed texts, the untimed flag and the local day. Equal
  // appointments share it; the few unequal ones that do too are told apart by
  // IsSameAppointment. A number keeps the index small: 100,000 appointments
  // would otherwise store their texts a second time as keys.
  static std::uint64_t KeyOf(const AppointmentRecord& record);
  void Insert(std::unique_ptr<AppointmentRecord> record);

  const Options& options_;
  std::unordered_multimap<std::uint64_t, Entry> entries_;
  std::unordered_map<std::int32_t, std::uint64_t> keyOfRecordId_;
};

}  // namespace tavir
