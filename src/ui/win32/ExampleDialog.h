// Windows: the file format example (template 302): the header line and one
// sample record as the options' current values would write them. The edit
// and the OK button follow the dialog's size.
#pragma once

#include "model/Options.h"
#include "ui/win32/ModalDialog.h"

namespace tavir {

class CExampleDlg : public ModalDialog {
 public:
  explicit CExampleDlg(const Options& options);

 protected:
  bool OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void Layout(int width, int height);

  const Options& options_;
  int left_ = -1;  // the edit's left and top margins, known once initialised
  int top_ = -1;
};

}  // namespace tavir
