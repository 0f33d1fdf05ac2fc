// Whole `tavir` processes against libical: a generated datebook file is
// opened (count), exported to .ics and .csv, and its CSV imported with
// noduplicates on into an empty datebook and again into the full one. Each
// child's processor time and peak memory come from the kernel (wait4); the
// ratio divides it by the time libical takes to build and
// serialise the same events. Goal: the .ics export at 1.0 or less.
// Usage: process_bench [--runs N] [APPOINTMENTS] (default 100,000, 3 runs);
// --program PATH runs another tavir (an older build, to compare);
// --datebook-only FILE only writes the datebook file, for profiling tavir on it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "CalendarBenchSupport.h"
#include "desktop/store/DatebookStore.h"

extern char** environ;

namespace {

using namespace tavir;
using namespace tavir::bench;

struct ChildResult {
  double seconds = 1e9;  // user + system
  double peakMiB = 0;
  int status = 0;
};

double Seconds(const timeval& value) {
  return static_cast<double>(value.tv_sec) + static_cast<double>(value.tv_usec) / 1e6;
}

// Runs the program with the arguments, its output to /dev/null.
ChildResult RunChild(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  ChildResult result{0, 0, -1};
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) == child) {
      result.seconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
      result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
      result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  return result;
}

// The generated appointments as a datebook file, as `tavir` keeps them.
void StoreDatebook(const DatebookData& generated, const std::string& path) {
  std::filesystem::remove(path);
  DatebookStore store(path, generated.UserName());
  std::shared_ptr<DatebookData> data = store.Load();
  for (const auto& [id, appointment] : generated.All())
    data->Add(*appointment);
  store.Commit(*data);
}

// Generates the datebook file and times libical on the same events, in a
// child process of its own: a child spawned later would otherwise report this
// process's memory as its peak (Linux carries the peak across exec).
// Returns libical's best processor seconds, 0 on failure.
double PrepareInChild(int count, const std::string& datebook, const std::string& directory,
                      int runs) {
  int channel[2];
  if (pipe(channel) != 0)
    return 0;
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    double best = 0;
    try {
      auto generated = GenerateDatebook(count, 1);
      StoreDatebook(*generated, datebook);
      Options options;
      std::vector<PreparedEvent> events = PrepareEvents(generated, options);
      best = 1e9;
      for (int run = 0; run < runs; ++run) {
        const Stopwatch watch;
        if (WriteWithLibical(events, directory + "/libical.ics") == 0)
          best = 0;
        best = std::min(best, watch.Seconds());
      }
    } catch (const std::exception& error) {
      std::fprintf(stderr, "process_bench: %s\n", error.what());
      best = 0;
    }
    const bool sent = write(channel[1], &best, sizeof best) == sizeof best;
    _exit(sent ? 0 : 1);
  }
  close(channel[1]);
  double best = 0;
  if (child < 0 || read(channel[0], &best, sizeof best) != sizeof best)
    best = 0;
  close(channel[0]);
  if (child > 0)
    waitpid(child, nullptr, 0);
  return best;
}

class Bench {
 public:
  Bench(std::string directory, int runs, std::string program)
      : directory_(std::move(directory)), runs_(runs), program_(std::move(program)) {}

  int Run(int count) {
    const std::string datebook = directory_ + "/datebook.sqlite";
    const double libicalSeconds = PrepareInChild(count, datebook, directory_, runs_);
    if (libicalSeconds <= 0)
      return 1;
    std::printf(
        "process_bench: %d appointments, child processor seconds and peak RSS, best of %d\n", count,
        runs_);
    std::printf(
        "baseline: libical builds and serialises them in %.3f s (in a process of its own)\n\n",
        libicalSeconds);
    std::printf("%-40s %9s %10s %14s\n", "tavir process", "cpu s", "peak MiB", "x libical");
    const auto show = [&](const char* name, const ChildResult& result) {
      std::printf("%-40s %9.3f %10.1f %14.2f%s\n", name, result.seconds, result.peakMiB,
                  result.seconds / libicalSeconds, result.status == 0 ? "" : "  FAILED");
      if (result.status != 0)
        failed_ = true;
    };
    Tavir(datebook, {"options", "fullformat", "1"});
    Tavir(datebook, {"options", "noduplicates", "1"});
    show("count (opening the datebook)", Best(datebook, {"count"}));
    show("export .ics, full format", Best(datebook, {"export", directory_ + "/out.ics"}));
    const std::string csv = directory_ + "/out.csv";
    show("export .csv, full format", Best(datebook, {"export", csv}));
    ChildResult into, again;
    for (int run = 0; run < runs_; ++run) {
      const std::string fresh = directory_ + "/imported.sqlite";
      std::filesystem::remove(fresh);
      Keep(into, Tavir(fresh, {"import", csv}));
      Keep(again, Tavir(fresh, {"import", csv}));
    }
    show("import .csv into an empty datebook", into);
    show("import it again (all duplicates)", again);
    std::printf(
        "\nx libical = the process's processor time / libical's; goal for the .ics "
        "export: 1.0 or less\n");
    return failed_ ? 1 : 0;
  }

 private:
  ChildResult Tavir(const std::string& datebook, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {program_, "--datebook", datebook});
    return RunChild(arguments);
  }
  // The fastest run's time and memory; a failure of any run stays visible.
  static void Keep(ChildResult& best, const ChildResult& result) {
    if (result.seconds < best.seconds) {
      best.seconds = result.seconds;
      best.peakMiB = result.peakMiB;
    }
    if (result.status != 0)
      best.status = result.status;
  }
  ChildResult Best(const std::string& datebook, const std::vector<std::string>& arguments) {
    ChildResult best;
    for (int run = 0; run < runs_; ++run)
      Keep(best, Tavir(datebook, arguments));
    return best;
  }

  std::string directory_;
  int runs_;
  std::string program_;
  bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  int count = 100000, runs = 3;
  std::string keep, program = TAVIR_PROGRAM;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
      runs = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--datebook-only") == 0 && i + 1 < argc) {
      keep = argv[++i];
    } else if (std::strcmp(argv[i], "--program") == 0 && i + 1 < argc) {
      program = argv[++i];
    } else {
      count = std::atoi(argv[i]);
    }
  }
  if (count <= 0 || runs <= 0) {
    std::fprintf(stderr,
                 "usage: process_bench [--runs N] [--program PATH] [--datebook-only FILE] "
                 "[APPOINTMENTS]\n");
    return 2;
  }
  const std::string directory = MakeBenchDirectory("process-bench");
  if (directory.empty())
    return 1;
  PinEnvironment(directory + "/registry.reg");
  unsetenv("TAVIR_NOW");  // a real export takes the system clock
  int status = 1;
  try {
    if (!keep.empty()) {
      StoreDatebook(*GenerateDatebook(count, 1), keep);
      status = 0;
    } else {
      status = Bench(directory, runs, program).Run(count);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "process_bench: %s\n", error.what());
  }
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
  return status;
}
