// The Windows shell's message pump: it hands messages to the running modal
// loop's filter, and leaves a quit message for the loop outside.
#include <gtest/gtest.h>

#include "platform/win32/MessageFilter.h"
#include "platform/win32/WindowsShell.h"

namespace tavir::test_support {
namespace {

struct CountingFilter : MessageFilter {
  int seen = 0;
  bool PreTranslateMessage(MSG& message) override {
    if (message.message == WM_APP)
      ++seen;
    return message.message == WM_APP;
  }
};

TEST(WindowsShellTest, PumpFiltersMessagesAndPassesTheQuitMessageOn) {
  WindowsShell shell("TAVIRAddIn");
  CountingFilter filter;
  PushMessageFilter(filter);
  PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
  EXPECT_TRUE(shell.PumpMessages());
  EXPECT_EQ(filter.seen, 1) << "the loop's filter saw the pumped message";
  PostQuitMessage(7);
  EXPECT_FALSE(shell.PumpMessages()) << "the application is quitting";
  PopMessageFilter();
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
      << "quit is posted again";
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace tavir::test_support
