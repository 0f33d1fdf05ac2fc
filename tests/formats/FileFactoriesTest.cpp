// The writer factory decides once which names are calendars: the writer it
// makes, and the answer the command line and the export driver ask for, agree.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "formats/FileFactories.h"
#include "model/Options.h"
#include "support/ScratchDirectory.h"

namespace tavir {
namespace {

using test_support::ReadFileBytes;
using test_support::ScratchDirectory;

TEST(FileFactories, CalendarNamesGetTheCalendarWriterAndNoOtherNameDoes) {
  const struct {
    const char* name;
    bool calendar;
    const char* startsWith;
  } cases[] = {
      {"a.ics", true, "BEGIN:VCALENDAR\r\nVERSION:2.0"},
      {"b.VCS", true, "BEGIN:VCALENDAR\r\nVERSION:1.0"},
      {"c.ICS", true, "BEGIN:VCALENDAR\r\nVERSION:2.0"},
      {"d.csv", false, ""},
      {"e.ics.txt", false, ""},
      {"fics", false, ""},
  };
  ScratchDirectory folder("tavir-factories");
  Options options;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsCalendarFileName(c.name), c.calendar);
    const std::string path = folder.PathOf(c.name);
    std::unique_ptr<AppointmentFile> writer = CreateWriter(path, options);
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->AsCalendar() != nullptr, c.calendar);
    writer->Finish();
    EXPECT_EQ(ReadFileBytes(path).rfind(c.startsWith, 0), 0u);
  }
}

}  // namespace
}  // namespace tavir
