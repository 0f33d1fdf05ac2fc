// What the record and field operations of an appointment file gave. Failing
// reads and writes of the file itself throw instead.
#pragma once

namespace tavir {

// Loading the next record.
enum class RecordResult {
  Read = 0,        // its fields can be read now
  EndOfData = -1,  // nothing more to read
};

// A write of one field.
enum class WriteResult {
  Written = 0,
  NotWritten = -1,  // the file has no column for the type (a calendar's typed writes)
};

// A typed read of one field.
enum class ReadResult {
  Valid = 0,     // the output is set
  Invalid = -1,  // not a value of the type; the output is untouched
  Empty = -2,    // empty or blank; the output is untouched
};

}  // namespace tavir
