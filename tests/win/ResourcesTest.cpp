// The compiled resources: the string table agrees with the one the portable
// build compiles in and with the help texts, every icon has both sizes, the host's menu bitmap has
// the form the host expects, and every dialog template builds its window.
#include <string>

#include <gtest/gtest.h>

#include "platform/CompiledText.h"
#include "platform/ModuleText.h"
#include "platform/win32/CommonControls.h"
#include "platform/win32/ResourceModule.h"
#include "ui/win32/ResourceIds.h"

namespace tavir::test_support {
namespace {

constexpr CompiledText kCompiledTable[] = {
#define TAVIR_STRING(id, name, text) {id, text},
#include "model/StringTable.inc"
#undef TAVIR_STRING
#define TAVIR_HELP_TEXT(id, control, text) {id, text},
#include "ui/HelpTexts.inc"
#undef TAVIR_HELP_TEXT
};

TEST(ResourcesTest, StringTableMatchesThePortableTableAndTheHelpTexts) {
  for (const CompiledText& entry : kCompiledTable)
    EXPECT_EQ(LoadModuleText(entry.id).value_or("<missing>"), entry.text) << entry.id;
}

TEST(ResourcesTest, EveryIconHasBothSizes) {
  for (int id : {IDI_IMPORT, IDI_PROGRAM, IDI_EXPORT, IDI_DELETE_FIELD, IDI_OPTIONS}) {
    for (int size : {16, 32}) {
      HANDLE icon = LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0);
      ASSERT_NE(icon, nullptr) << id << " at " << size;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
      BITMAP bitmap{};
      GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, size) << id;
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(static_cast<HICON>(icon));
    }
  }
}

TEST(ResourcesTest, HostMenuBitmapIsSixteenColoursSixteenSquare) {
  HRSRC found =
      FindResourceW(ResourceModule(), MAKEINTRESOURCEW(IDB_HOST_MENU), MAKEINTRESOURCEW(2));
  ASSERT_NE(found, nullptr);
  const auto* header =
      static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(ResourceModule(), found)));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 16);
  EXPECT_EQ(header->biHeight, 16);
  EXPECT_EQ(header->biBitCount, 4);
}

INT_PTR CALLBACK AcceptEverything(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

TEST(ResourcesTest, EveryDialogTemplateCreatesItsControls) {
  INITCOMMONCONTROLSEX classes{sizeof classes,
                               ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  struct Case {
    int dialog;
    int control;  // one control whose class needs the common controls
  } cases[] = {{IDD_ABOUT, IDC_ABOUT_LINK},
               {IDD_MAIN, IDC_MAIN_PROGRESS},
               {IDD_OPTIONS, IDC_OPT_SPAN_TO},
               {IDD_EXAMPLE, IDC_EXAMPLE_TEXT},
               {IDD_ARCHIVE, IDC_ARC_MIN_SIZE_SPIN}};
  for (const Case& c : cases) {
    HWND dialog = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(c.dialog), nullptr,
                                     AcceptEverything, 0);
    ASSERT_NE(dialog, nullptr) << c.dialog;
    EXPECT_NE(GetDlgItem(dialog, c.control), nullptr) << c.dialog;
    DestroyWindow(dialog);
  }
}

}  // namespace
}  // namespace tavir::test_support
