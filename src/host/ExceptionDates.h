// The exception dates of an imported repeating appointment: splitting the
// "Exceptions" text into tokens and turning a token into a Datebook day.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/LocalTime.h"

namespace tavir {

// Takes the next token from the front of rest: one leading double quote is
// dropped, then characters up to the first separatorChar (dropped, it ends
// the token) or the end. With no separator the whole rest is the token.
std::string TakeExceptionToken(std::string& rest, std::optional<char> separatorChar);

// The year an exception date means: years below 100 count from 1900, years
// before 1970 move a century on; none when that lies after 2031.
std::optional<int> ExceptionYear(int parsedYear);

// Local midnight of the date a token names, by the locale's date parser;
// none when it does not parse or its year is not allowed.
std::optional<TimeValue> ExceptionDay(std::string_view token);

}  // namespace tavir
