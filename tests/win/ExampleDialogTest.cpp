// The file format example, opened from the options dialog with "View
// Example...": the two lines it shows, and its resizing rule.
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/AppointmentRecord.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/ResourceIds.h"
#include "win/support/DialogFixture.h"

namespace tavir::test_support {
namespace {

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, separator);)
    fields.push_back(field);
  return fields;
}

class ExampleDialogTest : public DialogFixture {
 protected:
  // Opens the options dialog, then the example from it; returns the example.
  HWND OpenExample() {
    options_.fullformat = 0;
    options_.separator = ";";
    options_.quote = "'";
    options_dialog_ = Open<COptionsDlg>(L"Options");
    Click(options_dialog_, IDC_OPT_VIEW_EXAMPLE);
    HWND example = thread_->Find(L"File Format Example");
    EXPECT_FALSE(IsWindowEnabled(options_dialog_)) << "the options dialog owns the example";
    return example;
  }
  void CloseBoth() {
    HWND example = thread_->Find(L"File Format Example");
    Click(example, IDOK);
    WaitForWindow([&]() -> HWND { return IsWindow(example) ? nullptr : options_dialog_; });
    EXPECT_TRUE(IsWindowEnabled(options_dialog_));
    Escape();
  }
  // The example's text as lines without their CR LF; "" after a missing one.
  static std::vector<std::string> Lines(HWND example) {
    std::string text;
    for (wchar_t c : Text(GetDlgItem(example, IDC_EXAMPLE_TEXT)))
      text += static_cast<char>(c);
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
      const size_t end = text.find("\r\n", start);
      if (end == std::string::npos)
        return lines.push_back(""), lines;
      lines.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  HWND options_dialog_ = nullptr;
};

TEST_F(ExampleDialogTest, SemicolonsAndApostrophesGiveTheTwoExpectedLines) {
  const std::vector<std::string> lines = Lines(OpenExample());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "'Date';'Untimed';'Start Time';'End Time';'Private';'Text';'Note';'Alarm';'Alarm Time';"
            "'Alarm Unit';'Category';'Location';'Repeat'");
  const std::vector<std::string> record = Split(lines[1], ';');
  ASSERT_EQ(record.size(), 13u);
  EXPECT_EQ(record[0], "'" + FormatDateText(static_cast<TimeValue>(std::time(nullptr))) + "'");
  EXPECT_EQ(record[5], "'Sample Appointment Title'");
  EXPECT_EQ(record[6], "'Appointment Note'");
  EXPECT_EQ(record[10], "'Unfiled'");
  EXPECT_EQ(record[11], "'Room 101'");
  CloseBoth();
}

TEST_F(ExampleDialogTest, DateWithTimePutsTheDateIntoEachTimeColumn) {
  options_.datewithtime = 1;
  const std::vector<std::string> lines = Lines(OpenExample());
  ASSERT_EQ(lines.size(), 2u);
  const std::vector<std::string> record = Split(lines[1], ';');
  ASSERT_EQ(record.size(), 13u);
  const std::string datePrefix =
      "'" + FormatDateText(static_cast<TimeValue>(std::time(nullptr))) + " ";
  for (int column : {2, 3})
    EXPECT_EQ(record[column].rfind(datePrefix, 0), 0u) << record[column];
  CloseBoth();
}

RECT ClientRect(HWND dialog, int id) {
  RECT rect;
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(ExampleDialogTest, EditAndButtonFollowTheDialogsSize) {
  HWND example = OpenExample();
  const RECT edit = ClientRect(example, IDC_EXAMPLE_TEXT);
  const int left = edit.left, top = edit.top;
  for (SIZE size : {SIZE{900, 300}, SIZE{400, 160}}) {
    SetWindowPos(example, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(example, &client);
    const RECT text = ClientRect(example, IDC_EXAMPLE_TEXT);
    const RECT ok = ClientRect(example, IDOK);
    EXPECT_EQ(text.left, left);
    EXPECT_EQ(text.top, top);
    EXPECT_EQ(text.right - text.left, client.right - 3 * left);
    EXPECT_EQ(ok.top - text.bottom, top) << "the edit ends T above the button";
    EXPECT_EQ(client.bottom - ok.bottom, top);
    EXPECT_LE(std::abs((ok.left + ok.right) - client.right), 1) << "the button is centred";
  }
  CloseBoth();
}

}  // namespace
}  // namespace tavir::test_support
