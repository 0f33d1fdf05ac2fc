// The `tavir` program end to end, as a user runs it: import, export to every
// format, re-import, updates by record id, filters, archive, remove, the
// settings commands, Ctrl-C, and bad input of every kind.
#include <gtest/gtest.h>

#include "cli/TavirProcess.h"
#include "desktop/store/DatebookStore.h"
#include "platform/LocalTime.h"
#include "support/CsvLines.h"

namespace tavir::test_support {
namespace {

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

class TavirCommandsTest : public ::testing::Test {
 protected:
  TavirWorkspace workspace_;

  void ImportSample() {
    const ProcessResult result = workspace_.Run({"import", TAVIR_SAMPLE});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_NE(result.out.find("Added 50,"), std::string::npos) << result.out;
  }
};

// Each export of the sample imports again as nothing but duplicates, and a
// fresh datebook from the workbook exports the same CSV as the original.
TEST_F(TavirCommandsTest, SampleExportsToEveryFormatAndImportsAgainWithoutDuplicates) {
  ImportSample();
  EXPECT_EQ(workspace_.Run({"count"}).out, "50 appointments\n");
  for (const char* name : {"out.csv", "out.ics", "out.xls"}) {
    const ProcessResult result = workspace_.Run({"export", workspace_.Path(name)});
    EXPECT_EQ(result.status, 0) << name << ": " << result.err;
    EXPECT_NE(result.out.find("Wrote 50 appointments"), std::string::npos) << result.out;
  }
  EXPECT_EQ(CountOf(TavirWorkspace::Read(workspace_.Path("out.csv")), "\r\n\""), 50);
  EXPECT_EQ(CountOf(TavirWorkspace::Read(workspace_.Path("out.ics")), "BEGIN:VEVENT"), 50);
  for (const char* name : {"out.csv", "out.xls"}) {
    const ProcessResult result = workspace_.Run({"import", workspace_.Path(name)});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Added 0, updated 0, skipped 50 duplicates"), std::string::npos)
        << name << ": " << result.out;
  }
  TavirWorkspace other;
  ASSERT_EQ(other.Run({"import", workspace_.Path("out.xls")}).status, 0);
  ASSERT_EQ(other.Run({"export", other.Path("from-excel.csv")}).status, 0);
  EXPECT_EQ(TavirWorkspace::Read(other.Path("from-excel.csv")),
            TavirWorkspace::Read(workspace_.Path("out.csv")));
  // The calendar of single occurrences needs the simple format.
  ASSERT_EQ(workspace_.Run({"options", "fullformat", "0"}).status, 0);
  const ProcessResult vcs = workspace_.Run({"export", workspace_.Path("out.vcs")});
  EXPECT_EQ(vcs.status, 0) << vcs.err;
  EXPECT_NE(TavirWorkspace::Read(workspace_.Path("out.vcs")).find("VERSION:1.0\r\n"),
            std::string::npos);
}

// What German Excel saves, under a UTF-8 locale: read as Windows-1252, and
// said so; --encoding chooses, and only names it knows.
TEST_F(TavirCommandsTest, AFileThatIsNotUtf8IsReadAsWindows1252AndTheImportSaysSo) {
  const std::string file = std::string(TAVIR_TEST_DATA) + "/other-windows-1252.csv";
  const ProcessResult guessed = workspace_.Run({"import", file});
  EXPECT_EQ(guessed.status, 0) << guessed.err;
  EXPECT_NE(guessed.out.find(file + " is not UTF-8: read 1 line as Windows-1252"),
            std::string::npos)
      << guessed.out;
  EXPECT_NE(workspace_.Run({"list"}).out.find("M\xC3\xBCller"), std::string::npos);
  TavirWorkspace other;
  const ProcessResult chosen = other.Run({"import", "--encoding", "Windows-1252", file});
  EXPECT_EQ(chosen.status, 0) << chosen.err;
  EXPECT_EQ(chosen.out.find("is not UTF-8"), std::string::npos) << chosen.out;
  EXPECT_EQ(other.Run({"import", "--encoding", "latin9", file}).status, 2);
}

TEST_F(TavirCommandsTest, RecordIdColumnUpdatesAppointmentsInPlace) {
  workspace_.Write("one.csv", kSimpleHeader + SimpleLine("11/1/2005", "Dentist"));
  ASSERT_EQ(workspace_.Run({"import", workspace_.Path("one.csv")}).status, 0);
  ASSERT_EQ(workspace_.Run({"mapping", "add", "Record ID"}).status, 0);
  ASSERT_EQ(workspace_.Run({"export", workspace_.Path("ids.csv")}).status, 0);
  std::string exported = TavirWorkspace::Read(workspace_.Path("ids.csv"));
  const std::size_t at = exported.find("Dentist");
  ASSERT_NE(at, std::string::npos);
  exported.replace(at, 7, "Dentist (moved)");
  workspace_.Write("ids.csv", exported);
  const ProcessResult result = workspace_.Run({"import", workspace_.Path("ids.csv")});
  EXPECT_NE(result.out.find("Added 0, updated 1"), std::string::npos) << result.out;
  const std::string list = workspace_.Run({"list"}).out;
  EXPECT_NE(list.find("Dentist (moved)"), std::string::npos) << list;
  EXPECT_EQ(CountOf(list, "\n"), 1);
}

TEST_F(TavirCommandsTest, FilterOptionsSelectWhatIsCountedAndExported) {
  workspace_.Write("mixed.csv", kSimpleHeader + SimpleLine("11/1/2005", "Lunch with Anna") +
                                    SimpleLine("11/2/2005", "Board meeting") +
                                    SimpleLine("11/3/2005", "LUNCH"));
  ASSERT_EQ(workspace_.Run({"import", workspace_.Path("mixed.csv")}).status, 0);
  ASSERT_EQ(workspace_.Run({"options", "dofilter", "1"}).status, 0);
  ASSERT_EQ(workspace_.Run({"options", "filtertype", "2"}).status, 0);
  ASSERT_EQ(workspace_.Run({"options", "filtertext", "lunch"}).status, 0);
  EXPECT_EQ(workspace_.Run({"count"}).out, "2 appointments\n");
  EXPECT_EQ(workspace_.Run({"options", "filtertext"}).out, "lunch\n");
  ASSERT_EQ(workspace_.Run({"options", "fullformat", "0"}).status, 0);
  EXPECT_EQ(workspace_.Run({"count"}).out, "2 appointments between 10/11/2005 and 12/10/2005\n");
}

TEST_F(TavirCommandsTest, ArchiveMarksOldAppointmentsAndReportsThem) {
  workspace_.Write("old.csv", kSimpleHeader + SimpleLine("1/10/2005", "Lunch") +
                                  SimpleLine("11/9/2005", "Recent"));
  ASSERT_EQ(workspace_.Run({"import", workspace_.Path("old.csv")}).status, 0);
  const ProcessResult result = workspace_.Run({"archive", "--to", "2005-06-30"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "2 appointments taking up 45 bytes.\n");
  EXPECT_NE(
      result.err.find(
          "Marked 1 appointment for archival.\nThe appointment will be archived at next HotSync."),
      std::string::npos)
      << result.err;
  EXPECT_EQ(workspace_.Run({"count"}).out, "1 appointments\n");
  const ProcessResult tooSmall = workspace_.Run({"archive", "--larger", "50"});
  EXPECT_EQ(tooSmall.status, 2);
  EXPECT_NE(tooSmall.err.find("between 100 and 9999"), std::string::npos);
}

TEST_F(TavirCommandsTest, RemoveAsksAndOnlyOkRemoves) {
  ImportSample();
  ProcessResult declined = workspace_.Run({"--no", "remove"});
  EXPECT_EQ(declined.status, 0);
  EXPECT_NE(declined.err.find("This will remove 50 appointments for user tester.\nContinue?"),
            std::string::npos)
      << declined.err;
  // Without --yes or --no and without a terminal, the answer is Cancel.
  EXPECT_EQ(workspace_.Run({"remove"}).out, "50 appointments\n");
  const ProcessResult accepted = workspace_.Run({"--yes", "remove"});
  EXPECT_NE(accepted.out.find("Removed 50 appointments"), std::string::npos) << accepted.out;
  EXPECT_EQ(workspace_.Run({"count"}).out, "0 appointments\n");
}

TEST_F(TavirCommandsTest, DataDirectoryDatebookAndSettingsAreMadeOnFirstUse) {
  ASSERT_EQ(workspace_.RunPlain({"options", "daysback", "7"}).status, 0);
  ASSERT_EQ(workspace_.RunPlain({"import", TAVIR_SAMPLE}).status, 0);
  EXPECT_EQ(workspace_.RunPlain({"user"}).out, "tester\n");
  EXPECT_TRUE(std::filesystem::exists(workspace_.Path(".local/share/tavir/datebook.sqlite")));
  EXPECT_EQ(workspace_.RunPlain({"options", "daysback"}).out, "7\n");
}

TEST_F(TavirCommandsTest, SettingsCommandsShowAndCheckValues) {
  EXPECT_EQ(workspace_.Run({"options", "defaultapptlength"}).out, "60\n");
  const ProcessResult bad = workspace_.Run({"options", "defaultapptlength", "0"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "Please enter an integer between 1 and 999.\n");
  EXPECT_EQ(workspace_.Run({"user", "Jane Doe"}).status, 0);
  EXPECT_EQ(workspace_.Run({"user"}).out, "Jane Doe\n");
  const std::string example = workspace_.Run({"example"}).out;
  EXPECT_EQ(example.substr(0, 7), "\"Date\",");
  EXPECT_NE(example.find("Sample Appointment Title"), std::string::npos);
  ASSERT_EQ(workspace_.Run({"mapping", "simple", "Date", "Text", "(Ignored)", "(Ignored)"}).status,
            0);
  ASSERT_EQ(workspace_.Run({"mapping", "delete", "3"}).status, 0);
  const std::string mapping = workspace_.Run({"mapping"}).out;
  EXPECT_EQ(mapping.substr(0, mapping.find("Repeat Event Fields:")),
            "Simple Fields:\n  1. Date\n  2. Text\n  3. (Ignored)\n");
  EXPECT_EQ(workspace_.Run({"mapping", "add", "Date"}).status, 2);
}

// The largest file in the folder whose name starts with prefix; empty if none.
std::string BiggestFileLike(const std::string& folder, const std::string& prefix) {
  std::string biggest;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().filename().string().rfind(prefix, 0) == 0)
      biggest = entry.path().string();
  }
  return biggest;
}

TEST_F(TavirCommandsTest, ExportTargetsAreFollowedWrittenInPlaceOrRefused) {
  ImportSample();
  const std::string datebook = TavirWorkspace::Read(workspace_.Datebook());
  ASSERT_EQ(workspace_.Run({"options", "fullformat", "1"}).status, 0);
  std::filesystem::create_symlink("real.csv", workspace_.Path("link.csv"));
  std::filesystem::create_symlink(workspace_.Datebook(), workspace_.Path("datebook-link"));
  std::filesystem::create_directory(workspace_.Path("folder"));
  const struct {
    const char* what;
    std::string target;
    int status;
    const char* out;  // part of standard output
    const char* err;  // part of standard error; "" for none at all
  } cases[] = {
      {"a link is followed", workspace_.Path("link.csv"), 0, "Wrote 50 appointments", ""},
      {"standard output", "-", 0, "\"Date\",", ""},
      {"the datebook", workspace_.Datebook(), 1, "", "is the datebook in use"},
      {"the datebook through a link", workspace_.Path("datebook-link"), 1, "", "datebook in use"},
      {"the settings file", workspace_.Registry(), 1, "", "is the settings file in use"},
      {"a folder", workspace_.Path("folder"), 1, "", "A folder cannot be replaced"},
      {"a device that is full", "/dev/full", 1, "failed part way", "Error writing file"},
      {"a missing folder", workspace_.Path("no/such/dir/x.csv"), 1, "", "Error writing file\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ProcessResult result = workspace_.Run({"export", c.target});
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_NE(result.out.find(c.out), std::string::npos) << result.out;
    if (*c.err == '\0')
      EXPECT_EQ(result.err.find("Error"), std::string::npos) << result.err;
    else
      EXPECT_EQ(CountOf(result.err, c.err), 1) << "once: " << result.err;
  }
  EXPECT_TRUE(std::filesystem::is_symlink(workspace_.Path("link.csv")));
  EXPECT_EQ(CountOf(TavirWorkspace::Read(workspace_.Path("real.csv")), "\r\n\""), 50);
  EXPECT_EQ(TavirWorkspace::Read(workspace_.Datebook()), datebook);
  // Still the settings (the exports changed only the last file's name).
  EXPECT_EQ(TavirWorkspace::Read(workspace_.Registry()).rfind("REGEDIT4\n", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(workspace_.Path("folder")));
}

TEST_F(TavirCommandsTest, InterruptedExportLeavesACompleteFileAndTheDatebookAsItWas) {
  {
    DatebookStore store(workspace_.Datebook(), OLESTR("tester"));
    std::shared_ptr<DatebookData> data = store.Load();
    for (int i = 0; i < 30000; ++i) {
      AppointmentData appointment;
      appointment.start = 1104573600 + i * 3600;
      appointment.end = appointment.start + 1800;
      appointment.description = OLESTR("Appointment");
      data->Add(appointment);
    }
    store.Commit(*data);
  }
  const std::string before = TavirWorkspace::Read(workspace_.Datebook());
  const std::string target = workspace_.Path("long.csv");
  const ProcessResult result = workspace_.Run({"export", target}, "", [&](pid_t pid) {
    // Interrupt once the export has written its first records.
    WaitOnFileEvents(workspace_.Path(""), IN_MODIFY, [&] {
      std::error_code error;
      // The export writes beside the target until it is complete.
      const std::string written = BiggestFileLike(workspace_.Path(""), "long.tavir-");
      return !written.empty() && std::filesystem::file_size(written, error) > 20000 && !error;
    });
    kill(pid, SIGINT);
  });
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_NE(result.out.find("(interrupted)"), std::string::npos) << result.out;
  const std::string written = TavirWorkspace::Read(target);
  ASSERT_GE(written.size(), 2u);
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  const int lines = CountOf(written, "\r\n");
  EXPECT_GT(lines, 1);
  EXPECT_LT(lines, 30001);
  // Every record is whole: 13 fields, 12 separators (the full header has 25).
  std::size_t start = written.find("\r\n") + 2;
  for (std::size_t end; (end = written.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = written.substr(start, end - start);
    ASSERT_EQ(CountOf(line, "\",\""), 12) << line;
  }
  EXPECT_EQ(TavirWorkspace::Read(workspace_.Datebook()), before);
}

// How far the process has read the file it has open under that name (Linux).
long ReadPosition(pid_t pid, const std::string& file) {
  std::error_code error;
  const std::string process = "/proc/" + std::to_string(pid);
  for (const auto& entry : std::filesystem::directory_iterator(process + "/fd", error)) {
    if (std::filesystem::read_symlink(entry.path(), error) != file)
      continue;
    std::ifstream info(process + "/fdinfo/" + entry.path().filename().string());
    std::string key;
    long position = 0;
    info >> key >> position;  // "pos: N" comes first
    return position;
  }
  return 0;
}

TEST_F(TavirCommandsTest, InterruptedImportSummaryCountsWhatTheDatebookHolds) {
  std::string csv = kSimpleHeader;
  for (int i = 0; i < 20000; ++i)
    csv += SimpleLine("11/10/2005", "Item " + std::to_string(i));
  workspace_.Write("long.csv", csv);
  const std::string source = workspace_.Path("long.csv");
  const ProcessResult result = workspace_.Run({"import", source}, "", [&](pid_t pid) {
    // Once the reader is past its first blocks, records have been stored.
    WaitOnFileEvents(source, IN_ACCESS, [&] { return ReadPosition(pid, source) >= 300000; });
    kill(pid, SIGINT);
  });
  EXPECT_EQ(result.status, 1) << result.err;
  ASSERT_NE(result.out.find("(stopped)"), std::string::npos) << result.out;
  const std::string count = workspace_.Run({"count"}).out;
  EXPECT_NE(count, "0 appointments\n");
  EXPECT_EQ(result.out.substr(result.out.find('\n') + 1), count);
}

TEST_F(TavirCommandsTest, BadImportFilesGiveAClearMessageAndLoseNothing) {
  ImportSample();
  const std::string datebook = TavirWorkspace::Read(workspace_.Datebook());

  const ProcessResult directory = workspace_.Run({"import", workspace_.Path("")});
  EXPECT_EQ(directory.status, 1) << directory.out;
  EXPECT_NE(directory.err.find("Error reading file"), std::string::npos) << directory.err;

  std::string binary(4096, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i)
    binary[i] = static_cast<char>((i * 7919) % 251);
  workspace_.Write("binary.csv", binary);
  const ProcessResult garbage = workspace_.Run({"import", workspace_.Path("binary.csv")});
  EXPECT_NE(garbage.status, 0);
  EXPECT_EQ(garbage.err.rfind("Error reading file\n", 0), 0u) << garbage.err;

  workspace_.Write("empty.csv", "");
  EXPECT_EQ(workspace_.Run({"import", workspace_.Path("empty.csv")}).status, 0);
  EXPECT_EQ(TavirWorkspace::Read(workspace_.Datebook()), datebook);
  EXPECT_EQ(workspace_.Run({"count"}).out, "50 appointments\n");
}

TEST_F(TavirCommandsTest, ForeignDatebookAndDamagedSettingsAreRefused) {
  workspace_.Write("datebook.sqlite", "This is a letter, not a datebook.\n");
  const ProcessResult foreign = workspace_.Run({"count"});
  EXPECT_EQ(foreign.status, 1);
  EXPECT_FALSE(foreign.err.empty());
  EXPECT_EQ(TavirWorkspace::Read(workspace_.Datebook()), "This is a letter, not a datebook.\n");
  std::filesystem::remove(workspace_.Datebook());

  const std::string damaged =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Quelmar\\TAVIR\\Options]\r\n\"fullformat\"="
      "nonsense\r\n";
  workspace_.Write("registry.reg", damaged);
  const ProcessResult settings = workspace_.Run({"options", "fullformat", "0"});
  EXPECT_EQ(settings.status, 1);
  EXPECT_NE(settings.err.find("registry.reg"), std::string::npos) << settings.err;
  EXPECT_EQ(TavirWorkspace::Read(workspace_.Registry()), damaged);
}

}  // namespace
}  // namespace tavir::test_support
