// The table of stored options and the date-dependent bounds of the export span.
#include "model/OptionTable.h"

#include "model/FilterType.h"
#include "model/Options.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"

namespace tavir {

namespace {

// Whole days from a to b, both local midnights (a daylight saving change in
// between leaves an hour over, which the rounding takes away).
int DaysBetweenMidnights(TimeValue a, TimeValue b) {
  return static_cast<int>((std::int64_t{b} - a + kSecondsPerDay / 2) / kSecondsPerDay);
}

// The export span stays within the datebook's range, 1970-01-02 to
// 2031-12-31: further would overflow the time values or select nothing.
int MaxDaysAhead() {
  return DaysBetweenMidnights(LocalMidnight(CurrentTime()), LocalMidnight(2031, 12, 31));
}
int MaxDaysBack() {
  return DaysBetweenMidnights(LocalMidnight(1970, 1, 2), LocalMidnight(CurrentTime()));
}

OptionEntry Text(const char* name, std::string Options::*member) {
  return {name, OptionKind::Text, member};
}
OptionEntry Flag(const char* name, std::int32_t Options::*member) {
  return {name, OptionKind::Flag, nullptr, member, 0, 1};
}
OptionEntry Number(const char* name, std::int32_t Options::*member, int low, int high) {
  return {name, OptionKind::Number, nullptr, member, low, high};
}
OptionEntry Days(const char* name, std::int32_t Options::*member, int (*highToday)()) {
  return {name, OptionKind::Number, nullptr, member, 0, 0, highToday};
}

}  // namespace

const std::vector<OptionEntry>& OptionEntries() {
  static const std::vector<OptionEntry> entries = {
      Number("minsize", &Options::minsize, kMinArchiveSize, kMaxArchiveSize),
      Flag("noduplicates", &Options::noduplicates),
      Flag("fullformat", &Options::fullformat),
      Text("separator", &Options::separator),
      Flag("ignoreimporterrors", &Options::ignoreimporterrors),
      Flag("exportnocr", &Options::exportnocr),
      Days("daysahead", &Options::daysahead, MaxDaysAhead),
      Days("daysback", &Options::daysback, MaxDaysBack),
      Number("defaultapptlength", &Options::defaultapptlength, kMinAppointmentLength,
             kMaxAppointmentLength),
      Text("quote", &Options::quote),
      Text("exceptiondateseparator", &Options::exceptiondateseparator),
      Text("lastfile", &Options::lastfile),
      Flag("datewithtime", &Options::datewithtime),
      Flag("usecategories", &Options::usecategories),
      Text("prcmsgtext", &Options::prcmsgtext),
      Text("prcmsgtitle", &Options::prcmsgtitle),
      Text("prcicontext", &Options::prcicontext),
      Flag("prcdeleteappts", &Options::prcdeleteappts),
      Flag("dofilter", &Options::dofilter),
      Number("filtertype", &Options::filtertype, 0, kLastFilterType),
      Text("filtertext", &Options::filtertext),
  };
  return entries;
}

const OptionEntry* FindOption(const std::string& name) {
  for (const OptionEntry& entry : OptionEntries())
    if (name == entry.name)
      return &entry;
  return nullptr;
}

}  // namespace tavir
