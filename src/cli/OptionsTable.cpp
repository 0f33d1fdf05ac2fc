// Options by registry value name, with the dialogs' checks on setting.
#include "cli/OptionsTable.h"

#include "model/OptionTable.h"
#include "model/Options.h"
#include "ui/OptionChecks.h"

namespace tavir {

const std::vector<std::string>& OptionNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> result;
    for (const OptionEntry& entry : OptionEntries())
      result.push_back(entry.name);
    return result;
  }();
  return names;
}

std::optional<std::string> GetOptionText(const Options& options, const std::string& name) {
  const OptionEntry* entry = FindOption(name);
  if (!entry)
    return std::nullopt;
  if (entry->kind == OptionKind::Text)
    return options.*(entry->text);
  return std::to_string(options.*(entry->number));
}

std::optional<std::string> SetOptionText(Options& options, const std::string& name,
                                         const std::string& value) {
  const OptionEntry* entry = FindOption(name);
  if (!entry)
    return "Unknown option \"" + name + "\". Run 'tavir options' to list them.";
  if (entry->kind == OptionKind::Text) {
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
  }
  int number = 0;
  const int high = entry->highToday ? entry->highToday() : entry->high;
  if (auto problem = CheckIntegerRange(value, entry->low, high, number))
    return problem;
  options.*(entry->number) = number;
  return std::nullopt;
}

}  // namespace tavir
