// Files the program writes, read back by its own import.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/ExportDriver.h"
#include "engine/ImportDriver.h"

namespace tavir::test_support {
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

// Record ids start at 1 in every datebook: Bob's calendar file must not
// replace Alice's events, and a new export must update, not duplicate.
TEST_F(RoundTripTest, CalendarUidsDifferBetweenUsersAndStayAcrossExports) {
  auto uidsOf = [&](const std::shared_ptr<DatebookData>& datebook, const std::string& name) {
    Options options;
    options.host = ComPtr<IUnknown>(CreateDesktopApplication(datebook).Get());
    EXPECT_EQ(ExportFull(PathOf(name), options, nullptr), 2);
    std::vector<std::string> uids;
    for (const std::string& line : Lines(ReadFile(PathOf(name))))
      if (line.starts_with("UID:"))
        uids.push_back(line);
    return uids;
  };
  auto bob = std::make_shared<DatebookData>(AnsiToWide("Bob"));
  for (const auto& datebook : {data_, bob}) {
    AppointmentData appointment;
    appointment.start = BuildLocal(2005, 11, 14, 9, 0, 0);
    appointment.end = appointment.start + 3600;
    datebook->Add(appointment);
    datebook->Add(appointment);
  }
  const auto alice = uidsOf(data_, "alice.ics");
  ASSERT_EQ(alice.size(), 2u);
  EXPECT_NE(alice[0], alice[1]);
  EXPECT_EQ(uidsOf(data_, "again.ics"), alice);
  const auto bobs = uidsOf(bob, "bob.ics");
  ASSERT_EQ(bobs.size(), 2u);
  EXPECT_NE(bobs[0], alice[0]);
  EXPECT_NE(bobs[1], alice[1]);
}

}  // namespace
}  // namespace tavir::test_support
