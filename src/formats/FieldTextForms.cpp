// Text forms of typed field values for the text formats.
#include "formats/FieldTextForms.h"

#include <charconv>

#include "model/AppointmentRecord.h"

namespace tavir {

std::string TimeFieldText(TimeValue value, bool withDate) {
  if (!withDate) return FormatTimeText(value);
  return FormatDateText(value) + " " + FormatTimeText(value);
}

std::string SpanFieldText(std::int32_t seconds) {
  // to_chars, unlike printf, never takes the decimal point from the C locale.
  char text[64];
  const auto result =
      std::to_chars(text, text + sizeof text, seconds / 3600.0, std::chars_format::fixed, 6);
  return std::string(text, result.ptr);
}

std::string IntFieldText(std::int32_t value) { return std::to_string(value); }

}  // namespace tavir
