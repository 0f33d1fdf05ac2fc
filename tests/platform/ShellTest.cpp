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
    test_support::FakeShell shell;
    test_support::InstalledShell installed(shell);
    CurrentShell().ShowMessage("Done", MessageButtons::Ok, MessageIcon::Information);
    EXPECT_EQ(shell.Messages().size(), 1u);
  }
  EXPECT_THROW(CurrentShell(), std::logic_error);
}

}  // namespace
}  // namespace tavir
