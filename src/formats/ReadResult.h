// What a typed read of one field gave.
#pragma once

namespace tavir {

enum class ReadResult {
  Valid = 0,     // the output is set
  Invalid = -1,  // not a value of the type; the output is untouched
  Empty = -2,    // empty or blank; the output is untouched
};

}  // namespace tavir
