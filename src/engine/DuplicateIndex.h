// The Datebook's appointments indexed for the import's duplicate test, so
// that a record costs a lookup instead of a pass over the whole Datebook.
// Answers exactly as IsSameAppointment over every appointment would.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

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
  // Only what every variant of the duplicate test compares for equality:
  // the trimmed texts, the untimed flag and the local day.
  static std::string KeyOf(const AppointmentRecord& record);
  void Insert(std::unique_ptr<AppointmentRecord> record);

  const Options& options_;
  std::unordered_map<std::string, std::vector<Entry>> buckets_;
  std::unordered_map<std::int32_t, std::string> keyOfRecordId_;
};

}  // namespace tavir
