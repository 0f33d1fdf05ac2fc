// What engine_bench needs around the engine: a pinned environment, a silent
// shell, a generated datebook, the plain-write baseline, a stopwatch and the
// process's peak resident set size.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "desktop/DatebookData.h"
#include "platform/CodePage.h"
#include "platform/LocalTime.h"
#include "platform/Shell.h"

namespace tavir::bench {

// The zone, locale, code page and clock the engine tests pin too, and a
// settings file of our own so the user's settings stay untouched.
inline void PinEnvironment(const std::string& registryFile) {
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
  setenv("TAVIR_LOCALE", "en-US", 1);
  setenv("LC_ALL", "C.UTF-8", 1);
  setenv("TAVIR_NOW", "2012-06-15T10:30:00", 1);
  setenv("TAVIR_REGISTRY", registryFile.c_str(), 1);
}

// A fresh directory for the bench's files under the temporary directory;
// empty (and a message printed) when it cannot be made.
inline std::string MakeBenchDirectory(const std::string& bench) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / ("tavir-" + bench + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror((bench + ": mkdtemp").c_str());
    return {};
  }
  return pattern;
}

// Answers every message with Ok and never quits; counts the messages so the
// bench can tell a clean run from one that reported errors.
class SilentShell : public Shell {
 public:
  MessageAnswer ShowMessage(const std::string& text, MessageButtons, MessageIcon) override {
    if (messages_++ == 0)
      firstMessage_ = text;
    return MessageAnswer::Ok;
  }
  void ShowWaitCursor() override {}
  void RestoreCursor() override {}
  bool PumpMessages() override { return true; }
  std::string LastSystemErrorText() override { return "system error"; }

  int Messages() const { return messages_; }
  const std::string& FirstMessage() const { return firstMessage_; }

 private:
  int messages_ = 0;
  std::string firstMessage_;
};

// Wall time and the process's processor time (user and system) since it was
// made. Ratios use processor time: on a shared machine the wall clock also
// counts the time other programs had the cores.
inline double ProcessorSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class Stopwatch {
 public:
  double Seconds() const { return ProcessorSeconds() - processorStart_; }
  double WallSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart_).count();
  }

 private:
  std::chrono::steady_clock::time_point wallStart_ = std::chrono::steady_clock::now();
  double processorStart_ = ProcessorSeconds();
};

// Peak resident set size of the process so far, in MiB (Linux reports KiB).
inline double PeakResidentMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The baseline: lines fixed 120-byte lines through a buffered stdio stream,
// closed at the end. The best of a few runs, so one slow run does not flatter
// the ratios. Processor seconds, as for everything measured here.
inline double PlainWriteSeconds(const std::string& path, int lines) {
  const std::string line = std::string(118, 'x') + "\r\n";
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    const Stopwatch watch;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                         &std::fclose);
    if (!file)
      return 0;
    for (int i = 0; i < lines; ++i)
      std::fwrite(line.data(), 1, line.size(), file.get());
    file.reset();
    best = std::min(best, watch.Seconds());
  }
  std::remove(path.c_str());
  return best;
}

// A datebook of count appointments spread over 1990 to 2030: every tenth one
// repeats, cycling through every repeat type with and without an end; some
// are untimed, private, with alarms, notes on two lines, categories,
// locations (some not ASCII) and exception days. The same seed gives the same datebook; texts
// carry the seed so two seeds share no appointment.
inline std::shared_ptr<DatebookData> GenerateDatebook(int count, unsigned seed) {
  static const char* const kCategories[] = {"", "Business", "Personal", "Holiday", "Travel"};
  // One location in four is not ASCII (the code page is UTF-8 here).
  static const char* const kLocations[] = {"", "Room 101", "Caf\xC3\xA9 M\xC3\xBCller, K\xC3\xB6ln",
                                           "Online"};
  std::mt19937 random(seed);
  const auto pick = [&](int upper) {
    return static_cast<int>(random() % static_cast<unsigned>(upper));
  };
  auto datebook = std::make_shared<DatebookData>(AnsiToWide("Bench User"));
  const std::string tag = "s" + std::to_string(seed) + " ";
  for (int i = 0; i < count; ++i) {
    AppointmentData a;
    const int year = 1990 + pick(41), month = 1 + pick(12), day = 1 + pick(28);
    a.untimed = pick(10) == 0;
    if (a.untimed) {
      a.start = a.end = LocalMidnight(year, month, day);
    } else {
      a.start = BuildLocal(year, month, day, 6 + pick(14), 15 * pick(4), 0);
      a.end = a.start + 60 * (15 + 15 * pick(12));
    }
    a.description = AnsiToWide(tag + "Meeting " + std::to_string(i) + " about item " +
                               std::to_string(pick(1000)));
    if (pick(3) == 0)
      a.note = AnsiToWide("Agenda for " + std::to_string(i) + "\r\nsecond line, \"quoted\"");
    a.category = AnsiToWide(kCategories[pick(5)]);
    a.location = AnsiToWide(kLocations[pick(4)]);
    a.isPrivate = pick(7) == 0;
    if (pick(4) == 0) {
      a.alarm = true;
      a.alarmUnit = pick(3);
      a.alarmAmount = 1 + pick(30);
    }
    if (i % 10 == 0) {
      const int type = 1 + (i / 10) % 5;
      a.repeat.type = type;
      a.repeat.interval = 1 + pick(3);
      if (type == 2)
        a.repeat.extra = 1 + pick(127);
      if (type == 3)
        a.repeat.extra = 1 + pick(5);
      if (pick(2) == 0)
        a.repeat.end = LocalMidnight(std::min(year + 1 + pick(5), 2031), month, day);
      if (type <= 2 && pick(3) == 0) {
        // Noon keeps a daylight saving change from moving the day.
        const TimeValue firstNoon = LocalMidnight(a.start) + kSecondsPerDay / 2;
        a.exceptions.insert(LocalMidnight(firstNoon + 14 * kSecondsPerDay));
        a.exceptions.insert(LocalMidnight(firstNoon + 28 * kSecondsPerDay));
      }
    }
    datebook->Add(std::move(a));
  }
  datebook->ForgetChanges();
  return datebook;
}

}  // namespace tavir::bench
