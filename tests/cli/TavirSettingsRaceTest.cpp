// Two runs that change different settings at once keep both changes: each
// reads, changes and writes the settings under one lock.
#include <string>

#include <gtest/gtest.h>

#include "cli/TavirProcess.h"

namespace tavir::test_support {
namespace {

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

}  // namespace
}  // namespace tavir::test_support
