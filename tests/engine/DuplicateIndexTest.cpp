// The import's duplicate index must answer exactly as a pass over the whole
// Datebook with IsSameAppointment does, also after appointments change.
#include <random>

#include <gtest/gtest.h>

#include "engine/DuplicateIndex.h"
#include "engine/EngineFixture.h"
#include "engine/ImportDriver.h"

namespace tavir::test_support {
namespace {

class DuplicateIndexTest : public EngineFixture {
 protected:
  std::mt19937 random_{20051110};

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  // Values drawn from small pools so that near-duplicates are common.
  void Randomize(AppointmentRecord& record) {
    static const char* const texts[] = {"Lunch", " Lunch", "Lunch ", "lunch", "Meeting"};
    static const char* const notes[] = {"", "note", "note\r\n"};
    record.text = texts[Pick(5)];
    record.note = notes[Pick(3)];
    record.location = Pick(4) == 0 ? "Room 1" : "";
    record.category = Pick(2) ? "Work" : "Home";
    record.untimed = Pick(3) == 0;
    record.date = LocalMidnight(2005, 11, 1 + Pick(3));
    record.startTime = BuildLocal(2005, 11, 1, 9 + Pick(2), 0, 0);
    record.endTime = record.startTime + 3600 * (1 + Pick(2));
    record.isPrivate = Pick(4) == 0;
    record.alarm = Pick(3) == 0;
    record.alarmAmount = Pick(2) * 15;
    record.alarmUnit = 0;
    record.repeat = Pick(3) == 0;
    record.repeatType = 1 + Pick(2);
    record.repeatInterval = 1 + Pick(2);
    record.weekDays = record.repeatType == Weekly ? 2 : 0;
  }
};

TEST_F(DuplicateIndexTest, AnswersAsTheFullScanForRandomDatebooksAndRecords) {
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  for (int i = 0; i < 100; ++i) {
    AppointmentRecord record(options_);
    Randomize(record);
    ComPtr<IDesktopAppointment> created;
    ASSERT_EQ(AddToHost(record, datebook.Get(), created), FieldResult::Ok);
  }
  DuplicateIndex index(options_);
  index.Build(datebook.Get());
  int duplicates = 0;
  for (int i = 0; i < 250; ++i) {
    AppointmentRecord imported(options_);
    Randomize(imported);
    const bool expected = IsDuplicate(options_, datebook.Get(), imported);
    ASSERT_EQ(index.Contains(imported), expected)
        << "record " << i << ": " << imported.GetDisplayText();
    duplicates += expected;
    if (i % 7 == 0) {
      // Rewrite an existing appointment and keep the index current.
      ComPtr<IDesktopAppointment> existing = HostAppointment(datebook.Get(), 1 + Pick(100));
      ASSERT_EQ(UpdateHost(imported, datebook.Get(), existing.Get()), FieldResult::Ok);
      index.Refresh(existing.Get());
    }
  }
  // The pools are small on purpose: both answers occur often.
  EXPECT_GT(duplicates, 10);
  EXPECT_LT(duplicates, 230);
}

}  // namespace
}  // namespace tavir::test_support
