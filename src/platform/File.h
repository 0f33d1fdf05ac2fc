// Files the program reads or writes byte for byte, opened so that other
// processes may read them meanwhile but not write them. POSIX: open + flock;
// Windows: CreateFile with read sharing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavir {

class File {
 public:
  File() = default;
  ~File();  // closes quietly; call Close to learn about a failure
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Each operation returns false on failure and puts the system's error text
  // into errorText.
  bool OpenForReading(const std::string& name, std::string& errorText);
  // Creates the file or empties an existing one; refused while another
  // process has the file open for writing.
  bool OpenForWriting(const std::string& name, std::string& errorText);
  bool IsOpen() const;
  // bytesRead is 0 only at the end of the file.
  bool Read(void* buffer, std::size_t size, std::size_t& bytesRead, std::string& errorText);
  // Writes all bytes or fails.
  bool Write(const void* data, std::size_t size, std::string& errorText);
  bool Length(std::int64_t& length, std::string& errorText) const;
  bool Close(std::string& errorText);

 private:
  std::intptr_t handle_ = -1;
};

}  // namespace tavir
