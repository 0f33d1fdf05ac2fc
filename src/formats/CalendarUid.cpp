// Calendar event UIDs: record id, user name hash, occurrence day.
#include "formats/CalendarUid.h"

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
  static constexpr char kHexDigits[] = "0123456789abcdef";
  char hash[16];
  std::uint64_t value = HashOf(userNameUtf8);
  for (int i = 15; i >= 0; --i, value >>= 4)
    hash[i] = kHexDigits[value & 0xF];
  std::string uid;
  uid.reserve(64);
  uid += "TAVIR-";
  uid += std::to_string(recordId);
  uid += '-';
  uid.append(hash, sizeof hash);
  if (occurrenceDay != 0) {
    uid += '-';
    uid += FormatLocalDate(occurrenceDay);
  }
  uid += "@tavir.invalid";
  return uid;
}

}  // namespace tavir
