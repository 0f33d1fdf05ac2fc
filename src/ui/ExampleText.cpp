// Builds the file format example from a sample appointment of today.
#include "ui/ExampleText.h"

#include "engine/FieldConversion.h"
#include "formats/ExampleTextFile.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "model/Strings.h"
#include "platform/Clock.h"

namespace tavir {

std::string BuildExampleText(const Options& options) {
  const TimeValue now = CurrentTime();
  AppointmentRecord record(options);
  record.SetDate(now);
  record.category = LoadText(text::SampleCategory);
  record.text = LoadText(text::SampleText);
  record.note = LoadText(text::SampleNote);
  record.location = LoadText(text::SampleLocation);

  ExampleTextFile target(options);
  if (options.fullformat) {
    record.repeat = 1;
    record.repeatType = Daily;
    record.repeatInterval = 1;
    record.repeatEnd = now + kSecondsPerDay;
    WriteFullHeader(options.mapping, target);
    WriteFullRecord(options.mapping, target, record);
  } else {
    WriteSimpleHeader(options.mapping, target);
    WriteSimpleRecord(options.mapping, target, record);
  }
  return target.Text();
}

}  // namespace tavir
