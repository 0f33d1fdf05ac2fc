// Which number formats show a number as a date, a time or both: the built-in
// ones by id, custom ones by their format text.
#pragma once

#include <cstdint>
#include <string>

#include "spreadsheet/WorkbookData.h"

namespace tavir::spreadsheet {

NumberStyle StyleOfBuiltInFormat(std::uint16_t formatId);
NumberStyle StyleOfFormatText(const std::u16string& format);

}  // namespace tavir::spreadsheet
