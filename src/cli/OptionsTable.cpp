// Options by registry value name, with the dialogs' checks on setting.
#include "cli/OptionsTable.h"

#include <cstdint>
#include <functional>
#include <map>

#include "model/Options.h"
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
};

const std::vector<OptionEntry>& Entries() {
  static const std::vector<OptionEntry> entries = {
      {"fullformat", Kind::Flag, nullptr, &Options::fullformat},
      {"daysback", Kind::Number, nullptr, &Options::daysback},
      {"daysahead", Kind::Number, nullptr, &Options::daysahead},
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
    if (name == entry.name) return &entry;
  return nullptr;
}

}  // namespace

const std::vector<std::string>& OptionNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> result;
    for (const OptionEntry& entry : Entries()) result.push_back(entry.name);
    return result;
  }();
  return names;
}

std::optional<std::string> GetOptionText(const Options& options, const std::string& name) {
  const OptionEntry* entry = Find(name);
  if (!entry) return std::nullopt;
  if (entry->kind == Kind::Text) return options.*(entry->text);
  return std::to_string(options.*(entry->number));
}

std::optional<std::string> SetOptionText(Options& options, const std::string& name,
                                         const std::string& value) {
  const OptionEntry* entry = Find(name);
  if (!entry) return "Unknown option \"" + name + "\". Run 'tavir options' to list them.";
  switch (entry->kind) {
    case Kind::Text:
      if (name == "exceptiondateseparator") {
        if (auto problem = CheckExceptionSeparator(value)) return problem;
      }
      options.*(entry->text) = value;
      return std::nullopt;
    case Kind::Flag: {
      int flag = 0;
      if (auto problem = CheckIntegerRange(value, 0, 1, flag)) return problem;
      options.*(entry->number) = flag;
      return std::nullopt;
    }
    case Kind::Number: {
      int number = 0;
      if (auto problem = CheckIntegerRange(value, entry->low, entry->high, number)) return problem;
      options.*(entry->number) = number;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace tavir
