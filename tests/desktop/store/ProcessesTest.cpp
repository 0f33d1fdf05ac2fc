// The datebook file between processes: a command killed before its commit
// leaves the old content, one killed after it the new; a second command at
// the same time is told the datebook is in use.
#include <filesystem>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "desktop/store/DatebookStore.h"
#include "desktop/store/StoreTestSupport.h"
#include "platform/FaultInjector.h"

namespace tavir {
namespace {

const WideString kUser = OLESTR("User");

// Runs body in a child process; returns its wait status.
template <typename Body>
int InChild(Body&& body) {
  const pid_t child = fork();
  if (child == 0) {
    int code = 99;
    try {
      code = body();
    } catch (...) {
      code = 98;
    }
    _exit(code);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

std::vector<WideString> Descriptions(const std::string& path) {
  DatebookStore store(path, kUser);
  std::vector<WideString> texts;
  const auto data = store.Load();
  for (const auto& [id, appointment] : data->All())
    texts.push_back(appointment->description);
  return texts;
}

class DatebookProcesses : public ::testing::Test {
 protected:
  void SetUp() override {
    DatebookStore store(path, kUser);
    auto data = store.Load();
    AppointmentData old;
    old.start = 1100000000;
    old.description = OLESTR("old");
    data->Add(old);
    store.Commit(*data);
  }

  // A child changes the old appointment and adds enough new ones that SQLite
  // must write pages to the file before the commit, then is killed before or
  // after the commit.
  void CommitAndDie(bool beforeCommit) {
    const int status = InChild([&] {
      DatebookStore store(path, kUser);
      auto data = store.Load();
      AppointmentData& old = *data->All().begin()->second;
      old.description = OLESTR("changed");
      data->MarkChanged(old);
      for (int i = 0; i < 20000; ++i) {
        AppointmentData a;
        a.start = 1100000000 + i * 3600;
        a.description = OLESTR("new");
        a.note = WideString(200, u'n');
        data->Add(a);
      }
      if (beforeCommit)
        ProcessFaults().Add({"DatebookStore.Commit", E_FAIL, "", 1, false, [] { raise(SIGKILL); }});
      store.Commit(*data);
      raise(SIGKILL);
      return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(SIGKILL, WTERMSIG(status));
  }

  test_support::ScratchDirectory directory;
  std::string path = directory.PathOf("datebook.tavir");
};

TEST_F(DatebookProcesses, KilledBeforeCommitLeavesTheOldContent) {
  const auto sizeBefore = std::filesystem::file_size(path);
  CommitAndDie(true);
  // The child got as far as writing into the file: the rollback journal is
  // left behind and the file grew.
  EXPECT_TRUE(std::filesystem::exists(path + "-journal"));
  EXPECT_GT(std::filesystem::file_size(path), sizeBefore);
  EXPECT_EQ(std::vector<WideString>{OLESTR("old")}, Descriptions(path));
}

TEST_F(DatebookProcesses, KilledAfterCommitKeepsTheNewContent) {
  CommitAndDie(false);
  const auto texts = Descriptions(path);
  ASSERT_EQ(20001u, texts.size());
  EXPECT_EQ(OLESTR("changed"), texts.front());
  EXPECT_EQ(OLESTR("new"), texts.back());
}

TEST_F(DatebookProcesses, SecondCommandIsToldTheDatebookIsInUse) {
  const auto secondCommand = [&] {
    try {
      DatebookStore second(path, kUser);
      return second.Load()->All().size() == 1 ? 0 : 1;
    } catch (const DatebookStoreError& error) {
      const bool clear = error.Failure() == DatebookStoreFailure::InUse &&
                         std::string(error.what()) ==
                             "The datebook \"" + path + "\" is in use by another program.";
      return clear ? 3 : 4;
    }
  };
  {
    DatebookStore holder(path, kUser);
    const int status = InChild(secondCommand);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(3, WEXITSTATUS(status));
  }
  // Once the first command is done the next one proceeds.
  const int status = InChild(secondCommand);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status));
}

}  // namespace
}  // namespace tavir
