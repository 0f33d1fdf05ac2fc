// Duplicate index: entries hashed by the fields the duplicate test compares
// exactly; each candidate under a hash is confirmed with IsSameAppointment.
#include "engine/DuplicateIndex.h"

#include <functional>
#include <string_view>

#include "host/HostCalls.h"
#include "host/Transfer.h"
#include "model/TextTrim.h"

namespace tavir {

namespace {

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
  return hash ^ (value + 0x9E3779B97F4A7C15ULL + (hash << 6) + (hash >> 2));
}

}  // namespace

std::uint64_t DuplicateIndex::KeyOf(const AppointmentRecord& record) {
  std::uint64_t key = 0;
  for (const std::string* text : {&record.text, &record.note, &record.location})
    key = Mix(key, std::hash<std::string_view>{}(TrimmedView(*text)));
  const LocalFields day = SplitLocal(record.date);
  key = Mix(key, record.untimed ? 1 : 0);
  return Mix(key, static_cast<std::uint64_t>(day.year * 10000 + day.month * 100 + day.day));
}

void DuplicateIndex::Insert(std::unique_ptr<AppointmentRecord> record) {
  const std::uint64_t key = KeyOf(*record);
  const std::int32_t id = record->recordId;
  keyOfRecordId_[id] = key;
  entries_.emplace(key, Entry{id, std::move(record)});
}

void DuplicateIndex::Build(IDesktopDatebook* datebook) {
  entries_.clear();
  keyOfRecordId_.clear();
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook);
  // Growing the maps step by step rehashes every entry again each time.
  const auto expected = static_cast<std::size_t>(ReadCount(appointments.Get()));
  entries_.reserve(expected);
  keyOfRecordId_.reserve(expected);
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
  const auto [first, last] = entries_.equal_range(KeyOf(imported));
  for (auto entry = first; entry != last; ++entry)
    if (entry->second.record->IsSameAppointment(imported)) return true;
  return false;
}

void DuplicateIndex::Refresh(IDesktopAppointment* appointment) {
  auto record = std::make_unique<AppointmentRecord>(options_);
  ReadFromHost(*record, appointment);
  const auto previous = keyOfRecordId_.find(record->recordId);
  if (previous != keyOfRecordId_.end()) {
    const auto [first, last] = entries_.equal_range(previous->second);
    for (auto entry = first; entry != last; ++entry)
      if (entry->second.recordId == record->recordId) {
        entries_.erase(entry);
        break;
      }
  }
  Insert(std::move(record));
}

}  // namespace tavir
