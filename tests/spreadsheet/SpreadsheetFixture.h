// Shared set-up of the spreadsheet tests: the stand-in wired in as
// "Excel.Application" with fresh counters, a scratch directory, and the time
// zone, locale and clock pinned.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "spreadsheet/StandIn.h"
#include "support/Environment.h"

namespace tavir::test_support {

class SpreadsheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PinCentralEuropeanTime();
    spreadsheet::RegisterSpreadsheetStandIn();
    spreadsheet::ResetStandIn();
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name)
      if (c == '/') c = '-';
    directory_ = std::filesystem::temp_directory_path() / ("tavir-xls-" + name);
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override {
    spreadsheet::UnregisterSpreadsheetStandIn();
    spreadsheet::ResetStandIn();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  std::string Path(const std::string& name) const { return (directory_ / name).string(); }

  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", "en-US"};
  ScopedEnvironmentVariable now_{"TAVIR_NOW", "2005-11-10T16:42:17"};

 private:
  std::filesystem::path directory_;
};

}  // namespace tavir::test_support
