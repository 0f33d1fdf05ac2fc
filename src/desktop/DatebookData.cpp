// The in-memory datebook: record ids, queries and change tracking.
#include "desktop/DatebookData.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "desktop/Occurrences.h"

namespace tavir {
namespace {

bool HasInvalidStart(const AppointmentData& appointment) {
  return appointment.start == 0 || appointment.start == -1;
}

// The last day of an appointment's series, exceptions aside.
DayNumber LastSeriesDay(const AppointmentData& appointment, DayNumber startDay) {
  if (!appointment.Repeats())
    return startDay;
  const DayNumber end =
      appointment.repeat.end == 0 ? kNoEndLastDay : LocalDayOf(appointment.repeat.end);
  return std::max(startDay, end);
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
  appointments_.emplace(stored->recordId, stored);
  changes_.written.insert(changes_.written.end(), stored->recordId);
  changes_.nextRecordId = true;
  return stored;
}

void DatebookData::Restore(AppointmentData appointment) {
  const std::int32_t id = appointment.recordId;
  if (id <= 0)
    throw std::invalid_argument("record id " + std::to_string(id) + " is not positive");
  if (appointments_.count(id)) {
    throw std::invalid_argument("record id " + std::to_string(id) + " appears twice");
  }
  appointments_.emplace(id, std::make_shared<AppointmentData>(std::move(appointment)));
  if (id >= nextRecordId_)
    nextRecordId_ = id + 1;
}

std::shared_ptr<AppointmentData> DatebookData::FindActive(std::int32_t recordId) const {
  const auto found = appointments_.find(recordId);
  if (found == appointments_.end() || found->second->state != AppointmentState::Active) {
    return nullptr;
  }
  return found->second;
}

std::vector<std::shared_ptr<AppointmentData>> DatebookData::Query(TimeValue from,
                                                                  TimeValue to) const {
  const DayNumber firstDay = LocalDayOf(from);
  const DayNumber lastDay = LocalDayOf(to);
  std::vector<std::shared_ptr<AppointmentData>> result;
  for (const auto& [id, appointment] : appointments_) {
    if (appointment->state != AppointmentState::Active)
      continue;
    if (!HasInvalidStart(*appointment)) {
      const DayNumber startDay = LocalDayOf(appointment->start);
      if (startDay > lastDay || LastSeriesDay(*appointment, startDay) < firstDay)
        continue;
    }
    result.push_back(appointment);
  }
  std::stable_sort(result.begin(), result.end(), [](const auto& left, const auto& right) {
    return left->start < right->start;  // record id order is kept from the map
  });
  return result;
}

void DatebookData::MarkChanged(const AppointmentData& appointment) {
  // An import writes one appointment field by field, new ones in rising
  // record ids: the last one marked needs no search of the whole set.
  std::set<std::int32_t>& written = changes_.written;
  if (!written.empty() && *written.rbegin() == appointment.recordId)
    return;
  written.insert(written.end(), appointment.recordId);
}

void DatebookData::Delete(AppointmentData& appointment) {
  // The map may hold the last reference to appointment: erase it last.
  const std::int32_t id = appointment.recordId;
  appointment.state = AppointmentState::Deleted;
  changes_.written.erase(id);
  changes_.removed.insert(id);
  appointments_.erase(id);
}

void DatebookData::MarkForArchival(AppointmentData& appointment) {
  appointment.state = AppointmentState::MarkedForArchival;
  MarkChanged(appointment);
}

void DatebookData::SetNextRecordId(std::int32_t next) {
  nextRecordId_ = std::max(next, nextRecordId_);
}

}  // namespace tavir
