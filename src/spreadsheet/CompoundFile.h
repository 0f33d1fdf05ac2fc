// The compound file (OLE2 structured storage) that holds an Excel 97
// workbook's "Workbook" stream: building a file around one stream, and
// finding a stream in a file with every sector number and length checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavir::spreadsheet {

// A version 3 compound file (512-byte sectors) whose root storage holds one
// stream. Streams under 4096 bytes go to the mini stream, as readers expect.
std::vector<std::uint8_t> BuildCompoundFile(const std::u16string& streamName,
                                            const std::vector<std::uint8_t>& stream);

// The stream of the root storage whose name equals one of names (case
// ignored), in the order given; throws WorkbookFormatError when the file is
// not a compound file, is damaged or holds none of them. matchedName tells
// which name was found.
std::vector<std::uint8_t> ReadCompoundStream(const std::vector<std::uint8_t>& file,
                                             const std::vector<std::u16string>& names,
                                             std::u16string& matchedName);

}  // namespace tavir::spreadsheet
