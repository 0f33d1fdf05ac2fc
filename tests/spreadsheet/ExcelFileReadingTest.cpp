// ExcelFile reading through the spreadsheet stand-in: records from row 2 on,
// typed reads of date, number and text cells, and workbooks written by
// LibreOffice and by ExcelFile itself.
#include <gtest/gtest.h>

#include "formats/ExcelFile.h"
#include "platform/CodePage.h"
#include "platform/ComError.h"
#include "spreadsheet/CellValues.h"
#include "spreadsheet/SpreadsheetFixture.h"
#include "spreadsheet/WorkbookFile.h"

namespace tavir::testing {
namespace {

using spreadsheet::Cell;
using spreadsheet::NumberStyle;

class ExcelFileReadingTest : public SpreadsheetTest {
 protected:
  // Saves a one-sheet workbook whose rows are given cell by cell.
  std::string Workbook(const std::string& name, const std::vector<std::vector<Cell>>& rows) {
    spreadsheet::WorkbookData data;
    data.sheets.emplace_back();
    data.sheets[0].name = u"Sheet1";
    for (std::size_t r = 0; r < rows.size(); ++r)
      for (std::size_t c = 0; c < rows[r].size(); ++c) data.sheets[0].Put(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
    spreadsheet::SaveWorkbookFile(Path(name), data);
    return Path(name);
  }
  static Cell Date(int year, int month, int day) {
    return Cell::Number(spreadsheet::DateSerial(year, month, day, 0, 0, 0), NumberStyle::Date);
  }
};

TEST_F(ExcelFileReadingTest, TheHeaderRowIsNeverARecord) {
  const std::string name = Workbook("three.xls", {{Cell::Text(u"Subject")}, {Cell::Text(u"One")},
                                                  {Cell::Text(u"Two")}, {Cell::Text(u"Three")}});
  ExcelFile file;
  ASSERT_EQ(file.OpenRead(name), 0);
  EXPECT_EQ(file.GetProgressMax(), 4);
  std::vector<std::string> texts;
  while (file.ReadRecord() == 0) {
    std::string text;
    file.ReadText(text);
    texts.push_back(text);
    EXPECT_EQ(file.GetProgressPos(), static_cast<int>(texts.size()) + 1);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_EQ(file.Close(), 0);
}

TEST_F(ExcelFileReadingTest, ASheetOfOneCellOrNoneHoldsNoRecord) {
  for (const auto& rows : {std::vector<std::vector<Cell>>{{Cell::Text(u"Subject")}}, std::vector<std::vector<Cell>>{}}) {
    ExcelFile file;
    file.OpenRead(Workbook("single.xls", rows));
    EXPECT_EQ(file.GetProgressMax(), 1);
    EXPECT_EQ(file.ReadRecord(), -1);
    file.Close();
  }
}

TEST_F(ExcelFileReadingTest, TypedReadsTakeCellValuesOrParseTheirText) {
  const std::string name = Workbook(
      "typed.xls",
      {{Cell::Text(u"header")},
       {Date(2005, 10, 26), Cell::Text(u"12/31/2031"), Cell::Text(u"1/1/2032"), Cell::Text(u"  "),
        Cell::Text(u"1/2/1930"), Date(2040, 1, 1), Cell::Text(u"soon")},
       {Cell::Number(0.375, NumberStyle::Time), Cell::Number(0.75), Cell::Text(u"2:30 PM"),
        Cell::Number(spreadsheet::DateSerial(2005, 1, 2, 18, 5, 0), NumberStyle::DateTime), Cell::Text(u"later")},
       {Cell::Number(1.5), Cell::Text(u" 2.25 "), Cell::Text(u"abc"), Cell::Number(-0.5)},
       {Cell::Text(u"15", true), Cell::Number(42), Cell::Text(u" -7x"), Cell::Number(3.9)}});
  ExcelFile file;
  file.OpenRead(name);

  ASSERT_EQ(file.ReadRecord(), 0);
  TimeValue date = 0;
  EXPECT_EQ(file.ReadDate(date), 0);
  EXPECT_EQ(date, LocalMidnight(2005, 10, 26));
  EXPECT_EQ(file.ReadDate(date), 0);
  EXPECT_EQ(date, LocalMidnight(2031, 12, 31));
  date = 1;
  EXPECT_EQ(file.ReadDate(date), -1);
  EXPECT_EQ(file.ReadDate(date), -2);
  EXPECT_EQ(date, 1);  // unchanged on failure
  EXPECT_EQ(file.ReadDate(date), 0);
  EXPECT_EQ(date, LocalMidnight(2030, 1, 2));  // years before 1970 move up a century
  EXPECT_EQ(file.ReadDate(date), -1);          // a date cell after 2031
  EXPECT_EQ(file.ReadDate(date), -1);
  EXPECT_EQ(file.GetLastField(), "soon");
  EXPECT_EQ(file.ReadDate(date), -2);  // beyond the last cell

  ASSERT_EQ(file.ReadRecord(), 0);
  TimeValue time = 0;
  EXPECT_EQ(file.ReadTime(time), 0);
  EXPECT_EQ(time, BuildLocal(2005, 11, 10, 9, 0, 0));  // today is pinned
  EXPECT_EQ(file.ReadTime(time), 0);
  EXPECT_EQ(time, BuildLocal(2005, 11, 10, 18, 0, 0));
  EXPECT_EQ(file.ReadTime(time), 0);
  EXPECT_EQ(time, BuildLocal(2005, 11, 10, 14, 30, 0));
  EXPECT_EQ(file.ReadTime(time), 0);
  EXPECT_EQ(time, BuildLocal(2005, 11, 10, 18, 5, 0));
  EXPECT_EQ(file.ReadTime(time), -1);
  EXPECT_EQ(file.ReadTime(time), -2);

  ASSERT_EQ(file.ReadRecord(), 0);
  std::int32_t seconds = 0;
  EXPECT_EQ(file.ReadSpan(seconds), 0);
  EXPECT_EQ(seconds, 5400);
  EXPECT_EQ(file.ReadSpan(seconds), 0);
  EXPECT_EQ(seconds, 8100);
  EXPECT_EQ(file.ReadSpan(seconds), 0);
  EXPECT_EQ(seconds, 0);
  EXPECT_EQ(file.ReadSpan(seconds), 0);
  EXPECT_EQ(seconds, -1800);
  EXPECT_EQ(file.ReadSpan(seconds), -2);

  ASSERT_EQ(file.ReadRecord(), 0);
  std::int32_t number = 0;
  EXPECT_EQ(file.ReadLong(number), 0);
  EXPECT_EQ(number, 15);
  EXPECT_EQ(file.ReadInt(number), 0);
  EXPECT_EQ(number, 42);
  EXPECT_EQ(file.ReadInt(number), 0);
  EXPECT_EQ(number, -7);
  EXPECT_EQ(file.ReadInt(number), 0);
  EXPECT_EQ(number, 3);
  EXPECT_EQ(file.ReadInt(number), 0);
  EXPECT_EQ(number, 0);
  EXPECT_EQ(file.ReadRecord(), -1);
}

TEST_F(ExcelFileReadingTest, ReadsAWorkbookWrittenByLibreOffice) {
  ExcelFile file;
  file.OpenRead(std::string(TAVIR_TEST_DATA) + "/libreoffice-appointments.xls");
  EXPECT_EQ(file.GetProgressMax(), 4);
  std::string text;
  TimeValue date = 0, time = 0;
  std::int32_t seconds = 0, count = 0;

  ASSERT_EQ(file.ReadRecord(), 0);
  file.ReadText(text);
  EXPECT_EQ(text, "Dentist");
  EXPECT_EQ(file.ReadDate(date), 0);
  EXPECT_EQ(date, LocalMidnight(2005, 10, 26));
  EXPECT_EQ(file.ReadTime(time), 0);
  EXPECT_EQ(time, BuildLocal(2005, 11, 10, 9, 0, 0));
  EXPECT_EQ(file.ReadSpan(seconds), 0);
  EXPECT_EQ(seconds, 5400);
  file.ReadInt(count);
  EXPECT_EQ(count, 3);
  file.ReadText(text);
  EXPECT_EQ(text, "Bring card");

  ASSERT_EQ(file.ReadRecord(), 0);
  file.ReadText(text);
  EXPECT_EQ(text, "Meeting \"Q4\"");
  EXPECT_EQ(file.ReadDate(date), 0);
  EXPECT_EQ(date, LocalMidnight(2031, 12, 31));
  EXPECT_EQ(file.ReadTime(time), 0);
  EXPECT_EQ(time, BuildLocal(2005, 11, 10, 14, 30, 0));
  EXPECT_EQ(file.ReadSpan(seconds), 0);
  EXPECT_EQ(seconds, 7200);
  file.ReadInt(count);
  EXPECT_EQ(count, -7);
  file.ReadText(text);
  EXPECT_EQ(text, "Line one\nLine two");

  ASSERT_EQ(file.ReadRecord(), 0);
  file.ReadText(text);
  EXPECT_EQ(text, WideToAnsi(WideString(OLESTR("M\u00fcller Geburtstag"))));
  EXPECT_EQ(file.ReadDate(date), 0);
  EXPECT_EQ(date, LocalMidnight(2006, 1, 2));
  EXPECT_EQ(file.ReadTime(time), -2);
  EXPECT_EQ(file.ReadSpan(seconds), 0);
  EXPECT_EQ(seconds, 900);
  EXPECT_EQ(file.ReadRecord(), -1);
}

TEST_F(ExcelFileReadingTest, ReadsBackWhatItWrote) {
  const TimeValue start = BuildLocal(2005, 10, 26, 9, 30, 0);
  {
    ExcelFile file;
    file.OpenWrite(Path("round.xls"));
    for (const char* header : {"Subject", "Date", "Time", "Hours", "Count", "Note"}) file.WriteText(header);
    file.EndRecord();
    for (int i = 0; i < 3; ++i) {
      file.WriteText(i == 1 ? "15" : "Visit " + std::to_string(i));
      file.WriteDate(start + i * kSecondsPerDay);
      file.WriteTime(start + i * 3600);
      file.WriteSpan(3600 * (i + 1));
      file.WriteInt(i - 1);
      file.WriteText(i == 2 ? std::string(700, 'L') : "a\r\nb");
      file.EndRecord();
    }
    file.Finish();
  }
  ExcelFile file;
  file.OpenRead(Path("round.xls"));
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(file.ReadRecord(), 0);
    std::string text;
    TimeValue date = 0, time = 0;
    std::int32_t seconds = 0, count = 0;
    file.ReadText(text);
    EXPECT_EQ(text, i == 1 ? "15" : "Visit " + std::to_string(i));
    EXPECT_EQ(file.ReadDate(date), 0);
    EXPECT_EQ(date, LocalMidnight(2005, 10, 26 + i));
    EXPECT_EQ(file.ReadTime(time), 0);
    EXPECT_EQ(time, BuildLocal(2005, 11, 10, 9 + i, 30, 0));
    EXPECT_EQ(file.ReadSpan(seconds), 0);
    EXPECT_EQ(seconds, 3600 * (i + 1));
    file.ReadInt(count);
    EXPECT_EQ(count, i - 1);
    file.ReadText(text);
    EXPECT_EQ(text, i == 2 ? std::string(700, 'L') : "a\nb");
  }
  EXPECT_EQ(file.ReadRecord(), -1);
}

TEST_F(ExcelFileReadingTest, AFileTheSpreadsheetCannotOpenThrowsWithItsReason) {
  std::FILE* junk = std::fopen(Path("junk.xls").c_str(), "wb");
  ASSERT_NE(junk, nullptr);
  std::fputs("Subject,Date\r\nnot a workbook\r\n", junk);
  std::fclose(junk);
  for (const std::string& name : {Path("missing.xls"), Path("junk.xls")}) {
    ExcelFile file;
    try {
      file.OpenRead(name);
      FAIL() << name;
    } catch (const ComError& e) {
      EXPECT_NE(e.Description().find(name), std::string::npos) << e.Description();
    }
  }
}

}  // namespace
}  // namespace tavir::testing
