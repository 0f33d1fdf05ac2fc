// Local midnight of a day, shared by both platforms on top of SplitLocal and
// BuildLocal.
#include "platform/LocalTime.h"

namespace tavir {

TimeValue LocalMidnight(TimeValue t) {
  const LocalFields local = SplitLocal(t);
  return BuildLocal(local.year, local.month, local.day, 0, 0, 0);
}

TimeValue LocalMidnight(int year, int month, int day) {
  return BuildLocal(year, month, day, 0, 0, 0);
}

}  // namespace tavir
