// ByteSource and ByteSink over a file of the platform's file port.
#pragma once

#include <memory>
#include <string>

#include "formats/ByteStream.h"
#include "platform/File.h"

namespace tavir {

class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(File file) : file_(std::move(file)) {}
  std::size_t Read(char* buffer, std::size_t size) override;
  std::int64_t Length() override;

 private:
  File file_;
};

class FileByteSink : public ByteSink {
 public:
  explicit FileByteSink(File file) : file_(std::move(file)) {}
  void Write(const char* data, std::size_t size) override;
  void Close() override;

 private:
  File file_;
};

// Opened with the sharing every text file gets (others may read, not write);
// none when the file cannot be opened, and reason then says why (the
// system's text).
std::unique_ptr<ByteSource> OpenFileForReading(const std::string& name, std::string& reason);
std::unique_ptr<ByteSink> OpenFileForWriting(const std::string& name, std::string& reason);

}  // namespace tavir
