// The 7-byte local time stamp that stream headers carry.
#pragma once

#include <cstdint>
#include <ctime>

#include "kivo/types.h"

namespace kivo {

struct DateStamp {
  uint8_t zero;    // always 0
  uint8_t second;  // 0-59 (60 for a leap second)
  uint8_t minute;
  uint8_t hour;
  uint8_t day;     // 1-31
  uint8_t month;   // 1-12
  uint8_t year;    // year - 1990, modulo 256
};
static_assert(sizeof(DateStamp) == 7);

// Fills the stamp from a calendar time converted to local time. Fails, leaving an all-zero stamp,
// when the time cannot be converted.
RTSuccess DateStampFromTime(std::time_t time, DateStamp* stamp);
// The same for the current time.
RTSuccess DateStampNow(DateStamp* stamp);
void FillDateStamp(DateStamp* stamp);

}  // namespace kivo
