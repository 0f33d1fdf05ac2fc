// Duplicate index: record ids in an open-addressing table under a hash of
// the fields the duplicate test compares exactly; each candidate under a
// hash is read again and confirmed with IsSameAppointment.
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

constexpr std::size_t kFirstSlots = 64;
constexpr std::size_t kBatch = 1024;

}  // namespace

std::uint64_t DuplicateIndex::KeyOf(const AppointmentRecord& record) {
  std::uint64_t key = 0;
  for (const std::string* text : {&record.text, &record.note, &record.location})
    key = Mix(key, std::hash<std::string_view>{}(TrimmedView(*text)));
  const LocalFields day = SplitLocal(record.date);
  key = Mix(key, record.untimed ? 1 : 0);
  key = Mix(key, static_cast<std::uint64_t>(day.year * 10000 + day.month * 100 + day.day));
  return key == 0 ? 1 : key;  // 0 marks an empty slot
}

// Fibonacci hashing spreads the key's bits over the table's size.
std::size_t DuplicateIndex::Home(std::uint64_t key) const {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift_);
}

void DuplicateIndex::Grow(std::size_t entries) {
  std::size_t size = kFirstSlots;
  int shift = 64 - 6;
  while (size < 2 * entries) {
    size *= 2;
    --shift;
  }
  if (size <= slots_.size())
    return;
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(size, Slot{});
  shift_ = shift;
  used_ = 0;
  for (const Slot& slot : old)
    if (slot.key != 0)
      Insert(slot.key, slot.recordId);
}

void DuplicateIndex::Insert(std::uint64_t key, std::int32_t recordId) {
  if (2 * (used_ + 1) > slots_.size())
    Grow(used_ + 1);
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = Home(key);
  for (; slots_[at].key != 0; at = (at + 1) & mask)
    if (slots_[at].key == key && slots_[at].recordId == recordId)
      return;  // rewritten with the same compared fields
  slots_[at] = Slot{key, recordId};
  ++used_;
}

void DuplicateIndex::Build(IDesktopDatebook* datebook) {
  datebook_ = ComPtr<IDesktopDatebook>(datebook);
  slots_.clear();
  used_ = 0;
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook);
  Grow(static_cast<std::size_t>(ReadCount(appointments.Get())));
  std::vector<Slot> batch;
  batch.reserve(kBatch);
  for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
    ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
    if (!appointment)
      continue;
    // The scan compares whatever ReadFromHost read, also for an appointment it skips.
    AppointmentRecord record(options_);
    ReadFromHost(record, appointment.Get());
    batch.push_back(Slot{KeyOf(record), record.recordId});
    if (batch.size() == kBatch)
      InsertBatch(batch);
  }
  InsertBatch(batch);
}

// A table of a million entries is far larger than the caches: each slot is
// fetched from memory a few entries before it is filled.
void DuplicateIndex::InsertBatch(std::vector<Slot>& batch) {
  constexpr std::size_t kAhead = 8;
  for (std::size_t i = 0; i < batch.size(); ++i) {
    if (i + kAhead < batch.size())
      __builtin_prefetch(&slots_[Home(batch[i + kAhead].key)]);
    Insert(batch[i].key, batch[i].recordId);
  }
  batch.clear();
}

bool DuplicateIndex::IsSameAsStored(std::int32_t recordId,
                                    const AppointmentRecord& imported) const {
  const ComPtr<IDesktopAppointment> stored = FindHostAppointment(datebook_.Get(), recordId);
  if (!stored)
    return false;
  AppointmentRecord record(options_);
  ReadFromHost(record, stored.Get());
  return record.IsSameAppointment(imported);
}

bool DuplicateIndex::Contains(const AppointmentRecord& imported) const {
  if (slots_.empty())
    return false;
  const std::uint64_t key = KeyOf(imported);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = Home(key); slots_[at].key != 0; at = (at + 1) & mask)
    if (slots_[at].key == key && IsSameAsStored(slots_[at].recordId, imported))
      return true;
  return false;
}

void DuplicateIndex::Refresh(IDesktopAppointment* appointment) {
  AppointmentRecord record(options_);
  ReadFromHost(record, appointment);
  Insert(KeyOf(record), record.recordId);
}

}  // namespace tavir
