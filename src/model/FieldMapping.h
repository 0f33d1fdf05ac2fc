// The field catalogue (fields 0 to 32 and their names) and the user's two
// ordered field lists, with their registry persistence.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavir {

class Options;

using FieldId = std::uint32_t;

namespace field {
constexpr FieldId Date = 0, Untimed = 1, StartTime = 2, EndTime = 3, Private = 4, Text = 5,
                  Note = 6, Alarm = 7, AlarmTime = 8, AlarmUnit = 9, Category = 10, Location = 11,
                  Repeat = 12, TimeSpan = 13, RecordId = 14, FirstDummy = 15, LastDummy = 19,
                  RepeatType = 20, RepeatInterval = 21, RepeatEndDate = 22, Exceptions = 23,
                  WeeklySunday = 24, WeeklySaturday = 30, MonthlyWeekIndex = 31, Ignored = 32;
constexpr FieldId LastSimple = RecordId;
}  // namespace field

// The field's display name (string 32821 + id); "Dummy" for 15 to 19, empty
// for numbers beyond 32.
std::string FieldName(FieldId id);

class FieldMapping {
 public:
  explicit FieldMapping(const Options& owner);

  void ResetToDefaults();
  void AppendSimpleField(FieldId id);
  void RemoveSimpleField(std::size_t position);

  void SaveToRegistry() const;
  // A list is replaced only when a count is stored. Stored numbers without a
  // field (15 to 19, above 32) load as "(Ignored)", keeping their column.
  void LoadFromRegistry();

  const Options& GetOptions() const { return owner; }
  bool HasSimpleField(FieldId id) const;

  std::vector<FieldId> simpleFields;
  std::vector<FieldId> repeatFields;

 private:
  const Options& owner;
};

}  // namespace tavir
