// Windows: the archive dialog (template 303): marks old, or old and large,
// appointments for archival and says how many it marked.
#pragma once

#include "model/Options.h"
#include "ui/win32/ModalDialog.h"

namespace tavir {

class CArchiveDlg : public ModalDialog {
 public:
  explicit CArchiveDlg(Options& options);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void ExchangeData(DataExchange& exchange) override;

 private:
  Options& options_;
  int minimumSize_ = 0;
  int onlyLarger_ = BST_UNCHECKED;
  TimeValue cutoff_ = 0;
};

}  // namespace tavir
