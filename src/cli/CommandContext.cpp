// The command context: options, lazily opened datebook, terminal progress.
#include "cli/CommandContext.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace tavir {

CommandContext::CommandContext(DatebookLocation datebook, std::ostream& out)
    : datebook_(std::move(datebook)), out_(out), progress_(stderr) {}

DatebookSession& CommandContext::Datebook() {
  if (!session_) {
    if (datebook_.makeFolder) {
      std::error_code ignored;  // a folder that cannot be made is reported by the store
      std::filesystem::create_directories(std::filesystem::path(datebook_.path).parent_path(),
                                          ignored);
    }
    session_ = std::make_unique<DatebookSession>(datebook_.path, LoginName());
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
