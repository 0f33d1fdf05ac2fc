// The stored options, each listed once: registry value name, member, kind and
// the range a user may set. Load, Save and `tavir options` walk this table.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace tavir {

class Options;

inline constexpr int kMinAppointmentLength = 1, kMaxAppointmentLength = 999;
inline constexpr int kMinArchiveSize = 100, kMaxArchiveSize = 9999;

enum class OptionKind { Text, Flag, Number };

struct OptionEntry {
  const char* name;  // the registry value name
  OptionKind kind;
  std::string Options::*text = nullptr;     // set for Text
  std::int32_t Options::*number = nullptr;  // set for Flag and Number
  int low = INT32_MIN;
  int high = INT32_MAX;
  int (*highToday)() = nullptr;  // an upper bound that depends on today's date
};

// In the order the options are written to the registry.
const std::vector<OptionEntry>& OptionEntries();
// None for an unknown name.
const OptionEntry* FindOption(const std::string& name);

}  // namespace tavir
