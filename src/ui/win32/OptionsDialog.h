// Windows: the options dialog (template 129). It edits the options object in
// place: add field, delete field and restore default change the mapping at
// once; everything else reaches the options only through OK.
#pragma once

#include <string>

#include "model/Options.h"
#include "ui/win32/ContextHelp.h"
#include "ui/win32/DragListReorder.h"
#include "ui/win32/IconButton.h"
#include "ui/win32/ModalDialog.h"

namespace tavir {

class COptionsDlg : public ModalDialog {
 public:
  explicit COptionsDlg(Options& options);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnOK() override;
  void ExchangeData(DataExchange& exchange) override;
  bool PreTranslateMessage(MSG& message) override;

 private:
  void ApplyEnablingRule(bool fullFormat);
  void ShowAddFieldMenu();
  void DeleteSelectedField();
  void RestoreDefault();
  void FillLists();

  Options& options_;
  IconButton deleteButton_;
  DragListReorder drag_;
  ContextHelp help_;

  int noDuplicates_ = 0;
  std::string separator_;
  int dateWithTime_ = 0;
  int ignoreErrors_ = 0;
  int exportNoCr_ = 0;
  int formatIndex_ = 0;
  std::string exceptionSeparator_;
  std::string quote_;
  int appointmentLength_ = 0;
  TimeValue from_ = 0;
  TimeValue to_ = 0;
};

}  // namespace tavir
