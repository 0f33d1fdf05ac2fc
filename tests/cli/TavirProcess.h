// Runs the `tavir` program as a process for end-to-end tests: arguments,
// environment, standard streams captured, exit status; and a scratch
// directory with its own datebook and settings file.
#pragma once

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/posix/FileDescriptor.h"
#include "support/ScratchDirectory.h"

extern char** environ;

namespace tavir::test_support {

struct ProcessResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

class TavirWorkspace {
 public:
  std::string Path(const std::string& name) const { return directory_.PathOf(name); }
  std::string Datebook() const { return Path("datebook.sqlite"); }
  std::string Registry() const { return Path("registry.reg"); }

  // tavir --datebook D --registry R args..., with a pinned locale and clock.
  // whileRunning, when given, runs with the child's pid once it started.
  ProcessResult Run(const std::vector<std::string>& args, const std::string& input = "",
                    std::function<void(pid_t)> whileRunning = nullptr) const {
    std::vector<std::string> all = {"--datebook", Datebook(), "--registry", Registry()};
    all.insert(all.end(), args.begin(), args.end());
    return RunPlain(all, input, whileRunning);
  }

  // tavir args... with the default datebook and settings under HOME (the workspace).
  ProcessResult RunPlain(const std::vector<std::string>& args, const std::string& input = "",
                         std::function<void(pid_t)> whileRunning = nullptr) const {
    std::vector<std::string> argv = {TAVIR_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& a : argv)
      cargv.push_back(a.data());
    cargv.push_back(nullptr);

    std::vector<std::string> env = {"TAVIR_LOCALE=en-US",
                                    "LC_ALL=C.UTF-8",
                                    "TZ=UTC",
                                    "TAVIR_NOW=2005-11-10T16:42:17",
                                    "HOME=" + directory_.Path().string(),
                                    "ASAN_OPTIONS=detect_leaks=0",
                                    "USER=tester"};
    for (const std::string& extra : extraEnvironment_)
      env.push_back(extra);
    std::vector<char*> cenv;
    for (std::string& e : env)
      cenv.push_back(e.data());
    cenv.push_back(nullptr);

    const std::string inPath = Path(".stdin"), outPath = Path(".stdout"), errPath = Path(".stderr");
    std::ofstream(inPath, std::ios::binary) << input;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A new session: the child has no controlling terminal to ask on.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    ProcessResult result;
    if (posix_spawn(&pid, cargv[0], &actions, &attributes, cargv.data(), cenv.data()) == 0) {
      if (whileRunning)
        whileRunning(pid);
      int status = 0;
      waitpid(pid, &status, 0);
      result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    result.out = Read(outPath);
    result.err = Read(errPath);
    return result;
  }

  void AddEnvironment(const std::string& assignment) { extraEnvironment_.push_back(assignment); }

  static std::string Read(const std::string& path) { return ReadFileBytes(path); }
  void Write(const std::string& name, const std::string& content) const {
    std::ofstream(Path(name), std::ios::binary) << content;
  }

 private:
  ScratchDirectory directory_{"tavir-cli"};
  std::vector<std::string> extraEnvironment_;
};

// Returns once done() says so, asking again whenever the file or folder at
// path meets one of the inotify events (IN_MODIFY, IN_ACCESS, ...); gives up
// after ten seconds without an event. The watch starts before the first
// question, so no event falls between a question and the wait.
inline void WaitOnFileEvents(const std::string& path, std::uint32_t events,
                             const std::function<bool()>& done) {
  const FileDescriptor watcher(inotify_init1(IN_CLOEXEC));
  if (!watcher.IsValid() || inotify_add_watch(watcher.Get(), path.c_str(), events) < 0)
    return;
  alignas(inotify_event) char buffer[4096];
  pollfd event{watcher.Get(), POLLIN, 0};
  while (!done() && poll(&event, 1, 10000) > 0) {
    if (read(watcher.Get(), buffer, sizeof buffer) <= 0)
      return;
  }
}

}  // namespace tavir::test_support
