// The Excel 97 file layer: what is saved reads back cell for cell (shared
// strings over CONTINUE records, small files in the mini stream, large ones
// with DIFAT sectors), and damaged files give an error, never a crash.
#include <gtest/gtest.h>

#include <random>

#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/CompoundFile.h"
#include "spreadsheet/WorkbookFile.h"

namespace tavir::test_support {
namespace {

using namespace spreadsheet;

WorkbookData OneSheet() {
  WorkbookData data;
  data.sheets.emplace_back();
  data.sheets[0].name = u"Sheet1";
  return data;
}

void ExpectSameCells(const Sheet& expected, const Sheet& actual) {
  ASSERT_EQ(expected.RowCount(), actual.RowCount());
  for (int row = 0; row < expected.RowCount(); ++row) {
    ASSERT_EQ(expected.Row(row).size(), actual.Row(row).size()) << row;
    for (std::size_t column = 0; column < expected.Row(row).size(); ++column) {
      const Cell& e = expected.Row(row)[column];
      const Cell& a = actual.Row(row)[column];
      SCOPED_TRACE(::testing::Message() << "row " << row << " column " << column);
      EXPECT_EQ(a.kind, e.kind);
      EXPECT_EQ(a.text, e.text);
      EXPECT_EQ(a.number, e.number);
      EXPECT_EQ(a.style, e.style);
      EXPECT_EQ(a.quotePrefix, e.quotePrefix);
    }
    EXPECT_EQ(actual.RowHeight(row), expected.RowHeight(row)) << row;
  }
}

TEST(WorkbookFileTest, EveryKindOfCellReadsBack) {
  WorkbookData data = OneSheet();
  Sheet& sheet = data.sheets[0];
  const std::vector<Cell> cells = {
      Cell::Text(u"plain"),
      Cell::Text(u"15", true),
      Cell::Text(u"M\u00fcller \u20ac \u65e5\u672c"),  // beyond Latin-1: stored as UTF-16
      Cell::Text(u"two\nlines"),
      Cell::Text(u""),
      Cell::Number(42),
      Cell::Number(-536870912),  // the smallest integer RK holds
      Cell::Number(536870912),   // one past the largest: a NUMBER record
      Cell::Number(0.1),
      Cell::Number(-1e300),
      Cell::Number(38651, NumberStyle::Date),
      Cell::Number(0.375, NumberStyle::Time),
      Cell::Number(38651.75, NumberStyle::DateTime),
  };
  for (std::size_t i = 0; i < cells.size(); ++i) sheet.Put(static_cast<int>(i), static_cast<int>(i % 3), cells[i]);
  Cell truth;
  truth.kind = CellKind::Boolean;
  truth.number = 1;
  sheet.Put(20, 255, truth);
  Cell error;
  error.kind = CellKind::Error;
  error.number = 0x2A;
  sheet.Put(21, 0, error);
  sheet.SetRowHeight(3, 30);
  sheet.SetRowHeight(40, 15);  // a row with a height and no cells
  const WorkbookData back = ParseWorkbookBytes(BuildWorkbookBytes(data));
  ASSERT_EQ(back.sheets.size(), 1u);
  EXPECT_EQ(back.sheets[0].name, u"Sheet1");
  ExpectSameCells(sheet, back.sheets[0]);
  EXPECT_EQ(back.sheets[0].RowHeight(40), 15);
}

TEST(WorkbookFileTest, LongAndManyStringsCrossRecordBoundaries) {
  // Sizes chosen to end records inside a string, inside its header and exactly
  // at a boundary, for one-byte and two-byte characters alike.
  for (const std::size_t sheetSize : {1u, 3u, 40u, 400u}) {
    SCOPED_TRACE(sheetSize);
    WorkbookData data = OneSheet();
    std::mt19937 random(static_cast<unsigned>(sheetSize));
    for (std::size_t i = 0; i < sheetSize; ++i) {
      const std::size_t length = random() % 9000;
      std::u16string text(length, u'a' + static_cast<char16_t>(i % 26));
      if (i % 3 == 0 && length > 0) text[length / 2] = u'\u0416';
      data.sheets[0].Put(static_cast<int>(i), 0, Cell::Text(text));
      data.sheets[0].Put(static_cast<int>(i), 1, Cell::Text(u"repeated"));
    }
    data.sheets[0].Put(0, 2, Cell::Text(std::u16string(32767, u'z')));
    const WorkbookData back = ParseWorkbookBytes(BuildWorkbookBytes(data));
    ExpectSameCells(data.sheets[0], back.sheets.at(0));
  }
}

TEST(WorkbookFileTest, CompoundFilesOfEverySizeHoldTheirStream) {
  // Empty, mini stream, just below and at the cutoff, regular sectors, and
  // beyond 109 FAT sectors (DIFAT sectors needed).
  for (const std::size_t size : {0u, 1u, 63u, 64u, 4095u, 4096u, 4097u, 70000u, 7200000u}) {
    SCOPED_TRACE(size);
    std::vector<std::uint8_t> stream(size);
    for (std::size_t i = 0; i < size; ++i) stream[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    const std::vector<std::uint8_t> file = BuildCompoundFile(u"Workbook", stream);
    EXPECT_EQ(file.size() % 512, 0u);
    std::u16string found;
    EXPECT_EQ(ReadCompoundStream(file, {u"Book", u"WORKBOOK"}, found), stream);
    EXPECT_EQ(found, u"WORKBOOK");
  }
}

TEST(WorkbookFileTest, FilesThatAreNoExcel97WorkbooksAreRefusedByName) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    const char* message;
  };
  const std::vector<std::uint8_t> text = {'S', 'u', 'b', 'j', 'e', 'c', 't', ',', 'D', 'a', 't', 'e'};
  std::vector<std::uint8_t> excel95Stream = {0x09, 0x08, 0x08, 0x00, 0x00, 0x05, 0x05, 0x00, 0, 0, 0, 0};
  const Case cases[] = {
      {{}, "no compound file signature"},
      {text, "no compound file signature"},
      {BuildCompoundFile(u"Book", excel95Stream), "Excel 5.0/95"},
      {BuildCompoundFile(u"Workbook", excel95Stream), "older BIFF version"},
      {BuildCompoundFile(u"Contents", text), "no workbook stream"},
  };
  for (const Case& c : cases) {
    try {
      ParseWorkbookBytes(c.bytes);
      ADD_FAILURE() << c.message;
    } catch (const WorkbookFormatError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

// Cut short at every length and with bytes changed, a workbook either still
// reads or gives WorkbookFormatError; the sanitizers catch anything worse.
TEST(WorkbookFileTest, DamagedWorkbooksGiveAnErrorNeverACrash) {
  WorkbookData data = OneSheet();
  for (int row = 0; row < 30; ++row) {
    data.sheets[0].Put(row, 0, Cell::Text(std::u16string(row * 10, u'q')));
    data.sheets[0].Put(row, 1, Cell::Number(row * 1.25, row % 2 ? NumberStyle::Date : NumberStyle::General));
  }
  data.sheets[0].Put(5, 3, Cell::Text(std::u16string(9000, u'w')));
  const std::vector<std::uint8_t> good = BuildWorkbookBytes(data);
  int errors = 0;
  for (std::size_t length = 0; length < good.size(); length += 61) {
    try {
      ParseWorkbookBytes(std::vector<std::uint8_t>(good.begin(), good.begin() + length));
    } catch (const WorkbookFormatError&) {
      ++errors;
    }
  }
  std::mt19937 random(7);
  for (int round = 0; round < 800; ++round) {
    std::vector<std::uint8_t> bad = good;
    for (int flips = 1 + round % 4; flips > 0; --flips)
      bad[random() % bad.size()] = static_cast<std::uint8_t>(random());
    try {
      ParseWorkbookBytes(bad);
    } catch (const WorkbookFormatError&) {
      ++errors;
    }
  }
  EXPECT_GT(errors, 0);
}

}  // namespace
}  // namespace tavir::test_support
