// The per-thread memo of local time conversions: two direct-mapped tables,
// dropped whenever TZ changes.
#include "platform/posix/LocalTimeMemo.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace tavir::local_time_memo {
namespace {

// A power of two; enough for every day a daily rule yields from 1990 to 2031.
constexpr int kSlotBits = 15;
constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;

struct SplitSlot {
  bool used = false;
  TimeValue t = 0;
  LocalFields fields;
};

struct BuildSlot {
  bool used = false;
  BuildKey key{};
  TimeValue built = 0;
};

// Where TZ was found in the environment at the last look. getenv walks the
// whole environment, and the memo asks before every conversion; this answers
// from the last look while the environment provably holds the same entries
// there, and walks it again on any doubt.
class TimeZoneVariable {
 public:
  const char* Value() {
    if (!StillAsSeen())
      Look();
    return entry_ ? entry_ + 3 : nullptr;
  }

  bool StillAsSeen() const {
    if (!environ || environ != environment_)
      return false;
    // setenv and unsetenv put other pointers into the slots they change.
    if (entry_)
      return environ[index_] == entry_ && std::strcmp(entry_, text_.c_str()) == 0;
    // No TZ: no variable was added at the end, none taken out before it.
    return environ[index_] == nullptr && (index_ == 0 || environ[index_ - 1] == last_);
  }

 private:
  void Look() {
    environment_ = environ;
    entry_ = nullptr;
    index_ = 0;
    last_ = nullptr;
    if (!environ)
      return;
    for (; environ[index_]; ++index_) {
      if (std::strncmp(environ[index_], "TZ=", 3) == 0) {
        entry_ = environ[index_];
        text_ = entry_;
        return;
      }
      last_ = environ[index_];
    }
  }

  char** environment_ = nullptr;
  std::size_t index_ = 0;        // TZ's slot, or the end of the environment
  const char* entry_ = nullptr;  // "TZ=..." as it was found
  std::string text_;             // its text then, for a variable changed in place
  const char* last_ = nullptr;   // the last variable when there was no TZ
};

struct Memo {
  TimeZoneVariable variable;
  bool zoneKnown = false;
  std::optional<std::string> zone;  // TZ as it read when the slots were filled
  std::array<SplitSlot, kSlots> splits;
  std::array<BuildSlot, kSlots> builds;
  std::vector<DayFacts> days;  // sized on first use
};

Memo& ThisThreadsMemo() {
  thread_local const std::unique_ptr<Memo> memo = std::make_unique<Memo>();
  return *memo;
}

std::size_t Slot(std::uint64_t hash) {
  // The top bits of the product: days a day apart land far from each other.
  return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits));
}

std::size_t SlotOf(TimeValue t) {
  return Slot(static_cast<std::uint32_t>(t));
}

std::size_t SlotOf(const BuildKey& key) {
  std::uint64_t hash = static_cast<std::uint32_t>(key.year);
  for (const int part :
       {key.month, key.day, key.hour, key.minute, key.second, static_cast<int>(key.dst)})
    hash = hash * 1000003 + static_cast<std::uint32_t>(part);
  return Slot(hash);
}

}  // namespace

void FollowZone() {
  Memo& memo = ThisThreadsMemo();
  if (memo.zoneKnown && memo.variable.StillAsSeen())
    return;
  const char* zone = memo.variable.Value();
  if (memo.zoneKnown && (zone ? memo.zone && *memo.zone == zone : !memo.zone))
    return;
  tzset();
  memo.zoneKnown = true;
  memo.zone = zone ? std::optional<std::string>(zone) : std::nullopt;
  memo.splits.fill({});
  memo.builds.fill({});
  memo.days.assign(memo.days.size(), DayFacts{});
}

DayFacts* DayTable() {
  Memo& memo = ThisThreadsMemo();
  if (memo.days.empty())
    memo.days.resize(kTableDays);
  return memo.days.data();
}

std::optional<LocalFields> FindSplit(TimeValue t) {
  const SplitSlot& slot = ThisThreadsMemo().splits[SlotOf(t)];
  if (slot.used && slot.t == t)
    return slot.fields;
  return std::nullopt;
}

void KeepSplit(TimeValue t, const LocalFields& fields) {
  ThisThreadsMemo().splits[SlotOf(t)] = SplitSlot{true, t, fields};
}

std::optional<TimeValue> FindBuild(const BuildKey& key) {
  const BuildSlot& slot = ThisThreadsMemo().builds[SlotOf(key)];
  if (slot.used && slot.key == key)
    return slot.built;
  return std::nullopt;
}

void KeepBuild(const BuildKey& key, TimeValue built) {
  ThisThreadsMemo().builds[SlotOf(key)] = BuildSlot{true, key, built};
}

}  // namespace tavir::local_time_memo
