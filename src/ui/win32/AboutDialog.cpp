// Windows: the about box.
#include "ui/win32/AboutDialog.h"

#include "model/Strings.h"
#include "platform/win32/ResourceModule.h"
#include "ui/win32/DataExchange.h"
#include "ui/win32/ModuleFile.h"
#include "ui/win32/ResourceIds.h"

namespace tavir {

CAboutDlg::CAboutDlg(LinkSystem& linkSystem) : ModalDialog(IDD_ABOUT), link_(linkSystem) {}

bool CAboutDlg::OnInitDialog() {
  // The template holds the version's form ("%d.%d.%d"), so that a language
  // resource can change it.
  const HWND version = Item(IDC_ABOUT_VERSION);
  const std::optional<FileVersion> fileVersion = ModuleFileVersion(OwnModule());
  SetWindowTextAnsi(version,
                    fileVersion ? FormatMessageText(WindowText(version).c_str(), fileVersion->major,
                                                    fileVersion->minor, fileVersion->build)
                                : std::string());
  link_.Attach(Item(IDC_ABOUT_LINK));
  return ModalDialog::OnInitDialog();
}

}  // namespace tavir
