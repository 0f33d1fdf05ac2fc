// Shared set-up of the spreadsheet tests: the stand-in wired in as
// "Excel.Application" with fresh counters, a scratch directory, and the time
// zone, locale and clock pinned.
#pragma once

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "spreadsheet/StandIn.h"
#include "support/Environment.h"
#include "support/ScratchDirectory.h"

namespace tavir::test_support {

class SpreadsheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PinCentralEuropeanTime();
    spreadsheet::RegisterSpreadsheetStandIn();
    spreadsheet::ResetStandIn();
  }
  void TearDown() override {
    spreadsheet::UnregisterSpreadsheetStandIn();
    spreadsheet::ResetStandIn();
  }
  std::string Path(const std::string& name) const { return directory_.PathOf(name); }

  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", "en-US"};
  ScopedEnvironmentVariable now_{"TAVIR_NOW", "2005-11-10T16:42:17"};

 private:
  ScratchDirectory directory_{"tavir-xls"};
};

}  // namespace tavir::test_support
