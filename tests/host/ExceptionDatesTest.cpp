// Splitting the exception text into tokens, and the year rules of a token.
// (Tokens read as days are checked where they are written to the host.)
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/ExceptionDates.h"

namespace tavir {
namespace {

std::vector<std::string> Tokens(std::string text, std::optional<char> separator) {
  std::vector<std::string> tokens;
  while (!text.empty()) tokens.push_back(TakeExceptionToken(text, separator));
  return tokens;
}

TEST(ExceptionDatesTest, Tokens) {
  using T = std::vector<std::string>;
  const struct {
    const char* text;
    std::optional<char> separator;
    T tokens;
  } cases[] = {
      {"a,b", ',', T{"a", "b"}},
      {"a; b", ';', T{"a", " b"}},
      {"\"a\",\"b\"", ',', T{"a\"", "b\""}},  // only the opening quote goes
      {"\"\"a", ',', T{"\"a"}},               // only one of them
      {"a,,b,", ',', T{"a", "", "b"}},
      {",", ',', T{""}},
      {"a b", std::nullopt, T{"a b"}},
      {"\"a b", std::nullopt, T{"a b"}},
      {"\"", ',', T{""}},
      {"a\"b", '"', T{"a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.text, c.separator), c.tokens) << c.text;
}

TEST(ExceptionDatesTest, YearRules) {
  const struct {
    int parsed;
    std::optional<int> year;
  } cases[] = {{5, 2005},    {0, 2000},    {29, 2029},   {31, 2031},           {32, std::nullopt},
               {69, std::nullopt},         {70, 1970},   {99, 1999},           {1899, 1999},
               {1950, std::nullopt},       {1969, std::nullopt},               {1970, 1970},
               {2031, 2031}, {2032, std::nullopt},         {9999, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ExceptionYear(c.parsed), c.year) << c.parsed;
}

}  // namespace
}  // namespace tavir
