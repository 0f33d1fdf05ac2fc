// The appointment file behind the options dialog's file format example: the
// records are written into a text in memory, quoted and separated as the
// options say but without escaping; nothing is ever read.
#pragma once

#include <string>

#include "formats/AppointmentFile.h"

namespace tavir {

class Options;

class ExampleTextFile : public AppointmentFile {
 public:
  // Takes separator, quote and datewithtime from the options.
  explicit ExampleTextFile(const Options& options);

  // The records written so far, each ended by CR LF.
  const std::string& Text() const { return text_; }

  int OpenWrite(const std::string&) override { return 0; }
  int OpenRead(const std::string&) override { return 0; }
  int Finish() override { return 0; }
  int Close() override { return 0; }
  int EndRecord() override;
  RecordResult ReadRecord() override { return RecordResult::Read; }

  WriteResult WriteText(const std::string& text) override;
  WriteResult WriteDate(TimeValue value) override;
  WriteResult WriteTime(TimeValue value) override;
  WriteResult WriteSpan(std::int32_t seconds) override;
  WriteResult WriteInt(std::int32_t value) override;

  ReadResult ReadText(std::string&) override { return ReadResult::Valid; }
  ReadResult ReadDate(TimeValue&) override { return ReadResult::Valid; }
  ReadResult ReadTime(TimeValue&) override { return ReadResult::Valid; }
  ReadResult ReadSpan(std::int32_t&) override { return ReadResult::Valid; }
  ReadResult ReadInt(std::int32_t&) override { return ReadResult::Valid; }

  int GetProgressPos() override { return 0; }
  int GetProgressMax() override { return 0; }
  std::string GetLastField() override { return std::string(); }
  void SetLastField(const std::string&) override {}

 private:
  std::string text_;
  std::string separator_;
  std::string quote_;
  bool dateWithTime_;
  bool atLineStart_ = true;
};

}  // namespace tavir
