// Duplicate index: buckets by the fields the duplicate test compares exactly;
// each candidate in a bucket is confirmed with IsSameAppointment itself.
#include "engine/DuplicateIndex.h"

#include "host/HostCalls.h"
#include "host/Transfer.h"
#include "model/TextTrim.h"

namespace tavir {

std::string DuplicateIndex::KeyOf(const AppointmentRecord& record) {
  const LocalFields day = SplitLocal(record.date);
  std::string key;
  for (const std::string* text : {&record.text, &record.note, &record.location}) {
    const std::string trimmed = TrimWhiteSpace(*text);
    key += std::to_string(trimmed.size());
    key += ':';
    key += trimmed;
  }
  key += record.untimed ? 'u' : 't';
  key += std::to_string(day.year * 10000 + day.month * 100 + day.day);
  return key;
}

void DuplicateIndex::Insert(std::unique_ptr<AppointmentRecord> record) {
  std::string key = KeyOf(*record);
  const std::int32_t id = record->recordId;
  keyOfRecordId_[id] = key;
  buckets_[std::move(key)].push_back(Entry{id, std::move(record)});
}

void DuplicateIndex::Build(IDesktopDatebook* datebook) {
  buckets_.clear();
  keyOfRecordId_.clear();
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook);
  for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
    ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
    if (!appointment) continue;
    auto record = std::make_unique<AppointmentRecord>(options_);
    // The scan compares whatever ReadFromHost read, also for an appointment it skips.
    ReadFromHost(*record, appointment.Get());
    Insert(std::move(record));
  }
}

bool DuplicateIndex::Contains(const AppointmentRecord& imported) const {
  const auto bucket = buckets_.find(KeyOf(imported));
  if (bucket == buckets_.end()) return false;
  for (const Entry& entry : bucket->second)
    if (entry.record->IsSameAppointment(imported)) return true;
  return false;
}

void DuplicateIndex::Refresh(IDesktopAppointment* appointment) {
  auto record = std::make_unique<AppointmentRecord>(options_);
  ReadFromHost(*record, appointment);
  const auto previous = keyOfRecordId_.find(record->recordId);
  if (previous != keyOfRecordId_.end()) {
    auto bucket = buckets_.find(previous->second);
    if (bucket != buckets_.end()) {
      std::erase_if(bucket->second,
                    [&](const Entry& entry) { return entry.recordId == record->recordId; });
      if (bucket->second.empty()) buckets_.erase(bucket);
    }
  }
  Insert(std::move(record));
}

}  // namespace tavir
