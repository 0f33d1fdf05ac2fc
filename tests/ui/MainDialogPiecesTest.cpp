// What the main dialog and its about box compute: the file-type lists, the
// preselection, the completion of a typed name, the link's fallback chain
// and texts, the help texts and the remove-all question.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/FileTypes.h"
#include "ui/HelpTexts.h"
#include "ui/LinkOpening.h"
#include "ui/MainDialogTexts.h"

namespace tavir {
namespace {

const char kExcel[] = "MS Excel 97/2000 (*.xls)|*.xls|";
const char kCsv[] = "Comma Separated Values (*.csv)|*.csv|";
const char kVcs[] = "vCalendar (*.vcs)|*.vcs|";
const char kIcs[] = "iCalendar (*.ics)|*.ics|";
const char kAll[] = "All Files (*.*)|*.*|";

TEST(FileTypes, ListsFollowExcelAndTheFormat) {
  const std::string s;
  EXPECT_EQ(ImportFileTypes(true), s + kExcel + kCsv + kAll + "|");
  EXPECT_EQ(ImportFileTypes(false), s + kCsv + kAll + "|");
  EXPECT_EQ(ExportFileTypes(true, false), s + kExcel + kCsv + kVcs + kIcs);
  EXPECT_EQ(ExportFileTypes(false, true), s + kCsv + kIcs);
}

TEST(FileTypes, PreselectionWalksThePatterns) {
  const std::string exportAll = ExportFileTypes(true, false), importAll = ImportFileTypes(true);
  const std::string exportBare = ExportFileTypes(false, false), importBare = ImportFileTypes(false);
  std::string eleven;
  for (int i = 0; i < 11; ++i)
    eleven += "T|*.t" + std::to_string(10 + i) + "|";
  struct Case {
    const char* lastFile;
    const std::string& list;
    int entry;
  } cases[] = {
      {"", exportAll, 1},
      {"a.b", exportAll, 1},
      {"C:\\dates", exportAll, 1},
      {"C:\\d\\x.ICS", exportAll, 4},
      {"C:\\d\\x.ICS", importAll, 3},
      {"x.csv", importAll, 2},
      {"x.xls", exportBare, 3},
      {"x.xls", importBare, 2},
      {"x.Vcs", exportBare, 2},
      {"x.t19", eleven, 10},
      {"x.t20", eleven, 1},
      {"dir.x\\name", exportAll, 4},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PreselectFileType(c.lastFile, c.list), c.entry) << c.lastFile;
}

TEST(FileTypes, EntriesAndTheDialogForm) {
  const std::string list = ExportFileTypes(true, true);
  EXPECT_EQ(FileTypePattern(list, 2), "*.csv");
  EXPECT_EQ(FileTypeDescription(list, 3), "iCalendar (*.ics)");
  EXPECT_EQ(FileTypePattern(list, 4), "");
  EXPECT_EQ(FileTypePattern(list, 0), "");
  EXPECT_EQ(NulSeparated("A|*.a|"), std::string("A\0*.a\0\0", 7));
  EXPECT_EQ(NulSeparated("A|*.a||"), std::string("A\0*.a\0\0\0", 8));
}

TEST(FileTypes, TypedNameGetsTheChosenExtension) {
  struct Case {
    const char* path;
    const char* pattern;
    const char* result;
  } cases[] = {
      {"C:\\t\\dates", "*.csv", "C:\\t\\dates.csv"},
      {"C:\\t\\dates.txt", "*.csv", "C:\\t\\dates.txt"},
      {"C:\\t\\dates", "*.*", "C:\\t\\dates"},
      {"C:\\t.d\\dates", "*.ics", "C:\\t.d\\dates.ics"},
      {"C:\\t\\dates.", "*.xls", "C:\\t\\dates.xls"},
      {"C:\\t\\dates", "", "C:\\t\\dates"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CompleteExportPath(c.path, c.pattern), c.result) << c.path;
}

// The system as a script: the shell's code, the ".htm" command, the code
// of running it; records what was run and reported.
class ScriptedLinkSystem : public LinkSystem {
 public:
  ScriptedLinkSystem(int shellCode, std::optional<std::string> command, int commandCode)
      : shellCode_(shellCode), command_(std::move(command)), commandCode_(commandCode) {}
  int OpenWithShell(const std::string& address) override {
    opened = address;
    return shellCode_;
  }
  std::optional<std::string> HtmlOpenCommand() override { return command_; }
  int RunCommand(const std::string& commandLine) override {
    ran = commandLine;
    return commandCode_;
  }
  void ReportFailure(const std::string& text) override { reported = text; }

  std::string opened, ran, reported;

 private:
  int shellCode_;
  std::optional<std::string> command_;
  int commandCode_;
};

TEST(LinkOpening, FallsBackToTheHtmlCommandThenReports) {
  const std::string address = "http://www.quelmar.example/tavir";
  struct Case {
    int shellCode;
    std::optional<std::string> command;
    int commandCode;
    bool opened;
    const char* ran;
    const char* reported;
  } cases[] = {
      {42, "browser.exe %1", 42, true, "", ""},
      {31, "\"C:\\b.exe\" -nohome \"%1\"", 33, true,
       "\"C:\\b.exe\" -nohome  http://www.quelmar.example/tavir", ""},
      {2, "b.exe", 42, true, "b.exe http://www.quelmar.example/tavir", ""},
      {31, std::nullopt, 0, false, "",
       "Can't open link:\n\nThere is no application associated\nwith the given filename "
       "extension."},
      {31, "b.exe %1", 2, false, "b.exe  http://www.quelmar.example/tavir",
       "Can't open link:\n\nThe specified file was not found."},
  };
  for (const Case& c : cases) {
    ScriptedLinkSystem system(c.shellCode, c.command, c.commandCode);
    EXPECT_EQ(OpenLink(address, system), c.opened) << c.shellCode;
    EXPECT_EQ(system.opened, address);
    EXPECT_EQ(system.ran, c.ran);
    EXPECT_EQ(system.reported, c.reported);
  }
}

TEST(LinkOpening, EachCodeHasItsReason) {
  const std::vector<std::pair<int, std::string>> reasons = {
      {0, "The operating system is out\nof memory or resources."},
      {2, "The specified file was not found."},
      {32, "The specified dynamic-link library was not found."},
      {1, "Unknown Error (1) occurred."},
      {-5, "Unknown Error (-5) occurred."},
  };
  for (const auto& [code, reason] : reasons)
    EXPECT_EQ(LinkFailureText(code), "Can't open link:\n\n" + reason) << code;
}

TEST(MainDialogTexts, HelpForEveryContextControlAndTheQuestion) {
  for (int control : {1008, 1009, 1016, 1005, 1006, 1031, 1030, 1034, 1035, 1029, 1038, 1040, 1021,
                      1041, 304, 302, 303})
    EXPECT_FALSE(ControlHelpText(control).empty()) << control;
  EXPECT_EQ(ControlHelpText(1000), "");
  EXPECT_EQ(RemoveAllQuestion(3, "Ann Lee"),
            "This will remove 3 appointments for user Ann Lee.\nContinue?");
  EXPECT_EQ(ReadErrorText("Access is denied."), "Error reading file\nAccess is denied.");
}

}  // namespace
}  // namespace tavir
