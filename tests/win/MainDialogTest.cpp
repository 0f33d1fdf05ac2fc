// The main dialog under Wine, driven by window messages over the stand-alone
// datebook: opening, the filter controls, Ctrl+O, the menu's dialogs, Remove
// All, the saving rules of Close and Cancel, the progress bar. (A host
// failure ending the dialog: AddInCommandTest.)
#include "platform/Registry.h"
#include "win/MainDialogFixture.h"

namespace tavir::test_support {
namespace {

using MainDialogTest = MainDialogFixture;

TEST_F(MainDialogTest, OpensWithTheUserAndTheCountLine) {
  AddToday("Lunch");
  options_.fullformat = 0;
  Run([&](DialogDriver&, HWND main) {
    EXPECT_EQ(DialogDriver::ItemText(main, IDC_MAIN_USER), "Test User");
    EXPECT_EQ(CountLine(main).rfind("1 appointment between ", 0), 0u) << CountLine(main);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(main, IDC_MAIN_PROGRESS)));
  });
}

TEST_F(MainDialogTest, FilterControlsRecountAtOnce) {
  AddToday("Lunch with Ann", 12);
  AddToday("Lunch alone", 13);
  AddToday("Dentist", 15);
  options_.dofilter = 1;
  options_.filtertype = 2;  // text contains
  options_.filtertext = "Lunch";
  Run([&](DialogDriver&, HWND main) {
    const HWND types = GetDlgItem(main, IDC_MAIN_FILTER_TYPE);
    const HWND text = GetDlgItem(main, IDC_MAIN_FILTER_TEXT);
    EXPECT_EQ(CountLine(main), "2 appointments");
    SendMessageW(GetDlgItem(main, IDC_MAIN_FILTER_ON), BM_SETCHECK, BST_UNCHECKED, 0);
    DialogDriver::Notify(main, IDC_MAIN_FILTER_ON, BN_CLICKED);
    EXPECT_EQ(CountLine(main), "3 appointments");
    EXPECT_FALSE(IsWindowEnabled(types));
    EXPECT_FALSE(IsWindowEnabled(text));
    SendMessageW(GetDlgItem(main, IDC_MAIN_FILTER_ON), BM_SETCHECK, BST_CHECKED, 0);
    DialogDriver::Notify(main, IDC_MAIN_FILTER_ON, BN_CLICKED);
    EXPECT_TRUE(IsWindowEnabled(types) && IsWindowEnabled(text));
    SendMessageW(types, CB_SETCURSEL, 4, 0);  // text does NOT contain
    DialogDriver::Notify(main, IDC_MAIN_FILTER_TYPE, CBN_SELCHANGE);
    EXPECT_EQ(CountLine(main), "1 appointments");
    DialogDriver::SetItemText(main, IDC_MAIN_FILTER_TEXT, "Dentist");
    DialogDriver::Notify(main, IDC_MAIN_FILTER_TEXT, EN_KILLFOCUS);
    EXPECT_EQ(CountLine(main), "2 appointments");
  });
  EXPECT_EQ(options_.filtertype, 4);
  EXPECT_EQ(options_.filtertext, "Dentist");
}

TEST_F(MainDialogTest, CtrlOFromAnyControlAndTheMenuOpenTheirDialogs) {
  options_.dofilter = 1;
  Run([&](DialogDriver& driver, HWND main) {
    for (int control : {IDC_MAIN_FILTER_TEXT, IDC_MAIN_FILTER_TYPE, IDC_MAIN_CLOSE}) {
      SetForegroundWindow(main);
      Focus(main, control);
      PressKeys({VK_CONTROL, 'O'});
      const HWND options = Opened(driver, main, "the options dialog");
      EXPECT_EQ(DialogDriver::Text(options), "Options");
      DialogDriver::Post(options, IDCANCEL);
      driver.WaitGone(options);
    }
    struct Item {
      int command;
      const char* caption;
    } items[] = {{IDM_ARCHIVE, "Archive"}, {IDM_ABOUT, "About TAVIR"}};
    for (const Item& item : items) {
      DialogDriver::Post(main, item.command, 0);
      const HWND opened = Opened(driver, main, item.caption);
      EXPECT_EQ(DialogDriver::Text(opened), item.caption);
      if (item.command == IDM_ABOUT) {
        EXPECT_EQ(DialogDriver::ItemText(opened, IDC_ABOUT_VERSION), "2.3.0");
      }
      DialogDriver::Post(opened, IDCANCEL);
      driver.WaitGone(opened);
      EXPECT_TRUE(IsWindowEnabled(main));
    }
  });
}

TEST_F(MainDialogTest, RemoveAllAsksAndRemovesWhatTheFilterSelects) {
  AddToday("Lunch", 12);
  AddToday("Dentist", 15);
  options_.dofilter = 1;
  options_.filtertype = 2;
  options_.filtertext = "Lunch";
  Run([&](DialogDriver& driver, HWND main) {
    const HWND progress = GetDlgItem(main, IDC_MAIN_PROGRESS);
    struct Step {
      const char* filterText;
      int answer;
      int appointmentsLeft;
      const char* countLine;
    } steps[] = {{"Lunch", IDCANCEL, 2, "1 appointments"}, {"Dentist", IDOK, 1, "0 appointments"}};
    for (const Step& step : steps) {
      DialogDriver::SetItemText(main, IDC_MAIN_FILTER_TEXT, step.filterText);
      DialogDriver::Post(main, IDM_REMOVE_ALL, 0);
      EXPECT_EQ(driver.AnswerMessage(main, step.answer),
                "This will remove 1 appointments for user Test User.\nContinue?");
      // The next command would otherwise run inside this one's message pump.
      driver.WaitUntil([&] { return !IsWindowVisible(progress); }, "the end of Remove All");
      EXPECT_EQ(Appointments(), step.appointmentsLeft);
      EXPECT_EQ(CountLine(main), step.countLine);
    }
  });
  ASSERT_EQ(Appointments(), 1);
  EXPECT_EQ(data_->All().begin()->second->description, AnsiToWide("Lunch"));
}

TEST_F(MainDialogTest, CloseAndCancelSaveOnlyCancelCopiesTheFilter) {
  struct Case {
    int command;
    INT_PTR result;
    std::uint32_t savedFilter;
  } cases[] = {{IDC_MAIN_CLOSE, IDOK, 0}, {IDCANCEL, IDCANCEL, 1}};
  for (const Case& c : cases) {
    options_.dofilter = 0;
    options_.minsize = 4321;
    RegSetDword(kOptionsKey, "dofilter", 7);
    const INT_PTR result = Run([&](DialogDriver& driver, HWND main) {
      // Checked without its notification: only taking the values over sees it.
      SendMessageW(GetDlgItem(main, IDC_MAIN_FILTER_ON), BM_SETCHECK, BST_CHECKED, 0);
      DialogDriver::Post(main, c.command);
      driver.WaitGone(main);
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(RegGetDword(kOptionsKey, "minsize", 0), 4321u) << c.command;
    EXPECT_EQ(RegGetDword(kOptionsKey, "dofilter", 7), c.savedFilter) << c.command;
  }
}

TEST_F(MainDialogTest, ProgressBarShowsOnlyWhileAnOperationRuns) {
  for (int i = 0; i < 3000; ++i)
    AddToday("Meeting " + std::to_string(i), 8 + i % 10);
  FileDialogAnswer answer{PathOf("many.csv"), 1};
  Run(
      [&](DialogDriver& driver, HWND main) {
        const HWND progress = GetDlgItem(main, IDC_MAIN_PROGRESS);
        DialogDriver::Post(main, IDC_MAIN_EXPORT);
        driver.WaitUntil([&] { return SendMessageW(progress, PBM_GETPOS, 0, 0) > 100; },
                         "the export under way");
        EXPECT_TRUE(IsWindowVisible(progress));
        driver.WaitUntil([&] { return !IsWindowVisible(progress); }, "the export's end");
      },
      {&answer});
  EXPECT_NE(ReadFile(PathOf("many.csv")).find("\"Meeting 2999\""), std::string::npos);
}

}  // namespace
}  // namespace tavir::test_support
