// ExcelFile: the workbook is created, opened and saved by the spreadsheet
// application; cell values move through its automation members.
#include "formats/ExcelFile.h"

#include <chrono>
#include <cmath>

#include "formats/AutomationCall.h"
#include "formats/FieldTextParsing.h"
#include "model/TextTrim.h"
#include "platform/AnsiCharacters.h"
#include "platform/Automation.h"
#include "platform/CodePage.h"
#include "platform/ComError.h"

namespace tavir {

namespace {

// Dispatch ids of the spreadsheet application's members.
namespace member {
constexpr DISPID kDefault = 0, kValue = 6, kCount = 0x76, kAdd = 0xB5, kCells = 0xEE,
                 kResize = 0x100, kRows = 0x102, kRowHeight = 0x110, kClose = 0x115, kSave = 0x11B,
                 kSaveAs = 0x11C, kUsedRange = 0x19C, kSheets = 0x1E5, kWorkbooks = 0x23C,
                 kOpen = 0x2AA;
}  // namespace member

constexpr std::int32_t kBlockRows = 500;
constexpr std::int32_t kFirstColumns = 10;
constexpr std::int32_t kColumnGrowth = 5;
// Longer texts go to the sheet cell by cell (1000 bytes in UTF-16).
constexpr UINT kDirectModeLength = 500;
constexpr std::size_t kMaxTextBytes = 39999;
// The spreadsheet's limit for one cell's text, in UTF-16 units.
constexpr std::size_t kMaxCellText = 32767;
constexpr double kSecondsPerDayAsDouble = 86400.0;
// OLE dates run from year 100 to 9999.
constexpr double kFirstSerial = -657434.0, kLastSerial = 2958466.0;

using std::chrono::sys_days;
const sys_days kSerialOrigin{std::chrono::year{1899} / 12 / 30};

double DaySerial(const LocalFields& fields) {
  const sys_days day{std::chrono::year{fields.year} / fields.month / fields.day};
  return static_cast<double>((day - kSerialOrigin).count());
}

double TimeOfDaySerial(const LocalFields& fields) {
  return (fields.hour * 3600 + fields.minute * 60) / kSecondsPerDayAsDouble;
}

struct SerialParts {
  int year, month, day, hour, minute;
};

// A date value's calendar day and time of day; false when it is none.
bool SplitSerial(double serial, SerialParts& parts) {
  if (!std::isfinite(serial) || serial < kFirstSerial || serial >= kLastSerial)
    return false;
  // Before 1899-12-30 the fraction still counts forward from midnight.
  long long days = static_cast<long long>(std::trunc(serial));
  long long seconds =
      std::llround(std::fabs(serial - static_cast<double>(days)) * kSecondsPerDayAsDouble);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += serial < 0 ? -1 : 1;
  }
  const std::chrono::year_month_day date{kSerialOrigin + std::chrono::days{days}};
  parts = SerialParts{static_cast<int>(date.year()),
                      static_cast<int>(static_cast<unsigned>(date.month())),
                      static_cast<int>(static_cast<unsigned>(date.day())),
                      static_cast<int>(seconds / 3600), static_cast<int>(seconds % 3600 / 60)};
  return true;
}

std::int32_t ToInt(const Variant& value) {
  Variant converted;
  const HRESULT hr =
      VariantChangeType(converted.Get(), const_cast<VARIANT*>(value.Get()), 0, VT_I4);
  if (FAILED(hr))
    throw ComError(hr, "IDispatch", "");
  return converted.Get()->lVal;
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

ComPtr<IDispatch> Cell(IDispatch* range, std::int32_t row, std::int32_t column) {
  return GetObjectProperty(range, member::kDefault,
                           {Variant::FromInt(row), Variant::FromInt(column)});
}

}  // namespace

std::string RemoveCarriageReturns(const std::string& text) {
  std::string result;
  result.reserve(std::min(text.size(), kMaxTextBytes));
  for (char c : text)
    if (c != '\r')
      result.push_back(c);
  result.resize(AnsiCutLength(result, kMaxTextBytes));
  return result;
}

ExcelFile::ExcelFile() {
  ThrowIfFailed(CreateAutomationObject("Excel.Application", application_), "Excel.Application");
}

ExcelFile::~ExcelFile() = default;

int ExcelFile::OpenWrite(const std::string& fileName) {
  const ComPtr<IDispatch> workbooks = GetObjectProperty(application_.Get(), member::kWorkbooks);
  workbook_ = CallObjectMethod(workbooks.Get(), member::kAdd);
  const ComPtr<IDispatch> sheets = GetObjectProperty(workbook_.Get(), member::kSheets);
  worksheet_ = GetObjectProperty(sheets.Get(), member::kDefault, {Variant::FromInt(1)});
  range_ = GetObjectProperty(worksheet_.Get(), member::kCells);
  recordCounter = 1;
  column_ = 1;
  directMode_ = false;
  CallMethod(workbook_.Get(), member::kSaveAs, {Variant::FromString(fileName)});
  cellTable_ = SafeArray(kBlockRows, kFirstColumns);
  blockStartRow_ = 1;
  return 0;
}

int ExcelFile::OpenRead(const std::string& fileName) {
  const ComPtr<IDispatch> workbooks = GetObjectProperty(application_.Get(), member::kWorkbooks);
  workbook_ = CallObjectMethod(workbooks.Get(), member::kOpen, {Variant::FromString(fileName)});
  const ComPtr<IDispatch> sheets = GetObjectProperty(workbook_.Get(), member::kSheets);
  worksheet_ = GetObjectProperty(sheets.Get(), member::kDefault, {Variant::FromInt(1)});
  recordCounter = 1;
  column_ = 1;
  range_ = GetObjectProperty(worksheet_.Get(), member::kUsedRange);
  const ComPtr<IDispatch> rows = GetObjectProperty(range_.Get(), member::kRows);
  rowCount_ = ToInt(GetProperty(rows.Get(), member::kCount));
  Variant values = GetProperty(range_.Get(), member::kValue);
  if (values.Type() == (VT_ARRAY | VT_VARIANT)) {
    cellTable_ = SafeArray(values.Get()->parray);
    VariantInit(values.Get());  // the table owns the array now
  } else {
    // A used range of one cell gives that cell's value alone.
    cellTable_ = SafeArray(1, 1);
    cellTable_.PutElement(1, 1, values);
  }
  return 0;
}

int ExcelFile::Finish() {
  FlushRows(recordCounter - 1);
  range_ = GetObjectProperty(worksheet_.Get(), member::kUsedRange);
  // Rows with wrapped texts grew taller; every row gets the first row's height.
  const Variant height = GetProperty(Cell(range_.Get(), 1, 1).Get(), member::kRowHeight);
  PutProperty(range_.Get(), member::kRowHeight, height);
  CallMethod(workbook_.Get(), member::kSave);
  return Close();
}

int ExcelFile::Close() {
  if (workbook_)
    CallMethod(workbook_.Get(), member::kClose);
  return 0;
}

int ExcelFile::EndRecord() {
  column_ = 1;
  directMode_ = false;
  ++recordCounter;
  return 0;
}

RecordResult ExcelFile::ReadRecord() {
  ++recordCounter;
  column_ = 1;
  return recordCounter <= rowCount_ ? RecordResult::Read : RecordResult::EndOfData;
}

WriteResult ExcelFile::WriteText(const std::string& text) {
  const std::string cleaned = RemoveCarriageReturns(text);
  WideString wide = AnsiToWide(cleaned);
  if (wide.size() > kMaxCellText) {
    std::size_t keep = kMaxCellText;
    if (wide[keep - 1] >= 0xD800 && wide[keep - 1] <= 0xDBFF)
      --keep;  // not half a surrogate pair
    wide.resize(keep);
  }
  // The apostrophe keeps texts that look like numbers, dates or formulas
  // text; the spreadsheet does not store it.
  if (!cleaned.empty() && !IsAsciiLetter(cleaned[0]))
    wide.insert(wide.begin(), static_cast<OLECHAR>('\''));
  PutCell(Variant::FromWide(wide));
  return WriteResult::Written;
}

WriteResult ExcelFile::WriteDate(TimeValue value) {
  PutCell(Variant::FromDate(DaySerial(SplitLocal(value))));
  return WriteResult::Written;
}

WriteResult ExcelFile::WriteTime(TimeValue value) {
  const LocalFields fields = SplitLocal(value);
  double serial = TimeOfDaySerial(fields);
  if (dateWithTime)
    serial += DaySerial(fields);
  PutCell(Variant::FromDate(serial));
  return WriteResult::Written;
}

WriteResult ExcelFile::WriteSpan(std::int32_t seconds) {
  PutCell(Variant::FromDouble(static_cast<double>(seconds / 3600)));
  return WriteResult::Written;
}

WriteResult ExcelFile::WriteInt(std::int32_t value) {
  PutCell(Variant::FromInt(value));
  return WriteResult::Written;
}

void ExcelFile::PutCell(const Variant& value) {
  if (column_ > cellTable_.Columns())
    cellTable_.ResizeColumns(column_ + kColumnGrowth);
  if (recordCounter - blockStartRow_ + 1 > kBlockRows)
    FlushRows(recordCounter - 1);
  if (!directMode_ && value.Type() == VT_BSTR &&
      SysStringLen(value.Get()->bstrVal) > kDirectModeLength) {
    FlushRows(column_ > 1 ? recordCounter : recordCounter - 1);
    blockStartRow_ = recordCounter + 1;
    directMode_ = true;
  }
  if (directMode_)
    PutProperty(Cell(range_.Get(), recordCounter, column_).Get(), member::kValue, value);
  else
    cellTable_.PutElement(recordCounter - blockStartRow_ + 1, column_, value);
  ++column_;
}

void ExcelFile::FlushRows(std::int32_t lastRow) {
  const std::int32_t rows = lastRow - blockStartRow_ + 1;
  if (rows <= 0)
    return;
  const long columns = cellTable_.Columns();
  const ComPtr<IDispatch> block =
      GetObjectProperty(Cell(range_.Get(), blockStartRow_, 1).Get(), member::kResize,
                        {Variant::FromInt(rows), Variant::FromInt(columns)});
  // The filled table goes into the assignment; an empty one takes its place.
  Variant table;
  table.Get()->vt = VT_ARRAY | VT_VARIANT;
  table.Get()->parray = cellTable_.Detach();
  cellTable_ = SafeArray(kBlockRows, columns);
  PutProperty(block.Get(), member::kValue, table);
  blockStartRow_ = lastRow + 1;
}

void ExcelFile::GetCell(std::string& text, Variant& value) {
  if (recordCounter <= cellTable_.Rows() && column_ <= cellTable_.Columns())
    value = cellTable_.GetElement(recordCounter, column_);
  else
    value = Variant();
  text = value.ToAnsiText();
  lastField_ = text;
  ++column_;
}

ReadResult ExcelFile::ReadText(std::string& text) {
  Variant value;
  GetCell(text, value);
  return ReadResult::Valid;
}

ReadResult ExcelFile::ReadDate(TimeValue& value) {
  std::string text;
  Variant cell;
  GetCell(text, cell);
  if (cell.Type() != VT_DATE)
    return ParseDateField(text, value);
  SerialParts parts;
  if (!SplitSerial(cell.Get()->date, parts))
    return ReadResult::Invalid;
  return FileDate(parts.year, parts.month, parts.day, value);
}

ReadResult ExcelFile::ReadTime(TimeValue& value) {
  std::string text;
  Variant cell;
  GetCell(text, cell);
  if (TrimWhiteSpace(text).empty())
    return ReadResult::Empty;
  if (cell.Type() != VT_DATE && cell.Type() != VT_R8)
    return ParseTimeField(text, value);
  SerialParts parts;
  if (!SplitSerial(cell.Type() == VT_DATE ? cell.Get()->date : cell.Get()->dblVal, parts))
    return ReadResult::Invalid;
  value = TimeOfDay(parts.hour, parts.minute);
  return ReadResult::Valid;
}

ReadResult ExcelFile::ReadSpan(std::int32_t& seconds) {
  std::string text;
  Variant cell;
  GetCell(text, cell);
  if (TrimWhiteSpace(text).empty())
    return ReadResult::Empty;
  if (cell.Type() != VT_R8)
    return ParseSpanField(text, seconds);
  const double exact = cell.Get()->dblVal * 3600.0;
  if (!std::isfinite(exact) || exact >= 2147483647.5 || exact < -2147483648.5)
    return ReadResult::Invalid;
  seconds = static_cast<std::int32_t>(std::llround(exact));
  return ReadResult::Valid;
}

ReadResult ExcelFile::ReadInt(std::int32_t& value) {
  std::string text;
  ReadText(text);
  return ParseIntField(text, value);
}

int ExcelFile::GetProgressPos() {
  return recordCounter;
}
int ExcelFile::GetProgressMax() {
  return rowCount_;
}
std::string ExcelFile::GetLastField() {
  return lastField_;
}
void ExcelFile::SetLastField(const std::string& text) {
  lastField_ = text;
}

}  // namespace tavir
