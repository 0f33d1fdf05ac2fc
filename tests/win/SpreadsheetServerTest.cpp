// The stand-in's server DLL registered as "Excel.Application" in the Wine
// prefix: ExcelFile writes and reads a workbook through CLSIDFromProgID and
// CoCreateInstance, loading the DLL as it would start Excel.
#include <string>

#include <gtest/gtest.h>

#include "formats/ExcelFile.h"
#include "platform/LocalTime.h"
#include "spreadsheet/StandIn.h"
#include "win/AddInHostFixture.h"

namespace tavir::test_support {
namespace {

class SpreadsheetServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }
  ExcelServerRegistration excel_;
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
  ASSERT_EQ(file.ReadRecord(), 0);
  std::string text;
  TimeValue date = 0;
  file.ReadText(text);
  EXPECT_EQ(text, "15");
  EXPECT_EQ(file.ReadDate(date), ReadResult::Valid);
  EXPECT_EQ(date, LocalMidnight(2005, 10, 26));
  file.ReadText(text);
  EXPECT_EQ(text, std::string(600, 'n'));
  EXPECT_EQ(file.ReadRecord(), -1);
  file.Close();
  // The objects lived in the DLL: the stand-in linked into this program saw nothing.
  EXPECT_EQ(spreadsheet::Counters().applicationsCreated, 0);
}

}  // namespace
}  // namespace tavir::test_support
