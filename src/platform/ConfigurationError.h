// A setting of the environment or the settings store that the program cannot
// use (a damaged registry file, an unknown TAVIR_LOCALE, a bad TAVIR_NOW).
// Its message says what is wrong and what to do.
#pragma once

#include <stdexcept>
#include <string>

namespace tavir {

class ConfigurationError : public std::runtime_error {
 public:
  explicit ConfigurationError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tavir
