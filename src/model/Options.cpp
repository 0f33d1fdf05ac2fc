// The options of one command run: defaults, registry persistence and the
// date range of the simple export.
#include "model/Options.h"

#include <cstdint>

#include "model/FilterType.h"
#include "model/OptionTable.h"
#include "model/Saturate.h"
#include "model/Strings.h"
#include "platform/Clock.h"
#include "platform/Locale.h"
#include "platform/Registry.h"

namespace tavir {
namespace {

// The list separator is kept to what GetLocaleInfo hands out into a buffer
// of ten characters.
constexpr std::size_t kMaxSeparatorLength = 9;
// Used when the locale names no list separator.
constexpr const char* kFallbackSeparator = ",";

std::string DefaultSeparator() {
  const std::optional<std::string> fromLocale = ListSeparator();
  if (!fromLocale)
    return kFallbackSeparator;
  return fromLocale->substr(0, kMaxSeparatorLength);
}

// Signed members travel as DWORDs: the bit pattern is kept both ways.
void LoadStoredNumber(const char* name, std::int32_t& member) {
  member =
      static_cast<std::int32_t>(RegGetDword(kOptionsKey, name, static_cast<std::uint32_t>(member)));
}

void LoadStoredText(const char* name, std::string& member) {
  member = RegGetString(kOptionsKey, name, member);
}

void SaveStoredNumber(const char* name, std::int32_t value) {
  RegSetDword(kOptionsKey, name, static_cast<std::uint32_t>(value));
}

void SaveStoredText(const char* name, const std::string& value) {
  RegSetString(kOptionsKey, name, value);
}

// t + seconds, kept inside the TimeValue range: a damaged day count must
// not wrap around into a date on the other side of 1970.
TimeValue AddSeconds(TimeValue t, std::int64_t seconds) {
  return SaturateToInt32(t + seconds);
}

// Whole days from a to b, both built as standard-time midnights so that a
// daylight saving change between them does not shorten the count.
std::int32_t DaysBetween(TimeValue from, TimeValue to) {
  const LocalFields a = SplitLocal(from);
  const LocalFields b = SplitLocal(to);
  const std::int64_t start = BuildLocal(a.year, a.month, a.day, 0, 0, 0, DaylightSaving::ForcedOff);
  const std::int64_t end = BuildLocal(b.year, b.month, b.day, 0, 0, 0, DaylightSaving::ForcedOff);
  return static_cast<std::int32_t>((end - start) / kSecondsPerDay);
}

}  // namespace

Options::Options()
    : mapping(*this),
      prcicontext(LoadText(text::DefaultPrcIconText)),
      prcmsgtitle(LoadText(text::DefaultPrcMessageTitle)),
      prcmsgtext(LoadText(text::DefaultPrcMessageText)),
      separator(DefaultSeparator()) {}

int Options::Load() {
  for (const OptionEntry& entry : OptionEntries()) {
    if (entry.text)
      LoadStoredText(entry.name, this->*entry.text);
    else
      LoadStoredNumber(entry.name, this->*entry.number);
  }
  if (exceptiondateseparator.empty())
    exceptiondateseparator = " ";
  if (filtertype > kLastFilterType)
    filtertype = 0;
  mapping.LoadFromRegistry();
  return 0;
}

int Options::Save() const {
  // Each write stands alone: one that fails does not stop the others.
  for (const OptionEntry& entry : OptionEntries()) {
    if (entry.text)
      SaveStoredText(entry.name, this->*entry.text);
    else
      SaveStoredNumber(entry.name, this->*entry.number);
  }
  mapping.SaveToRegistry();
  return 0;
}

TimeValue Options::GetSpanStart() const {
  TimeValue t = AddSeconds(LocalMidnight(CurrentTime()), -std::int64_t{daysback} * kSecondsPerDay);
  // Counting whole days across a daylight saving change lands an hour off
  // midnight; pull it back.
  if (SplitLocal(t).hour == 1)
    t = AddSeconds(t, -3600);
  if (SplitLocal(t).hour == 23)
    t = AddSeconds(t, 3600);
  return t;
}

TimeValue Options::GetSpanEnd() const {
  const LocalFields today = SplitLocal(CurrentTime());
  TimeValue t = AddSeconds(BuildLocal(today.year, today.month, today.day, 23, 59, 0),
                           std::int64_t{daysahead} * kSecondsPerDay);
  if (SplitLocal(t).hour == 0)
    t = AddSeconds(t, -3600);
  if (SplitLocal(t).hour == 22)
    t = AddSeconds(t, 3600);
  return t;
}

void Options::SetSpanStart(TimeValue day) {
  daysback = DaysBetween(day, CurrentTime());
}

void Options::SetSpanEnd(TimeValue day) {
  daysahead = DaysBetween(CurrentTime(), day);
}

}  // namespace tavir
