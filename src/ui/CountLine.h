// The main dialog's count line: how many appointments an export would write.
#pragma once

#include <string>

namespace tavir {

class Options;

// The text for a given count (full format, or simple format with the span).
std::string CountLineText(const Options& options, int count);
// Counts with CountExportable and formats the result.
std::string ComputeCountLine(const Options& options);

}  // namespace tavir
