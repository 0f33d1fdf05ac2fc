// Windows: the options dialog's handlers.
#include "ui/win32/OptionsDialog.h"

#include "platform/CodePage.h"
#include "platform/win32/HandleOwner.h"
#include "ui/AddFieldMenu.h"
#include "ui/OptionChecks.h"
#include "ui/win32/DataExchange.h"
#include "ui/win32/ExampleDialog.h"
#include "ui/win32/FieldListBox.h"
#include "ui/win32/ResourceIds.h"

namespace tavir {
namespace {

const std::vector<int> kHelpControls = {IDC_OPT_SEPARATOR,
                                        IDC_OPT_NO_DUPLICATES,
                                        IDC_OPT_IGNORE_ERRORS,
                                        IDC_OPT_SPAN_FROM,
                                        IDC_OPT_SPAN_TO,
                                        IDC_OPT_FULL_FORMAT,
                                        IDC_OPT_SIMPLE_FORMAT,
                                        IDC_OPT_SIMPLE_FIELDS,
                                        IDC_OPT_REPEAT_FIELDS,
                                        IDC_OPT_EXPORT_NO_CR,
                                        IDC_OPT_EXCEPTION_SEPARATOR,
                                        IDC_OPT_RESTORE_DEFAULT,
                                        IDC_OPT_QUOTE,
                                        IDC_OPT_APPOINTMENT_LENGTH,
                                        IDC_OPT_VIEW_EXAMPLE,
                                        IDC_OPT_ADD_FIELD,
                                        IDC_OPT_DELETE_FIELD};

constexpr int kDeleteIconSize = 16;

}  // namespace

COptionsDlg::COptionsDlg(Options& options)
    : ModalDialog(IDD_OPTIONS), options_(options), help_(kHelpControls, HELP_CONTEXT_BASE) {}

bool COptionsDlg::OnInitDialog() {
  deleteButton_.Attach(Item(IDC_OPT_DELETE_FIELD), IDI_DELETE_FIELD, kDeleteIconSize);
  separator_ = options_.separator;
  quote_ = options_.quote;
  exceptionSeparator_ = options_.exceptiondateseparator;
  noDuplicates_ = options_.noduplicates;
  formatIndex_ = options_.fullformat != 0 ? 1 : 0;
  ignoreErrors_ = options_.ignoreimporterrors;
  exportNoCr_ = options_.exportnocr;
  appointmentLength_ = options_.defaultapptlength;
  dateWithTime_ = options_.datewithtime;
  from_ = options_.GetSpanStart();
  to_ = options_.GetSpanEnd();
  ApplyEnablingRule(options_.fullformat != 0);
  DragListReorder::Enable(Item(IDC_OPT_SIMPLE_FIELDS));
  DragListReorder::Enable(Item(IDC_OPT_REPEAT_FIELDS));
  FillLists();
  UpdateData(false);
  return true;
}

void COptionsDlg::ExchangeData(DataExchange& exchange) {
  exchange.Check(IDC_OPT_NO_DUPLICATES, noDuplicates_);
  exchange.Text(IDC_OPT_SEPARATOR, separator_);
  exchange.Check(IDC_OPT_DATE_WITH_TIME, dateWithTime_);
  exchange.Check(IDC_OPT_IGNORE_ERRORS, ignoreErrors_);
  exchange.Check(IDC_OPT_EXPORT_NO_CR, exportNoCr_);
  exchange.Radio(IDC_OPT_SIMPLE_FORMAT, 2, formatIndex_);
  exchange.SingleCharacter(IDC_OPT_EXCEPTION_SEPARATOR, exceptionSeparator_);
  exchange.Text(IDC_OPT_QUOTE, quote_);
  exchange.Integer(IDC_OPT_APPOINTMENT_LENGTH, appointmentLength_, kMinAppointmentLength,
                   kMaxAppointmentLength);
  exchange.DateTime(IDC_OPT_SPAN_FROM, from_);
  exchange.DateTime(IDC_OPT_SPAN_TO, to_);
}

void COptionsDlg::ApplyEnablingRule(bool fullFormat) {
  EnableWindow(Item(IDC_OPT_SPAN_FROM), !fullFormat);
  EnableWindow(Item(IDC_OPT_SPAN_TO), !fullFormat);
  EnableWindow(Item(IDC_OPT_REPEAT_FIELDS), fullFormat);
}

void COptionsDlg::FillLists() {
  FillFieldListBox(Item(IDC_OPT_SIMPLE_FIELDS), options_.mapping.simpleFields);
  FillFieldListBox(Item(IDC_OPT_REPEAT_FIELDS), options_.mapping.repeatFields);
}

bool COptionsDlg::OnCommand(int id, int code) {
  switch (id) {
    case IDC_OPT_SIMPLE_FORMAT:
    case IDC_OPT_FULL_FORMAT:
      if (code != BN_CLICKED)
        return false;
      UpdateData(true);
      ApplyEnablingRule(formatIndex_ == 1);
      return true;
    case IDC_OPT_ADD_FIELD:
      ShowAddFieldMenu();
      return true;
    case IDC_OPT_DELETE_FIELD:
      DeleteSelectedField();
      return true;
    case IDC_OPT_RESTORE_DEFAULT:
      RestoreDefault();
      return true;
    case IDC_OPT_VIEW_EXAMPLE: {
      CExampleDlg example(options_);
      example.Run();
      return true;
    }
    default:
      return ModalDialog::OnCommand(id, code);
  }
}

void COptionsDlg::ShowAddFieldMenu() {
  MenuOwner menu(CreatePopupMenu());
  for (const AddFieldMenuEntry& entry : AddFieldMenu(options_.mapping))
    AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(entry.commandId),
                AnsiToWide(entry.name).c_str());
  RECT button;
  GetWindowRect(Item(IDC_OPT_ADD_FIELD), &button);
  const int chosen = static_cast<int>(TrackPopupMenu(
      menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON,
      button.right, button.top, 0, Window(), nullptr));
  if (chosen < IDM_ADD_FIELD_FIRST)
    return;
  HWND list = Item(IDC_OPT_SIMPLE_FIELDS);
  options_.mapping.simpleFields = TakeFieldListBox(list);
  options_.mapping.AppendSimpleField(static_cast<FieldId>(chosen - IDM_ADD_FIELD_FIRST));
  FillFieldListBox(list, options_.mapping.simpleFields);
}

void COptionsDlg::DeleteSelectedField() {
  HWND list = Item(IDC_OPT_SIMPLE_FIELDS);
  if (SendMessageW(list, LB_GETCURSEL, 0, 0) < 0)
    return;
  options_.mapping.simpleFields = TakeFieldListBox(list);
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected >= 0)
    options_.mapping.RemoveSimpleField(static_cast<size_t>(selected));
  FillFieldListBox(list, options_.mapping.simpleFields);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  if (count <= 0)
    return;
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected < count ? selected : count - 1), 0);
}

void COptionsDlg::RestoreDefault() {
  options_.mapping.ResetToDefaults();
  FillLists();
}

void COptionsDlg::OnOK() {
  if (!UpdateData(true))
    return;
  options_.separator = separator_;
  options_.quote = quote_;
  options_.exceptiondateseparator = exceptionSeparator_;
  options_.noduplicates = noDuplicates_;
  options_.fullformat = formatIndex_ == 1 ? 1 : 0;
  options_.defaultapptlength = appointmentLength_;
  options_.datewithtime = dateWithTime_;
  options_.ignoreimporterrors = ignoreErrors_;
  options_.exportnocr = exportNoCr_;
  options_.SetSpanStart(from_);
  options_.SetSpanEnd(to_);
  options_.mapping.simpleFields = TakeFieldListBox(Item(IDC_OPT_SIMPLE_FIELDS));
  options_.mapping.repeatFields = TakeFieldListBox(Item(IDC_OPT_REPEAT_FIELDS));
  End(IDOK);
}

bool COptionsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == DragListReorder::Message()) {
    SetWindowLongPtrW(Window(), DWLP_MSGRESULT,
                      drag_.Handle(Window(), *reinterpret_cast<DRAGLISTINFO*>(lParam)));
    result = TRUE;
    return true;
  }
  if (message == WM_HELP) {
    help_.OnHelp(Window(), *reinterpret_cast<const HELPINFO*>(lParam));
    result = TRUE;
    return true;
  }
  if (message == WM_CONTEXTMENU) {
    help_.OnContextMenu(Window(), reinterpret_cast<HWND>(wParam),
                        {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    result = TRUE;
    return true;
  }
  return false;
}

bool COptionsDlg::PreTranslateMessage(MSG& message) {
  // The Delete key deletes in the simple list only.
  if (message.message == WM_KEYDOWN && message.wParam == VK_DELETE &&
      message.hwnd == Item(IDC_OPT_SIMPLE_FIELDS)) {
    DeleteSelectedField();
    return true;
  }
  return ModalDialog::PreTranslateMessage(message);
}

}  // namespace tavir
