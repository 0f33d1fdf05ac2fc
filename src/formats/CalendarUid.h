// The UID of a calendar event. Record ids start at 1 in every datebook, so
// the id alone would let one user's file replace another user's events in a
// calendar that holds both; a hash of the user's name tells them apart, and
// the UID stays the same for every export of the same appointment.
#pragma once

#include <cstdint>
#include <string>

#include "platform/LocalTime.h"

namespace tavir {

// "TAVIR-<record id>-<16 hex digits of the user's name>@tavir.invalid"; an
// expanded occurrence gets "-<local date YYYYMMDD>" before the "@". The name
// is hashed as UTF-8, so the UID does not change with the code page.
std::string EventUid(std::int32_t recordId, const std::string& userNameUtf8,
                     TimeValue occurrenceDay);

}  // namespace tavir
