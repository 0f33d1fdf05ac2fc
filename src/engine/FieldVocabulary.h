// The small texts that stand for values in files: flags, alarm units and
// repeat kinds; and which field numbers carry a column.
#pragma once

#include <cstdint>
#include <string>

#include "model/FieldMapping.h"

namespace tavir {

inline constexpr const char* kFlagSetText = "x";

inline std::string FlagText(std::int32_t flag) { return flag ? kFlagSetText : ""; }

// "m", "h", "d"; any unit other than hours and days counts as minutes.
const char* AlarmUnitText(std::int32_t unit);
// "Daily", "Weekly", "Monthly Day", "Monthly Date", "Yearly"; empty for others.
const char* RepeatTypeText(std::int32_t repeatType);

// Fields 15 to 19 and numbers above "(Ignored)" have no value and no column.
inline bool HasColumn(FieldId field) {
  return field <= field::Ignored && (field < field::FirstDummy || field > field::LastDummy);
}

}  // namespace tavir
