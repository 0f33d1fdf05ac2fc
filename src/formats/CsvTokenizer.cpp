// The CSV field tokenizer: plain and quoted fields, a doubled quote inside a
// quoted field stands for one quote, and a stray quote is dropped.
#include "formats/CsvTokenizer.h"

#include <cstring>

namespace tavir {

int OptionByte(const std::string& text) {
  return text.size() == 1 ? static_cast<unsigned char>(text[0]) : -1;
}

CsvTokenizer::CsvTokenizer(const std::string& quote, const std::string& separator)
    : quote_(OptionByte(quote)), separator_(OptionByte(separator)) {}

bool CsvTokenizer::NextField(std::string& field) {
  field.clear();
  if (AtEnd()) return false;
  if (static_cast<unsigned char>(line_[position_]) == quote_) {
    ++position_;
    TakeQuotedField(field);
  } else {
    TakePlainField(field);
  }
  return true;
}

void CsvTokenizer::TakePlainField(std::string& field) {
  const char* start = line_.data() + position_;
  const std::size_t rest = line_.size() - position_;
  const void* found = separator_ < 0 ? nullptr : std::memchr(start, separator_, rest);
  if (!found) {
    field.append(start, rest);
    position_ = line_.size();
    return;
  }
  const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - start);
  field.append(start, length);
  position_ += length + 1;
}

void CsvTokenizer::TakeQuotedField(std::string& field) {
  while (position_ < line_.size()) {
    const char* start = line_.data() + position_;
    const std::size_t rest = line_.size() - position_;
    const void* found = std::memchr(start, quote_, rest);
    if (!found) {  // no closing quote: the end of the line ends the field
      field.append(start, rest);
      position_ = line_.size();
      return;
    }
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - start);
    field.append(start, length);
    position_ += length + 1;  // past the quote
    if (AtEnd()) return;
    const int next = static_cast<unsigned char>(line_[position_]);
    if (next == separator_) {
      ++position_;
      return;
    }
    if (next == quote_) {
      ++position_;
      field.push_back(static_cast<char>(quote_));
    }
    // Otherwise the stray quote is dropped and the field goes on.
  }
}

}  // namespace tavir
