// Calendar event UIDs: record id, user name hash, occurrence day.
#include "formats/CalendarUid.h"

#include <cstdio>

#include "formats/CalendarTimes.h"

namespace tavir {

namespace {

// FNV-1a: small, and the same on every platform and in every release.
std::uint64_t HashOf(const std::string& text) {
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (const char character : text) {
    hash ^= static_cast<unsigned char>(character);
    hash *= 0x100000001B3ULL;
  }
  return hash;
}

}  // namespace

std::string EventUid(std::int32_t recordId, const std::string& userNameUtf8,
                     TimeValue occurrenceDay) {
  char hash[20];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(HashOf(userNameUtf8)));
  std::string uid = "TAVIR-" + std::to_string(recordId) + "-" + hash;
  if (occurrenceDay != 0)
    uid += "-" + FormatLocalDate(occurrenceDay);
  return uid + "@tavir.invalid";
}

}  // namespace tavir
