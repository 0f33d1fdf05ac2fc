// Export and import of a 100,000-appointment datebook through the engine and
// the stand-alone datebook: records per second against a plain buffered write
// of as many lines, the cost of the duplicate test, and the peak memory after
// each phase. --quick runs 10,000 appointments.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "EngineBenchSupport.h"
#include "desktop/Desktop.h"
#include "engine/ExportDriver.h"
#include "engine/ImportDriver.h"
#include "model/Options.h"

namespace {

using namespace tavir;
using namespace tavir::bench;

// Options over a datebook, as the host's add-in would have them.
struct Session {
  explicit Session(std::shared_ptr<DatebookData> data) : data(std::move(data)) {
    options.host = ComPtr<IUnknown>(CreateDesktopApplication(this->data).Get());
  }
  ~Session() { options.host.Reset(); }
  std::shared_ptr<DatebookData> data;
  Options options;
};

std::string MachineText() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line, model = "unknown processor";
  while (std::getline(cpuinfo, line))
    if (line.rfind("model name", 0) == 0) {
      model = line.substr(line.find(':') + 2);
      break;
    }
  return model + ", " + std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores";
}

std::string UtcNowText() {
  const std::time_t now = std::time(nullptr);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
  return text;
}

class Bench {
 public:
  Bench(int appointments, std::filesystem::path directory)
      : count_(appointments), directory_(std::move(directory)) {}

  int Run() {
    const Stopwatch total;
    std::printf("engine_bench, %s, %s, %d appointments\n", UtcNowText().c_str(),
                MachineText().c_str(), count_);
    std::printf("peak RSS at start: %.1f MiB\n", PeakResidentMiB());
    baselineSeconds_ = PlainWriteSeconds(PathOf("baseline.txt"), count_);
    std::printf("baseline: %d plain 120-byte lines in %.4f processor seconds, %.0f lines/s\n\n",
                count_, baselineSeconds_, count_ / baselineSeconds_);
    RunExports();
    RunImports();
    std::printf("\nwhole run: %.1f processor seconds, %.1f s wall\n", total.Seconds(),
                total.WallSeconds());
    if (shell_.Messages() != 0) {
      std::fprintf(stderr, "engine_bench: the engine showed %d messages, the first: %s\n",
                   shell_.Messages(), shell_.FirstMessage().c_str());
      return 1;
    }
    return failed_ ? 1 : 0;
  }

  SilentShell& shell() { return shell_; }

 private:
  std::string PathOf(const std::string& name) const { return (directory_ / name).string(); }

  // The fastest of kRuns runs: on a shared machine a run can also pay for
  // caches another program emptied.
  static constexpr int kRuns = 3;

  struct Timing {
    double seconds = 1e9;  // processor seconds
    double wall = 0;
    void Keep(const Stopwatch& watch) {
      const double processor = watch.Seconds();
      if (processor < seconds) {
        seconds = processor;
        wall = watch.WallSeconds();
      }
    }
  };

  void RunExports() {
    const double before = PeakResidentMiB();
    const Stopwatch generating;
    Session session(GenerateDatebook(count_, 1));
    const double footprint = PeakResidentMiB();
    std::printf(
        "export: datebook of %d appointments generated in %.2f s; peak RSS %.1f MiB "
        "(the datebook: %.1f MiB)\n",
        count_, generating.Seconds(), footprint, footprint - before);
    Options& options = session.options;
    const TimeValue from = options.GetSpanStart(), to = options.GetSpanEnd();
    struct Case {
      const char* name;
      std::string file;
      std::function<int(const std::string&)> run;
    };
    fullCsv_ = PathOf("full.csv");
    const Case cases[] = {
        {"full CSV", fullCsv_,
         [&](const std::string& f) { return ExportFull(f, options, nullptr); }},
        {"full iCalendar", PathOf("full.ics"),
         [&](const std::string& f) { return ExportFull(f, options, nullptr); }},
        {"simple CSV, 61 days", PathOf("simple.csv"),
         [&](const std::string& f) { return ExportSimple(f, from, to, options, nullptr); }},
        {"simple iCalendar, 61 days", PathOf("simple.ics"),
         [&](const std::string& f) { return ExportSimple(f, from, to, options, nullptr); }},
    };
    std::printf("%-26s %9s %8s %8s %12s %9s %14s %10s\n", "export (best of 3)", "records", "cpu s",
                "wall s", "appts/s", "x plain", "file bytes", "peak MiB");
    for (const Case& exportCase : cases) {
      Timing timing;
      int records = 0;
      for (int run = 0; run < kRuns; ++run) {
        std::remove(exportCase.file.c_str());
        const Stopwatch watch;
        records = exportCase.run(exportCase.file);
        timing.Keep(watch);
      }
      const auto bytes = std::filesystem::exists(exportCase.file)
                             ? std::filesystem::file_size(exportCase.file)
                             : 0;
      std::printf("%-26s %9d %8.2f %8.2f %12.0f %9.1f %14ju %10.1f\n", exportCase.name, records,
                  timing.seconds, timing.wall, count_ / timing.seconds,
                  timing.seconds / baselineSeconds_, static_cast<std::uintmax_t>(bytes),
                  PeakResidentMiB());
      if (records <= 0)
        failed_ = true;
      if (exportCase.file != fullCsv_)
        std::remove(exportCase.file.c_str());
    }
    std::printf(
        "appts/s counts every appointment of the datebook per processor second (the simple format\n"
        "reads them all and writes those in the span); x plain = export time / baseline time for\n"
        "as many lines, both in processor seconds.\n"
        "Peak RSS grew by %.1f MiB over the datebook's own while exporting.\n\n",
        PeakResidentMiB() - footprint);
  }

  struct ImportResult {
    Timing timing;
    ImportSummary summary;
  };

  // Each run imports into a fresh datebook from make.
  ImportResult Import(const std::function<std::shared_ptr<DatebookData>()>& make,
                      bool noDuplicates) {
    ImportResult result;
    for (int run = 0; run < kRuns; ++run) {
      Session session(make());
      session.options.noduplicates = noDuplicates ? 1 : 0;
      result.summary = {};
      const Stopwatch watch;
      if (ImportFile(fullCsv_, session.options, nullptr, &result.summary) != 0)
        failed_ = true;
      result.timing.Keep(watch);
    }
    return result;
  }

  void PrintImport(const char* target, const char* duplicates, const ImportResult& result) {
    const ImportSummary& s = result.summary;
    std::printf("%-34s %-4s %8.2f %8.2f %10.2f %8d %10d %7d %10.1f\n", target, duplicates,
                result.timing.seconds, result.timing.wall, result.timing.seconds * 1e6 / count_,
                s.added, s.duplicates, s.faulty, PeakResidentMiB());
    if (s.faulty != 0 || s.readFailed || s.stopped)
      failed_ = true;
  }

  void RunImports() {
    std::printf("import of %s (%d records, no record ids), best of 3\n", fullCsv_.c_str(), count_);
    std::printf("%-34s %-4s %8s %8s %10s %8s %10s %7s %10s\n", "into", "dups", "cpu s", "wall s",
                "us/record", "added", "duplicates", "faulty", "peak MiB");
    struct Target {
      const char* name;
      std::function<std::shared_ptr<DatebookData>()> make;
    };
    const int count = count_;
    const Target targets[] = {
        {"an empty datebook",
         [] { return std::make_shared<DatebookData>(AnsiToWide("Bench User")); }},
        {"a datebook of other appointments", [count] { return GenerateDatebook(count, 2); }},
        {"the datebook it came from", [count] { return GenerateDatebook(count, 1); }},
    };
    std::string ratios;
    for (const Target& target : targets) {
      const ImportResult off = Import(target.make, false);
      PrintImport(target.name, "off", off);
      const ImportResult on = Import(target.make, true);
      PrintImport(target.name, "on", on);
      char line[160];
      std::snprintf(line, sizeof line, "  into %-34s %.2f\n", target.name,
                    on.timing.seconds / off.timing.seconds);
      ratios += line;
    }
    std::printf("processor time with noduplicates on / with it off:\n%s", ratios.c_str());
  }

  const int count_;
  const std::filesystem::path directory_;
  SilentShell shell_;
  double baselineSeconds_ = 0;
  std::string fullCsv_;
  bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  int appointments = 100000;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) {
      appointments = 10000;
    } else {
      std::fprintf(stderr, "usage: engine_bench [--quick]\n");
      return 2;
    }
  }
  const std::string pattern = MakeBenchDirectory("engine-bench");
  if (pattern.empty())
    return 1;
  const std::filesystem::path directory = pattern;
  PinEnvironment((directory / "registry.reg").string());
  int result = 1;
  {
    Bench bench(appointments, directory);
    SetCurrentShell(&bench.shell());
    try {
      result = bench.Run();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "engine_bench: %s\n", error.what());
    }
    SetCurrentShell(nullptr);
  }
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
  return result;
}
