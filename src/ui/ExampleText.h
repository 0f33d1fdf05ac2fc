// The file format example of the options dialog: a header line and one
// sample record, written as the current options would write them.
#pragma once

#include <string>

namespace tavir {

class Options;

// The two lines, each ended by CR LF, for the options' current format,
// separator, quote, time form and field mapping.
std::string BuildExampleText(const Options& options);

}  // namespace tavir
