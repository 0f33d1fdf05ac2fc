// IsExcelAvailable: the Office key first, then starting and quitting the
// spreadsheet application; without the key nothing is started.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/FileFactories.h"
#include "spreadsheet/SpreadsheetFixture.h"
#include "support/ScratchRegistry.h"

namespace tavir::test_support {
namespace {

class ExcelAvailabilityTest : public SpreadsheetTest {};

TEST_F(ExcelAvailabilityTest, NeedsTheOfficeKeyAndTheApplication) {
  struct Case {
    bool wired, declaresKey, registryHasKey;
    bool available;
    int started;
  } const cases[] = {
      {true, true, false, true, 1},   // the stand-in stands for an installed Office
      {true, false, false, false, 0}, // no Office key: nothing is started
      {true, false, true, true, 1},   // the key comes from the registry itself
      {false, false, true, false, 0}, // the key but no application
      {false, false, false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.wired << c.declaresKey << c.registryHasKey);
    ScratchRegistry registry;
    // Only the portable registry file lets a test add a machine key; on
    // Windows the machine's own HKEY_LOCAL_MACHINE answers.
    const char* registryFile = std::getenv("TAVIR_REGISTRY");
    if (c.registryHasKey && !registryFile) continue;
    if (c.registryHasKey) {
      std::ofstream file(registryFile, std::ios::binary);
      file << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Office]\r\n\r\n";
    }
    spreadsheet::UnregisterSpreadsheetStandIn();
    if (c.wired) spreadsheet::RegisterSpreadsheetStandIn(c.declaresKey);
    spreadsheet::ResetStandIn();
    EXPECT_EQ(IsExcelAvailable(), c.available);
    EXPECT_EQ(spreadsheet::Counters().applicationsCreated, c.started);
    EXPECT_EQ(spreadsheet::Counters().quits, c.started);
  }
}

TEST_F(ExcelAvailabilityTest, AnApplicationThatRefusesToQuitWasStillStarted) {
  spreadsheet::Faults().Add({"Quit", static_cast<HRESULT>(0x800A03EC), "Quit refused"});
  EXPECT_TRUE(IsExcelAvailable());
  EXPECT_EQ(spreadsheet::Counters().applicationsCreated, 1);
}

}  // namespace
}  // namespace tavir::test_support
