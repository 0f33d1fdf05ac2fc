// One run of the add-in's command (Windows).
#include "host/addin/CommandRun.h"

#include "host/addin/LanguageFile.h"
#include "host/addin/Module.h"
#include "model/Options.h"
#include "model/Strings.h"
#include "platform/ComError.h"
#include "platform/Shell.h"

namespace tavir::addin {

void RunCommand(const ComPtr<IUnknown>& host) {
  const HMODULE language = LoadLanguageFile(ModulePath());
  const ResourceModuleScope resources(language ? language : OwnModule());
  try {
    Options options;
    options.host = host;
    options.Load();
    // LOCAL ONLY: the main dialog runs here once it exists.
  } catch (const ComError& failure) {
    CurrentShell().ShowMessage(FormatMessageText(LoadText(text::ErrorDuringImportExport).c_str(),
                                                 failure.ErrorMessage().c_str()),
                               MessageButtons::Ok, MessageIcon::Exclamation);
  }
}

}  // namespace tavir::addin
