// Registry port, portable build: the settings file. A damaged file is
// reported and never changed; a write killed halfway leaves the old file;
// writers in several processes lose nothing; odd bytes keep the file text.
#include <gtest/gtest.h>

#if !defined(_WIN32)

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/ConfigurationError.h"
#include "platform/FaultInjector.h"
#include "platform/Registry.h"
#include "platform/posix/RegistryStore.h"
#include "support/Environment.h"
#include "support/ScratchRegistry.h"

namespace tavir {
namespace {

const std::string kKey = "Software\\Quelmar\\TAVIR\\Options";

class RegistryStoreTest : public ::testing::Test {
 protected:
  void TearDown() override { ProcessFaults().Clear(); }

  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string ReadFile() const {
    std::ifstream file(path_, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  // Files in the directory other than the store and its lock: leftovers.
  int StrayFiles() const {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory_)) {
      const std::string name = entry.path().filename().string();
      if (name != "registry.reg" && name != "registry.reg.lock") ++count;
    }
    return count;
  }

  test_support::ScratchRegistry registry_;
  const std::string path_ = registry_store::StorePath();
  const std::filesystem::path directory_ = std::filesystem::path(path_).parent_path();
};

TEST_F(RegistryStoreTest, FileIsRegeditTextThatKeepsOddBytesEscaped) {
  ASSERT_TRUE(RegSetString(kKey, "filtertext", "say \"hi\"\\ B\xFC\r\n\x01"));
  ASSERT_TRUE(RegSetDword(kKey, "daysahead", 10));
  EXPECT_EQ(ReadFile(),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quelmar\\TAVIR\\Options]\n"
            "\"filtertext\"=\"say \\\"hi\\\"\\\\ B\\xfc\\x0d\\x0a\\x01\"\n"
            "\"daysahead\"=dword:0000000a\n");
  EXPECT_EQ(RegGetString(kKey, "filtertext", ""), "say \"hi\"\\ B\xFC\r\n\x01");
  EXPECT_EQ(StrayFiles(), 0);
}

TEST_F(RegistryStoreTest, HandWrittenFileIsReadIncludingLocalMachineKeys) {
  WriteFile(
      "REGEDIT4\r\n\r\n; written by hand\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Office\\11.0]\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quelmar\\TAVIR\\Mappings]\r\n"
      "\"simple\"=\"0,1,2\"\r\n@=\"unnamed\"\r\n  \"count\"=dword:FF  \r\n");
  EXPECT_TRUE(LocalMachineKeyExists("Software\\Microsoft\\Office"));
  EXPECT_TRUE(LocalMachineKeyExists("software\\microsoft\\office\\11.0"));
  EXPECT_FALSE(LocalMachineKeyExists("Software\\Microsoft\\Off"));
  EXPECT_FALSE(LocalMachineKeyExists("Software\\Quelmar"));
  EXPECT_EQ(RegGetString("Software\\Quelmar\\TAVIR\\Mappings", "simple", ""), "0,1,2");
  EXPECT_EQ(RegGetString("Software\\Quelmar\\TAVIR\\Mappings", "", ""), "unnamed");
  EXPECT_NO_THROW(CheckRegistryStore());
  WriteFile("");
  EXPECT_NO_THROW(CheckRegistryStore());
  EXPECT_TRUE(RegSetString(kKey, "quote", "'"));
  EXPECT_EQ(RegGetString(kKey, "quote", "\""), "'");
}

TEST_F(RegistryStoreTest, DamagedFileIsReportedAndNeverChanged) {
  const std::string section = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quelmar\\TAVIR\\Options";
  const struct {
    std::string text;
    int line;
  } damaged[] = {
      {section + "]\n\"quote\"=\"'\n", 4},
      {section + "]\n\"minsize\"=hex:01\n", 4},
      {section + "]\n\"a\"=\"\\q\"\n", 4},
      {section + "\n\"quote\"=\"'\"\n", 3},
      {"Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\X]\n", 1},
  };
  for (const auto& file : damaged) {
    WriteFile(file.text);
    try {
      CheckRegistryStore();
      ADD_FAILURE() << "accepted: " << file.text;
    } catch (const ConfigurationError& error) {
      const std::string message = error.what();
      for (const std::string& part :
           {path_, "line " + std::to_string(file.line) + ":", std::string("remove the file")})
        EXPECT_NE(message.find(part), std::string::npos) << part << " missing in: " << message;
    }
    EXPECT_EQ(RegGetString(kKey, "quote", "\""), "\"");
    EXPECT_FALSE(RegSetString(kKey, "quote", "'"));
    EXPECT_FALSE(RegSetDword(kKey, "minsize", 5));
    EXPECT_EQ(ReadFile(), file.text);
  }
}

TEST_F(RegistryStoreTest, DirectoriesAreCreatedAndAMissingLocationFailsWrites) {
  test_support::SetEnvironmentVariable("TAVIR_REGISTRY",
                                       (directory_ / "a" / "b" / "registry.reg").string());
  EXPECT_TRUE(RegSetDword(kKey, "minsize", 5));
  EXPECT_EQ(RegGetDword(kKey, "minsize", 1000), 5u);
  test_support::ScopedEnvironmentVariable noXdg("XDG_CONFIG_HOME", std::nullopt);
  test_support::ScopedEnvironmentVariable noHome("HOME", std::nullopt);
  test_support::SetEnvironmentVariable("TAVIR_REGISTRY", std::nullopt);
  EXPECT_FALSE(RegSetDword(kKey, "minsize", 6));
  EXPECT_EQ(RegGetDword(kKey, "minsize", 1000), 1000u);
  EXPECT_THROW(CheckRegistryStore(), ConfigurationError);
  test_support::ScopedEnvironmentVariable xdg("XDG_CONFIG_HOME", directory_.string());
  EXPECT_EQ(registry_store::StorePath(), (directory_ / "tavir" / "registry.reg").string());
}

TEST_F(RegistryStoreTest, WriteThatFailsOrIsKilledBeforeTheReplaceLeavesTheOldFile) {
  ASSERT_TRUE(RegSetString(kKey, "lastfile", "old.csv"));
  const std::string before = ReadFile();
  ProcessFaults().Add({"SettingsFile.Replace"});
  EXPECT_FALSE(RegSetString(kKey, "lastfile", "new.csv"));
  EXPECT_EQ(ReadFile(), before);
  EXPECT_EQ(StrayFiles(), 0);

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The new file is complete and synced when the writer dies.
    ProcessFaults().Add({"SettingsFile.Replace", E_FAIL, "", 1, false, [] { raise(SIGKILL); }});
    RegSetString(kKey, "lastfile", std::string(5000, 'n'));
    _exit(2);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(ReadFile(), before);
  EXPECT_EQ(RegGetString(kKey, "lastfile", ""), "old.csv");
  EXPECT_EQ(StrayFiles(), 1);  // the dead writer's temporary file
  // The next write succeeds and clears the dead writer's leftovers.
  EXPECT_TRUE(RegSetString(kKey, "lastfile", "new.csv"));
  EXPECT_EQ(RegGetString(kKey, "lastfile", ""), "new.csv");
  EXPECT_EQ(StrayFiles(), 0);
}

TEST_F(RegistryStoreTest, WritersInSeveralProcessesLoseNoValue) {
  constexpr int kWriters = 3, kWrites = 20;
  pid_t children[kWriters];
  for (int w = 0; w < kWriters; ++w) {
    children[w] = fork();
    ASSERT_GE(children[w], 0);
    if (children[w] == 0) {
      bool ok = true;
      for (int i = 0; i < kWrites; ++i)
        ok = RegSetDword(kKey, "writer" + std::to_string(w) + "_" + std::to_string(i), i) && ok;
      _exit(ok ? 0 : 1);
    }
  }
  for (const pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  for (int w = 0; w < kWriters; ++w)
    for (int i = 0; i < kWrites; ++i)
      EXPECT_EQ(RegGetDword(kKey, "writer" + std::to_string(w) + "_" + std::to_string(i), 999),
                static_cast<std::uint32_t>(i));
}

}  // namespace
}  // namespace tavir

#endif
