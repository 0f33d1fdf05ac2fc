// The in-memory datebook: record ids, queries and change tracking.
#include "desktop/DatebookData.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "desktop/Occurrences.h"

namespace tavir {
namespace {

bool HasInvalidStart(TimeValue start) {
  return start == 0 || start == -1;
}

// Whether a series from startDay touches the days firstDay..lastDay.
bool Touches(DayNumber startDay, bool repeats, TimeValue repeatEnd, DayNumber firstDay,
             DayNumber lastDay) {
  if (startDay > lastDay)
    return false;
  if (!repeats)
    return startDay >= firstDay;
  const DayNumber end = repeatEnd == 0 ? kNoEndLastDay : LocalDayOf(repeatEnd);
  return std::max(startDay, end) >= firstDay;
}

}  // namespace

DatebookData::DatebookData(WideString userName) : userName_(std::move(userName)) {}

void DatebookData::SetUserName(WideString name) {
  userName_ = std::move(name);
  changes_.userName = true;
}

std::shared_ptr<AppointmentData> DatebookData::Add(AppointmentData appointment) {
  if (nextRecordId_ == std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("The datebook has no record ids left.");
  }
  appointment.recordId = nextRecordId_++;
  appointment.state = AppointmentState::Active;
  auto stored = std::make_shared<AppointmentData>(std::move(appointment));
  held_.emplace(stored->recordId, stored);
  changes_.written.insert(changes_.written.end(), stored->recordId);
  changes_.nextRecordId = true;
  return stored;
}

void DatebookData::Restore(AppointmentData appointment) {
  const std::int32_t id = appointment.recordId;
  if (id <= 0)
    throw std::invalid_argument("record id " + std::to_string(id) + " is not positive");
  if (held_.count(id) || deleted_.count(id) || stored_.Find(id) < stored_.Size()) {
    throw std::invalid_argument("record id " + std::to_string(id) + " appears twice");
  }
  held_.emplace(id, std::make_shared<AppointmentData>(std::move(appointment)));
  SetNextRecordId(id == std::numeric_limits<std::int32_t>::max() ? id : id + 1);
}

void DatebookData::RestoreStored(StoredAppointments stored) {
  if (stored_.Size() != 0 || !held_.empty() || !deleted_.empty())
    throw std::logic_error("stored appointments come before any other");
  stored_ = std::move(stored);
  superseded_.assign(stored_.Size(), false);
  if (stored_.Size() != 0) {
    const std::int32_t last = stored_.RecordId(stored_.Size() - 1);
    SetNextRecordId(last == std::numeric_limits<std::int32_t>::max() ? last : last + 1);
  }
}

std::shared_ptr<AppointmentData> DatebookData::Materialise(std::size_t row) const {
  // Not make_shared: the lent_ entry must not keep the appointment's memory.
  std::shared_ptr<AppointmentData> appointment(new AppointmentData(stored_.Materialise(row)));
  lent_[appointment->recordId] = appointment;
  if (lent_.size() >= lentPruneAt_) {
    std::erase_if(lent_, [](const auto& entry) { return entry.second.expired(); });
    lentPruneAt_ = std::max<std::size_t>(1024, 2 * lent_.size());
  }
  return appointment;
}

void DatebookData::Hold(std::size_t row, std::shared_ptr<AppointmentData> appointment) const {
  lent_.erase(appointment->recordId);
  held_.emplace(appointment->recordId, std::move(appointment));
  superseded_[row] = true;
}

DatebookData::Location DatebookData::Locate(std::int32_t recordId) const {
  if (const auto held = held_.find(recordId); held != held_.end())
    return {held->second, std::nullopt};
  if (const auto deleted = deleted_.find(recordId); deleted != deleted_.end())
    return {deleted->second, std::nullopt};
  if (const auto lent = lent_.find(recordId); lent != lent_.end()) {
    if (auto appointment = lent->second.lock())
      return {std::move(appointment), std::nullopt};
  }
  const std::size_t row = stored_.Find(recordId);
  if (row == stored_.Size() || superseded_[row])
    return {};
  return {nullptr, row};
}

std::shared_ptr<AppointmentData> DatebookData::Find(std::int32_t recordId) const {
  Location location = Locate(recordId);
  if (location.storedRow)
    return Materialise(*location.storedRow);
  return std::move(location.object);
}

std::shared_ptr<AppointmentData> DatebookData::FindActive(std::int32_t recordId) const {
  auto found = Find(recordId);
  return found && found->state == AppointmentState::Active ? found : nullptr;
}

std::vector<std::int32_t> DatebookData::Query(TimeValue from, TimeValue to) const {
  const DayNumber firstDay = LocalDayOf(from);
  const DayNumber lastDay = LocalDayOf(to);
  std::vector<std::pair<TimeValue, std::int32_t>> found;
  for (std::size_t row = 0; row < stored_.Size(); ++row) {
    if (superseded_[row] || stored_.State(row) != AppointmentState::Active)
      continue;
    const TimeValue start = stored_.Start(row);
    if (HasInvalidStart(start) || Touches(stored_.StartDay(row), stored_.Repeats(row),
                                          stored_.RepeatEnd(row), firstDay, lastDay)) {
      found.emplace_back(start, stored_.RecordId(row));
    }
  }
  for (const auto& [id, a] : held_) {
    if (a->state != AppointmentState::Active)
      continue;
    if (HasInvalidStart(a->start) ||
        Touches(LocalDayOf(a->start), a->Repeats(), a->repeat.end, firstDay, lastDay)) {
      found.emplace_back(a->start, id);
    }
  }
  std::sort(found.begin(), found.end());
  std::vector<std::int32_t> ids;
  ids.reserve(found.size());
  for (const auto& [start, id] : found)
    ids.push_back(id);
  return ids;
}

const std::map<std::int32_t, std::shared_ptr<AppointmentData>>& DatebookData::All() const {
  for (std::size_t row = 0; row < stored_.Size(); ++row) {
    if (!superseded_[row])
      Hold(row, Find(stored_.RecordId(row)));
  }
  return held_;
}

void DatebookData::MarkChanged(const AppointmentData& appointment) {
  const std::int32_t id = appointment.recordId;
  // An import writes one appointment field by field, new ones in rising
  // record ids: the last one marked needs no search of the whole set (and
  // was held when it was first marked).
  std::set<std::int32_t>& written = changes_.written;
  if (!written.empty() && *written.rbegin() == id)
    return;
  if (deleted_.count(id))
    return;  // nothing left to write
  written.insert(written.end(), id);
  if (held_.count(id))
    return;
  const std::size_t row = stored_.Find(id);
  auto lent = lent_.count(id) ? lent_.at(id).lock() : nullptr;
  if (row == stored_.Size() || superseded_[row] || lent.get() != &appointment)
    throw std::logic_error("a changed appointment was not handed out by its datebook");
  Hold(row, std::move(lent));
}

void DatebookData::Delete(AppointmentData& appointment) {
  const std::int32_t id = appointment.recordId;
  std::shared_ptr<AppointmentData> kept = Find(id);
  if (kept.get() != &appointment)
    throw std::logic_error("a deleted appointment was not handed out by its datebook");
  appointment.state = AppointmentState::Deleted;
  changes_.written.erase(id);
  changes_.removed.insert(id);
  held_.erase(id);
  lent_.erase(id);
  if (const std::size_t row = stored_.Find(id); row < stored_.Size())
    superseded_[row] = true;
  deleted_[id] = std::move(kept);
}

void DatebookData::MarkForArchival(AppointmentData& appointment) {
  appointment.state = AppointmentState::MarkedForArchival;
  MarkChanged(appointment);
}

void DatebookData::SetNextRecordId(std::int32_t next) {
  nextRecordId_ = std::max(next, nextRecordId_);
}

}  // namespace tavir
