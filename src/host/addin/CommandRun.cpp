// One run of the add-in's command (Windows).
#include "host/addin/CommandRun.h"

#include "host/addin/LanguageFile.h"
#include "host/addin/Module.h"
#include "model/Options.h"
#include "model/Strings.h"
#include "platform/ComError.h"
#include "platform/win32/WindowsShell.h"
#include "ui/win32/MainDialog.h"

namespace tavir::addin {
namespace {

// The run's shell: message boxes with the program's caption, owned by the
// active window. The host process has no other.
class RunShell {
 public:
  RunShell() : shell_(LoadText(text::ProgramCaption)) { SetCurrentShell(&shell_); }
  ~RunShell() { SetCurrentShell(nullptr); }
  RunShell(const RunShell&) = delete;
  RunShell& operator=(const RunShell&) = delete;
  Shell& Get() { return shell_; }

 private:
  WindowsShell shell_;
};

}  // namespace

void RunCommand(const ComPtr<IUnknown>& host) {
  // Unloaded after the run: everything taken from it is copied by then.
  const ModuleOwner language = LoadLanguageFile(ModulePath());
  const ResourceModuleScope resources(language.IsValid() ? language.Get() : OwnModule());
  RunShell shell;
  try {
    Options options;
    options.host = host;
    options.Load();
    CTAVIRDlg dialog(options);
    if (dialog.Run() == IDOK)
      options.Save();
  } catch (const ComError& failure) {
    shell.Get().ShowMessage(FormatMessageText(LoadText(text::ErrorDuringImportExport).c_str(),
                                              failure.ErrorMessage().c_str()),
                            MessageButtons::Ok, MessageIcon::Exclamation);
  }
}

}  // namespace tavir::addin
