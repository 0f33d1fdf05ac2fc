// Conversions between assigned VARIANTs, cells and the VARIANTs of Value.
#include "spreadsheet/CellValues.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

#include "platform/Locale.h"
#include "spreadsheet/DispatchObject.h"

namespace tavir::spreadsheet {

namespace {

constexpr int kFirstErrorValue = 2000;  // CVErr numbers are 2000 + the BIFF error code
constexpr std::uint32_t kErrorFacility = 0x800A0000;
constexpr std::uint8_t kNotAvailable = 0x2A;

std::u16string TextOf(const VARIANT& value) {
  const UINT length = SysStringLen(value.bstrVal);
  return std::u16string(value.bstrVal, value.bstrVal + length);
}

// A plain decimal number, as typing one into a cell gives a number. Only
// ASCII digits, one optional sign, one decimal point and an exponent.
bool ParseNumber(const std::u16string& text, double& number) {
  std::string ascii;
  const std::string separator = DecimalSeparator();
  for (char16_t c : text) {
    if (c > 0x7F) return false;
    ascii.push_back(static_cast<char>(c));
  }
  const std::size_t begin = ascii.find_first_not_of(' ');
  const std::size_t end = ascii.find_last_not_of(' ');
  if (begin == std::string::npos) return false;
  ascii = ascii.substr(begin, end - begin + 1);
  if (separator != "." && ascii.find(separator) != std::string::npos) {
    if (ascii.find('.') != std::string::npos) return false;
    ascii.replace(ascii.find(separator), separator.size(), ".");
  }
  if (ascii.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
  if (ascii.find_first_of("0123456789") == std::string::npos) return false;
  char* stop = nullptr;
  number = std::strtod(ascii.c_str(), &stop);
  return stop && *stop == '\0' && std::isfinite(number);
}

bool ParseDate(const std::u16string& text, Cell& cell) {
  if (text.empty() || text[0] < u'0' || text[0] > u'9') return false;
  std::string ascii;
  for (char16_t c : text) {
    if (c > 0x7F) return false;
    ascii.push_back(static_cast<char>(c));
  }
  const auto parsed = ParseDateTime(ascii);
  if (!parsed) return false;
  const bool timeOnly = parsed->year == 1899 && parsed->month == 12 && parsed->day == 30;
  const bool dateOnly = parsed->hour == 0 && parsed->minute == 0 && parsed->second == 0;
  cell = Cell::Number(DateSerial(parsed->year, parsed->month, parsed->day, parsed->hour, parsed->minute,
                                 parsed->second),
                      timeOnly ? NumberStyle::Time : dateOnly ? NumberStyle::Date : NumberStyle::DateTime);
  return true;
}

Cell CellFromText(std::u16string text) {
  if (text.size() > kMaxCellText)
    throw SpreadsheetError(kExcelRefused, "Text values are limited to 32,767 characters per cell.");
  if (text.empty()) return Cell{};
  if (text[0] == u'\'') return Cell::Text(text.substr(1), true);
  if (text[0] == u'=')
    throw SpreadsheetError(kExcelRefused, "The spreadsheet stand-in does not evaluate formulas.");
  double number = 0;
  if (ParseNumber(text, number)) return Cell::Number(number);
  Cell date;
  if (ParseDate(text, date)) return date;
  return Cell::Text(std::move(text));
}

// A date value without a day (on 1899-12-30) shows as a time of day, midnight too.
NumberStyle StyleOfSerial(double serial) {
  if (serial >= 0 && serial < 1) return NumberStyle::Time;
  if (std::floor(serial) == serial) return NumberStyle::Date;
  return NumberStyle::DateTime;
}

}  // namespace

double DateSerial(int year, int month, int day, int hour, int minute, int second) {
  using namespace std::chrono;
  const sys_days date{std::chrono::year{year} / month / day};
  const sys_days origin{std::chrono::year{1899} / 12 / 30};
  return static_cast<double>((date - origin).count()) + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

Cell CellFromInput(const VARIANT& value) {
  Cell cell;
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return cell;
    case VT_BSTR:
      return CellFromText(TextOf(value));
    case VT_DATE:
      return Cell::Number(value.date, StyleOfSerial(value.date));
    case VT_BOOL:
      cell.kind = CellKind::Boolean;
      cell.number = value.boolVal ? 1 : 0;
      return cell;
    case VT_ERROR: {
      const long code = static_cast<long>(value.scode & 0xFFFF) - kFirstErrorValue;
      cell.kind = CellKind::Error;
      cell.number = code >= 0 && code <= kNotAvailable ? code : kNotAvailable;
      return cell;
    }
    default: {
      Variant number;
      if (FAILED(VariantChangeType(number.Get(), const_cast<VARIANT*>(&value), 0, VT_R8)) ||
          !std::isfinite(number.Get()->dblVal))
        throw SpreadsheetError(DISP_E_TYPEMISMATCH, "A cell cannot hold a value of this type.");
      return Cell::Number(number.Get()->dblVal);
    }
  }
}

Variant VariantFromCell(const Cell& cell) {
  Variant value;
  switch (cell.kind) {
    case CellKind::Empty:
      break;
    case CellKind::Text:
      value = Variant::FromWide(WideString(cell.text.begin(), cell.text.end()));
      break;
    case CellKind::Number:
      value = cell.IsDate() ? Variant::FromDate(cell.number) : Variant::FromDouble(cell.number);
      break;
    case CellKind::Boolean:
      value.Get()->vt = VT_BOOL;
      value.Get()->boolVal = cell.number != 0 ? -1 : 0;
      break;
    case CellKind::Error:
      value.Get()->vt = VT_ERROR;
      value.Get()->scode = static_cast<SCODE>(kErrorFacility | (kFirstErrorValue + static_cast<std::uint32_t>(cell.number)));
      break;
  }
  return value;
}

}  // namespace tavir::spreadsheet
