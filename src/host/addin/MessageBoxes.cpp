// The add-in's message boxes (Windows).
#include "host/addin/MessageBoxes.h"

#include "host/addin/AddinIds.h"
#include "platform/CodePage.h"

namespace tavir::addin {

void ShowAddinMessage(HWND owner, const std::string& text, UINT icon) {
  const WideString wide = AnsiToWide(text);
  const WideString caption = AnsiToWide(kMessageCaption);
  MessageBoxW(owner, wide.c_str(), caption.c_str(), MB_OK | icon);
}

}  // namespace tavir::addin
