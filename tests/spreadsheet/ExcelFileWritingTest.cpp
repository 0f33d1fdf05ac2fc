// ExcelFile writing through the spreadsheet stand-in: block transfers, direct
// mode for long texts, the growing cell table, row heights, the apostrophe
// rule and typed cells, checked in the saved workbook.
#include <gtest/gtest.h>

#include "formats/ExcelFile.h"
#include "platform/CodePage.h"
#include "platform/ComError.h"
#include "spreadsheet/CellValues.h"
#include "spreadsheet/WorkbookFile.h"
#include "support/Environment.h"
#include "spreadsheet/SpreadsheetFixture.h"

namespace tavir::testing {
namespace {

using spreadsheet::CellKind;
using spreadsheet::Counters;
using spreadsheet::NumberStyle;

class ExcelFileWritingTest : public SpreadsheetTest {
 protected:
  // Rows 1..rowCount: row 1 is the header; every row has a text and an integer.
  void WriteRows(ExcelFile& file, int rowCount) {
    for (int row = 1; row <= rowCount; ++row) {
      file.WriteText(row == 1 ? "Subject" : "Row " + std::to_string(row));
      file.WriteInt(row);
      file.EndRecord();
    }
  }
  spreadsheet::Sheet Saved(const std::string& name) {
    return spreadsheet::LoadWorkbookFile(Path(name)).sheets.at(0);
  }
};

TEST_F(ExcelFileWritingTest, MovesRowsInBlocksOfFiveHundred) {
  struct Case {
    int rows, transfers;
  } const cases[] = {{1, 1}, {499, 1}, {500, 1}, {501, 2}, {1200, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    spreadsheet::ResetStandIn();
    const std::string name = "rows" + std::to_string(c.rows) + ".xls";
    {
      ExcelFile file;
      ASSERT_EQ(file.OpenWrite(Path(name)), 0);
      WriteRows(file, c.rows);
      EXPECT_EQ(file.Finish(), 0);
    }
    EXPECT_EQ(Counters().blockTransfers, c.transfers);
    EXPECT_EQ(Counters().directCellWrites, 0);
    const spreadsheet::Sheet sheet = Saved(name);
    ASSERT_EQ(sheet.RowCount(), c.rows);
    EXPECT_EQ(sheet.At(0, 0).text, u"Subject");
    EXPECT_EQ(sheet.At(c.rows - 1, 1).number, c.rows);
    const std::string last = c.rows > 1 ? "Row " + std::to_string(c.rows) : "Subject";
    EXPECT_EQ(sheet.At(c.rows - 1, 0).text, std::u16string(last.begin(), last.end()));
  }
}

TEST_F(ExcelFileWritingTest, WritesTheRestOfARecordWithALongTextCellByCell) {
  const std::string note(600, 'n');
  {
    ExcelFile file;
    file.OpenWrite(Path("direct.xls"));
    file.WriteText("Subject");
    file.WriteText("Note");
    file.WriteText("Count");
    file.EndRecord();
    file.WriteText("Lunch");
    file.WriteText(note);
    file.WriteInt(7);
    file.EndRecord();
    file.WriteText("Next");
    file.WriteText("short");
    file.WriteInt(8);
    file.EndRecord();
    file.Finish();
  }
  // Rows 1 and 2 up to the note go in one block; the note and the count
  // directly; row 3 is buffered again and goes at Finish.
  EXPECT_EQ(Counters().directCellWrites, 2);
  EXPECT_EQ(Counters().blockTransfers, 2);
  const spreadsheet::Sheet sheet = Saved("direct.xls");
  EXPECT_EQ(sheet.At(1, 0).text, u"Lunch");
  EXPECT_EQ(sheet.At(1, 1).text, std::u16string(600, u'n'));
  EXPECT_EQ(sheet.At(1, 2).number, 7);
  EXPECT_EQ(sheet.At(2, 0).text, u"Next");
  EXPECT_EQ(sheet.At(2, 2).number, 8);
}

TEST_F(ExcelFileWritingTest, ALongTextInTheFirstColumnLeavesNoGap) {
  {
    ExcelFile file;
    file.OpenWrite(Path("first.xls"));
    file.WriteText(std::string(501, 'a'));
    file.WriteInt(1);
    file.EndRecord();
    file.WriteText("after");
    file.EndRecord();
    file.Finish();
  }
  EXPECT_EQ(Counters().directCellWrites, 2);
  const spreadsheet::Sheet sheet = Saved("first.xls");
  EXPECT_EQ(sheet.At(0, 0).text.size(), 501u);
  EXPECT_EQ(sheet.At(0, 1).number, 1);
  EXPECT_EQ(sheet.At(1, 0).text, u"after");
}

TEST_F(ExcelFileWritingTest, TheTableGrowsForWideRecordsAndKeepsEveryValue) {
  {
    ExcelFile file;
    file.OpenWrite(Path("wide.xls"));
    for (int row = 1; row <= 600; ++row) {
      for (int field = 1; field <= 13; ++field) file.WriteInt(row * 100 + field);
      file.EndRecord();
    }
    file.Finish();
  }
  EXPECT_EQ(Counters().blockTransfers, 2);
  EXPECT_EQ(Counters().lastBlockColumns, 16);
  EXPECT_EQ(Counters().lastBlockRows, 100);
  const spreadsheet::Sheet sheet = Saved("wide.xls");
  for (int row : {0, 499, 500, 599}) {
    for (int field = 1; field <= 13; ++field) EXPECT_EQ(sheet.At(row, field - 1).number, (row + 1) * 100 + field);
    EXPECT_EQ(sheet.At(row, 13).kind, CellKind::Empty);
  }
}

TEST_F(ExcelFileWritingTest, EveryRowGetsTheHeightOfTheFirstRow) {
  struct Case {
    const char* header;
    double height;
  } const cases[] = {{"Subject", 12.75}, {"Two\nlines", 25.5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    {
      ExcelFile file;
      file.OpenWrite(Path("heights.xls"));
      file.WriteText(c.header);
      file.EndRecord();
      file.WriteText("a\r\nb\r\nc");  // three lines make an automatic height of three
      file.EndRecord();
      file.WriteText("plain");
      file.EndRecord();
      file.Finish();
    }
    const spreadsheet::Sheet sheet = Saved("heights.xls");
    for (int row = 0; row < 3; ++row) EXPECT_EQ(sheet.RowHeight(row), c.height) << row;
    EXPECT_EQ(sheet.At(1, 0).text, u"a\nb\nc");
  }
}

TEST_F(ExcelFileWritingTest, TextsThatDoNotStartWithALetterKeepTheirForm) {
  struct Case {
    std::string text;
    CellKind kind;
    std::string stored;  // ANSI
    bool quotePrefix;
  } const cases[] = {
      {"15", CellKind::Text, "15", true},
      {"Meeting", CellKind::Text, "Meeting", false},
      {"=A1", CellKind::Text, "=A1", true},
      {"10/26/2005", CellKind::Text, "10/26/2005", true},
      {" 12", CellKind::Text, " 12", true},
      {"'quoted", CellKind::Text, "'quoted", true},
      {"\xC3\x84pfel", CellKind::Text, "\xC3\x84pfel", true},  // a non-ASCII first byte: apostrophe too
      {"line\r\nbreak", CellKind::Text, "line\nbreak", false},
      {"", CellKind::Empty, "", false},
  };
  {
    ExcelFile file;
    file.OpenWrite(Path("texts.xls"));
    for (const Case& c : cases) {
      file.WriteText(c.text);
      file.EndRecord();
    }
    file.Finish();
  }
  const spreadsheet::Sheet sheet = Saved("texts.xls");
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    SCOPED_TRACE(cases[row].text);
    const spreadsheet::Cell& cell = sheet.At(static_cast<int>(row), 0);
    EXPECT_EQ(cell.kind, cases[row].kind);
    const WideString stored = AnsiToWide(cases[row].stored);
    EXPECT_EQ(cell.text, std::u16string(stored.begin(), stored.end()));
    EXPECT_EQ(cell.quotePrefix, cases[row].quotePrefix);
  }
}

TEST_F(ExcelFileWritingTest, TypedValuesBecomeNumbersAndDates) {
  const TimeValue moment = BuildLocal(2005, 10, 26, 9, 45, 30);
  for (int withDate = 0; withDate < 2; ++withDate) {
    SCOPED_TRACE(withDate);
    {
      ExcelFile file;
      file.dateWithTime = withDate;
      file.OpenWrite(Path("typed.xls"));
      file.WriteDate(moment);
      file.WriteTime(moment);
      file.WriteSpan(5400);
      file.WriteSpan(-7199);
      file.WriteInt(-42);
      file.WriteTime(LocalMidnight(moment));
      file.EndRecord();
      file.Finish();
    }
    const spreadsheet::Sheet sheet = Saved("typed.xls");
    const double day = spreadsheet::DateSerial(2005, 10, 26, 0, 0, 0);
    EXPECT_EQ(sheet.At(0, 0).style, NumberStyle::Date);
    EXPECT_EQ(sheet.At(0, 0).number, day);
    // Seconds are dropped; without the date the time lies on 1899-12-30.
    const double time = (9 * 60 + 45) / 1440.0;
    EXPECT_DOUBLE_EQ(sheet.At(0, 1).number, withDate ? day + time : time);
    EXPECT_EQ(sheet.At(0, 1).style, withDate ? NumberStyle::DateTime : NumberStyle::Time);
    EXPECT_EQ(sheet.At(0, 2).number, 1);
    EXPECT_EQ(sheet.At(0, 2).style, NumberStyle::General);
    EXPECT_EQ(sheet.At(0, 3).number, -1);
    EXPECT_EQ(sheet.At(0, 4).number, -42);
    // Midnight without the date is still a time of day, not 1899-12-30.
    EXPECT_EQ(sheet.At(0, 5).style, withDate ? NumberStyle::Date : NumberStyle::Time);
  }
}

TEST_F(ExcelFileWritingTest, TooLongTextsAreCutToWhatACellHolds) {
  std::string text(39990, 'x');
  text += std::string(20, '\r') + "0123456789tail";
  EXPECT_EQ(RemoveCarriageReturns(text), std::string(39990, 'x') + "012345678");
  {
    ExcelFile file;
    file.OpenWrite(Path("long.xls"));
    file.WriteText(text);
    file.EndRecord();
    file.Finish();
  }
  EXPECT_EQ(Saved("long.xls").At(0, 0).text.size(), spreadsheet::kMaxCellText);
}

TEST_F(ExcelFileWritingTest, SpreadsheetFailuresCarryTheirTextOutOfTheOperation) {
  ExcelFile file;
  file.OpenWrite(Path("failing.xls"));
  file.WriteText("Subject");
  file.EndRecord();
  const HRESULT diskFull = static_cast<HRESULT>(0x800A03EC);
  spreadsheet::InjectFailure(0x11B, diskFull, "The disk is full.");  // Save
  try {
    file.Finish();
    FAIL() << "Finish did not throw";
  } catch (const ComError& e) {
    EXPECT_EQ(e.Error(), diskFull);
    EXPECT_EQ(e.Description(), "The disk is full.");
  }
  ExcelFile other;
  EXPECT_THROW(other.OpenWrite(Path("no/such/directory/x.xls")), ComError);
}

TEST_F(ExcelFileWritingTest, ASheetFullOfRowsRefusesOneMoreWithAClearMessage) {
  ExcelFile file;
  file.OpenWrite(Path("full.xls"));
  for (int row = 1; row <= 65536; ++row) {
    file.WriteInt(row);
    file.EndRecord();
  }
  file.WriteInt(65537);
  try {
    file.EndRecord();
    file.Finish();
    FAIL() << "row 65,537 was accepted";
  } catch (const ComError& e) {
    EXPECT_NE(e.Description().find("65,536 rows"), std::string::npos) << e.Description();
  }
}

TEST_F(ExcelFileWritingTest, WithoutTheSpreadsheetApplicationNoFileCanBeCreated) {
  spreadsheet::UnregisterSpreadsheetStandIn();
  EXPECT_THROW(ExcelFile(), ComError);
}

}  // namespace
}  // namespace tavir::testing
