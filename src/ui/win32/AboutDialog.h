// Windows: the about box (template 100): the picture, the program's name,
// the version of the module's file and the maker's address as a hyperlink.
#pragma once

#include "ui/win32/HyperLink.h"
#include "ui/win32/ModalDialog.h"

namespace tavir {

class CAboutDlg : public ModalDialog {
 public:
  // The link system opens the address; it must outlive the dialog.
  explicit CAboutDlg(LinkSystem& linkSystem);

 protected:
  bool OnInitDialog() override;

 private:
  HyperLink link_;
};

}  // namespace tavir
