// `tavir` as people first meet it: the help and the version, mistyped
// commands and datebook paths, files the import does not read, settings out
// of range or changed by two runs at once, and imports run without a terminal.
#include <gtest/gtest.h>

#include "cli/TavirProcess.h"

namespace tavir::test_support {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(TavirHelp, AnswersHelpVersionAndMistypedCommands) {
  TavirWorkspace workspace;
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;  // parts each must contain
  } cases[] = {
      {{"--help"}, 0, "Exit status:\n  0  done", ""},
      {{"--version"}, 0, "tavir 2.3.0\n", ""},
      {{"--datebook", "x", "export", "--help"}, 0, "Usage: tavir [OPTIONS] export FILE", ""},
      {{"import", "-h"}, 0, "--ignore-errors", ""},
      {{"bogus"}, 2, "", "unknown command \"bogus\". The commands are: import, export, count"},
      {{"map", "--help"}, 2, "", "unknown command \"map\""},
      {{}, 2, "", "no command given"},
      {{"export"}, 2, "", "FILE"},
  };
  for (const auto& c : cases) {
    const ProcessResult result = workspace.RunPlain(c.args);
    EXPECT_EQ(result.status, c.status) << c.args.size() << result.err;
    EXPECT_TRUE(Contains(result.out, c.out)) << result.out;
    EXPECT_TRUE(Contains(result.err, c.err)) << result.err;
  }
  const std::string help = workspace.RunPlain({"--help"}).out;
  for (const char* name : {"TAVIR_DATEBOOK", "TAVIR_REGISTRY", "TAVIR_LOCALE", "TAVIR_NOW", "TZ",
                           "LC_ALL", "without one", "--yes answers OK", "Exit status:"})
    EXPECT_TRUE(Contains(help, name)) << name;
  // The README's command reference is the help's list of commands, as it is.
  const std::size_t from = help.find("Commands:\n") + 10;
  const std::string commands = help.substr(from, help.find("\n\n", from) + 1 - from);
  EXPECT_TRUE(Contains(TavirWorkspace::Read(TAVIR_README), "  ```sh\n" + commands + "  ```\n"))
      << commands;
  // The build turns the help into the man page.
  const std::string page = TavirWorkspace::Read(TAVIR_MAN_PAGE);
  for (const char* part : {".SH ENVIRONMENT", "TAVIR_DATEBOOK", "tavir 2.3.0", "Exit status"})
    EXPECT_TRUE(Contains(page, part)) << part;
}

TEST(TavirDatebook, OnlyCommandsThatAddDataCreateOne) {
  TavirWorkspace workspace;
  workspace.Write("mine.csv", "my own export\n");
  const struct {
    std::vector<std::string> args;
  } refused[] = {
      {{"count"}},           {{"list"}}, {{"export", workspace.Path("mine.csv")}}, {{"archive"}},
      {{"--yes", "remove"}}, {{"user"}}};
  for (const auto& c : refused) {
    const ProcessResult result = workspace.Run(c.args);
    EXPECT_EQ(result.status, 1) << c.args[0];
    EXPECT_EQ(result.err, "No datebook exists at " + workspace.Datebook() +
                              ". Only import and user NAME create one; check --datebook and "
                              "TAVIR_DATEBOOK.\n");
  }
  EXPECT_FALSE(std::filesystem::exists(workspace.Datebook()));
  EXPECT_EQ(TavirWorkspace::Read(workspace.Path("mine.csv")), "my own export\n");

  // A missing folder is reported under the datebook's own name.
  const std::string typo = workspace.Path("typo/datebook.sqlite");
  const ProcessResult folder = workspace.RunPlain({"--datebook", typo, "user", "Jane"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(folder.err, "Cannot create the datebook " + typo + ": the folder " +
                            workspace.Path("typo") + " does not exist.\n");

  EXPECT_EQ(workspace.Run({"user", "Jane"}).status, 0);
  EXPECT_EQ(workspace.Run({"count"}).out, "0 appointments\n");
}

TEST(TavirImport, FilesItDoesNotReadAreNamedAndRefused) {
  TavirWorkspace workspace;
  workspace.Write("cal.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n");
  workspace.Write("cal.vcs", "BEGIN:VCALENDAR\r\nVERSION:1.0\r\n");
  workspace.Write("cal.csv", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n");
  workspace.Write("book.xlsx", std::string("PK\x03\x04\x14\0\0\0", 8));
  workspace.Write("renamed.xls", std::string("PK\x03\x04\x14\0\0\0", 8));
  workspace.Write("utf16.csv", std::string("\xFF\xFE\"\0D\0", 6));
  const struct {
    const char* name;
    const char* reason;
  } cases[] = {
      {"cal.ics", "is a calendar file"},
      {"cal.vcs", "is a calendar file"},
      {"cal.csv", "is a calendar file"},
      {"book.xlsx", "Save it as \"Excel 97-2003 Workbook (*.xls)\" or as CSV"},
      {"renamed.xls", "is a workbook in a newer format"},
      {"utf16.csv", "holds NUL bytes"},
      {"missing.csv", ": No such file or directory"},
  };
  for (const auto& c : cases) {
    const ProcessResult result = workspace.Run({"import", workspace.Path(c.name)});
    EXPECT_EQ(result.status, 1) << c.name;
    EXPECT_EQ(result.err.rfind("Error reading file\n" + workspace.Path(c.name), 0), 0u)
        << result.err;
    EXPECT_TRUE(Contains(result.err, c.reason)) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(workspace.Datebook()));
}

TEST(TavirSettings, CheckedAsTheDialogDoesAndWithinTheDatebookRange) {
  TavirWorkspace workspace;  // today is 2005-11-10; 2031-12-31 is 9547 days ahead
  const struct {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"options", "daysahead", "9547"}, 0},
      {{"options", "daysahead", "9548"}, 2},
      {{"options", "daysahead", "-1"}, 2},
      {{"options", "daysback", "0"}, 0},
      {{"options", "daysback", "13096"}, 0},
      {{"options", "daysback", "13097"}, 2},
      {{"options", "separator", ";"}, 0},
      {{"options", "quote", ";"}, 2},
      {{"options", "quote", ""}, 0},
      {{"options", "separator", ""}, 2},
      {{"options", "defaultapptlength", "999"}, 0},
      {{"options", "nosuchoption"}, 2},
      {{"options", "exceptiondateseparator", ";;"}, 2},
      {{"mapping", "simple"}, 2},
      {{"mapping", "repeat"}, 2},
      {{"user", " "}, 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(workspace.Run(c.args).status, c.status) << c.args[1] << " " << c.args.back();
  EXPECT_EQ(workspace.Run({"options", "daysahead"}).out, "9547\n");
}

// Each run reads, changes and writes the settings under one lock.
TEST(TavirSettings, ConcurrentChangesOfDifferentSettingsAreBothKept) {
  TavirWorkspace workspace;
  for (int round = 1; round <= 5; ++round) {
    SCOPED_TRACE(round);
    const std::string ahead = std::to_string(70 + round), back = std::to_string(80 + round);
    int secondStatus = -1;
    const ProcessResult first = workspace.Run({"options", "daysahead", ahead}, "", [&](pid_t) {
      secondStatus = workspace.Run({"options", "daysback", back}).status;
    });
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(secondStatus, 0);
    EXPECT_EQ(workspace.Run({"options", "daysahead"}).out, ahead + "\n");
    EXPECT_EQ(workspace.Run({"options", "daysback"}).out, back + "\n");
  }
}

TEST(TavirImport, WithoutATerminalFaultyRecordsStopUnlessTheUserSaidOtherwise) {
  const std::string header =
      "\"Date\",\"Untimed\",\"Start Time\",\"End Time\",\"Private\",\"Text\"\r\n";
  const std::string good = "\"11/1/2005\",\"\",\"9:00 AM\",\"10:00 AM\",\"\",\"Good\"\r\n";
  const std::string faulty = "\"11/2/2005\",\"\",\"nine\",\"10:00 AM\",\"\",\"Bad\"\r\n";
  const std::string later = "\"11/3/2005\",\"\",\"9:00 AM\",\"10:00 AM\",\"\",\"Later\"\r\n";
  const struct {
    std::vector<std::string> args;  // the file's path follows
    std::string content;
    int status;
    std::string summary;
  } cases[] = {
      {{"import"},
       header + good + faulty + later,
       1,
       "Added 1, updated 0, skipped 0 duplicates and 1 faulty records (stopped)"},
      {{"--yes", "import"},
       header + good + faulty + later,
       0,
       "Added 2, updated 0, skipped 0 duplicates and 1 faulty records\n"},
      {{"import", "--ignore-errors"},
       header + good + faulty + later,
       1,
       "Added 2, updated 0, skipped 0 duplicates and 1 faulty records\n"},
      {{"import", "--ignore-errors"},
       header + good,
       0,
       "Added 1, updated 0, skipped 0 duplicates and 0 faulty records\n"},
  };
  for (const auto& c : cases) {
    TavirWorkspace workspace;
    workspace.Write("in.csv", c.content);
    std::vector<std::string> args = c.args;
    args.push_back(workspace.Path("in.csv"));
    const ProcessResult result = workspace.Run(args);
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_TRUE(Contains(result.out, c.summary)) << result.out;
    if (c.args.size() == 1) {
      EXPECT_TRUE(Contains(result.err, "Expected e.g. \"4:42 PM\"\n(regional settings)\n"))
          << result.err;
    }
    // --ignore-errors holds for its run only.
    EXPECT_EQ(workspace.Run({"options", "ignoreimporterrors"}).out, "0\n");
  }
}

}  // namespace
}  // namespace tavir::test_support
