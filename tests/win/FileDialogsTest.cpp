// Import and Export through the real Open and Save dialogs under Wine (found
// as windows, the name typed, the type chosen), and the fields the dialogs
// are given, through a seam. Which entry a last file preselects is the
// portable FileTypes' job (tests/ui); here the dialogs are seen to get it.
#include "win/FileDialogWindow.h"
#include "win/MainDialogFixture.h"

namespace tavir::test_support {
namespace {

using FileDialogsTest = MainDialogFixture;

const char kHeader[] = "\"Date\",\"Untimed\"";

TEST_F(FileDialogsTest, ExportWritesTheTypedNameWithTheChosenType) {
  AddToday("Lunch");
  options_.lastfile = PathOf("old.ics");
  std::ofstream(PathOf("dates.csv")) << "to be replaced";  // 14 bytes
  Run([&](DialogDriver& driver, HWND main) {
    OperateThroughFileDialog(
        driver, main, IDC_MAIN_EXPORT,
        [&](const FileDialogWindow& dialog) {
          EXPECT_EQ(dialog.Selected(), "iCalendar (*.ics)");
          EXPECT_FALSE(dialog.Lists("vCalendar")) << "the full format";
          EXPECT_FALSE(dialog.Lists("MS Excel")) << "Excel is not available";
          dialog.Submit("dates", "Comma Separated Values (*.csv)");
        },
        // Its size only: a reader holding the file open would make the
        // export's replacing of it fail.
        [&] { return std::filesystem::file_size(PathOf("dates.csv")) > 14; });
    OperateThroughFileDialog(
        driver, main, IDC_MAIN_EXPORT,
        [&](const FileDialogWindow& dialog) { dialog.Submit(PathOf("dates.txt")); },
        [&] { return std::filesystem::exists(PathOf("dates.txt")); });
  });
  for (const char* name : {"dates.csv", "dates.txt"}) {
    const std::string content = ReadFile(PathOf(name));
    EXPECT_EQ(content.rfind(kHeader, 0), 0u) << name;
    EXPECT_NE(content.find("\"Lunch\""), std::string::npos) << name;
  }
  EXPECT_EQ(options_.lastfile, PathOf("dates.txt"));
}

TEST_F(FileDialogsTest, ImportFillsTheDatebookOrReportsTheUnreadableFile) {
  // The example file, copied where the dialog's own folder is.
  const std::string sample = PathOf("sample.csv");
  std::filesystem::copy_file(TAVIR_TEST_DATA "/../../examples/sample.csv", sample);
  const std::string locked = PathOf("locked.csv");
  std::ofstream(locked) << kHeader << "\r\n";
  const HANDLE holder =
      CreateFileW(AnsiToWide(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  Run([&](DialogDriver& driver, HWND main) {
    OperateThroughFileDialog(
        driver, main, IDC_MAIN_IMPORT,
        [&](const FileDialogWindow& dialog) { dialog.Submit(sample); },
        [&] { return CountLine(main) != "0 appointments"; });
    EXPECT_GT(Appointments(), 3);
    EXPECT_EQ(CountLine(main), std::to_string(Appointments()) + " appointments");
    DialogDriver::Post(main, IDC_MAIN_IMPORT);
    FileDialogWindow(Opened(driver, main, "the file dialog")).Submit(locked);
    const std::string message = driver.AnswerMessage(main);
    EXPECT_EQ(message.rfind("Error reading file\n", 0), 0u) << message;
    EXPECT_GT(message.size(), std::string("Error reading file\n").size() + 5) << message;
  });
  CloseHandle(holder);
}

TEST_F(FileDialogsTest, DialogFieldsAndTheKeptPattern) {
  AddToday("Lunch");
  options_.fullformat = 0;
  options_.lastfile = "C:\\t\\old.vcs";
  FileDialogAnswer csvChosen(PathOf("dates"), 1), customKept(PathOf("again"), 0);
  HWND mainWindow = nullptr;
  for (FileDialogAnswer* answer : {&csvChosen, &customKept}) {
    Run(
        [&](DialogDriver& driver, HWND main) {
          mainWindow = main;
          DialogDriver::Notify(main, IDC_MAIN_EXPORT, BN_CLICKED);
          DialogDriver::Post(main, IDC_MAIN_IMPORT);  // of a file that is not there
          EXPECT_EQ(driver.AnswerMessage(main).rfind("Error reading file\n", 0), 0u);
        },
        {answer});
    ASSERT_EQ(answer->given.size(), 2u);
    const FileDialogAnswer::Given& saved = answer->given[0];
    EXPECT_EQ(saved.owner, mainWindow);
    EXPECT_EQ(saved.flags, DWORD{OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT});
    EXPECT_EQ(saved.customLength, 1000u);
    const std::size_t bar = saved.customFilter.find(L'|');
    EXPECT_TRUE(bar > 0 && bar != std::wstring::npos && bar + 1 < saved.customFilter.size());
    const FileDialogAnswer::Given& opened = answer->given[1];
    EXPECT_EQ(opened.owner, mainWindow);
    EXPECT_EQ(opened.flags, DWORD{OFN_EXPLORER | OFN_FILEMUSTEXIST});
    EXPECT_EQ(opened.customFilter, L"");
    EXPECT_EQ(opened.filter, L"Comma Separated Values (*.csv)|*.csv|All Files (*.*)|*.*|");
  }
  const FileDialogAnswer::Given& first = csvChosen.given[0];
  EXPECT_EQ(
      first.filter,
      L"Comma Separated Values (*.csv)|*.csv|vCalendar (*.vcs)|*.vcs|iCalendar (*.ics)|*.ics|");
  EXPECT_EQ(first.entry, 2u);
  EXPECT_EQ(first.file, L"C:\\t\\old.vcs");
  EXPECT_EQ(customKept.given[0].customFilter.substr(customKept.given[0].customFilter.find(L'|')),
            L"|*.csv");
  EXPECT_NE(ReadFile(PathOf("dates.csv")).find("\"Lunch\""), std::string::npos);
  EXPECT_NE(ReadFile(PathOf("again.csv")).find("\"Lunch\""), std::string::npos);
}

}  // namespace
}  // namespace tavir::test_support
