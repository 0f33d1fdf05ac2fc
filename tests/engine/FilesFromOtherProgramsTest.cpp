// CSV files as other programs write them (tests/data/other-*.csv): what each
// imports, and what the user is told.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/ImportDriver.h"
#include "host/Transfer.h"

namespace tavir::test_support {
namespace {

class FilesFromOtherPrograms : public EngineFixture {};

TEST_F(FilesFromOtherPrograms, ImportAsTheUserMeantThem) {
  const std::string mueller = WideToAnsi(OLESTR("M\u00FCller"));
  const std::string note1252 = WideToAnsi(OLESTR("Caf\u00E9 5 \u20AC"));
  const struct {
    const char* file;
    std::vector<std::string> texts;
    std::string firstNote;
    int linesReadAs1252;  // under a UTF-8 code page
    const char* message;  // the start of the one message shown, if any
  } cases[] = {
      {"other-lf-only.csv", {"Meeting", "Lunch"}, "Bring\r\nslides", 0, nullptr},
      {"other-cr-only.csv", {"Meeting", "Lunch"}, "", 0, nullptr},
      {"other-windows-1252.csv", {mueller, "Plain"}, note1252, 1, nullptr},
      {"other-blank-line.csv", {"Before"}, "", 0, "The import ended at line 3 of "},
      {"other-long-note.csv",
       {"Long", "Next"},
       std::string(kNoteLimitBytes, 'n'),
       0,
       "Notes longer than 32768 bytes were cut to that length: Palm Desktop keeps no more.\n1 in "
       "all"},
      {"other-bom.csv", {mueller, "Second"}, "", 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    for (const auto& appointment : ActiveAppointments())
      data_->Delete(*appointment);
    const std::size_t before = shell_.Messages().size();
    ImportSummary summary;
    ASSERT_EQ(ImportFile(std::string(TAVIR_TEST_DATA) + "/" + c.file, options_, nullptr, &summary),
              0);
    std::vector<std::string> texts;
    for (const auto& appointment : ActiveAppointments())
      texts.push_back(WideToAnsi(appointment->description));
    EXPECT_EQ(texts, c.texts);
    ASSERT_FALSE(ActiveAppointments().empty());
    EXPECT_EQ(WideToAnsi(ActiveAppointments()[0]->note), c.firstNote);
    EXPECT_EQ(summary.faulty, 0);
    EXPECT_EQ(summary.linesReadAsWindows1252, AnsiCodePageIsUtf8() ? c.linesReadAs1252 : 0);
    ASSERT_EQ(shell_.Messages().size(), before + (c.message ? 1 : 0));
    if (c.message) {
      EXPECT_EQ(shell_.Messages().back().text.rfind(c.message, 0), 0u);
    }
  }
}

// The user's word overrides what the file seems to be.
TEST_F(FilesFromOtherPrograms, TheChosenEncodingIsTaken) {
  options_.importencoding = "utf-8";
  ImportSummary summary;
  ASSERT_EQ(ImportFile(std::string(TAVIR_TEST_DATA) + "/other-windows-1252.csv", options_, nullptr,
                       &summary),
            0);
  EXPECT_EQ(summary.linesReadAsWindows1252, 0);
  ASSERT_EQ(ActiveAppointments().size(), 2u);
  // Not UTF-8, taken as such: the byte that is no character becomes U+FFFD
  // (or what the ANSI code page has for it).
  EXPECT_EQ(ActiveAppointments()[0]->description,
            AnsiToWide(WideToAnsi(WideString(OLESTR("M\uFFFDller")))));
}

}  // namespace
}  // namespace tavir::test_support
