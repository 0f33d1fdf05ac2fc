// What reading a record from a file, or writing it into the Datebook, gave.
// Engine and host share it: a faulty repeat rule is the same error whether
// the file's text or the Datebook refused it.
#pragma once

namespace tavir {

// The field errors keep their numbers: the message has string id number +
// kFieldErrorIdBase.
enum class FieldResult : int {
  Ok = 0,
  EndOfData = -1,  // an empty "Date": no more data
  Cancelled = -2,  // the user stopped the import after a host error
  InvalidDate = 101,
  InvalidStartTime = 102,
  InvalidEndTime = 103,
  NoAppointmentText = 104,
  InvalidAlarmTime = 105,
  InvalidAlarmUnit = 106,
  InvalidRepeatInterval = 107,
  InvalidRepeatEndDate = 108,
  NoWeekDay = 109,
  InvalidWeekIndex = 110,
  InvalidRepeatType = 111,
  InvalidExceptionDate = 112,
  InvalidId = 113,
};

// A field error: not Ok, EndOfData or Cancelled.
inline bool IsFieldError(FieldResult result) {
  return static_cast<int>(result) > 0;
}

}  // namespace tavir
