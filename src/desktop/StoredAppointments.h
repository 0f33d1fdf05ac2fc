// The appointments a datebook file held when it was opened, kept compactly
// until one is asked for: fixed fields in one array, the texts in one buffer.
// A datebook of a million appointments then costs a fraction of what as many
// AppointmentData objects would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "desktop/AppointmentData.h"
#include "desktop/CalendarDays.h"

namespace tavir {

class StoredAppointments {
 public:
  using WideView = std::basic_string_view<OLECHAR>;
  struct Fields {
    std::int32_t recordId = 0;
    TimeValue start = 0;
    DayNumber startDay = 0;  // the local day of start, unless start is 0 or -1
    TimeValue end = 0;
    bool untimed = false;
    WideView description, note, category, location;
    RepeatRule repeat;
    bool alarm = false;
    std::int32_t alarmUnit = 0;
    std::int32_t alarmAmount = 0;
    bool isPrivate = false;
    AppointmentState state = AppointmentState::Active;
  };
  // Room for rows appointments with texts of textUnits UTF-16 units in all,
  // so that the table is not copied as it grows.
  void Reserve(std::size_t rows, std::size_t textUnits);
  // Appends an appointment; record ids must ascend. Returns false when the
  // id does not follow the last one.
  bool Append(const Fields& fields);
  // Appends an exception day to the appointment with recordId, after every
  // appointment was appended. Exceptions come by ascending record id; false
  // when no appointment has recordId.
  bool AppendException(std::int32_t recordId, TimeValue day);

  std::size_t Size() const { return rows_.size(); }
  // The row of recordId, or Size() when there is none.
  std::size_t Find(std::int32_t recordId) const;

  // What queries look at, without materialising.
  std::int32_t RecordId(std::size_t row) const { return rows_[row].recordId; }
  TimeValue Start(std::size_t row) const { return rows_[row].start; }
  DayNumber StartDay(std::size_t row) const { return rows_[row].startDay; }
  AppointmentState State(std::size_t row) const {
    return static_cast<AppointmentState>(rows_[row].state);
  }
  bool Repeats(std::size_t row) const { return rows_[row].repeatType != 0; }
  TimeValue RepeatEnd(std::size_t row) const { return rows_[row].repeatEnd; }

  // Asks the processor to fetch what reading an appointment will touch:
  // collections hand items out by start, a random walk through the table,
  // and each step would otherwise wait for memory twice. The row of
  // recordId first, its texts a step later.
  void PrefetchRow(std::int32_t recordId) const;
  void PrefetchTexts(std::int32_t recordId) const;

  AppointmentView View(std::size_t row) const;
  AppointmentData Materialise(std::size_t row) const;

 private:
  struct Row {
    std::int32_t recordId;
    TimeValue start;
    DayNumber startDay;
    TimeValue end;
    TimeValue repeatEnd;
    std::int32_t repeatInterval;
    std::int32_t alarmAmount;
    std::uint32_t text[4];  // where description, note, category, location begin
    std::uint32_t firstException;
    std::uint8_t untimed, repeatType, repeatExtra, alarm, alarmUnit, isPrivate, state;
  };
  std::size_t TextEnd(std::size_t row, int field) const;
  WideView Text(std::size_t row, int field) const;
  // The row's exception days: [first, last).
  std::pair<std::size_t, std::size_t> Exceptions(std::size_t row) const;

  std::vector<Row> rows_;
  WideString texts_;
  std::vector<TimeValue> exceptions_;
  std::size_t exceptionRow_ = 0;  // the row the last exception went to
};

}  // namespace tavir
