// The command context: options, lazily opened datebook, terminal progress.
#include "cli/CommandContext.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tavir {

CommandContext::CommandContext(std::string datebookPath, std::ostream& out)
    : datebookPath_(std::move(datebookPath)), out_(out), progress_(stderr) {}

DatebookSession& CommandContext::Datebook() {
  if (!session_) {
    session_ = std::make_unique<DatebookSession>(datebookPath_, LoginName());
    options_.host = session_->Host();
  }
  return *session_;
}

std::string LoginName() {
  for (const char* variable : {"LOGNAME", "USER"})
    if (const char* name = std::getenv(variable); name && *name) return name;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
    return entry->pw_name;
  return "Palm User";
}

}  // namespace tavir
