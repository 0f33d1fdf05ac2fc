// Byte source and sink over the file port; failures become FileError.
#include "formats/FileBytes.h"

#include "formats/FileError.h"

namespace tavir {

std::size_t FileByteSource::Read(char* buffer, std::size_t size) {
  std::size_t bytesRead = 0;
  std::string errorText;
  if (!file_.Read(buffer, size, bytesRead, errorText)) throw FileError(errorText);
  return bytesRead;
}

std::int64_t FileByteSource::Length() {
  std::int64_t length = 0;
  std::string errorText;
  if (!file_.Length(length, errorText)) throw FileError(errorText);
  return length;
}

void FileByteSink::Write(const char* data, std::size_t size) {
  std::string errorText;
  if (!file_.Write(data, size, errorText)) throw FileError(errorText);
}

void FileByteSink::Close() {
  std::string errorText;
  if (!file_.Close(errorText)) throw FileError(errorText);
}

std::unique_ptr<ByteSource> OpenFileForReading(const std::string& name, std::string& reason) {
  File file;
  if (!file.OpenForReading(name, reason))
    return nullptr;
  return std::make_unique<FileByteSource>(std::move(file));
}

std::unique_ptr<ByteSink> OpenFileForWriting(const std::string& name, std::string& reason) {
  File file;
  if (!file.OpenForWriting(name, reason))
    return nullptr;
  return std::make_unique<FileByteSink>(std::move(file));
}

}  // namespace tavir
