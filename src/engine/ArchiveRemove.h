// Maintenance of the Datebook: statistics and marking for archival (archive
// dialog), and removing what the filter, format and span select.
#pragma once

#include <cstdint>

#include "host/DesktopInterfaces.h"

namespace tavir {

class Options;
class ProgressControl;

struct ArchiveStatistics {
  int count = 0;
  std::int64_t bytes = 0;
};

ArchiveStatistics GetArchiveStatistics(const Options& options, IDesktopDatebook* datebook);
// The space an appointment takes in the Datebook, in bytes.
int EstimateSize(IDesktopAppointment* appointment);
// Marks appointments up to the day of limit (and, with minimumSize >= 0, at
// least that large) for archival; returns how many.
int ArchiveAppointments(const Options& options, IDesktopDatebook* datebook, TimeValue limit,
                        int minimumSize);
// Removes appointments (full format) or occurrences inside the span (simple
// format); returns how many.
int RemoveAppointments(const Options& options, ProgressControl* progress);

}  // namespace tavir
