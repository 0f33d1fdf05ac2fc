// Windows: the stack of running modal loops' message filters.
#include "platform/win32/MessageFilter.h"

#include <vector>

namespace tavir {
namespace {
std::vector<MessageFilter*> filters;
}  // namespace

void PushMessageFilter(MessageFilter& filter) {
  filters.push_back(&filter);
}

void PopMessageFilter() {
  if (!filters.empty())
    filters.pop_back();
}

void DispatchLoopMessage(MSG& message) {
  if (!filters.empty() && filters.back()->PreTranslateMessage(message))
    return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace tavir
