// Windows: the modal dialog's loop, owner handling and message dispatch.
#include "ui/win32/ModalDialog.h"

#include "platform/win32/ResourceModule.h"
#include "platform/win32/WindowsShell.h"
#include "ui/win32/DataExchange.h"

namespace tavir {
namespace {

// The host need not have registered the classes our templates use.
void RegisterCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES | ICC_UPDOWN_CLASS |
                                                     ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)registered;
}

}  // namespace

ModalDialog::ModalDialog(int templateId) : templateId_(templateId) {}

ModalDialog::~ModalDialog() {
  if (window_ != nullptr)
    DestroyWindow(window_);
}

INT_PTR ModalDialog::Run() {
  RegisterCommonControls();
  HWND owner = GetActiveWindow();
  ended_ = false;
  failure_ = nullptr;
  result_ = IDCANCEL;
  window_ = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), owner, Procedure,
                               reinterpret_cast<LPARAM>(this));
  if (window_ == nullptr)
    return -1;
  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner)
    EnableWindow(owner, FALSE);
  if (!ended_)
    ShowWindow(window_, SW_SHOW);
  PushMessageFilter(*this);
  while (!ended_) {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The application is quitting: close, and leave the quit message to
      // the loop outside.
      PostQuitMessage(static_cast<int>(message.wParam));
      result_ = IDCANCEL;
      break;
    }
    if (got < 0)
      break;
    DispatchLoopMessage(message);
  }
  PopMessageFilter();
  // The owner is enabled before the dialog goes, so that it gets the
  // activation back rather than some other program's window.
  if (disableOwner)
    EnableWindow(owner, TRUE);
  if (owner != nullptr && GetActiveWindow() == window_)
    SetActiveWindow(owner);
  DestroyWindow(window_);
  window_ = nullptr;
  if (failure_)
    std::rethrow_exception(failure_);
  return result_;
}

void ModalDialog::End(INT_PTR result) {
  result_ = result;
  ended_ = true;
  // Wakes the loop when End is called from outside a message.
  if (window_ != nullptr)
    PostMessageW(window_, WM_NULL, 0, 0);
}

bool ModalDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

bool ModalDialog::OnCommand(int id, int) {
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

bool ModalDialog::OnNotify(const NMHDR&, LRESULT&) {
  return false;
}

bool ModalDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
  return false;
}

void ModalDialog::OnOK() {
  if (UpdateData(true))
    End(IDOK);
}

void ModalDialog::OnCancel() {
  End(IDCANCEL);
}

void ModalDialog::ExchangeData(DataExchange&) {}

bool ModalDialog::UpdateData(bool save) {
  DataExchange exchange(window_, save);
  ExchangeData(exchange);
  return !exchange.Failed();
}

bool ModalDialog::PreTranslateMessage(MSG& message) {
  return IsDialogMessageW(window_, &message) != 0;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG)
    SetWindowLongPtrW(window, DWLP_USER, lParam);
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr)
    return FALSE;
  if (message == WM_INITDIALOG)
    dialog->window_ = window;
  // No exception may unwind through the system's frames: keep it for Run().
  try {
    return dialog->Handle(message, wParam, lParam);
  } catch (...) {
    if (!dialog->failure_)
      dialog->failure_ = std::current_exception();
    dialog->End(IDABORT);
    return FALSE;
  }
}

INT_PTR ModalDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (!OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
        return FALSE;
      SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (SendMessageW(item->hwndItem, kReflectedDrawItem, wParam, lParam) != 0) {
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      break;
    }
    case WM_SETCURSOR:
      if (WaitCursorShown()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      break;
    default:
      break;
  }
  INT_PTR result = 0;
  return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}

}  // namespace tavir
