// Windows: the archive dialog's opening and its Archive button.
#include "ui/win32/ArchiveDialog.h"

#include "engine/ArchiveRemove.h"
#include "host/Transfer.h"
#include "platform/Shell.h"
#include "ui/ArchiveTexts.h"
#include "ui/OptionChecks.h"
#include "ui/win32/DataExchange.h"
#include "ui/win32/ResourceIds.h"

namespace tavir {

CArchiveDlg::CArchiveDlg(Options& options) : ModalDialog(IDD_ARCHIVE), options_(options) {}

bool CArchiveDlg::OnInitDialog() {
  const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  SetWindowTextAnsi(Item(IDC_ARC_INFORMATION),
                    ArchiveStatisticsText(GetArchiveStatistics(options_, datebook.Get())));
  cutoff_ = options_.GetSpanStart();
  HWND spin = Item(IDC_ARC_MIN_SIZE_SPIN);
  SendMessageW(spin, UDM_SETRANGE, 0, MAKELPARAM(kMaxArchiveSize, kMinArchiveSize));
  SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(options_.minsize & 0xFFFF, 0));
  minimumSize_ = options_.minsize;
  UpdateData(false);
  return true;
}

void CArchiveDlg::ExchangeData(DataExchange& exchange) {
  exchange.Integer(IDC_ARC_MIN_SIZE, minimumSize_, kMinArchiveSize, kMaxArchiveSize);
  exchange.Check(IDC_ARC_ONLY_LARGER, onlyLarger_);
  exchange.DateTime(IDC_ARC_CUTOFF, cutoff_);
}

void CArchiveDlg::OnOK() {
  if (!UpdateData(true))
    return;
  options_.minsize = minimumSize_;
  const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  const int marked = ArchiveAppointments(options_, datebook.Get(), cutoff_,
                                         onlyLarger_ == BST_CHECKED ? minimumSize_ : -1);
  CurrentShell().ShowMessage(ArchiveResultText(marked), MessageButtons::Ok,
                             marked < 0 ? MessageIcon::Exclamation : MessageIcon::Information);
  End(IDOK);
}

}  // namespace tavir
