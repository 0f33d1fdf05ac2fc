// The file layer's exception: a file that was opened could not be written or
// read (a full disk, a lost share, a spreadsheet application refusing a call).
// The export and import loops catch it and show "Error writing file\n%s".
#pragma once

#include <stdexcept>
#include <string>

namespace tavir {

class FileError : public std::runtime_error {
 public:
  // message: the system's or the spreadsheet application's own error text.
  explicit FileError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tavir
