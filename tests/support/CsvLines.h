// Lines of a CSV file in the default mapping, as an export with the en-US
// settings writes them, for tests that import files of their own.
#pragma once

#include <string>

namespace tavir::test_support {

inline const std::string kSimpleHeader =
    "\"Date\",\"Untimed\",\"Start Time\",\"End Time\",\"Private\",\"Text\",\"Note\",\"Alarm\","
    "\"Alarm Time\",\"Alarm Unit\",\"Category\",\"Location\",\"Repeat\"\r\n";

// A timed appointment without note, alarm or repeat.
inline std::string SimpleLine(const std::string& date, const std::string& text,
                              const std::string& category = "",
                              const std::string& start = "9:00 AM",
                              const std::string& end = "10:00 AM") {
  return "\"" + date + "\",\"\",\"" + start + "\",\"" + end + "\",\"\",\"" + text +
         "\",\"\",\"\",\"\",\"\",\"" + category + "\",\"\",\"\"\r\n";
}

}  // namespace tavir::test_support
