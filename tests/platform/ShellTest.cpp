// Shell port: the process-wide shell must be installed before use.
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/FakeShell.h"

namespace tavir {
namespace {

TEST(ShellTest, UsingTheShellBeforeOneIsInstalledIsAProgrammingError) {
  SetCurrentShell(nullptr);
  EXPECT_THROW(CurrentShell(), std::logic_error);
  {
    testing::FakeShell shell;
    testing::InstalledShell installed(shell);
    shell.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(CurrentShell().ShowMessage("Delete?", MessageButtons::OkCancel, MessageIcon::Question),
              MessageAnswer::Cancel);
    EXPECT_EQ(CurrentShell().ShowMessage("Done", MessageButtons::Ok, MessageIcon::Information),
              MessageAnswer::Ok);
    ASSERT_EQ(shell.Messages().size(), 2u);
    EXPECT_EQ(shell.Messages()[0].text, "Delete?");
  }
  EXPECT_THROW(CurrentShell(), std::logic_error);
}

}  // namespace
}  // namespace tavir
