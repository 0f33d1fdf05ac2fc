// The options by their registry value names, for `tavir options`: reading,
// and setting with the checks the options and archive dialogs apply.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavir {

class Options;

// Registry value names in the order the options are written.
const std::vector<std::string>& OptionNames();
// None for an unknown name.
std::optional<std::string> GetOptionText(const Options& options, const std::string& name);
// The failure message (unknown name, or the dialog's check); none when set.
std::optional<std::string> SetOptionText(Options& options, const std::string& name,
                                         const std::string& value);

}  // namespace tavir
