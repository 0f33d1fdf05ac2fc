// ExcelFile reading through the spreadsheet stand-in: records from row 2 on,
// typed reads of date, number and text cells, and a workbook written by
// LibreOffice. (What ExcelFile writes reads back: RoundTripInterop.)
#include <cstdio>

#include <gtest/gtest.h>

#include "formats/ExcelFile.h"
#include "platform/CodePage.h"
#include "platform/ComError.h"
#include "spreadsheet/CellValues.h"
#include "spreadsheet/SpreadsheetFixture.h"
#include "spreadsheet/WorkbookFile.h"

namespace tavir::test_support {
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
      for (std::size_t c = 0; c < rows[r].size(); ++c)
        data.sheets[0].Put(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
    spreadsheet::SaveWorkbookFile(Path(name), data);
    return Path(name);
  }
  static Cell Date(int year, int month, int day) {
    return Cell::Number(spreadsheet::DateSerial(year, month, day, 0, 0, 0), NumberStyle::Date);
  }

  // Reads the next record's fields as kinds names them (x text, d date, t time,
  // s span, i int, l long), joined by |: values in a fixed form, a failed
  // read as err, its result and for -1 the field, its target left unchanged.
  static std::string ReadFields(ExcelFile& file, const char* kinds) {
    if (file.ReadRecord() != 0)
      return "no record";
    std::string fields;
    for (const char* kind = kinds; *kind; ++kind) {
      constexpr TimeValue kUntouched = 1;
      TimeValue moment = kUntouched;
      std::int32_t number = kUntouched;
      std::string text;
      ReadResult result = ReadResult::Valid;
      switch (*kind) {
        case 'x':
          result = file.ReadText(text);
          break;
        case 'd':
          result = file.ReadDate(moment);
          break;
        case 't':
          result = file.ReadTime(moment);
          break;
        case 's':
          result = file.ReadSpan(number);
          break;
        case 'i':
          result = file.ReadInt(number);
          break;
        case 'l':
          result = file.ReadLong(number);
          break;
      }
      if (result != ReadResult::Valid) {
        EXPECT_EQ(moment, kUntouched) << kind;
        EXPECT_EQ(number, kUntouched) << kind;
        text = "err" + std::to_string(static_cast<int>(result)) +
               (result == ReadResult::Invalid ? ":" + file.GetLastField() : "");
      } else if (*kind == 'd' || *kind == 't') {
        const LocalFields f = SplitLocal(moment);
        char shown[24];
        std::snprintf(shown, sizeof shown, "%04d-%02d-%02d %02d:%02d", f.year, f.month, f.day,
                      f.hour, f.minute);
        text = shown;
        if (*kind == 'd') {
          EXPECT_EQ(moment, LocalMidnight(moment));
          text.resize(10);
        }
      } else if (*kind != 'x') {
        text = std::to_string(number) + (*kind == 's' ? "s" : "");
      }
      fields += (fields.empty() ? "" : "|") + text;
    }
    return fields;
  }
};

TEST_F(ExcelFileReadingTest, TheHeaderRowIsNeverARecord) {
  ExcelFile file;
  ASSERT_EQ(file.OpenRead(Workbook("three.xls", {{Cell::Text(u"Subject")},
                                                 {Cell::Text(u"One")},
                                                 {Cell::Text(u"Two")},
                                                 {Cell::Text(u"Three")}})),
            0);
  EXPECT_EQ(file.GetProgressMax(), 4);
  int row = 1;
  for (const char* text : {"One", "Two", "Three"}) {
    EXPECT_EQ(ReadFields(file, "x"), text);
    EXPECT_EQ(file.GetProgressPos(), ++row);
  }
  EXPECT_EQ(file.ReadRecord(), -1);
  EXPECT_EQ(file.Close(), 0);
  // A sheet of one cell or none holds no record.
  for (const auto& rows : {std::vector<std::vector<Cell>>{{Cell::Text(u"Subject")}},
                           std::vector<std::vector<Cell>>{}}) {
    ExcelFile single;
    single.OpenRead(Workbook("single.xls", rows));
    EXPECT_EQ(single.GetProgressMax(), 1);
    EXPECT_EQ(single.ReadRecord(), -1);
  }
}

TEST_F(ExcelFileReadingTest, TypedReadsTakeCellValuesOrParseTheirText) {
  ExcelFile file;
  file.OpenRead(Workbook(
      "typed.xls",
      {{Cell::Text(u"header")},
       {Date(2005, 10, 26), Cell::Text(u"12/31/2031"), Cell::Text(u"1/1/2032"), Cell::Text(u"  "),
        Cell::Text(u"1/2/1930"), Date(2040, 1, 1), Cell::Text(u"soon")},
       {Cell::Number(0.375, NumberStyle::Time), Cell::Number(0.75), Cell::Text(u"2:30 PM"),
        Cell::Number(spreadsheet::DateSerial(2005, 1, 2, 18, 5, 0), NumberStyle::DateTime),
        Cell::Text(u"later")},
       {Cell::Number(1.5), Cell::Text(u" 2.25 "), Cell::Text(u"abc"), Cell::Number(-0.5)},
       {Cell::Text(u"15", true), Cell::Number(42), Cell::Text(u" -7x"), Cell::Number(3.9)}}));
  // Years before 1970 move up a century; a date cell after 2031 is refused;
  // times lie on a fixed January day; beyond the last cell is -2.
  EXPECT_EQ(
      ReadFields(file, "dddddddd"),
      "2005-10-26|2031-12-31|err-1:1/1/2032|err-2|2030-01-02|err-1:1/1/2040|err-1:soon|err-2");
  EXPECT_EQ(
      ReadFields(file, "tttttt"),
      "2001-01-15 09:00|2001-01-15 18:00|2001-01-15 14:30|2001-01-15 18:05|err-1:later|err-2");
  EXPECT_EQ(ReadFields(file, "sssss"), "5400s|8100s|0s|-1800s|err-2");
  EXPECT_EQ(ReadFields(file, "liiii"), "15|42|-7|3|0");
  EXPECT_EQ(file.ReadRecord(), -1);
}

TEST_F(ExcelFileReadingTest, ReadsAWorkbookWrittenByLibreOffice) {
  ExcelFile file;
  file.OpenRead(std::string(TAVIR_TEST_DATA) + "/libreoffice-appointments.xls");
  EXPECT_EQ(file.GetProgressMax(), 4);
  EXPECT_EQ(ReadFields(file, "xdtsix"), "Dentist|2005-10-26|2001-01-15 09:00|5400s|3|Bring card");
  EXPECT_EQ(ReadFields(file, "xdtsix"),
            "Meeting \"Q4\"|2031-12-31|2001-01-15 14:30|7200s|-7|Line one\nLine two");
  EXPECT_EQ(ReadFields(file, "xdts"),
            WideToAnsi(WideString(OLESTR("M\u00fcller Geburtstag"))) + "|2006-01-02|err-2|900s");
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
}  // namespace tavir::test_support
