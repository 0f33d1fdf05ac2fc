// The archive dialog's texts: the information line and the result message.
#pragma once

#include <string>

#include "engine/ArchiveRemove.h"

namespace tavir {

std::string ArchiveStatisticsText(const ArchiveStatistics& statistics);
// Singular for exactly one marked appointment; "Error archiving appointments"
// for a negative result.
std::string ArchiveResultText(int marked);

}  // namespace tavir
