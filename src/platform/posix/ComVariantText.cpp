// Portable VariantChangeType: to text as Windows writes values under the
// user's regional settings (numbers with 15 or 7 significant digits and the
// decimal separator, dates as short date and/or time with seconds), and the
// numeric, date and text-to-number conversions the program relies on.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "platform/Com.h"
#include "platform/Locale.h"

namespace {

using tavir::WideString;

// OLE dates count days from 1899-12-30; valid from year 100 to 9999.
constexpr double kFirstDate = -657434.0;
constexpr double kLastDate = 2958465.99999999;
constexpr long long kDaysFrom1899To1970 = 25569;

struct CivilDate {
  int year, month, day;
};

// Days since 1970-01-01 for a proleptic Gregorian date, and back.
long long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(long long days) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthIndex = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  return {static_cast<int>(yearOfEra + era * 400 + (month <= 2)), month, day};
}

HRESULT MakeText(const std::string& ansi, VARIANT& out) {
  const WideString wide = tavir::AnsiToWide(ansi);
  out.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!out.bstrVal) return E_OUTOFMEMORY;
  out.vt = VT_BSTR;
  return S_OK;
}

std::string NumberText(double value, int significantDigits) {
  if (value == 0) return "0";  // also for -0
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
  std::string text = buffer;
  // Windows localises only the plain form; "1.5E+15" keeps its point.
  if (text.find('E') != std::string::npos) return text;
  if (const auto point = text.find('.'); point != std::string::npos) {
    text.replace(point, 1, tavir::DecimalSeparator());
  }
  return text;
}

std::string CurrencyText(std::int64_t units) {
  // Currency is a count of ten-thousandths; trailing zeros are dropped.
  const bool negative = units < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(units) : units;
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += tavir::DecimalSeparator() + fraction;
  return text;
}

std::optional<std::string> DateText(double date) {
  if (!(date >= kFirstDate && date <= kLastDate)) return std::nullopt;
  long long day = static_cast<long long>(date);  // towards zero: -1.25 is 12/29 06:00
  const double fraction = std::fabs(date - static_cast<double>(day));
  long long seconds = std::llround(fraction * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++day;
  }
  const int hour = static_cast<int>(seconds / 3600);
  const int minute = static_cast<int>(seconds / 60 % 60);
  const int second = static_cast<int>(seconds % 60);
  // A value within the first day is a time of day; a whole number is a date.
  if (date > -1.0 && date < 1.0) return tavir::FormatTimeWithSeconds(hour, minute, second);
  const CivilDate civil = CivilFromDays(day - kDaysFrom1899To1970);
  std::string text = tavir::FormatShortDate(civil.year, civil.month, civil.day);
  if (fraction != 0) text += " " + tavir::FormatTimeWithSeconds(hour, minute, second);
  return text;
}

// The numeric value of a simple variant; nullopt when it has none.
std::optional<double> NumberOf(const VARIANT& in) {
  switch (in.vt) {
    case VT_EMPTY: return 0.0;
    case VT_I1: return static_cast<double>(static_cast<signed char>(in.cVal));
    case VT_UI1: return in.bVal;
    case VT_I2: return in.iVal;
    case VT_UI2: return in.uiVal;
    case VT_I4: return in.lVal;
    case VT_UI4: return in.ulVal;
    case VT_INT: return in.intVal;
    case VT_UINT: return in.uintVal;
    case VT_I8: return static_cast<double>(in.llVal);
    case VT_UI8: return static_cast<double>(in.ullVal);
    case VT_R4: return in.fltVal;
    case VT_R8: return in.dblVal;
    case VT_DATE: return in.date;
    case VT_BOOL: return in.boolVal;
    case VT_CY: return static_cast<double>(in.cyVal.int64) / 10000.0;
    default: return std::nullopt;
  }
}

// Text to number under the user's decimal separator; blanks around allowed.
std::optional<double> ParseNumber(const std::string& ansi) {
  const auto first = ansi.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  std::string text = ansi.substr(first, ansi.find_last_not_of(" \t") - first + 1);
  const std::string separator = tavir::DecimalSeparator();
  if (separator != "." && text.find('.') != std::string::npos) return std::nullopt;
  if (const auto at = text.find(separator); at != std::string::npos) text.replace(at, separator.size(), ".");
  const bool negative = !text.empty() && text[0] == '-';
  const std::size_t start = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || start == text.size()) return std::nullopt;
  return negative ? -value : value;
}

std::optional<double> ParseDate(const std::string& ansi) {
  const auto parsed = tavir::ParseDateTime(ansi);
  if (!parsed) return std::nullopt;
  const long long days = DaysFromCivil(parsed->year, parsed->month, parsed->day) + kDaysFrom1899To1970;
  const double time = (parsed->hour * 3600 + parsed->minute * 60 + parsed->second) / 86400.0;
  return days >= 0 ? days + time : days - time;
}

// Rounds half to even, as Windows does when a number becomes an integer.
double RoundToInteger(double value) { return std::nearbyint(value); }

HRESULT ToText(const VARIANT& in, USHORT flags, VARIANT& out) {
  switch (in.vt) {
    case VT_EMPTY: return MakeText("", out);
    case VT_I1: return MakeText(std::to_string(static_cast<signed char>(in.cVal)), out);
    case VT_UI1: return MakeText(std::to_string(in.bVal), out);
    case VT_I2: return MakeText(std::to_string(in.iVal), out);
    case VT_UI2: return MakeText(std::to_string(in.uiVal), out);
    case VT_I4: return MakeText(std::to_string(in.lVal), out);
    case VT_UI4: return MakeText(std::to_string(in.ulVal), out);
    case VT_INT: return MakeText(std::to_string(in.intVal), out);
    case VT_UINT: return MakeText(std::to_string(in.uintVal), out);
    case VT_I8: return MakeText(std::to_string(in.llVal), out);
    case VT_UI8: return MakeText(std::to_string(in.ullVal), out);
    case VT_R4: return MakeText(NumberText(in.fltVal, 7), out);
    case VT_R8: return MakeText(NumberText(in.dblVal, 15), out);
    case VT_CY: return MakeText(CurrencyText(in.cyVal.int64), out);
    case VT_BOOL:
      // Windows writes -1 and 0 unless asked for words.
      if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) {
        return MakeText(in.boolVal ? "True" : "False", out);
      }
      return MakeText(std::to_string(in.boolVal), out);
    case VT_DATE: {
      const auto text = DateText(in.date);
      return text ? MakeText(*text, out) : E_INVALIDARG;
    }
    default: return DISP_E_TYPEMISMATCH;
  }
}

HRESULT ToNumber(const VARIANT& in, VARTYPE type, VARIANT& out) {
  std::optional<double> value;
  if (in.vt == VT_BSTR) {
    const std::string text = tavir::WideToAnsi(in.bstrVal, SysStringLen(in.bstrVal));
    value = type == VT_DATE ? ParseDate(text) : ParseNumber(text);
  } else {
    value = NumberOf(in);
  }
  if (!value) return DISP_E_TYPEMISMATCH;
  const double number = *value;
  const auto integer = [&](double low, double high) -> std::optional<double> {
    const double rounded = RoundToInteger(number);
    if (!(rounded >= low && rounded <= high)) return std::nullopt;
    return rounded;
  };
  switch (type) {
    case VT_R8: out.dblVal = number; break;
    case VT_R4:
      if (std::fabs(number) > std::numeric_limits<float>::max()) return DISP_E_OVERFLOW;
      out.fltVal = static_cast<float>(number);
      break;
    case VT_DATE:
      if (!(number >= kFirstDate && number <= kLastDate)) return DISP_E_OVERFLOW;
      out.date = number;
      break;
    case VT_BOOL: out.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_I4:
    case VT_INT: {
      const auto rounded = integer(-2147483648.0, 2147483647.0);
      if (!rounded) return DISP_E_OVERFLOW;
      out.lVal = static_cast<LONG>(*rounded);
      break;
    }
    case VT_I2: {
      const auto rounded = integer(-32768.0, 32767.0);
      if (!rounded) return DISP_E_OVERFLOW;
      out.iVal = static_cast<SHORT>(*rounded);
      break;
    }
    case VT_UI1: {
      const auto rounded = integer(0.0, 255.0);
      if (!rounded) return DISP_E_OVERFLOW;
      out.bVal = static_cast<BYTE>(*rounded);
      break;
    }
    default: return DISP_E_TYPEMISMATCH;
  }
  out.vt = type;
  return S_OK;
}

}  // namespace

HRESULT VariantChangeType(VARIANTARG* destination, VARIANTARG* source, USHORT flags, VARTYPE type) {
  if (!destination || !source) return E_INVALIDARG;
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = S_OK;
  if (source->vt == type) {
    hr = VariantCopy(&result, source);
  } else if (source->vt & (VT_BYREF | VT_ARRAY)) {
    hr = DISP_E_TYPEMISMATCH;
  } else if (source->vt == VT_NULL) {
    hr = type == VT_EMPTY ? S_OK : DISP_E_TYPEMISMATCH;
  } else if (type == VT_EMPTY) {
    hr = S_OK;
  } else if (type == VT_BSTR) {
    hr = ToText(*source, flags, result);
  } else {
    hr = ToNumber(*source, type, result);
  }
  if (FAILED(hr)) return hr;
  // The source may be the destination: clear it only once the result exists.
  if (HRESULT cleared = VariantClear(destination); FAILED(cleared)) {
    VariantClear(&result);
    return cleared;
  }
  *destination = result;
  return S_OK;
}
