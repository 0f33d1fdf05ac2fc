// `tavir options`, `mapping` and `example`: the options dialog's settings,
// its field-mapping lists and its file format example.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

#include "cli/Commands.h"
#include "cli/OptionsTable.h"
#include "cli/Tavir.h"
#include "platform/Registry.h"
#include "ui/AddFieldMenu.h"
#include "ui/ExampleText.h"

namespace tavir {

namespace {

int Fail(const std::string& message, int status = kExitUsage) {
  std::fprintf(stderr, "%s\n", message.c_str());
  return status;
}

bool HasValue(FieldId id) {
  return id < field::FirstDummy || (id > field::LastDummy && id <= field::Ignored);
}

// A field by its name (case ignored) or its number.
std::optional<FieldId> ParseField(const std::string& text) {
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (!text.empty() && *end == '\0') {
    if (number >= 0 && number <= field::Ignored && HasValue(static_cast<FieldId>(number)))
      return static_cast<FieldId>(number);
    return std::nullopt;
  }
  for (FieldId id = 0; id <= field::Ignored; ++id)
    if (HasValue(id) && strcasecmp(FieldName(id).c_str(), text.c_str()) == 0)
      return id;
  return std::nullopt;
}

void PrintList(std::ostream& out, const char* title, const std::vector<FieldId>& fields) {
  out << title << '\n';
  for (std::size_t i = 0; i < fields.size(); ++i)
    out << "  " << (i + 1) << ". " << FieldName(fields[i]) << '\n';
}

// The fields a list may hold: the simple list the fields 0 to 14 and any
// number of "(Ignored)"; the repeat list the repeat event fields. Each other
// field at most once.
std::optional<std::string> SetList(std::vector<FieldId>& list, bool simple,
                                   const std::vector<std::string>& names) {
  if (names.empty())
    return "Give at least one field for the list.";
  std::vector<FieldId> fields;
  for (const std::string& name : names) {
    const std::optional<FieldId> id = ParseField(name);
    if (!id)
      return "Unknown field \"" + name + "\". Run 'tavir mapping fields' to list them.";
    const bool allowed = simple ? (*id <= field::LastSimple || *id == field::Ignored)
                                : (*id >= field::RepeatType && *id <= field::MonthlyWeekIndex);
    if (!allowed)
      return "\"" + FieldName(*id) + "\" does not belong in the " +
             (simple ? "simple" : "repeat event") + " list.";
    if (*id != field::Ignored && std::count(fields.begin(), fields.end(), *id))
      return "\"" + FieldName(*id) + "\" is listed twice.";
    fields.push_back(*id);
  }
  list = fields;
  return std::nullopt;
}

}  // namespace

int OptionsCommand(CommandContext& context, const std::vector<std::string>& arguments) {
  // Read, changed and written under one lock: a concurrent change of another
  // setting is kept.
  const SettingsUpdate update;
  Options& options = context.options();
  options.Load();
  if (arguments.empty()) {
    for (const std::string& name : OptionNames())
      context.out() << name << '=' << *GetOptionText(options, name) << '\n';
    return kExitDone;
  }
  if (arguments.size() == 1) {
    const std::optional<std::string> value = GetOptionText(options, arguments[0]);
    if (!value)
      return Fail("Unknown option \"" + arguments[0] + "\". Run 'tavir options' to list them.");
    context.out() << *value << '\n';
    return kExitDone;
  }
  if (arguments.size() > 2)
    return Fail("Give one option name and one value.");
  if (auto problem = SetOptionText(options, arguments[0], arguments[1]))
    return Fail(*problem);
  options.Save();
  return kExitDone;
}

int MappingCommand(CommandContext& context, const std::vector<std::string>& arguments) {
  const SettingsUpdate update;
  context.options().Load();
  FieldMapping& mapping = context.options().mapping;
  const std::string verb = arguments.empty() ? "show" : arguments[0];
  const std::vector<std::string> rest(arguments.begin() + (arguments.empty() ? 0 : 1),
                                      arguments.end());
  if (verb == "show") {
    PrintList(context.out(), "Simple Fields:", mapping.simpleFields);
    PrintList(context.out(), "Repeat Event Fields:", mapping.repeatFields);
    return kExitDone;
  }
  if (verb == "fields") {
    for (FieldId id = 0; id <= field::Ignored; ++id)
      if (HasValue(id))
        context.out() << id << '\t' << FieldName(id) << '\n';
    return kExitDone;
  }
  if (verb == "simple" || verb == "repeat") {
    if (auto problem = SetList(verb == "simple" ? mapping.simpleFields : mapping.repeatFields,
                               verb == "simple", rest))
      return Fail(*problem);
  } else if (verb == "add") {
    if (rest.size() != 1)
      return Fail("Give one field to add.");
    const std::optional<FieldId> id = ParseField(rest[0]);
    const auto menu = AddFieldMenu(mapping);
    const bool offered =
        id && std::any_of(menu.begin(), menu.end(), [&](const AddFieldMenuEntry& e) {
          return e.commandId == kAddFieldCommandBase + static_cast<int>(*id);
        });
    if (!offered)
      return Fail("\"" + rest[0] +
                  "\" cannot be added: the simple list offers the fields 0 to 14 it does not hold "
                  "yet, and \"(Ignored)\".");
    mapping.AppendSimpleField(*id);
  } else if (verb == "delete") {
    char* end = nullptr;
    const long position = rest.size() == 1 ? std::strtol(rest[0].c_str(), &end, 10) : 0;
    if (rest.size() != 1 || *end != '\0' || position < 1 ||
        position > static_cast<long>(mapping.simpleFields.size()))
      return Fail("Give the position (1 to " + std::to_string(mapping.simpleFields.size()) +
                  ") of the simple field to delete.");
    mapping.RemoveSimpleField(static_cast<std::size_t>(position - 1));
  } else if (verb == "reset") {
    mapping.ResetToDefaults();
  } else {
    return Fail("Unknown mapping command \"" + verb +
                "\". Use show, fields, simple, repeat, add, delete or reset.");
  }
  context.options().Save();
  PrintList(context.out(), "Simple Fields:", mapping.simpleFields);
  PrintList(context.out(), "Repeat Event Fields:", mapping.repeatFields);
  return kExitDone;
}

int ExampleCommand(CommandContext& context) {
  // The example's lines end with CR LF as in a file; a terminal wants LF.
  std::string text = BuildExampleText(context.options());
  std::erase(text, '\r');
  context.out() << text;
  return kExitDone;
}

}  // namespace tavir
