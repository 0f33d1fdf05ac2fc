// Windows: a modal dialog over the dialog manager, with a message loop of its
// own. The window active when it opens becomes its owner and stays disabled
// until it closes. Handlers are virtual; an exception thrown by one closes the
// dialog and leaves Run() once the window is gone.
#pragma once

#include <exception>

#include "platform/win32/CommonControls.h"
#include "platform/win32/MessageFilter.h"

namespace tavir {

class DataExchange;

// Owner-drawn controls get their WM_DRAWITEM back as this message (lParam the
// DRAWITEMSTRUCT); a control that answers nonzero has drawn itself.
inline constexpr UINT kReflectedDrawItem = WM_APP + 0x2D0;

class ModalDialog : private MessageFilter {
 public:
  explicit ModalDialog(int templateId);
  virtual ~ModalDialog();
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the dialog and returns the result given to End (IDOK, IDCANCEL),
  // or -1 when the template could not be loaded.
  INT_PTR Run();
  // Closes the dialog once the handler running now has returned.
  void End(INT_PTR result);

  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }

 protected:
  // Default: moves the members into the controls; true lets the dialog
  // manager set the focus.
  virtual bool OnInitDialog();
  // Default: IDOK takes the members over and ends with IDOK; IDCANCEL ends.
  // Returns true when the command was handled.
  virtual bool OnCommand(int id, int code);
  virtual bool OnNotify(const NMHDR& header, LRESULT& result);
  // Any other message; true when handled, with the dialog procedure's result
  // (messages that need one also get DWLP_MSGRESULT from the handler).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  virtual void OnOK();
  virtual void OnCancel();
  // Exchanges the members with the controls in both directions.
  virtual void ExchangeData(DataExchange& exchange);
  // Controls to members (save) or members to controls; false when a check
  // failed (its message was shown and the focus moved to the control).
  bool UpdateData(bool save);
  // Default: the dialog keys (Tab, Enter, Escape, mnemonics).
  bool PreTranslateMessage(MSG& message) override;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND window_ = nullptr;
  bool ended_ = false;
  INT_PTR result_ = IDCANCEL;
  std::exception_ptr failure_;
};

}  // namespace tavir
