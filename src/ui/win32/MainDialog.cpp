// Windows: the main dialog's opening, filter controls and commands.
#include "ui/win32/MainDialog.h"

#include "engine/ArchiveRemove.h"
#include "engine/ExportDriver.h"
#include "engine/ImportDriver.h"
#include "engine/WaitCursor.h"
#include "formats/FileFactories.h"
#include "host/Transfer.h"
#include "model/Options.h"
#include "model/Strings.h"
#include "platform/CodePage.h"
#include "platform/win32/ResourceModule.h"
#include "ui/CountLine.h"
#include "ui/FileTypes.h"
#include "ui/MainDialogTexts.h"
#include "ui/ProgressShown.h"
#include "ui/win32/AboutDialog.h"
#include "ui/win32/ArchiveDialog.h"
#include "ui/win32/DataExchange.h"
#include "ui/win32/FileDialogs.h"
#include "ui/win32/ModuleFile.h"
#include "ui/win32/OptionsDialog.h"
#include "ui/win32/ProgramHelp.h"
#include "ui/win32/ResourceIds.h"
#include "ui/win32/ShellLinkSystem.h"

namespace tavir {
namespace {

constexpr int kFilterTypeCount = 8;
constexpr int kButtonIconSize = 32;

MainDialogSystems WithSystemDefaults(MainDialogSystems systems) {
  static SystemFileDialogs fileDialogs;
  static SystemHelp help;
  static ShellLinkSystem link;
  if (systems.fileDialogs == nullptr)
    systems.fileDialogs = &fileDialogs;
  if (systems.help == nullptr)
    systems.help = &help;
  if (systems.link == nullptr)
    systems.link = &link;
  return systems;
}

IconOwner LoadIconSized(int id, int metricX, int metricY) {
  return IconOwner(
      static_cast<HICON>(LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                    GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0)));
}

}  // namespace

CTAVIRDlg::CTAVIRDlg(Options& options, MainDialogSystems systems)
    : ModalDialog(IDD_MAIN), options_(options), systems_(WithSystemDefaults(systems)) {}

bool CTAVIRDlg::OnInitDialog() {
  progress_ = WindowsProgressControl(Item(IDC_MAIN_PROGRESS));
  const HWND types = Item(IDC_MAIN_FILTER_TYPE);
  for (int i = 0; i < kFilterTypeCount; ++i) {
    const WideString name = AnsiToWide(LoadText(text::FilterTextStartsWith + i));
    SendMessageW(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }

  bigIcon_ = LoadIconSized(IDI_PROGRAM, SM_CXICON, SM_CYICON);
  smallIcon_ = LoadIconSized(IDI_PROGRAM, SM_CXSMICON, SM_CYSMICON);
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
  userName_ = GetCurrentUserName(options_);
  // The window destroys its menu when it goes.
  SetMenu(Window(), LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(IDR_MAIN_MENU)));
  accelerators_ = LoadAcceleratorsW(ResourceModule(), MAKEINTRESOURCEW(IDR_MAIN_ACCELERATORS));
  importButton_.Attach(Item(IDC_MAIN_IMPORT), IDI_IMPORT, kButtonIconSize);
  exportButton_.Attach(Item(IDC_MAIN_EXPORT), IDI_EXPORT, kButtonIconSize);
  optionsButton_.Attach(Item(IDC_MAIN_OPTIONS), IDI_OPTIONS, kButtonIconSize);
  Recount();
  excelAvailable_ = IsExcelAvailable();
  importTypes_ = ImportFileTypes(excelAvailable_);
  exportTypes_ = ExportFileTypes(excelAvailable_, options_.fullformat != 0);
  filterOn_ = options_.dofilter != 0 ? BST_CHECKED : BST_UNCHECKED;
  filterType_ = options_.filtertype;
  filterText_ = options_.filtertext;
  EnableFilterControls();
  UpdateData(false);
  return true;
}

void CTAVIRDlg::ExchangeData(DataExchange& exchange) {
  exchange.Text(IDC_MAIN_COUNT_LINE, countLine_);
  exchange.Check(IDC_MAIN_FILTER_ON, filterOn_);
  exchange.ComboIndex(IDC_MAIN_FILTER_TYPE, filterType_);
  exchange.Text(IDC_MAIN_FILTER_TEXT, filterText_);
  exchange.Text(IDC_MAIN_USER, userName_);
}

bool CTAVIRDlg::PreTranslateMessage(MSG& message) {
  if (accelerators_ != nullptr && TranslateAcceleratorW(Window(), accelerators_, &message))
    return true;
  return ModalDialog::PreTranslateMessage(message);
}

bool CTAVIRDlg::OnCommand(int id, int code) {
  switch (id) {
    case IDC_MAIN_FILTER_ON:
      if (code == BN_CLICKED)
        FilterSwitched();
      return true;
    case IDC_MAIN_FILTER_TYPE:  // also IDM_ABOUT: the menu's code is 0
      if (code == 0)
        ShowAbout();
      if (code == CBN_SELCHANGE)
        FilterTypeChanged();
      return true;
    case IDC_MAIN_FILTER_TEXT:
      if (code == EN_KILLFOCUS)
        FilterTextLeft();
      return true;
    case IDC_MAIN_IMPORT:
      Import();
      return true;
    case IDC_MAIN_EXPORT:
      Export();
      return true;
    case IDM_OPTIONS:
      RunOptions();
      return true;
    case IDM_CLOSE:
      Close();
      return true;
    case IDM_REMOVE_ALL:
      RemoveAll();
      return true;
    case IDM_ARCHIVE:
      RunArchive();
      return true;
    case IDM_HELP:
      ShowHelp();
      return true;
    default:
      return ModalDialog::OnCommand(id, code);
  }
}

bool CTAVIRDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
  if (message != WM_HELP)
    return false;
  ShowHelp();
  result = TRUE;
  return true;
}

void CTAVIRDlg::Recount() {
  WaitCursor wait;
  countLine_ = ComputeCountLine(options_);
  UpdateData(false);
}

void CTAVIRDlg::EnableFilterControls() {
  const BOOL enable = filterOn_ == BST_CHECKED ? TRUE : FALSE;
  EnableWindow(Item(IDC_MAIN_FILTER_TYPE), enable);
  EnableWindow(Item(IDC_MAIN_FILTER_TEXT), enable);
}

void CTAVIRDlg::FilterSwitched() {
  UpdateData(true);
  options_.dofilter = filterOn_ == BST_CHECKED ? 1 : 0;
  Recount();
  EnableFilterControls();
}

void CTAVIRDlg::FilterTypeChanged() {
  UpdateData(true);
  options_.filtertype = filterType_;
  Recount();
}

void CTAVIRDlg::FilterTextLeft() {
  TakeOverFilterText();
  Recount();
}

void CTAVIRDlg::TakeOverFilterText() {
  UpdateData(true);
  options_.filtertext = filterText_;
}

void CTAVIRDlg::Import() {
  TakeOverFilterText();
  const std::optional<std::string> path =
      ChooseImportFile(Window(), importTypes_, options_.lastfile, *systems_.fileDialogs);
  if (!path)
    return;
  WaitCursor wait;
  {
    ProgressShown shown(progress_);
    options_.lastfile = *path;
    ImportSummary summary;
    if (ImportFile(options_.lastfile, options_, &progress_, &summary) < 0) {
      // The reason was read from the system when the file failed to open,
      // before later calls could replace the thread's last error.
      const std::string reason =
          summary.openFailure.empty() ? CurrentShell().LastSystemErrorText() : summary.openFailure;
      CurrentShell().ShowMessage(ReadErrorText(reason), MessageButtons::Ok,
                                 MessageIcon::Exclamation);
    }
  }
  UpdateData(false);
  Recount();
}

void CTAVIRDlg::Export() {
  TakeOverFilterText();
  const std::optional<std::string> path =
      ChooseExportFile(Window(), exportTypes_, options_.lastfile, *systems_.fileDialogs);
  if (!path)
    return;
  WaitCursor wait;
  ProgressShown shown(progress_);
  options_.lastfile = *path;
  // The driver writes beside the target and replaces it only when the
  // export succeeded, so the old file is not deleted first: a failed export
  // leaves it as it was.
  if (options_.fullformat) {
    ExportFull(options_.lastfile, options_, &progress_);
  } else {
    ExportSimple(options_.lastfile, options_.GetSpanStart(), options_.GetSpanEnd(), options_,
                 &progress_);
  }
}

void CTAVIRDlg::RunOptions() {
  COptionsDlg dialog(options_);
  if (dialog.Run() == IDOK)
    options_.Save();
  Recount();
}

void CTAVIRDlg::RunArchive() {
  CArchiveDlg dialog(options_);
  dialog.Run();
}

void CTAVIRDlg::RemoveAll() {
  TakeOverFilterText();
  const std::string user = GetCurrentUserName(options_);
  WaitCursor wait;
  ProgressShown shown(progress_);
  const int count = CountExportable(options_);
  if (CurrentShell().ShowMessage(RemoveAllQuestion(count, user), MessageButtons::OkCancel,
                                 MessageIcon::Question) == MessageAnswer::Ok)
    RemoveAppointments(options_, &progress_);
  Recount();
}

void CTAVIRDlg::Close() {
  UpdateData(true);
  options_.Save();
  OnOK();
}

void CTAVIRDlg::OnCancel() {
  UpdateData(true);
  options_.dofilter = filterOn_ == BST_CHECKED ? 1 : 0;
  options_.filtertype = filterType_;
  options_.filtertext = filterText_;
  options_.Save();
  End(IDCANCEL);
}

void CTAVIRDlg::ShowHelp() {
  OpenProgramHelp(Window(), ModuleFilePath(OwnModule()), *systems_.help);
}

void CTAVIRDlg::ShowAbout() {
  CAboutDlg about(*systems_.link);
  about.Run();
}

INT_PTR RunMainDialog(Options& options) {
  CTAVIRDlg dialog(options);
  return dialog.Run();
}

}  // namespace tavir
