// Our iCalendar writer beside libical: the same generated appointments, read
// once into records, are written as a whole .ics file by CalendarFile and by
// libical (each event built, serialised and written). Prints processor
// seconds for both and the ratio libical / ours; the goal is 2 or more.
// Usage: ical_bench [APPOINTMENTS] (default 100,000).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "CalendarBenchSupport.h"
#include "formats/CalendarFile.h"

namespace {

using namespace tavir;
using namespace tavir::bench;

long WriteWithOurs(const std::vector<PreparedEvent>& events, const std::string& path) {
  CalendarFile writer(true);
  if (writer.OpenWrite(path) != 0)
    return 0;
  for (const PreparedEvent& event : events)
    writer.WriteAppointment(*event.record, event.appointment.Get(), false);
  writer.Finish();
  return static_cast<long>(std::filesystem::file_size(path));
}

struct Result {
  double seconds = 1e9;
  long bytes = 0;
};

template <typename Write>
void Measure(Result& result, Write&& write) {
  const Stopwatch watch;
  result.bytes = write();
  result.seconds = std::min(result.seconds, watch.Seconds());
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  if (count <= 0) {
    std::fprintf(stderr, "usage: ical_bench [APPOINTMENTS]\n");
    return 2;
  }
  const std::string directory = MakeBenchDirectory("ical-bench");
  if (directory.empty())
    return 1;
  PinEnvironment(directory + "/registry.reg");
  // A real export takes the system clock.
  unsetenv("TAVIR_NOW");

  int status = 0;
  {
    Options options;
    std::vector<PreparedEvent> events = PrepareEvents(GenerateDatebook(count, 1), options);
    const std::string ours = directory + "/ours.ics", theirs = directory + "/libical.ics";
    Result our, their;
    // Interleaved, best of three: a slow moment on a shared machine hits both.
    for (int run = 0; run < 3; ++run) {
      Measure(our, [&] { return WriteWithOurs(events, ours); });
      Measure(their, [&] { return WriteWithLibical(events, theirs); });
    }
    std::printf("ical_bench: %zu events, processor seconds, best of 3\n", events.size());
    std::printf("%-22s %9s %12s %12s\n", "writer", "cpu s", "events/s", "file bytes");
    std::printf("%-22s %9.3f %12.0f %12ld\n", "ours (CalendarFile)", our.seconds,
                static_cast<double>(events.size()) / our.seconds, our.bytes);
    std::printf("%-22s %9.3f %12.0f %12ld\n", "libical", their.seconds,
                static_cast<double>(events.size()) / their.seconds, their.bytes);
    std::printf("ratio libical / ours: %.2f (goal: 2 or more)\n", their.seconds / our.seconds);
    if (our.bytes == 0 || their.bytes == 0)
      status = 1;
    options.host.Reset();
  }
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
  return status;
}
