// Options by registry value name, with the dialogs' checks on setting.
#include "cli/OptionsTable.h"

#include <cstdint>
#include <functional>
#include <map>

#include "model/Options.h"
#include "platform/Clock.h"
#include "platform/LocalTime.h"
#include "ui/OptionChecks.h"

namespace tavir {

namespace {

enum class Kind { Text, Flag, Number };

struct OptionEntry {
  const char* name;
  Kind kind;
  std::string Options::*text = nullptr;
  std::int32_t Options::*number = nullptr;
  int low = INT32_MIN;
  int high = INT32_MAX;
  int (*highToday)() = nullptr;  // an upper bound that depends on today's date
};

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

const std::vector<OptionEntry>& Entries() {
  static const std::vector<OptionEntry> entries = {
      {"fullformat", Kind::Flag, nullptr, &Options::fullformat},
      {"daysback", Kind::Number, nullptr, &Options::daysback, 0, 0, MaxDaysBack},
      {"daysahead", Kind::Number, nullptr, &Options::daysahead, 0, 0, MaxDaysAhead},
      {"separator", Kind::Text, &Options::separator},
      {"quote", Kind::Text, &Options::quote},
      {"exceptiondateseparator", Kind::Text, &Options::exceptiondateseparator},
      {"datewithtime", Kind::Flag, nullptr, &Options::datewithtime},
      {"exportnocr", Kind::Flag, nullptr, &Options::exportnocr},
      {"noduplicates", Kind::Flag, nullptr, &Options::noduplicates},
      {"ignoreimporterrors", Kind::Flag, nullptr, &Options::ignoreimporterrors},
      {"defaultapptlength", Kind::Number, nullptr, &Options::defaultapptlength,
       kMinAppointmentLength, kMaxAppointmentLength},
      {"dofilter", Kind::Flag, nullptr, &Options::dofilter},
      {"filtertype", Kind::Number, nullptr, &Options::filtertype, 0, 7},
      {"filtertext", Kind::Text, &Options::filtertext},
      {"minsize", Kind::Number, nullptr, &Options::minsize, kMinArchiveSize, kMaxArchiveSize},
      {"lastfile", Kind::Text, &Options::lastfile},
      {"usecategories", Kind::Flag, nullptr, &Options::usecategories},
      {"prcdeleteappts", Kind::Flag, nullptr, &Options::prcdeleteappts},
      {"prcicontext", Kind::Text, &Options::prcicontext},
      {"prcmsgtitle", Kind::Text, &Options::prcmsgtitle},
      {"prcmsgtext", Kind::Text, &Options::prcmsgtext},
  };
  return entries;
}

const OptionEntry* Find(const std::string& name) {
  for (const OptionEntry& entry : Entries())
    if (name == entry.name)
      return &entry;
  return nullptr;
}

}  // namespace

const std::vector<std::string>& OptionNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> result;
    for (const OptionEntry& entry : Entries())
      result.push_back(entry.name);
    return result;
  }();
  return names;
}

std::optional<std::string> GetOptionText(const Options& options, const std::string& name) {
  const OptionEntry* entry = Find(name);
  if (!entry)
    return std::nullopt;
  if (entry->kind == Kind::Text)
    return options.*(entry->text);
  return std::to_string(options.*(entry->number));
}

std::optional<std::string> SetOptionText(Options& options, const std::string& name,
                                         const std::string& value) {
  const OptionEntry* entry = Find(name);
  if (!entry)
    return "Unknown option \"" + name + "\". Run 'tavir options' to list them.";
  switch (entry->kind) {
    case Kind::Text:
      if (name == "exceptiondateseparator") {
        if (auto problem = CheckExceptionSeparator(value))
          return problem;
      }
      // A CSV file whose quote is its separator cannot be read back.
      if ((name == "separator" && value == options.quote) ||
          (name == "quote" && value == options.separator))
        return "The field separator and the quote character must differ; both would be \"" + value +
               "\".";
      options.*(entry->text) = value;
      return std::nullopt;
    case Kind::Flag: {
      int flag = 0;
      if (auto problem = CheckIntegerRange(value, 0, 1, flag))
        return problem;
      options.*(entry->number) = flag;
      return std::nullopt;
    }
    case Kind::Number: {
      int number = 0;
      const int high = entry->highToday ? entry->highToday() : entry->high;
      if (auto problem = CheckIntegerRange(value, entry->low, high, number))
        return problem;
      options.*(entry->number) = number;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace tavir
