// The file side of LineFile: opening by name, the write buffer and progress.
#include "formats/LineFile.h"

#include "formats/FileBytes.h"

namespace tavir {
namespace {

int ProgressUnits(std::int64_t bytes) {
  return static_cast<int>(bytes / 256);
}

// 0 after handing the opened file on; -1 when it could not be opened.
template <typename Medium, typename Next>
int HandOn(std::unique_ptr<Medium> opened, Next next) {
  if (!opened)
    return -1;
  next(std::move(opened));
  return 0;
}

}  // namespace

int LineFile::OpenWrite(const std::string& fileName) {
  openFailure_.clear();
  return HandOn(OpenFileForWriting(fileName, openFailure_),
                [this](std::unique_ptr<ByteSink> sink) { OpenWrite(std::move(sink)); });
}

int LineFile::OpenRead(const std::string& fileName) {
  openFailure_.clear();
  return HandOn(OpenFileForReading(fileName, openFailure_),
                [this](std::unique_ptr<ByteSource> source) { OpenRead(std::move(source)); });
}

void LineFile::WriteOut(ByteSink& sink) {
  if (pending_.empty())
    return;
  sink.Write(pending_.data(), pending_.size());
  bytesWritten_ += static_cast<std::int64_t>(pending_.size());
  pending_.clear();
}

void LineFile::CloseFile() {
  reader_.reset();
  if (!sink_)
    return;
  std::unique_ptr<ByteSink> sink = std::move(sink_);
  WriteOut(*sink);
  sink->Close();
}

std::int64_t LineFile::BytesWritten() const {
  return bytesWritten_ + static_cast<std::int64_t>(pending_.size());
}

int LineFile::GetProgressPos() {
  if (reader_)
    return ProgressUnits(reader_->Position());
  return ProgressUnits(BytesWritten());
}

int LineFile::GetProgressMax() {
  if (reader_)
    return ProgressUnits(reader_->Length());
  return ProgressUnits(BytesWritten());
}

}  // namespace tavir
