// A host whose get_Category crashes with an access violation: every reader of
// the category (count line, export, archive statistics) takes it as no
// category and goes on, and the process survives to throw and catch again.
#include <functional>

#include <gtest/gtest.h>

#include "engine/ArchiveRemove.h"
#include "engine/EngineFixture.h"
#include "engine/ExportDriver.h"
#include "host/Transfer.h"
#include "platform/ComError.h"
#include "ui/CountLine.h"

namespace tavir::test_support {
namespace {

class CategoryFaultTest : public EngineFixture {
 protected:
  void CrashInCategory() {
    InjectedFault crash{"get_Category", E_FAIL, "", 1, true};
    crash.action = CauseAccessViolation;
    data_->Faults().Add(crash);
  }
};

TEST_F(CategoryFaultTest, EveryCategoryReaderSurvivesTheFault) {
  AddTimed(2005, 11, 10, 9, 0, 60, "Dentist");
  AddTimed(2004, 3, 1, 12, 0, 30, "Lunch");
  options_.fullformat = 1;
  const struct {
    const char* operation;
    std::function<std::string()> run;
  } readers[] = {
      {"count line", [&] { return ComputeCountLine(options_); }},
      {"export",
       [&] {
         ExportFull(PathOf("dates.csv"), options_, nullptr);
         return ReadFile(PathOf("dates.csv"));
       }},
      {"archive statistics",
       [&] {
         const ArchiveStatistics statistics =
             GetArchiveStatistics(options_, OpenDatebook(options_).Get());
         return std::to_string(statistics.count) + " " + std::to_string(statistics.bytes);
       }},
  };
  for (const auto& reader : readers) {
    data_->Faults().Clear();
    const std::string expected = reader.run();
    CrashInCategory();
    EXPECT_EQ(reader.run(), expected) << reader.operation;
    EXPECT_GT(data_->Faults().MatchedCalls("get_Category"), 0) << reader.operation;
  }
  // The handler chain is whole again: an ordinary host failure still throws.
  data_->Faults().Clear();
  FailOnce("get_Description");
  EXPECT_THROW(ComputeCountLine(options_), ComError);
}

}  // namespace
}  // namespace tavir::test_support
