// Files the program reads or writes byte for byte, opened so that other
// processes may read them meanwhile but not write them. POSIX: open + flock;
// Windows: CreateFile with read sharing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ScopedHandle.h"

namespace tavir {

// The handle of an open file: a descriptor on POSIX, a HANDLE on Windows,
// carried in an integer so that this header stays portable.
struct FileHandleTraits {
  using Handle = std::intptr_t;
  static Handle Invalid() { return -1; }
  static bool Close(Handle handle);
};

// Closes quietly when it goes; call Close to learn about a failure.
class File {
 public:
  // Each operation returns false on failure and puts the system's error text
  // into errorText. Tests fail reads and writes on purpose with the faults
  // "File.Read" and "File.Write" of ProcessFaults.
  bool OpenForReading(const std::string& name, std::string& errorText);
  // Creates the file or empties an existing one; refused while another
  // process has the file open for writing.
  bool OpenForWriting(const std::string& name, std::string& errorText);
  bool IsOpen() const { return handle_.IsValid(); }
  // bytesRead is 0 only at the end of the file.
  bool Read(void* buffer, std::size_t size, std::size_t& bytesRead, std::string& errorText);
  // Writes all bytes or fails.
  bool Write(const void* data, std::size_t size, std::string& errorText);
  bool Length(std::int64_t& length, std::string& errorText) const;
  bool Close(std::string& errorText);

 private:
  ScopedHandle<FileHandleTraits> handle_;
};

}  // namespace tavir
