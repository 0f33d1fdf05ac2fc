// Date and time detection in number formats.
#include "spreadsheet/NumberFormats.h"

namespace tavir::spreadsheet {

namespace {
NumberStyle Combine(bool date, bool time) {
  if (date && time) return NumberStyle::DateTime;
  if (date) return NumberStyle::Date;
  if (time) return NumberStyle::Time;
  return NumberStyle::General;
}
}  // namespace

NumberStyle StyleOfBuiltInFormat(std::uint16_t formatId) {
  if ((formatId >= 14 && formatId <= 17) || (formatId >= 27 && formatId <= 31) ||
      (formatId >= 34 && formatId <= 36) || (formatId >= 50 && formatId <= 58))
    return NumberStyle::Date;
  if ((formatId >= 18 && formatId <= 21) || (formatId >= 32 && formatId <= 33) ||
      (formatId >= 45 && formatId <= 47))
    return NumberStyle::Time;
  if (formatId == 22) return NumberStyle::DateTime;
  return NumberStyle::General;
}

NumberStyle StyleOfFormatText(const std::u16string& format) {
  bool date = false, time = false, month = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char16_t c = format[i];
    if (c == u'"') {  // literal text
      while (++i < format.size() && format[i] != u'"') {}
      continue;
    }
    if (c == u'\\' || c == u'_' || c == u'*') {  // escaped, spacing and fill characters
      ++i;
      continue;
    }
    if (c == u'[') {  // colours and conditions, but [h], [m], [s] are elapsed times
      const std::size_t end = format.find(u']', i);
      if (end == std::u16string::npos) break;
      const std::u16string inner = format.substr(i + 1, end - i - 1);
      if (!inner.empty() && inner.find_first_not_of(u"hHmMsS") == std::u16string::npos) time = true;
      i = end;
      continue;
    }
    if (c == u';') break;  // the first section decides
    if (c >= u'A' && c <= u'Z') c = c - u'A' + u'a';
    if (c == u'y' || c == u'd') date = true;
    else if (c == u'h' || c == u's') time = true;
    else if (c == u'm') month = true;
    else if (c == u'a' && format.compare(i, 5, u"AM/PM") == 0) time = true;
  }
  // A lone m is a month; next to hours or seconds it is minutes.
  if (month && !time) date = true;
  return Combine(date, time);
}

}  // namespace tavir::spreadsheet
