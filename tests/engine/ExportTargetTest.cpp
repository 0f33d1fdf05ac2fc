// What an export does to the file it replaces: the old file stays as it was
// until the new one is complete, a failure is reported once and the result
// says what reached the file; a folder is never replaced.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/ExportDriver.h"
#include "platform/FaultInjector.h"
#include "spreadsheet/StandIn.h"

namespace tavir::test_support {
namespace {

class ExportTargetTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    spreadsheet::RegisterSpreadsheetStandIn();
    spreadsheet::ResetStandIn();
    for (int day = 1; day <= 3; ++day)
      AddTimed(2005, 11, day, 9, 0, 60, "item");
  }
  void TearDown() override {
    spreadsheet::UnregisterSpreadsheetStandIn();
    spreadsheet::ResetStandIn();
    EngineFixture::TearDown();
  }
  // The names in the scratch folder: a temporary file left behind shows here.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ExportTargetTest, TheOldFileStaysUntilTheNewOneIsComplete) {
  const std::string old = "the user's previous file\r\n";
  struct Case {
    const char* what;
    const char* name;
    std::function<void()> breakIt;  // none: the export succeeds
    int result;
    const char* message;  // what the user is told
  } cases[] = {
      {"a complete export replaces the file", "replaced.csv", nullptr, 3, ""},
      {"the workbook cannot be saved at the end", "book.xls",
       [] {
         spreadsheet::Faults().Add({"Save", static_cast<HRESULT>(0x800A03EC), "Disk full."});
       },
       0, "Error writing file\nDisk full."},
      {"a text file cannot be written", "broken.csv",
       [] {
         ProcessFaults().Add({"File.Write", E_FAIL, "The disk is full."});
       },
       0, "Error writing file\nThe disk is full."},
      {"every write of a calendar file fails", "broken.ics",
       [] {
         ProcessFaults().Add({"File.Write", E_FAIL, "The disk is full.", 1, true});
       },
       0, "Error writing file\nThe disk is full."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(PathOf(c.name), old);
    const std::size_t messagesBefore = shell_.Messages().size();
    if (c.breakIt)
      c.breakIt();
    ExportStatus status;
    EXPECT_EQ(ExportFull(PathOf(c.name), options_, nullptr, &status), c.result);
    EXPECT_EQ(status.writeFailed, c.breakIt != nullptr);
    EXPECT_EQ(status.targetKept, c.breakIt != nullptr);
    EXPECT_EQ(ReadFile(PathOf(c.name)) == old, c.breakIt != nullptr);
    ProcessFaults().Clear();
    EXPECT_EQ(shell_.Messages().size() - messagesBefore, c.breakIt ? 1u : 0u) << "reported once";
    if (c.breakIt) {
      EXPECT_EQ(shell_.Messages().back().text, c.message);
    }
    std::filesystem::remove(PathOf(c.name));
    EXPECT_TRUE(Names().empty()) << "a temporary file was left: " << Names().front();
  }
}

// Neither export makes a file of its own there; the folder stays as it was.
TEST_F(ExportTargetTest, ATargetThatCannotBeCreatedIsReportedAndGivesNoWriterResult) {
  std::filesystem::create_directory(PathOf("folder.csv"));
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {{"missing-directory/x.csv", "missing-directory"}, {"folder.csv", "folder"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t messagesBefore = shell_.Messages().size();
    ExportStatus status;
    EXPECT_EQ(ExportSimple(PathOf(c.name), 0, 0, options_, nullptr, &status), -1);
    EXPECT_TRUE(status.noWriter);
    EXPECT_EQ(ExportFull(PathOf(c.name), options_, nullptr), 0);
    ASSERT_EQ(shell_.Messages().size(), messagesBefore + 2);
    const ShownMessage& shown = shell_.Messages().back();
    EXPECT_EQ(shown.text.rfind("Error writing file\n", 0), 0u) << shown.text;
    EXPECT_NE(shown.text.find(c.reason), std::string::npos) << shown.text;
    EXPECT_EQ(shown.icon, MessageIcon::Stop);
  }
  EXPECT_TRUE(std::filesystem::is_directory(PathOf("folder.csv")));
  EXPECT_EQ(Names(), std::vector<std::string>{"folder.csv"});
}

}  // namespace
}  // namespace tavir::test_support
