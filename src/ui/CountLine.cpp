// The count line in the user's language and short date format.
#include "ui/CountLine.h"

#include "engine/ExportDriver.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "model/Strings.h"

namespace tavir {

std::string CountLineText(const Options& options, int count) {
  if (options.fullformat)
    return FormatMessageText(LoadText(text::CountFullFormat).c_str(), count);
  const int id = count == 1 ? text::CountSimpleFormatOne : text::CountSimpleFormatMany;
  return FormatMessageText(LoadText(id).c_str(), count,
                           FormatDateText(options.GetSpanStart()).c_str(),
                           FormatDateText(options.GetSpanEnd()).c_str());
}

std::string ComputeCountLine(const Options& options) {
  return CountLineText(options, CountExportable(options));
}

}  // namespace tavir
