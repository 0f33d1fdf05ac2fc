// Windows: uxtheme.dll's push-button drawing, looked up at run time.
#include "ui/win32/ButtonTheme.h"

#include "platform/win32/HandleOwner.h"

namespace tavir {
namespace {

using ThemeHandle = HANDLE;
using OpenThemeDataCall = ThemeHandle(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataCall = HRESULT(WINAPI*)(ThemeHandle);
using DrawThemeBackgroundCall = HRESULT(WINAPI*)(ThemeHandle, HDC, int, int, const RECT*,
                                                 const RECT*);
using IsAppThemedCall = BOOL(WINAPI*)();

constexpr int kPushButtonPart = 1;  // BP_PUSHBUTTON

template <typename Call>
Call Lookup(HMODULE module, const char* name) {
  // The cast goes through void* to silence GCC's function-type warning.
  return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct ThemeLibrary {
  ModuleOwner module{LoadLibraryW(L"uxtheme.dll")};
  OpenThemeDataCall open =
      module ? Lookup<OpenThemeDataCall>(module.Get(), "OpenThemeData") : nullptr;
  CloseThemeDataCall close =
      module ? Lookup<CloseThemeDataCall>(module.Get(), "CloseThemeData") : nullptr;
  DrawThemeBackgroundCall draw =
      module ? Lookup<DrawThemeBackgroundCall>(module.Get(), "DrawThemeBackground") : nullptr;
  IsAppThemedCall isThemed =
      module ? Lookup<IsAppThemedCall>(module.Get(), "IsAppThemed") : nullptr;

  bool Active() const { return open && close && draw && isThemed && isThemed(); }
};

const ThemeLibrary& Library() {
  static const ThemeLibrary library;
  return library;
}

}  // namespace

bool DrawThemedButton(HWND button, HDC dc, const RECT& rect, ThemedButtonState state) {
  const ThemeLibrary& library = Library();
  if (!library.Active())
    return false;
  ThemeHandle theme = library.open(button, L"BUTTON");
  if (theme == nullptr)
    return false;
  const HRESULT drawn =
      library.draw(theme, dc, kPushButtonPart, static_cast<int>(state), &rect, nullptr);
  library.close(theme);
  return SUCCEEDED(drawn);
}

}  // namespace tavir
