// The in-memory text of the file format example.
#include "formats/ExampleTextFile.h"

#include "formats/FieldTextForms.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"

namespace tavir {

ExampleTextFile::ExampleTextFile(const Options& options)
    : separator_(options.separator),
      quote_(options.quote),
      dateWithTime_(options.datewithtime != 0) {}

int ExampleTextFile::EndRecord() {
  text_ += "\r\n";
  ++recordCounter;
  atLineStart_ = true;
  return 0;
}

WriteResult ExampleTextFile::WriteText(const std::string& text) {
  if (!atLineStart_)
    text_ += separator_;
  text_ += quote_;
  text_ += text;  // the example shows texts as they are, quotes undoubled
  text_ += quote_;
  atLineStart_ = false;
  return WriteResult::Written;
}

WriteResult ExampleTextFile::WriteDate(TimeValue value) {
  return WriteText(FormatDateText(value));
}

WriteResult ExampleTextFile::WriteTime(TimeValue value) {
  return WriteText(TimeFieldText(value, dateWithTime_));
}

WriteResult ExampleTextFile::WriteSpan(std::int32_t seconds) {
  return WriteText(SpanFieldText(seconds));
}

WriteResult ExampleTextFile::WriteInt(std::int32_t value) {
  return WriteText(IntFieldText(value));
}

}  // namespace tavir
