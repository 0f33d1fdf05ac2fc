// What the driver tests share: the transfer fixture (stand-alone datebook,
// scripted shell, pinned zone, locale and clock), a scratch settings store,
// a scratch directory for files, and small builders of appointments.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/HostFixture.h"
#include "platform/CodePage.h"
#include "support/ScratchDirectory.h"
#include "support/ScratchRegistry.h"

namespace tavir::test_support {

class EngineFixture : public HostFixture {
 protected:
  ScopedEnvironmentVariable now_{"TAVIR_NOW", std::string("2005-11-10T16:42:17")};
  ScratchRegistry registry_;
  ScratchDirectory scratch_{"tavir-engine"};
  const std::filesystem::path& directory_ = scratch_.Path();

  std::string PathOf(const std::string& name) const { return scratch_.PathOf(name); }
  static std::string ReadFile(const std::string& path) { return ReadFileBytes(path); }

  static void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }

  // Lines of a CSV file (CR LF separated; the last CR LF ends the last line).
  static std::vector<std::string> Lines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(content.substr(start, end - start));
    if (start < content.size())
      lines.push_back(content.substr(start));
    return lines;
  }

  // A timed appointment in the stand-alone datebook, in local time.
  std::shared_ptr<AppointmentData> AddTimed(int year, int month, int day, int hour, int minute,
                                            int minutes, const std::string& text,
                                            const std::string& note = {},
                                            const std::string& category = {},
                                            const std::string& location = {}) {
    AppointmentData appointment;
    appointment.start = BuildLocal(year, month, day, hour, minute, 0);
    appointment.end = appointment.start + minutes * 60;
    appointment.description = AnsiToWide(text);
    appointment.note = AnsiToWide(note);
    appointment.category = AnsiToWide(category);
    appointment.location = AnsiToWide(location);
    return data_->Add(std::move(appointment));
  }

  std::shared_ptr<AppointmentData> AddRepeating(int year, int month, int day, int hour,
                                                const std::string& text, RepeatRule rule) {
    AppointmentData appointment;
    appointment.start = BuildLocal(year, month, day, hour, 0, 0);
    appointment.end = appointment.start + 3600;
    appointment.description = AnsiToWide(text);
    appointment.repeat = rule;
    return data_->Add(std::move(appointment));
  }

  int CountActive() const { return static_cast<int>(ActiveAppointments().size()); }
};

}  // namespace tavir::test_support
