// Windows: moving dialog members into controls and back. Taking values over
// (saving) applies each field's check; the first failure shows the standard
// message through the shell, puts the focus on the control and makes every
// later call of the same exchange do nothing.
#pragma once

#include <string>

#include "platform/LocalTime.h"
#include "platform/win32/CommonControls.h"

namespace tavir {

class DataExchange {
 public:
  DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

  bool Saving() const { return saving_; }
  bool Failed() const { return failed_; }

  // Text in the ANSI code page, any length.
  void Text(int id, std::string& value);
  // Text of at most one character; the edit takes no more.
  void SingleCharacter(int id, std::string& value);
  // A whole number from low to high ("Please enter an integer." otherwise,
  // or the range message).
  void Integer(int id, int& value, int low, int high);
  // Check box state: BST_UNCHECKED, BST_CHECKED.
  void Check(int id, int& state);
  // The index of the checked button among the radio buttons firstId,
  // firstId + 1, ...; -1 when none is checked.
  void Radio(int firstId, int count, int& index);
  // Combo box selection (index, -1 for none).
  void ComboIndex(int id, int& index);
  // A date picker's date and time, as a local time value.
  void DateTime(int id, TimeValue& value);

 private:
  void Fail(int id, const std::string& message);

  HWND dialog_;
  bool saving_;
  bool failed_ = false;
};

// The text of a window in the ANSI code page, and back.
std::string WindowText(HWND window);
void SetWindowTextAnsi(HWND window, const std::string& text);

}  // namespace tavir
