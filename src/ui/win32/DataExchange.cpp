// Windows: data exchange between dialog members and controls.
#include "ui/win32/DataExchange.h"

#include <vector>

#include "platform/CodePage.h"
#include "platform/Shell.h"
#include "ui/OptionChecks.h"

namespace tavir {

std::string WindowText(HWND window) {
  std::vector<wchar_t> buffer(static_cast<size_t>(GetWindowTextLengthW(window)) + 1);
  const int length = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return WideToAnsi(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

void SetWindowTextAnsi(HWND window, const std::string& text) {
  SetWindowTextW(window, AnsiToWide(text).c_str());
}

void DataExchange::Fail(int id, const std::string& message) {
  failed_ = true;
  CurrentShell().ShowMessage(message, MessageButtons::Ok, MessageIcon::Exclamation);
  HWND control = GetDlgItem(dialog_, id);
  SetFocus(control);
  SendMessageW(control, EM_SETSEL, 0, -1);
}

void DataExchange::Text(int id, std::string& value) {
  if (failed_)
    return;
  if (saving_)
    value = WindowText(GetDlgItem(dialog_, id));
  else
    SetWindowTextAnsi(GetDlgItem(dialog_, id), value);
}

void DataExchange::SingleCharacter(int id, std::string& value) {
  if (failed_)
    return;
  HWND edit = GetDlgItem(dialog_, id);
  if (!saving_) {
    SendMessageW(edit, EM_LIMITTEXT, 1, 0);
    SetWindowTextAnsi(edit, value);
    return;
  }
  const std::string text = WindowText(edit);
  if (auto problem = CheckExceptionSeparator(text))
    return Fail(id, *problem);
  value = text;
}

void DataExchange::Integer(int id, int& value, int low, int high) {
  if (failed_)
    return;
  HWND edit = GetDlgItem(dialog_, id);
  if (!saving_) {
    SetWindowTextAnsi(edit, std::to_string(value));
    return;
  }
  int parsed = 0;
  if (auto problem = CheckIntegerRange(WindowText(edit), low, high, parsed))
    return Fail(id, *problem);
  value = parsed;
}

void DataExchange::Check(int id, int& state) {
  if (failed_)
    return;
  if (saving_)
    state = static_cast<int>(IsDlgButtonChecked(dialog_, id));
  else
    CheckDlgButton(dialog_, id, static_cast<UINT>(state));
}

void DataExchange::Radio(int firstId, int count, int& index) {
  if (failed_)
    return;
  if (saving_) {
    index = -1;
    for (int i = 0; i < count; ++i)
      if (IsDlgButtonChecked(dialog_, firstId + i) == BST_CHECKED)
        index = i;
  } else {
    for (int i = 0; i < count; ++i)
      CheckDlgButton(dialog_, firstId + i, i == index ? BST_CHECKED : BST_UNCHECKED);
  }
}

void DataExchange::ComboIndex(int id, int& index) {
  if (failed_)
    return;
  HWND combo = GetDlgItem(dialog_, id);
  if (saving_)
    index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  else
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DataExchange::DateTime(int id, TimeValue& value) {
  if (failed_)
    return;
  HWND picker = GetDlgItem(dialog_, id);
  SYSTEMTIME time{};
  if (saving_) {
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID)
      value =
          BuildLocal(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
    return;
  }
  const LocalFields fields = SplitLocal(value);
  time.wYear = static_cast<WORD>(fields.year);
  time.wMonth = static_cast<WORD>(fields.month);
  time.wDay = static_cast<WORD>(fields.day);
  time.wDayOfWeek = static_cast<WORD>(fields.dayOfWeek);
  time.wHour = static_cast<WORD>(fields.hour);
  time.wMinute = static_cast<WORD>(fields.minute);
  time.wSecond = static_cast<WORD>(fields.second);
  SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

}  // namespace tavir
