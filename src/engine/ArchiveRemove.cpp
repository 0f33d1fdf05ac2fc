// Archive statistics, marking for archival, and removal.
#include "engine/ArchiveRemove.h"

#include <vector>

#include "engine/Filter.h"
#include "engine/MessagePump.h"
#include "engine/WaitCursor.h"
#include "host/HostCalls.h"
#include "host/OccurrenceWalk.h"
#include "host/Transfer.h"
#include "model/Options.h"
#include "platform/ComError.h"
#include "platform/Shell.h"

namespace tavir {

namespace {

constexpr const char* kAppointment = "IDesktopAppointment";

// A repeating appointment may be archived only when it has no occurrence
// after the limit: one exactly at the limit lets the search go on.
bool HasNoOccurrenceAfter(IDesktopAppointment* appointment, TimeValue limit) {
  const TimeValue noEnd = NoEndDate();
  TimeValue cursor = 0;
  HostLong found = 0;
  ThrowIfFailed(appointment->FindFirstOccurrence(limit, noEnd, &cursor, &found), kAppointment);
  bool none = true;
  if (found) {
    WalkOccurrences(appointment, cursor, noEnd, HostFailure::EndsTheWalk, [&](TimeValue day) {
      // An occurrence exactly at the limit keeps the appointment, but the search goes on.
      none = false;
      return day <= limit;
    });
  }
  return none;
}

}  // namespace

int EstimateSize(IDesktopAppointment* appointment) {
  int size = 16;
  const std::string text = ReadDescription(appointment);
  if (!text.empty())
    size += static_cast<int>(text.size()) + 1;
  const std::string note = ReadNote(appointment);
  if (!note.empty())
    size += static_cast<int>(note.size()) + 1;
  if (ReadAlarmFlag(appointment))
    size += 2;
  if (ReadRepeating(appointment)) {
    size += 6;
    const HostLong exceptions = ReadExceptionCount(appointment);
    if (exceptions > 0)
      size += 2 + 2 * exceptions;
  }
  return size;
}

ArchiveStatistics GetArchiveStatistics(const Options& options, IDesktopDatebook* datebook) {
  ArchiveStatistics statistics;
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook);
  for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
    ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
    if (!appointment || !AppointmentPassesFilter(options, appointment.Get()))
      continue;
    ++statistics.count;
    statistics.bytes += EstimateSize(appointment.Get());
  }
  return statistics;
}

int ArchiveAppointments(const Options& options, IDesktopDatebook* datebook, TimeValue limit,
                        int minimumSize) {
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook);
  int marked = 0;
  for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
    ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
    if (!appointment || !AppointmentPassesFilter(options, appointment.Get()))
      continue;
    const bool candidate = ReadRepeating(appointment.Get())
                               ? HasNoOccurrenceAfter(appointment.Get(), limit)
                               : LocalMidnight(ReadStartTime(appointment.Get())) <= limit;
    if (!candidate)
      continue;
    if (minimumSize >= 0 && EstimateSize(appointment.Get()) < minimumSize)
      continue;
    ThrowIfFailed(appointment->Delete(1), kAppointment);
    ++marked;
  }
  return marked;
}

int RemoveAppointments(const Options& options, ProgressControl* progress) {
  WaitCursor waitCursor;
  ComPtr<IDesktopDatebook> datebook = OpenDatebook(options);
  ComPtr<IDesktopAppointments> appointments = QueryAllAppointments(datebook.Get());
  const TimeValue from = options.GetSpanStart();
  const TimeValue to = options.GetSpanEnd();
  if (progress)
    progress->SetRange(ReadCount(appointments.Get()));
  PumpMessages();
  int removed = 0;
  for (HostLong i = 0; i < ReadCount(appointments.Get()); ++i) {
    ComPtr<IDesktopAppointment> appointment = ReadItem(appointments.Get(), i);
    if (progress)
      progress->SetPosition(i);
    if (PumpMessages() == PumpResult::Quit)
      break;
    waitCursor.Restore();
    if (!appointment || !AppointmentPassesFilter(options, appointment.Get()))
      continue;
    if (options.fullformat) {
      ThrowIfFailed(appointment->Delete(0), kAppointment);
      ++removed;
    } else if (!ReadRepeating(appointment.Get())) {
      const TimeValue start = ReadStartTime(appointment.Get());
      if (from < start && start < to) {
        ThrowIfFailed(appointment->Delete(0), kAppointment);
        ++removed;
      }
    } else {
      TimeValue cursor = 0;
      HostLong found = 0;
      ThrowIfFailed(appointment->FindFirstOccurrence(from, to, &cursor, &found), kAppointment);
      // The days are collected first: each exception changes what the search returns.
      std::vector<TimeValue> days;
      if (found) {
        WalkOccurrences(appointment.Get(), cursor, to, HostFailure::IsThrown, [&](TimeValue day) {
          days.push_back(day);
          return true;
        });
      }
      for (TimeValue day : days) {
        ThrowIfFailed(appointment->AddException(day), kAppointment);
        ++removed;
      }
    }
  }
  return removed;
}

}  // namespace tavir
