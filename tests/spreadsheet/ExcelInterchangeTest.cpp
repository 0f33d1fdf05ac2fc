// Workbooks written through ExcelFile and the stand-in, read by other
// programs: xlrd checks every value, type and date here; FreeXL where it is
// installed; scripts/check-xls-libreoffice.sh has LibreOffice convert the
// same workbook (kept in TAVIR_XLS_KEEP) to CSV and compares it with the CSV
// this test expects.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "formats/ExcelFile.h"
#include "platform/CodePage.h"
#include "spreadsheet/SpreadsheetFixture.h"

#if defined(TAVIR_HAVE_FREEXL)
#include <freexl.h>
#endif

namespace tavir::test_support {
namespace {

// Writes fields through ExcelFile and notes what each cell must then hold:
// for xlrd (kind and value) and as LibreOffice shows it in CSV.
class InterchangeWriter {
 public:
  explicit InterchangeWriter(ExcelFile& file) : file_(file) { rows_.emplace_back(); }

  InterchangeWriter& Text(const std::string& ansi) {
    file_.WriteText(ansi);
    const std::string utf8 = AnsiToUtf8(RemoveCarriageReturns(ansi));
    std::string escaped;
    for (char c : utf8) escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    Note(utf8.empty() ? "empty" : "text", escaped, Quoted(utf8));
    return *this;
  }
  InterchangeWriter& Date(int year, int month, int day) {
    file_.WriteDate(LocalMidnight(year, month, day));
    Note("date", Join(year, month, day) + " 0:0:0",
         std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year));
    return *this;
  }
  InterchangeWriter& Time(int hour, int minute) {
    file_.WriteTime(BuildLocal(2005, 11, 10, hour, minute, 33));
    const std::string minutes = (minute < 10 ? "0" : "") + std::to_string(minute);
    Note("date", "0-0-0 " + std::to_string(hour) + ":" + std::to_string(minute) + ":0",
         std::to_string(hour) + ":" + minutes);
    return *this;
  }
  InterchangeWriter& Span(std::int32_t seconds) {
    file_.WriteSpan(seconds);
    Note("number", std::to_string(seconds / 3600), std::to_string(seconds / 3600));
    return *this;
  }
  InterchangeWriter& Int(std::int32_t value) {
    file_.WriteInt(value);
    Note("number", std::to_string(value), std::to_string(value));
    return *this;
  }
  InterchangeWriter& EndRecord() {
    file_.EndRecord();
    rows_.emplace_back();
    return *this;
  }

  std::string XlrdExpectations() const { return xlrd_; }
  // LibreOffice pads every row to the width of the used range.
  std::string Csv() const {
    std::size_t width = 0;
    for (const auto& row : rows_) width = std::max(width, row.size());
    std::string csv;
    for (const auto& row : rows_) {
      if (row.empty()) continue;
      for (std::size_t c = 0; c < width; ++c) csv += (c ? "," : "") + (c < row.size() ? row[c] : "");
      csv += "\n";
    }
    return csv;
  }

 private:
  static std::string Join(int year, int month, int day) {
    return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
  }
  static std::string Quoted(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
  }
  void Note(const std::string& kind, const std::string& value, const std::string& shown) {
    const std::size_t row = rows_.size() - 1;
    xlrd_ += std::to_string(row) + "\t" + std::to_string(rows_.back().size()) + "\t" + kind + "\t" + value + "\n";
    rows_.back().push_back(shown);
  }

  ExcelFile& file_;
  std::string xlrd_;
  std::vector<std::vector<std::string>> rows_;
};

class ExcelInterchangeTest : public SpreadsheetTest {
 protected:
  // Where the workbook and the expectations go: TAVIR_XLS_KEEP when set.
  std::string Output(const std::string& name) {
    if (const char* keep = std::getenv("TAVIR_XLS_KEEP")) return std::string(keep) + "/" + name;
    return Path(name);
  }
  static void Save(const std::string& name, const std::string& text) {
    std::ofstream file(name, std::ios::binary);
    file << text;
  }
};

TEST_F(ExcelInterchangeTest, OtherProgramsReadEveryValueAsWritten) {
  const std::string workbook = Output("interchange.xls");
  std::string xlrdExpectations, csv;
  {
    ExcelFile file;
    file.OpenWrite(workbook);
    InterchangeWriter w(file);
    for (const char* header : {"Subject", "Start Date", "Start Time", "Duration", "Count", "Note"}) w.Text(header);
    w.EndRecord();
    w.Text("Dentist").Date(2005, 10, 26).Time(9, 5).Span(5400).Int(3).Text("Bring card, and \"papers\"").EndRecord();
    w.Text("15").Date(2031, 12, 31).Time(23, 59).Span(-7200).Int(-7).Text("Line one\r\nLine two").EndRecord();
    w.Text("=A1").Date(1970, 1, 2).Time(0, 0).Span(0).Int(2147483647).Text(std::string(600, 'n')).EndRecord();
    w.Text("M\xC3\xBCller").Date(2000, 2, 29).EndRecord();
    file.Finish();
    xlrdExpectations = w.XlrdExpectations();
    csv = w.Csv();
  }
  Save(Output("interchange-xlrd.txt"), xlrdExpectations);
  Save(Output("interchange-expected.csv"), csv);

#if defined(TAVIR_PYTHON)
  const std::string command = std::string(TAVIR_PYTHON) + " " + TAVIR_TOOLS + "/check_xls.py '" + workbook + "' '" +
                              Output("interchange-xlrd.txt") + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
#endif

#if defined(TAVIR_HAVE_FREEXL)
  const void* handle = nullptr;
  ASSERT_EQ(freexl_open(workbook.c_str(), &handle), FREEXL_OK);
  const std::unique_ptr<const void, int (*)(const void*)> closer(handle, freexl_close);
  ASSERT_EQ(freexl_select_active_worksheet(handle, 0), FREEXL_OK);
  unsigned int rows = 0;
  unsigned short columns = 0;
  freexl_worksheet_dimensions(handle, &rows, &columns);
  EXPECT_EQ(rows, 5u);
  EXPECT_EQ(columns, 6u);
  struct Expected {
    unsigned row;
    unsigned short column;
    unsigned char type;
    std::string text;
  } const expected[] = {
      {1, 0, FREEXL_CELL_SST_TEXT, "Dentist"},     {1, 1, FREEXL_CELL_DATE, "2005-10-26"},
      {1, 2, FREEXL_CELL_TIME, "09:05:00"},        {2, 0, FREEXL_CELL_SST_TEXT, "15"},
      {2, 1, FREEXL_CELL_DATE, "2031-12-31"},      {2, 5, FREEXL_CELL_SST_TEXT, "Line one\nLine two"},
      {3, 0, FREEXL_CELL_SST_TEXT, "=A1"},         {4, 1, FREEXL_CELL_DATE, "2000-02-29"},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.text);
    FreeXL_CellValue value;
    ASSERT_EQ(freexl_get_cell_value(handle, e.row, e.column, &value), FREEXL_OK);
    EXPECT_EQ(value.type, e.type);
    EXPECT_EQ(std::string(value.value.text_value), e.text);
  }
  FreeXL_CellValue number;
  ASSERT_EQ(freexl_get_cell_value(handle, 3, 4, &number), FREEXL_OK);
  EXPECT_EQ(number.type, FREEXL_CELL_DOUBLE);  // beyond what an RK record holds
  EXPECT_EQ(number.value.double_value, 2147483647.0);
  ASSERT_EQ(freexl_get_cell_value(handle, 1, 3, &number), FREEXL_OK);
  EXPECT_EQ(number.type, FREEXL_CELL_INT);
  EXPECT_EQ(number.value.int_value, 1);
#endif
}

}  // namespace
}  // namespace tavir::test_support
