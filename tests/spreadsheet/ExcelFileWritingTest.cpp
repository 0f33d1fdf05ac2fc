// ExcelFile writing through the spreadsheet stand-in: block transfers, direct
// mode for long texts, the growing cell table, row heights, the apostrophe
// rule and typed cells, checked in the saved workbook.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "formats/ExcelFile.h"
#include "platform/CodePage.h"
#include "platform/ComError.h"
#include "spreadsheet/CellValues.h"
#include "spreadsheet/WorkbookFile.h"
#include "support/Environment.h"
#include "spreadsheet/SpreadsheetFixture.h"

namespace tavir::test_support {
namespace {

using spreadsheet::CellKind;
using spreadsheet::Counters;
using spreadsheet::NumberStyle;

class ExcelFileWritingTest : public SpreadsheetTest {
 protected:
  // Writes the file name through body, finishes it and returns its saved sheet.
  spreadsheet::Sheet Written(const std::string& name, const std::function<void(ExcelFile&)>& body) {
    {
      ExcelFile file;
      EXPECT_EQ(file.OpenWrite(Path(name)), 0);
      body(file);
      EXPECT_EQ(file.Finish(), 0);
    }
    return spreadsheet::LoadWorkbookFile(Path(name)).sheets.at(0);
  }
  // One record of text fields.
  static void TextRecord(ExcelFile& file, std::initializer_list<std::string> texts) {
    for (const std::string& text : texts) file.WriteText(text);
    file.EndRecord();
  }
};

TEST_F(ExcelFileWritingTest, MovesRowsInBlocksOfFiveHundred) {
  struct Case {
    int rows, transfers;
  } const cases[] = {{1, 1}, {499, 1}, {500, 1}, {501, 2}, {1200, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    spreadsheet::ResetStandIn();
    // Row 1 is the header; every row has a text and an integer.
    const spreadsheet::Sheet sheet = Written("rows.xls", [&](ExcelFile& file) {
      for (int row = 1; row <= c.rows; ++row) {
        file.WriteText(row == 1 ? "Subject" : "Row " + std::to_string(row));
        file.WriteInt(row);
        file.EndRecord();
      }
    });
    EXPECT_EQ(Counters().blockTransfers, c.transfers);
    EXPECT_EQ(Counters().directCellWrites, 0);
    ASSERT_EQ(sheet.RowCount(), c.rows);
    EXPECT_EQ(sheet.At(0, 0).text, u"Subject");
    EXPECT_EQ(sheet.At(c.rows - 1, 1).number, c.rows);
    const std::string last = c.rows > 1 ? "Row " + std::to_string(c.rows) : "Subject";
    EXPECT_EQ(sheet.At(c.rows - 1, 0).text, std::u16string(last.begin(), last.end()));
  }
}

TEST_F(ExcelFileWritingTest, WritesTheRestOfARecordWithALongTextCellByCell) {
  const spreadsheet::Sheet sheet = Written("direct.xls", [](ExcelFile& file) {
    TextRecord(file, {"Subject", "Note", "Count"});
    for (const auto& [subject, note, count] : {std::tuple{"Lunch", std::string(600, 'n'), 7},
                                               std::tuple{"Next", std::string("short"), 8}}) {
      file.WriteText(subject);
      file.WriteText(note);
      file.WriteInt(count);
      file.EndRecord();
    }
  });
  // Rows 1 and 2 up to the note go in one block; the note and the count
  // directly; row 3 is buffered again and goes at Finish.
  EXPECT_EQ(Counters().directCellWrites, 2);
  EXPECT_EQ(Counters().blockTransfers, 2);
  EXPECT_EQ(sheet.At(1, 0).text, u"Lunch");
  EXPECT_EQ(sheet.At(1, 1).text, std::u16string(600, u'n'));
  EXPECT_EQ(sheet.At(1, 2).number, 7);
  EXPECT_EQ(sheet.At(2, 0).text, u"Next");
  EXPECT_EQ(sheet.At(2, 2).number, 8);

  // A long text in the first column leaves no gap either.
  spreadsheet::ResetStandIn();
  const spreadsheet::Sheet first = Written("first.xls", [](ExcelFile& file) {
    file.WriteText(std::string(501, 'a'));
    file.WriteInt(1);
    file.EndRecord();
    TextRecord(file, {"after"});
  });
  EXPECT_EQ(Counters().directCellWrites, 2);
  EXPECT_EQ(first.At(0, 0).text.size(), 501u);
  EXPECT_EQ(first.At(0, 1).number, 1);
  EXPECT_EQ(first.At(1, 0).text, u"after");
}

TEST_F(ExcelFileWritingTest, TheTableGrowsForWideRecordsAndKeepsEveryValue) {
  const spreadsheet::Sheet sheet = Written("wide.xls", [](ExcelFile& file) {
    for (int row = 1; row <= 600; ++row) {
      for (int field = 1; field <= 13; ++field) file.WriteInt(row * 100 + field);
      file.EndRecord();
    }
  });
  EXPECT_EQ(Counters().blockTransfers, 2);
  EXPECT_EQ(Counters().lastBlockColumns, 16);
  EXPECT_EQ(Counters().lastBlockRows, 100);
  for (int row : {0, 499, 500, 599}) {
    for (int field = 1; field <= 13; ++field) EXPECT_EQ(sheet.At(row, field - 1).number, (row + 1) * 100 + field);
    EXPECT_EQ(sheet.At(row, 13).kind, CellKind::Empty);
  }
}

TEST_F(ExcelFileWritingTest, EveryRowGetsTheHeightOfTheFirstRow) {
  for (const auto& [header, height] : {std::pair{"Subject", 12.75}, std::pair{"Two\nlines", 25.5}}) {
    SCOPED_TRACE(header);
    const spreadsheet::Sheet sheet = Written("heights.xls", [&](ExcelFile& file) {
      TextRecord(file, {header});
      TextRecord(file, {"a\r\nb\r\nc"});  // three lines make an automatic height of three
      TextRecord(file, {"plain"});
    });
    for (int row = 0; row < 3; ++row) EXPECT_EQ(sheet.RowHeight(row), height) << row;
    EXPECT_EQ(sheet.At(1, 0).text, u"a\nb\nc");
  }
}

TEST_F(ExcelFileWritingTest, TextsThatDoNotStartWithALetterKeepTheirForm) {
  struct Case {
    std::string text;
    std::string stored;  // ANSI; none: an empty cell
    bool quotePrefix;
  } const cases[] = {
      {"15", "15", true},
      {"Meeting", "Meeting", false},
      {"=A1", "=A1", true},
      {"10/26/2005", "10/26/2005", true},
      {" 12", " 12", true},
      {"'quoted", "'quoted", true},
      {"\xC3\x84pfel", "\xC3\x84pfel", true},  // a non-ASCII first byte: apostrophe too
      {"line\r\nbreak", "line\nbreak", false},
      {"", "", false},
  };
  const spreadsheet::Sheet sheet = Written("texts.xls", [&](ExcelFile& file) {
    for (const Case& c : cases) TextRecord(file, {c.text});
  });
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    SCOPED_TRACE(cases[row].text);
    const spreadsheet::Cell& cell = sheet.At(static_cast<int>(row), 0);
    EXPECT_EQ(cell.kind, cases[row].stored.empty() ? CellKind::Empty : CellKind::Text);
    const WideString stored = AnsiToWide(cases[row].stored);
    EXPECT_EQ(cell.text, std::u16string(stored.begin(), stored.end()));
    EXPECT_EQ(cell.quotePrefix, cases[row].quotePrefix);
  }
}

TEST_F(ExcelFileWritingTest, TypedValuesBecomeNumbersAndDates) {
  const TimeValue moment = BuildLocal(2005, 10, 26, 9, 45, 30);
  for (const bool withDate : {false, true}) {
    SCOPED_TRACE(withDate);
    const spreadsheet::Sheet sheet = Written("typed.xls", [&](ExcelFile& file) {
      file.dateWithTime = withDate;
      file.WriteDate(moment);
      file.WriteTime(moment);
      file.WriteSpan(5400);
      file.WriteSpan(-7199);
      file.WriteInt(-42);
      file.WriteTime(LocalMidnight(moment));
      file.EndRecord();
    });
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
  const spreadsheet::Sheet sheet = Written("long.xls", [&](ExcelFile& file) { TextRecord(file, {text}); });
  EXPECT_EQ(sheet.At(0, 0).text.size(), spreadsheet::kMaxCellText);
}

TEST_F(ExcelFileWritingTest, SpreadsheetFailuresCarryTheirTextOutOfTheOperation) {
  ExcelFile file;
  file.OpenWrite(Path("failing.xls"));
  file.WriteText("Subject");
  file.EndRecord();
  const HRESULT diskFull = static_cast<HRESULT>(0x800A03EC);
  spreadsheet::Faults().Add({"Save", diskFull, "The disk is full."});
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
}  // namespace tavir::test_support
