// The field catalogue and the user's two field lists, with their registry
// persistence under Software\Quelmar\TAVIR\Mappings.
#include "model/FieldMapping.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "model/Options.h"
#include "model/Strings.h"
#include "platform/Registry.h"

namespace tavir {
namespace {

// More columns than any file layout needs: a larger stored count can only
// come from a damaged store, and reading it would mean billions of reads.
constexpr std::uint32_t kMaxStoredFields = 1024;

std::string PositionName(const char* prefix, std::size_t position) {
  char name[40];
  std::snprintf(name, sizeof name, "%s%zu", prefix, position);
  return name;
}

// Reserved numbers and numbers beyond the catalogue carry no value. They
// become "(Ignored)" so that the header and the records keep one column for
// them and the columns after them stay where the user put them.
FieldId UsableField(std::uint32_t stored) {
  if (stored > field::Ignored || (stored >= field::FirstDummy && stored <= field::LastDummy))
    return field::Ignored;
  return stored;
}

void SaveList(const std::vector<FieldId>& list, const char* countName, const char* prefix) {
  RegSetDword(kMappingsKey, countName, static_cast<std::uint32_t>(list.size()));
  for (std::size_t i = 0; i < list.size(); ++i)
    RegSetDword(kMappingsKey, PositionName(prefix, i), list[i]);
}

void LoadList(std::vector<FieldId>& list, const char* countName, const char* prefix) {
  const std::uint32_t count = RegGetDword(kMappingsKey, countName, 0);
  // Nothing stored (or a count no list can have): the current list stays.
  if (count == 0 || count > kMaxStoredFields)
    return;
  list.clear();
  for (std::uint32_t i = 0; i < count; ++i)
    list.push_back(UsableField(RegGetDword(kMappingsKey, PositionName(prefix, i), field::Ignored)));
}

}  // namespace

std::string FieldName(FieldId id) {
  if (id > field::Ignored)
    return {};
  return LoadText(kFirstFieldNameId + static_cast<int>(id));
}

FieldMapping::FieldMapping(const Options& owner) : owner(owner) {
  ResetToDefaults();
}

void FieldMapping::ResetToDefaults() {
  simpleFields.clear();
  for (FieldId id = field::Date; id <= field::Repeat; ++id)
    simpleFields.push_back(id);
  repeatFields.clear();
  for (FieldId id = field::RepeatType; id <= field::MonthlyWeekIndex; ++id)
    repeatFields.push_back(id);
}

void FieldMapping::AppendSimpleField(FieldId id) {
  simpleFields.push_back(id);
}

bool FieldMapping::HasSimpleField(FieldId id) const {
  return std::find(simpleFields.begin(), simpleFields.end(), id) != simpleFields.end();
}

void FieldMapping::RemoveSimpleField(std::size_t position) {
  if (position < simpleFields.size())
    simpleFields.erase(simpleFields.begin() + static_cast<std::ptrdiff_t>(position));
}

void FieldMapping::SaveToRegistry() const {
  SaveList(simpleFields, "numsimplefields", "simplefield");
  SaveList(repeatFields, "numrepeatfields", "repeatfield");
}

void FieldMapping::LoadFromRegistry() {
  LoadList(simpleFields, "numsimplefields", "simplefield");
  LoadList(repeatFields, "numrepeatfields", "repeatfield");
}

}  // namespace tavir
