// Builds a BIFF8 workbook stream: the globals (code page, window, fonts, date
// and time formats, cell formats, the sheet list, the shared strings) and one
// substream per sheet with its rows and cells.
#include <cmath>
#include <map>
#include <string>

#include "spreadsheet/Biff.h"
#include "spreadsheet/ByteBuffer.h"

namespace tavir::spreadsheet {

namespace {

// The four number formats a cell can have; custom formats start at 164.
constexpr std::uint16_t kFormatIds[] = {0, 164, 165, 166};
const char* const kFormatTexts[] = {nullptr, "m/d/yyyy", "h:mm", "m/d/yyyy h:mm"};
constexpr int kStyleXfCount = 15;
// Cell formats: one per combination of number style, quote prefix and wrap.
int CellXfIndex(const Cell& cell) {
  const int style = cell.kind == CellKind::Number ? static_cast<int>(cell.style) : 0;
  return kStyleXfCount + style + (cell.quotePrefix ? 4 : 0) + (cell.wrap ? 8 : 0);
}

class RecordWriter {
 public:
  explicit RecordWriter(ByteWriter& out) : out_(out) {}
  // Starts a record; End patches its length.
  void Begin(std::uint16_t type) {
    out_.U16(type);
    lengthAt_ = out_.Size();
    out_.U16(0);
  }
  void End() { out_.PatchU16(lengthAt_, static_cast<std::uint16_t>(out_.Size() - lengthAt_ - 2)); }
  std::size_t BodySize() const { return out_.Size() - lengthAt_ - 2; }
  ByteWriter& Out() { return out_; }

 private:
  ByteWriter& out_;
  std::size_t lengthAt_ = 0;
};

bool FitsInOneByte(const std::u16string& text) {
  for (char16_t c : text)
    if (c > 0xFF) return false;
  return true;
}

void WriteChars(ByteWriter& out, const std::u16string& text, std::size_t from, std::size_t count, bool wide) {
  for (std::size_t i = from; i < from + count; ++i) {
    if (wide) out.U16(text[i]);
    else out.U8(static_cast<std::uint8_t>(text[i]));
  }
}

// XLUnicodeString (two-byte length) or ShortXLUnicodeString (one-byte length).
void WriteUnicodeString(ByteWriter& out, const std::u16string& text, bool shortLength) {
  const bool wide = !FitsInOneByte(text);
  if (shortLength) out.U8(static_cast<std::uint8_t>(text.size()));
  else out.U16(static_cast<std::uint16_t>(text.size()));
  out.U8(wide ? 1 : 0);
  WriteChars(out, text, 0, text.size(), wide);
}

void WriteBof(RecordWriter& r, std::uint16_t substreamType) {
  r.Begin(record::kBof);
  auto& o = r.Out();
  o.U16(0x0600);
  o.U16(substreamType);
  o.U16(0x0DBB);  // build and year of the Excel 97 file format
  o.U16(0x07CC);
  o.U32(0x000100C1);
  o.U32(0x00000406);
  r.End();
}

void WriteEmpty(RecordWriter& r, std::uint16_t type) {
  r.Begin(type);
  r.End();
}

void WriteFont(RecordWriter& r) {
  r.Begin(record::kFont);
  auto& o = r.Out();
  o.U16(200);     // 10 points in twips
  o.U16(0);       // no attributes
  o.U16(0x7FFF);  // the window text colour
  o.U16(400);     // normal weight
  o.U16(0);
  o.U8(0);
  o.U8(2);  // swiss family
  o.U8(0);
  o.U8(0);
  WriteUnicodeString(o, u"Arial", true);
  r.End();
}

void WriteXf(RecordWriter& r, bool styleXf, std::uint16_t format, bool quotePrefix, bool wrap) {
  r.Begin(record::kXf);
  auto& o = r.Out();
  o.U16(0);  // font 0
  o.U16(format);
  std::uint16_t protection = 0x0001;  // locked
  if (styleXf) protection |= 0x0004 | 0xFFF0;  // a style, no parent
  if (quotePrefix) protection |= 0x0008;
  o.U16(protection);
  o.U8(static_cast<std::uint8_t>(0x20 | (wrap ? 0x08 : 0)));  // bottom aligned
  o.U8(0);
  o.U8(0);
  // Which attribute groups a cell format sets itself rather than taking from its style.
  o.U8(styleXf ? 0x00 : static_cast<std::uint8_t>((format ? 0x04 : 0) | (wrap ? 0x10 : 0)));
  o.U32(0);  // no borders
  o.U32(0);
  o.U16(0x20C0);  // default pattern colours
  r.End();
}

// The shared string table with CONTINUE records; a string that does not fit
// goes on in the next record after a repeated option byte.
class SharedStringWriter {
 public:
  SharedStringWriter(ByteWriter& out, std::size_t total, std::size_t unique) : out_(out) {
    BeginRecord(record::kSst);
    out_.U32(static_cast<std::uint32_t>(total));
    out_.U32(static_cast<std::uint32_t>(unique));
  }
  // Returns the stream position and record offset of the string's start.
  std::pair<std::uint32_t, std::uint16_t> Add(const std::u16string& text) {
    const bool wide = !FitsInOneByte(text);
    // The length and option byte plus one character stay together.
    if (Room() < 3 + (wide ? 2u : 1u)) BeginRecord(record::kContinue);
    const auto start = std::make_pair(static_cast<std::uint32_t>(out_.Size()),
                                      static_cast<std::uint16_t>(out_.Size() - recordStart_));
    out_.U16(static_cast<std::uint16_t>(text.size()));
    out_.U8(wide ? 1 : 0);
    const std::size_t width = wide ? 2 : 1;
    std::size_t written = 0;
    while (written < text.size()) {
      if (Room() < width) {
        BeginRecord(record::kContinue);
        out_.U8(wide ? 1 : 0);
      }
      const std::size_t count = std::min(text.size() - written, Room() / width);
      WriteChars(out_, text, written, count, wide);
      written += count;
    }
    return start;
  }
  void Finish() { EndRecord(); }

 private:
  std::size_t Room() const { return kMaxRecordData - (out_.Size() - recordStart_ - 4); }
  void BeginRecord(std::uint16_t type) {
    if (open_) EndRecord();
    recordStart_ = out_.Size();
    out_.U16(type);
    out_.U16(0);
    open_ = true;
  }
  void EndRecord() {
    out_.PatchU16(recordStart_ + 2, static_cast<std::uint16_t>(out_.Size() - recordStart_ - 4));
    open_ = false;
  }
  ByteWriter& out_;
  std::size_t recordStart_ = 0;
  bool open_ = false;
};

struct SharedStrings {
  std::vector<const std::u16string*> unique;
  std::map<std::u16string, std::uint32_t> index;
  std::size_t total = 0;
  std::uint32_t Intern(const std::u16string& text) {
    ++total;
    auto [it, added] = index.emplace(text, static_cast<std::uint32_t>(unique.size()));
    if (added) unique.push_back(&it->first);
    return it->second;
  }
};

// An integer that RK holds exactly (30-bit signed), as Excel stores them.
bool FitsRk(double value, std::int32_t& rk) {
  if (!(value >= -536870912.0 && value < 536870912.0) || std::floor(value) != value) return false;
  rk = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)) << 2) | 0x02;
  return true;
}

void WriteCell(RecordWriter& r, int row, int column, const Cell& cell, std::uint32_t sstIndex) {
  auto header = [&](std::uint16_t type) {
    r.Begin(type);
    r.Out().U16(static_cast<std::uint16_t>(row));
    r.Out().U16(static_cast<std::uint16_t>(column));
    r.Out().U16(static_cast<std::uint16_t>(CellXfIndex(cell)));
  };
  std::int32_t rk = 0;
  switch (cell.kind) {
    case CellKind::Text:
      header(record::kLabelSst);
      r.Out().U32(sstIndex);
      break;
    case CellKind::Number:
      if (FitsRk(cell.number, rk)) {
        header(record::kRk);
        r.Out().U32(static_cast<std::uint32_t>(rk));
      } else {
        header(record::kNumber);
        r.Out().F64(cell.number);
      }
      break;
    case CellKind::Boolean:
    case CellKind::Error:
      header(record::kBoolErr);
      r.Out().U8(static_cast<std::uint8_t>(cell.number));
      r.Out().U8(cell.kind == CellKind::Error ? 1 : 0);
      break;
    case CellKind::Empty:
      return;
  }
  r.End();
}

void WriteSheet(ByteWriter& out, const Sheet& sheet,
                const std::vector<std::vector<std::uint32_t>>& sstIndexes) {
  RecordWriter r(out);
  WriteBof(r, 0x0010);
  int firstRow = 0, firstColumn = 0, lastRow = -1, lastColumn = -1;
  sheet.UsedArea(firstRow, firstColumn, lastRow, lastColumn);
  r.Begin(record::kDimensions);
  out.U32(static_cast<std::uint32_t>(firstRow));
  out.U32(static_cast<std::uint32_t>(lastRow + 1));
  out.U16(static_cast<std::uint16_t>(firstColumn));
  out.U16(static_cast<std::uint16_t>(lastColumn + 1));
  out.U16(0);
  r.End();
  // Rows in blocks of 32: the ROW records of a block, then its cells.
  for (int blockStart = 0; blockStart < sheet.RowExtent(); blockStart += 32) {
    const int blockEnd = std::min(blockStart + 32, sheet.RowExtent());
    for (int row = blockStart; row < blockEnd; ++row) {
      const auto& cells = sheet.Row(row);
      const bool custom = sheet.HasCustomHeight(row);
      if (cells.empty() && !custom) continue;
      r.Begin(record::kRow);
      out.U16(static_cast<std::uint16_t>(row));
      out.U16(0);
      out.U16(static_cast<std::uint16_t>(cells.size()));
      out.U16(static_cast<std::uint16_t>(std::lround(sheet.RowHeight(row) * 20)));
      out.U16(0);
      out.U16(0);
      // Bit 8 is always set; bit 6 marks a height that differs from the font's.
      const bool tall = sheet.RowHeight(row) != kDefaultRowHeight;
      out.U16(static_cast<std::uint16_t>(0x0100 | (custom || tall ? 0x0040 : 0)));
      out.U16(0x000F);
      r.End();
    }
    for (int row = blockStart; row < blockEnd; ++row) {
      const auto& cells = sheet.Row(row);
      for (int column = 0; column < static_cast<int>(cells.size()); ++column)
        WriteCell(r, row, column, cells[column], cells[column].kind == CellKind::Text ? sstIndexes[row][column] : 0);
    }
  }
  r.Begin(record::kWindow2);
  out.U16(0x06B6);  // grid, headers, zeros, outline symbols, selected, shown
  out.U16(0);
  out.U16(0);
  out.U32(0x40);
  out.U16(0);
  out.U16(0);
  out.U32(0);
  r.End();
  WriteEmpty(r, record::kEof);
}

}  // namespace

std::vector<std::uint8_t> BuildWorkbookStream(const WorkbookData& workbook) {
  // Shared strings first: LABELSST cells name them by index.
  SharedStrings strings;
  std::vector<std::vector<std::vector<std::uint32_t>>> sstIndexes(workbook.sheets.size());
  for (std::size_t s = 0; s < workbook.sheets.size(); ++s) {
    const Sheet& sheet = workbook.sheets[s];
    sstIndexes[s].resize(sheet.RowCount());
    for (int row = 0; row < sheet.RowCount(); ++row) {
      const auto& cells = sheet.Row(row);
      sstIndexes[s][row].resize(cells.size());
      for (std::size_t c = 0; c < cells.size(); ++c)
        if (cells[c].kind == CellKind::Text) sstIndexes[s][row][c] = strings.Intern(cells[c].text);
    }
  }

  ByteWriter out;
  RecordWriter r(out);
  WriteBof(r, 0x0005);
  r.Begin(record::kCodePage);
  out.U16(1200);  // UTF-16
  r.End();
  r.Begin(record::kWindow1);
  out.U16(0x0168);
  out.U16(0x001E);
  out.U16(0x3A5C);
  out.U16(0x2328);
  out.U16(0x0038);
  out.U16(0);
  out.U16(0);
  out.U16(1);
  out.U16(0x0258);
  r.End();
  r.Begin(record::kDateMode);
  out.U16(0);  // dates count from 1899-12-30
  r.End();
  for (int font = 0; font < 4; ++font) WriteFont(r);
  for (int f = 1; f < 4; ++f) {
    r.Begin(record::kFormat);
    out.U16(kFormatIds[f]);
    const std::string text = kFormatTexts[f];
    WriteUnicodeString(out, std::u16string(text.begin(), text.end()), false);
    r.End();
  }
  for (int x = 0; x < kStyleXfCount; ++x) WriteXf(r, true, 0, false, false);
  for (int wrap = 0; wrap < 2; ++wrap)
    for (int quote = 0; quote < 2; ++quote)
      for (int style = 0; style < 4; ++style) WriteXf(r, false, kFormatIds[style], quote, wrap);
  r.Begin(record::kStyle);
  out.U16(0x8000);  // the built-in Normal style on style format 0
  out.U8(0);
  out.U8(0xFF);
  r.End();
  std::vector<std::size_t> sheetOffsetAt;
  for (const Sheet& sheet : workbook.sheets) {
    r.Begin(record::kBoundSheet);
    sheetOffsetAt.push_back(out.Size());
    out.U32(0);  // patched when the sheet's BOF is written
    out.U8(0);   // visible
    out.U8(0);   // worksheet
    // A sheet needs a unique, non-empty name of at most 31 characters.
    std::u16string name = sheet.name.substr(0, 31);
    if (name.empty()) {
      const std::string number = std::to_string(sheetOffsetAt.size());
      name = u"Sheet" + std::u16string(number.begin(), number.end());
    }
    WriteUnicodeString(out, name, true);
    r.End();
  }
  SharedStringWriter sst(out, strings.total, strings.unique.size());
  // Bucket starts for EXTSST: every dsst-th string, at most 128 buckets.
  const std::size_t perBucket = std::max<std::size_t>(8, (strings.unique.size() + 127) / 128);
  std::vector<std::pair<std::uint32_t, std::uint16_t>> buckets;
  for (std::size_t i = 0; i < strings.unique.size(); ++i) {
    const auto start = sst.Add(*strings.unique[i]);
    if (i % perBucket == 0) buckets.push_back(start);
  }
  sst.Finish();
  r.Begin(record::kExtSst);
  out.U16(static_cast<std::uint16_t>(perBucket));
  for (const auto& [position, offset] : buckets) {
    out.U32(position);
    out.U16(offset);
    out.U16(0);
  }
  r.End();
  WriteEmpty(r, record::kEof);

  for (std::size_t s = 0; s < workbook.sheets.size(); ++s) {
    out.PatchU32(sheetOffsetAt[s], static_cast<std::uint32_t>(out.Size()));
    WriteSheet(out, workbook.sheets[s], sstIndexes[s]);
  }
  return std::move(out.Bytes());
}

}  // namespace tavir::spreadsheet
