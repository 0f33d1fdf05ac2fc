// The compact table of stored appointments and their materialisation.
#include "desktop/StoredAppointments.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace tavir {
namespace {

std::uint32_t Offset(std::size_t position) {
  if (position > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("The datebook's texts exceed what one table can hold.");
  return static_cast<std::uint32_t>(position);
}

}  // namespace

void StoredAppointments::Reserve(std::size_t rows, std::size_t textUnits) {
  rows_.reserve(rows);
  texts_.reserve(textUnits);
}

bool StoredAppointments::Append(const Fields& f) {
  if (!rows_.empty() && rows_.back().recordId >= f.recordId)
    return false;
  Row row{};
  row.recordId = f.recordId;
  row.start = f.start;
  row.startDay = f.startDay;
  row.end = f.end;
  row.repeatEnd = f.repeat.end;
  row.repeatInterval = f.repeat.interval;
  row.alarmAmount = f.alarmAmount;
  const WideView* texts[] = {&f.description, &f.note, &f.category, &f.location};
  for (int field = 0; field < 4; ++field) {
    row.text[field] = Offset(texts_.size());
    texts_.append(*texts[field]);
  }
  Offset(texts_.size());
  row.firstException = Offset(exceptions_.size());
  row.untimed = f.untimed;
  row.repeatType = static_cast<std::uint8_t>(f.repeat.type);
  row.repeatExtra = static_cast<std::uint8_t>(f.repeat.extra);
  row.alarm = f.alarm;
  row.alarmUnit = static_cast<std::uint8_t>(f.alarmUnit);
  row.isPrivate = f.isPrivate;
  row.state = static_cast<std::uint8_t>(f.state);
  rows_.push_back(row);
  return true;
}

bool StoredAppointments::AppendException(std::int32_t recordId, TimeValue day) {
  while (exceptionRow_ + 1 < rows_.size() && rows_[exceptionRow_].recordId < recordId) {
    rows_[++exceptionRow_].firstException = Offset(exceptions_.size());
  }
  if (rows_.empty() || rows_[exceptionRow_].recordId != recordId)
    return false;
  exceptions_.push_back(day);
  return true;
}

std::size_t StoredAppointments::Find(std::int32_t recordId) const {
  if (rows_.empty() || recordId < rows_.front().recordId)
    return rows_.size();
  // Ids ascend by at least one a row, so the row lies at most this far in;
  // a datebook with few deletions has it right there.
  const auto furthest = static_cast<std::size_t>(std::int64_t{recordId} - rows_.front().recordId);
  if (furthest < rows_.size() && rows_[furthest].recordId == recordId)
    return furthest;
  const auto end = rows_.begin() + static_cast<std::ptrdiff_t>(std::min(furthest, rows_.size()));
  const auto found =
      std::lower_bound(rows_.begin(), end, recordId,
                       [](const Row& row, std::int32_t id) { return row.recordId < id; });
  return found != end && found->recordId == recordId
             ? static_cast<std::size_t>(found - rows_.begin())
             : rows_.size();
}

void StoredAppointments::PrefetchRow(std::int32_t recordId) const {
  // Where Find looks first; a wrong guess costs nothing.
  if (!rows_.empty() && recordId >= rows_.front().recordId) {
    const auto guess = static_cast<std::size_t>(std::int64_t{recordId} - rows_.front().recordId);
    if (guess < rows_.size())
      __builtin_prefetch(&rows_[guess]);
  }
}

void StoredAppointments::PrefetchTexts(std::int32_t recordId) const {
  const std::size_t row = Find(recordId);
  if (row < rows_.size()) {
    __builtin_prefetch(texts_.data() + rows_[row].text[0]);
    __builtin_prefetch(texts_.data() + rows_[row].text[3]);
  }
}

std::size_t StoredAppointments::TextEnd(std::size_t row, int field) const {
  if (field < 3)
    return rows_[row].text[field + 1];
  return row + 1 < rows_.size() ? rows_[row + 1].text[0] : texts_.size();
}

StoredAppointments::WideView StoredAppointments::Text(std::size_t row, int field) const {
  const std::size_t begin = rows_[row].text[field];
  return WideView(texts_).substr(begin, TextEnd(row, field) - begin);
}

std::pair<std::size_t, std::size_t> StoredAppointments::Exceptions(std::size_t row) const {
  // Only rows up to the last one given an exception have their own range.
  if (row > exceptionRow_)
    return {0, 0};
  return {rows_[row].firstException,
          row < exceptionRow_ ? rows_[row + 1].firstException : exceptions_.size()};
}

AppointmentView StoredAppointments::View(std::size_t index) const {
  const Row& row = rows_[index];
  const auto [first, last] = Exceptions(index);
  return {row.recordId,
          row.start,
          row.end,
          row.untimed != 0,
          Text(index, 0),
          Text(index, 1),
          Text(index, 2),
          Text(index, 3),
          RepeatRule{row.repeatType, row.repeatInterval, row.repeatEnd, row.repeatExtra},
          last - first,
          row.alarm != 0,
          row.alarmUnit,
          row.alarmAmount,
          row.isPrivate != 0,
          static_cast<AppointmentState>(row.state)};
}

AppointmentData StoredAppointments::Materialise(std::size_t index) const {
  const AppointmentView view = View(index);
  AppointmentData a;
  a.recordId = view.recordId;
  a.start = view.start;
  a.end = view.end;
  a.untimed = view.untimed;
  a.description = view.description;
  a.note = view.note;
  a.category = view.category;
  a.location = view.location;
  a.repeat = view.repeat;
  const auto [first, last] = Exceptions(index);
  for (std::size_t e = first; e < last; ++e)
    a.exceptions.insert(a.exceptions.end(), exceptions_[e]);
  a.alarm = view.alarm;
  a.alarmUnit = view.alarmUnit;
  a.alarmAmount = view.alarmAmount;
  a.isPrivate = view.isPrivate;
  a.state = view.state;
  return a;
}

}  // namespace tavir
