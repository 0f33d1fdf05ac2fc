// Narrowing a 64-bit intermediate to the 32-bit range of TimeValues and
// counts: out-of-range values stop at the nearest limit instead of wrapping.
#pragma once

#include <cstdint>
#include <limits>

namespace tavir {

constexpr std::int32_t SaturateToInt32(std::int64_t value) {
  constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kSmallest = std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value > kLargest ? kLargest
                                   : value < kSmallest ? kSmallest
                                                       : value);
}

}  // namespace tavir
