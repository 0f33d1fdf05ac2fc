// Records that Excel and LibreOffice write but our writer does not: MULRK,
// RK with the hundredths flag, formulas with number, text and boolean
// results, LABEL, custom date formats and the 1904 date system.
#include <gtest/gtest.h>

#include "spreadsheet/Biff.h"
#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/NumberFormats.h"

namespace tavir::test_support {
namespace {

using namespace spreadsheet;

class StreamBuilder {
 public:
  ByteWriter& Begin(std::uint16_t type) {
    out_.U16(type);
    lengthAt_ = out_.Size();
    out_.U16(0);
    return out_;
  }
  void End() { out_.PatchU16(lengthAt_, static_cast<std::uint16_t>(out_.Size() - lengthAt_ - 2)); }
  void Record(std::uint16_t type, std::initializer_list<std::uint8_t> bytes) {
    Begin(type);
    for (std::uint8_t b : bytes) out_.U8(b);
    End();
  }
  void Bof(std::uint16_t substream) {
    Begin(record::kBof).U16(0x0600);
    out_.U16(substream);
    out_.Zeros(12);
    End();
  }
  void CellHeader(std::uint16_t type, std::uint16_t row, std::uint16_t column, std::uint16_t xf) {
    Begin(type).U16(row);
    out_.U16(column);
    out_.U16(xf);
  }
  void Xf(std::uint16_t format) {
    Begin(record::kXf).U16(0);
    out_.U16(format);
    out_.U16(0x0001);
    out_.Zeros(14);
    End();
  }
  // A string of one-byte characters: length, flags, bytes.
  void CompressedString(const std::string& text) {
    out_.U16(static_cast<std::uint16_t>(text.size()));
    out_.U8(0);
    for (char c : text) out_.U8(static_cast<std::uint8_t>(c));
  }
  ByteWriter& Out() { return out_; }

 private:
  ByteWriter out_;
  std::size_t lengthAt_ = 0;
};

WorkbookData Parse(bool dates1904) {
  StreamBuilder b;
  b.Bof(0x0005);
  b.Record(record::kDateMode, {static_cast<std::uint8_t>(dates1904 ? 1 : 0), 0});
  b.Begin(record::kFormat).U16(164);
  b.CompressedString("dd/mm/yy\\ hh:mm");
  b.End();
  b.Xf(0);    // 0: General
  b.Xf(164);  // 1: the custom date-time format
  b.Xf(14);   // 2: the built-in short date
  auto& sheet = b.Begin(record::kBoundSheet);
  const std::size_t offsetAt = sheet.Size();
  sheet.U32(0);
  sheet.U16(0);
  sheet.U8(1);
  sheet.U8(0);
  sheet.U8('S');
  b.End();
  b.Record(record::kEof, {});
  b.Out().PatchU32(offsetAt, static_cast<std::uint32_t>(b.Out().Size()));

  b.Bof(0x0010);
  b.CellHeader(record::kMulRk, 0, 1, 0);  // MULRK has no XF of its own: the field is the first XF
  b.Out().U32((5u << 2) | 2);              // integer 5
  b.Out().U16(0);
  b.Out().U32((150u << 2) | 3);  // 150 / 100
  b.Out().U16(2);
  b.Out().U32((38651u << 2) | 2);  // a date
  b.Out().U16(3);                  // last column
  b.End();
  b.CellHeader(record::kFormula, 1, 0, 0);
  b.Out().U8(0);  // text result: a STRING record follows
  b.Out().Zeros(5);
  b.Out().U16(0xFFFF);
  b.Out().Zeros(6);
  b.End();
  b.Begin(record::kString);
  b.CompressedString("calc");
  b.End();
  b.CellHeader(record::kFormula, 1, 1, 1);
  b.Out().F64(38651.25);
  b.Out().Zeros(6);
  b.End();
  b.CellHeader(record::kFormula, 1, 2, 0);
  b.Out().U8(1);  // boolean result true
  b.Out().U8(0);
  b.Out().U8(1);
  b.Out().Zeros(3);
  b.Out().U16(0xFFFF);
  b.Out().Zeros(6);
  b.End();
  b.CellHeader(record::kLabel, 2, 0, 0);
  b.Out().U16(2);
  b.Out().U8(1);
  b.Out().U16(0x00DC);
  b.Out().U16(0x0416);
  b.End();
  b.Bof(0x0020);  // an embedded chart: skipped up to its own EOF
  b.CellHeader(record::kNumber, 9, 9, 0);
  b.Out().F64(99);
  b.End();
  b.Record(record::kEof, {});
  b.Record(record::kEof, {});
  return ParseWorkbookStream(b.Out().Bytes());
}

TEST(BiffReaderTest, ReadsTheRecordsOtherWritersUse) {
  for (const bool dates1904 : {false, true}) {
    SCOPED_TRACE(dates1904);
    const WorkbookData data = Parse(dates1904);
    ASSERT_EQ(data.sheets.size(), 1u);
    const Sheet& sheet = data.sheets[0];
    const double dateShift = dates1904 ? 1462 : 0;
    EXPECT_EQ(sheet.At(0, 1).number, 5);
    EXPECT_EQ(sheet.At(0, 2).number, 1.5);
    EXPECT_EQ(sheet.At(0, 3).style, NumberStyle::Date);
    EXPECT_EQ(sheet.At(0, 3).number, 38651 + dateShift);
    EXPECT_EQ(sheet.At(1, 0).text, u"calc");
    EXPECT_EQ(sheet.At(1, 1).style, NumberStyle::DateTime);
    EXPECT_EQ(sheet.At(1, 1).number, 38651.25 + dateShift);
    EXPECT_EQ(sheet.At(1, 2).kind, CellKind::Boolean);
    EXPECT_EQ(sheet.At(2, 0).text, u"\u00DC\u0416");
    EXPECT_EQ(sheet.At(9, 9).kind, CellKind::Empty);  // the chart's cell
  }
}

TEST(BiffReaderTest, DateAndTimeFormatsAreToldFromOthers) {
  struct Case {
    const char16_t* format;
    NumberStyle style;
  } const cases[] = {
      {u"m/d/yyyy", NumberStyle::Date},          {u"h:mm", NumberStyle::Time},
      {u"mm:ss", NumberStyle::Time},             {u"[h]:mm:ss", NumberStyle::Time},
      {u"yyyy-mm-dd hh:mm", NumberStyle::DateTime}, {u"d-mmm", NumberStyle::Date},
      {u"[$-409]h:mm AM/PM", NumberStyle::Time}, {u"General", NumberStyle::General},
      {u"0.00", NumberStyle::General},           {u"#,##0 \"days\"", NumberStyle::General},
      {u"[Red]0.00;[Blue]-0.00", NumberStyle::General}, {u"0\\h", NumberStyle::General},
  };
  for (const Case& c : cases) {
    const std::u16string format = c.format;
    EXPECT_EQ(StyleOfFormatText(format), c.style) << std::string(format.begin(), format.end());
  }
  EXPECT_EQ(StyleOfBuiltInFormat(14), NumberStyle::Date);
  EXPECT_EQ(StyleOfBuiltInFormat(20), NumberStyle::Time);
  EXPECT_EQ(StyleOfBuiltInFormat(22), NumberStyle::DateTime);
  EXPECT_EQ(StyleOfBuiltInFormat(2), NumberStyle::General);
}

}  // namespace
}  // namespace tavir::test_support
