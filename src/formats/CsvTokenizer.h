// Takes the fields of one CSV line from the left. Quote and separator match
// only when their option text is exactly one byte long.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavir {

class CsvTokenizer {
 public:
  CsvTokenizer(const std::string& quote, const std::string& separator);

  // The line whose fields the next calls take; the tokenizer keeps a view,
  // so line must outlive its use.
  void Start(std::string_view line) {
    line_ = line;
    position_ = 0;
  }
  bool AtEnd() const { return position_ == line_.size(); }
  // The next field into field; false (field empty) when the line is used up.
  bool NextField(std::string& field);

 private:
  void TakePlainField(std::string& field);
  void TakeQuotedField(std::string& field);

  int quote_;      // the quote byte, or -1 when the option cannot match
  int separator_;  // likewise
  std::string_view line_;
  std::size_t position_ = 0;
};

// The byte a one-byte option text stands for; -1 for any other length.
int OptionByte(const std::string& text);

}  // namespace tavir
