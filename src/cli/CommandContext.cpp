// The command context: options, lazily opened datebook, terminal progress.
#include "cli/CommandContext.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace tavir {

CommandContext::CommandContext(DatebookLocation datebook, std::ostream& out)
    : datebook_(std::move(datebook)), out_(out), progress_(stderr) {}

DatebookSession& CommandContext::Datebook(WhenMissing whenMissing) {
  if (!session_) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(datebook_.path, error)) {
      if (whenMissing == WhenMissing::Refuse)
        throw std::runtime_error("No datebook exists at " + datebook_.path +
                                 ". Only import and user NAME create one; check --datebook "
                                 "and TAVIR_DATEBOOK.");
      const fs::path folder = fs::absolute(datebook_.path, error).parent_path();
      if (datebook_.makeFolder)
        fs::create_directories(folder, error);
      // Reported here: the store would name its own scratch files instead.
      if (!fs::is_directory(folder, error))
        throw std::runtime_error("Cannot create the datebook " + datebook_.path + ": the folder " +
                                 folder.string() + " does not exist.");
    }
    session_ = std::make_unique<DatebookSession>(datebook_.path, LoginName());
    options_.host = session_->Host();
  }
  return *session_;
}

std::string LoginName() {
  for (const char* variable : {"LOGNAME", "USER"})
    if (const char* name = std::getenv(variable); name && *name)
      return name;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
    return entry->pw_name;
  return "Palm User";
}

}  // namespace tavir
