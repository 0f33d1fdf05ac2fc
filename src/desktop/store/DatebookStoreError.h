// The one exception of the datebook store, with the kind of failure so that
// the `tavir` command can tell "in use" from "damaged".
#pragma once

#include <stdexcept>
#include <string>

namespace tavir {

enum class DatebookStoreFailure {
  InUse,         // another process holds the datebook
  NotADatebook,  // the file is not ours; it was left as it was
  Damaged,       // our file, with values we cannot use
  Unavailable,   // cannot be created, opened, read or written
};

class DatebookStoreError : public std::runtime_error {
 public:
  DatebookStoreError(DatebookStoreFailure failure, const std::string& message)
      : std::runtime_error(message), failure_(failure) {}
  DatebookStoreFailure Failure() const { return failure_; }

 private:
  DatebookStoreFailure failure_;
};

}  // namespace tavir
