// Parses a BIFF8 workbook stream into the in-memory workbook: the globals
// (shared strings, formats, cell formats, sheet list, date system), then every
// worksheet's cells and row heights. Charts and other substreams are skipped.
#include <cmath>
#include <map>

#include "spreadsheet/Biff.h"
#include "spreadsheet/BiffRecords.h"
#include "spreadsheet/NumberFormats.h"

namespace tavir::spreadsheet {

namespace {

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kGlobalsSubstream = 0x0005;
constexpr std::uint16_t kWorksheetSubstream = 0x0010;
// Days between the 1904 and the 1900 date systems.
constexpr double k1904Offset = 1462;

[[noreturn]] void Damaged(const char* what) {
  throw WorkbookFormatError(std::string("damaged workbook: ") + what);
}

struct CellFormat {
  NumberStyle style = NumberStyle::General;
  bool quotePrefix = false;
  bool wrap = false;
};

struct SheetEntry {
  std::uint32_t offset = 0;
  std::u16string name;
};

struct Globals {
  std::vector<std::u16string> strings;
  std::map<std::uint16_t, std::u16string> formats;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> xfs;  // format id, flag bits
  std::vector<CellFormat> cellFormats;
  std::vector<SheetEntry> sheets;
  bool dates1904 = false;
};

void CheckBof(const BiffRecord& record, std::uint16_t& substream) {
  if (record.type != record::kBof || record.size < 4) Damaged("missing BOF record");
  const std::uint16_t version = LoadU16(record.data);
  if (version != kBiff8)
    throw WorkbookFormatError("not an Excel 97-2003 workbook (older BIFF version)");
  substream = LoadU16(record.data + 2);
}

std::u16string ShortString(ByteReader& in) {
  const std::uint8_t length = in.U8();
  const bool wide = in.U8() & 0x01;
  std::u16string text;
  for (std::uint8_t i = 0; i < length; ++i) text.push_back(wide ? in.U16() : in.U8());
  return text;
}

Globals ReadGlobals(const std::vector<std::uint8_t>& stream) {
  BiffRecordStream records(stream, 0);
  BiffRecord record;
  if (!records.Next(record)) throw WorkbookFormatError("not an Excel 97-2003 workbook (empty workbook stream)");
  std::uint16_t substream = 0;
  CheckBof(record, substream);
  if (substream != kGlobalsSubstream) Damaged("the workbook globals are missing");
  Globals globals;
  std::vector<std::uint8_t> xfFlags;
  while (records.Next(record)) {
    ByteReader in(record.data, record.size, "workbook record");
    switch (record.type) {
      case record::kEof:
        for (const auto& [formatId, flags] : globals.xfs) {
          CellFormat format;
          const auto custom = globals.formats.find(formatId);
          format.style = custom != globals.formats.end() ? StyleOfFormatText(custom->second)
                                                         : StyleOfBuiltInFormat(formatId);
          format.quotePrefix = flags & 0x01;
          format.wrap = flags & 0x02;
          globals.cellFormats.push_back(format);
        }
        return globals;
      case record::kFilePass:
        throw WorkbookFormatError("the workbook is protected by a password");
      case record::kDateMode:
        globals.dates1904 = in.U16() == 1;
        break;
      case record::kFormat: {
        const std::uint16_t id = in.U16();
        ContinuedReader text;
        text.AddSegment(record.data + 2, record.size - std::min<std::size_t>(2, record.size));
        globals.formats[id] = text.UnicodeString();
        break;
      }
      case record::kXf: {
        in.Skip(2);
        const std::uint16_t formatId = in.U16();
        const bool quotePrefix = in.U16() & 0x0008;
        const bool wrap = in.U8() & 0x08;
        globals.xfs.emplace_back(formatId, static_cast<std::uint16_t>((quotePrefix ? 1 : 0) | (wrap ? 2 : 0)));
        break;
      }
      case record::kBoundSheet: {
        SheetEntry entry;
        entry.offset = in.U32();
        in.U8();
        const std::uint8_t kind = in.U8();
        entry.name = ShortString(in);
        if (kind == 0) globals.sheets.push_back(std::move(entry));  // worksheets only
        break;
      }
      case record::kSst: {
        ContinuedReader strings;
        strings.AddSegment(record.data, record.size);
        AddContinues(records, strings);
        strings.U32();
        const std::uint32_t unique = strings.U32();
        while (globals.strings.size() < unique && !strings.AtEnd())
          globals.strings.push_back(strings.UnicodeString());
        break;
      }
      default:
        break;
    }
  }
  Damaged("the workbook globals do not end");
}

double DecodeRk(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFC) << 32;
    std::uint8_t bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    value = LoadF64(bytes);
  }
  return (rk & 0x01) ? value / 100 : value;
}

class SheetReader {
 public:
  SheetReader(const Globals& globals, Sheet& sheet) : globals_(globals), sheet_(sheet) {}

  void Read(const std::vector<std::uint8_t>& stream, std::uint32_t offset) {
    BiffRecordStream records(stream, offset);
    BiffRecord record;
    if (!records.Next(record)) Damaged("sheet offset at the end of the stream");
    std::uint16_t substream = 0;
    CheckBof(record, substream);
    if (substream != kWorksheetSubstream) return;
    int depth = 1;  // embedded charts bring their own BOF ... EOF
    while (records.Next(record)) {
      if (record.type == record::kBof) ++depth;
      else if (record.type == record::kEof && --depth == 0) return;
      else if (depth == 1) ReadRecord(records, record);
    }
    Damaged("a sheet does not end");
  }

 private:
  CellFormat FormatOf(std::uint16_t xf) const {
    return xf < globals_.cellFormats.size() ? globals_.cellFormats[xf] : CellFormat{};
  }

  void PutNumber(std::uint16_t row, std::uint16_t column, std::uint16_t xf, double value) {
    const CellFormat format = FormatOf(xf);
    if (format.style != NumberStyle::General && globals_.dates1904) value += k1904Offset;
    if (!std::isfinite(value)) value = 0;
    Put(row, column, Cell::Number(value, format.style));
  }

  void PutText(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::u16string text) {
    const CellFormat format = FormatOf(xf);
    Cell cell = Cell::Text(std::move(text), format.quotePrefix);
    cell.wrap = cell.wrap || format.wrap;
    Put(row, column, std::move(cell));
  }

  void Put(std::uint16_t row, std::uint16_t column, Cell cell) {
    if (column >= kMaxColumns) return;  // not addressable in an Excel 97 sheet
    sheet_.Put(row, column, std::move(cell));
  }

  void ReadRecord(BiffRecordStream& records, const BiffRecord& record) {
    ByteReader in(record.data, record.size, "cell record");
    switch (record.type) {
      case record::kLabelSst: {
        const std::uint16_t row = in.U16(), column = in.U16(), xf = in.U16();
        const std::uint32_t index = in.U32();
        if (index >= globals_.strings.size()) Damaged("shared string index out of range");
        PutText(row, column, xf, globals_.strings[index]);
        break;
      }
      case record::kLabel:
      case record::kRString: {
        const std::uint16_t row = in.U16(), column = in.U16(), xf = in.U16();
        ContinuedReader text;
        text.AddSegment(record.data + 6, record.size - 6);
        AddContinues(records, text);
        PutText(row, column, xf, text.UnicodeString());
        break;
      }
      case record::kNumber: {
        const std::uint16_t row = in.U16(), column = in.U16(), xf = in.U16();
        PutNumber(row, column, xf, in.F64());
        break;
      }
      case record::kRk: {
        const std::uint16_t row = in.U16(), column = in.U16(), xf = in.U16();
        PutNumber(row, column, xf, DecodeRk(in.U32()));
        break;
      }
      case record::kMulRk: {
        const std::uint16_t row = in.U16(), first = in.U16();
        if (record.size < 6 || (record.size - 6) % 6 != 0) Damaged("MULRK record of a wrong length");
        const std::size_t count = (record.size - 6) / 6;
        for (std::size_t i = 0; i < count; ++i) {
          const std::uint16_t xf = in.U16();
          PutNumber(row, static_cast<std::uint16_t>(std::min<std::size_t>(first + i, 0xFFFF)), xf, DecodeRk(in.U32()));
        }
        break;
      }
      case record::kBoolErr: {
        const std::uint16_t row = in.U16(), column = in.U16();
        in.U16();
        Cell cell;
        cell.number = in.U8();
        cell.kind = in.U8() ? CellKind::Error : CellKind::Boolean;
        Put(row, column, cell);
        break;
      }
      case record::kFormula:
        ReadFormula(in);
        break;
      case record::kString:
        if (pendingString_) {
          ContinuedReader text;
          text.AddSegment(record.data, record.size);
          AddContinues(records, text);
          PutText(pendingRow_, pendingColumn_, pendingXf_, text.UnicodeString());
          pendingString_ = false;
        }
        break;
      case record::kRow: {
        const std::uint16_t row = in.U16();
        in.Skip(4);
        const std::uint16_t height = in.U16() & 0x7FFF;
        in.Skip(4);
        if (in.U16() & 0x0040) sheet_.SetRowHeight(row, height / 20.0);
        break;
      }
      default:
        break;
    }
  }

  // A formula cell keeps its last computed value; a text result follows in a
  // STRING record.
  void ReadFormula(ByteReader& in) {
    const std::uint16_t row = in.U16(), column = in.U16(), xf = in.U16();
    const std::uint8_t* value = in.Take(8);
    pendingString_ = false;
    if (LoadU16(value + 6) != 0xFFFF) {
      PutNumber(row, column, xf, LoadF64(value));
      return;
    }
    Cell cell;
    switch (value[0]) {
      case 0:
        pendingString_ = true;
        pendingRow_ = row;
        pendingColumn_ = column;
        pendingXf_ = xf;
        return;
      case 1:
        cell.kind = CellKind::Boolean;
        cell.number = value[2] ? 1 : 0;
        break;
      case 2:
        cell.kind = CellKind::Error;
        cell.number = value[2];
        break;
      default:  // an empty text
        return;
    }
    Put(row, column, cell);
  }

  const Globals& globals_;
  Sheet& sheet_;
  bool pendingString_ = false;
  std::uint16_t pendingRow_ = 0, pendingColumn_ = 0, pendingXf_ = 0;
};

}  // namespace

WorkbookData ParseWorkbookStream(const std::vector<std::uint8_t>& stream) {
  const Globals globals = ReadGlobals(stream);
  WorkbookData workbook;
  for (const SheetEntry& entry : globals.sheets) {
    Sheet sheet;
    sheet.name = entry.name;
    SheetReader(globals, sheet).Read(stream, entry.offset);
    workbook.sheets.push_back(std::move(sheet));
  }
  return workbook;
}

}  // namespace tavir::spreadsheet
