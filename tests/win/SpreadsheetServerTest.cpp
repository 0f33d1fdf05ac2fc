// The stand-in's server DLL registered as "Excel.Application" in the Wine
// prefix: ExcelFile writes and reads a workbook through CLSIDFromProgID and
// CoCreateInstance, loading the DLL as it would start Excel.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "formats/ExcelFile.h"
#include "platform/LocalTime.h"
#include "platform/win32/WindowsApi.h"
#include "spreadsheet/StandIn.h"
#include "spreadsheet/server/ServerIds.h"
#include "support/ScratchDirectory.h"

namespace tavir::test_support {
namespace {

const std::wstring kClassKey = std::wstring(L"CLSID\\") + spreadsheet::kStandInClassIdText;

bool SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

class SpreadsheetServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const std::string dll = TAVIR_SPREADSHEET_SERVER;
    ASSERT_TRUE(SetText(L"Excel.Application\\CLSID", nullptr, spreadsheet::kStandInClassIdText));
    ASSERT_TRUE(
        SetText(kClassKey + L"\\InprocServer32", nullptr, std::wstring(dll.begin(), dll.end())));
    ASSERT_TRUE(SetText(kClassKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"));
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Excel.Application");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey.c_str());
    CoUninitialize();
  }
  ScratchDirectory directory_{"tavir-spreadsheet-server"};
};

TEST_F(SpreadsheetServerTest, ExcelFileDrivesTheRegisteredServer) {
  const std::string name = directory_.PathOf("server.xls");
  {
    ExcelFile file;
    ASSERT_EQ(file.OpenWrite(name), 0);
    file.WriteText("Subject");
    file.WriteText("Date");
    file.WriteText("Note");
    file.EndRecord();
    file.WriteText("15");
    file.WriteDate(LocalMidnight(2005, 10, 26));
    file.WriteText(std::string(600, 'n'));
    file.EndRecord();
    EXPECT_EQ(file.Finish(), 0);
  }
  ExcelFile file;
  ASSERT_EQ(file.OpenRead(name), 0);
  ASSERT_EQ(file.ReadRecord(), RecordResult::Read);
  std::string text;
  TimeValue date = 0;
  file.ReadText(text);
  EXPECT_EQ(text, "15");
  EXPECT_EQ(file.ReadDate(date), ReadResult::Valid);
  EXPECT_EQ(date, LocalMidnight(2005, 10, 26));
  file.ReadText(text);
  EXPECT_EQ(text, std::string(600, 'n'));
  EXPECT_EQ(file.ReadRecord(), RecordResult::EndOfData);
  file.Close();
  // The objects lived in the DLL: the stand-in linked into this program saw nothing.
  EXPECT_EQ(spreadsheet::Counters().applicationsCreated, 0);
}

}  // namespace
}  // namespace tavir::test_support
