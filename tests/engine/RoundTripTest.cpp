// Files the program writes, read back by its own import.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/ExportDriver.h"
#include "engine/ImportDriver.h"

namespace tavir::testing {
namespace {

class RoundTripTest : public EngineFixture {};

// Each occurrence of a simple export keeps "x" in "Repeat" without a rule:
// it comes back as a single appointment, and a second import finds them all.
TEST_F(RoundTripTest, ASimpleExportImportsAsSinglesAndASecondTimeAddsNothing) {
  AddRepeating(2005, 11, 7, 9, "Team call", RepeatRule{Weekly, 1, 0, 2 | 8});
  AddTimed(2005, 11, 9, 14, 0, 30, "Dentist");
  const std::string path = PathOf("simple.csv");
  const int written =
      ExportSimple(path, options_.GetSpanStart(), options_.GetSpanEnd(), options_, nullptr);
  ASSERT_EQ(written, 11);  // 10 calls from 11/7 to 12/7, and the dentist
  for (const auto& appointment : ActiveAppointments())
    data_->Delete(*appointment);

  for (const bool full : {false, true}) {
    SCOPED_TRACE(full ? "full format options" : "simple format options");
    options_.fullformat = full;
    ImportSummary first, second;
    ASSERT_EQ(ImportFile(path, options_, nullptr, &first), 0);
    ASSERT_EQ(ImportFile(path, options_, nullptr, &second), 0);
    EXPECT_EQ(first.added, full ? 0 : written);
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.duplicates, written);
    EXPECT_EQ(first.faulty + second.faulty, 0);
    EXPECT_EQ(CountActive(), written);
    for (const auto& appointment : ActiveAppointments())
      EXPECT_FALSE(appointment->Repeats());
  }
  EXPECT_TRUE(shell_.Messages().empty());
}

}  // namespace
}  // namespace tavir::testing
