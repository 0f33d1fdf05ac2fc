// Windows: the main dialog (template 102), from which every operation
// starts: the user and the count line, the filter, Import, Export, Options,
// the archive dialog, Remove All, help and the about box. Accelerators are
// translated before any other processing of a message, in the dialog's own
// modal loop.
#pragma once

#include <string>

#include "platform/win32/WindowsShell.h"
#include "ui/win32/IconButton.h"
#include "ui/win32/ModalDialog.h"

namespace tavir {

class FileDialogSystem;
class HelpSystem;
class LinkSystem;
class Options;

// What the dialog asks of the system outside its own windows; tests put
// their own in. A null member means the system's own.
struct MainDialogSystems {
  FileDialogSystem* fileDialogs = nullptr;
  HelpSystem* help = nullptr;
  LinkSystem* link = nullptr;
};

class CTAVIRDlg : public ModalDialog {
 public:
  // The options stay the caller's, who saves them when Run gives IDOK.
  explicit CTAVIRDlg(Options& options, MainDialogSystems systems = {});

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnCancel() override;
  void ExchangeData(DataExchange& exchange) override;
  bool PreTranslateMessage(MSG& message) override;

 private:
  void Recount();
  void EnableFilterControls();
  void FilterSwitched();
  void FilterTypeChanged();
  void FilterTextLeft();
  void TakeOverFilterText();
  void Import();
  void Export();
  void RunOptions();
  void RunArchive();
  void RemoveAll();
  void Close();
  void ShowHelp();
  void ShowAbout();

  Options& options_;
  MainDialogSystems systems_;
  std::string countLine_;
  int filterOn_ = BST_UNCHECKED;
  int filterType_ = 0;
  std::string filterText_;
  std::string userName_;
  std::string importTypes_;
  std::string exportTypes_;
  bool excelAvailable_ = false;
  HACCEL accelerators_ = nullptr;  // a resource: freed with its module
  IconOwner bigIcon_, smallIcon_;
  IconButton importButton_, exportButton_, optionsButton_;
  WindowsProgressControl progress_{nullptr};
};

// Runs the main dialog modally for the options (whose host is set and which
// are loaded); IDOK, IDCANCEL, or -1 when the dialog could not be created.
// A COM failure of the host leaves it as an exception.
INT_PTR RunMainDialog(Options& options);

}  // namespace tavir
