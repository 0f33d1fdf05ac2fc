// The current time. TAVIR_NOW (a local date-time such as 2005-11-10T16:42:17)
// overrides the system clock so that runs and tests can be reproduced.
#pragma once

#include <string>

#include "platform/LocalTime.h"

namespace tavir {

// Throws ConfigurationError when TAVIR_NOW is set but not a valid date-time.
TimeValue CurrentTime();

}  // namespace tavir
