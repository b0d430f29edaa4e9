// Basic types shared by the core, the host and every component library.
#pragma once

#include <cstddef>
#include <cstdint>

// Result of every core operation and component method: 1 success, 0 failure.
using RTSuccess = uint32_t;
inline constexpr RTSuccess kRTSuccess = 1;
inline constexpr RTSuccess kRTFailure = 0;

// Four-byte boolean, 0 or 1.
using RTBool = uint32_t;

// Handle to a core instance record. The record's first field is the component object.
struct RTInstanceRecord;
using RTInstance = RTInstanceRecord*;

// Registration serial of a component class.
using RTComponentHandle = uint32_t;
inline constexpr RTComponentHandle kNoComponent = 0xFFFFFFFFu;

// Time-based UUID, fields in machine (little-endian) order.
struct RTUUID {
  uint32_t timeLow;
  uint16_t timeMid;
  uint16_t timeHiAndVersion;
  uint8_t clockSeqHiAndReserved;
  uint8_t clockSeqLow;
  uint8_t node[6];
};
static_assert(sizeof(RTUUID) == 16);

struct RTStreamHeader;
struct RTMethodRecord;
struct RTPropertyRecord;
struct RTInstanceIterator;

// A component's stream-in entry point: (instance, stage, stream).
using RTStreamInFunc = RTSuccess (*)(RTInstance self, uint32_t stage, RTInstance stream);

// Exported functions carry this; everything else in a library stays hidden.
#define KIVO_EXPORT extern "C" __attribute__((visibility("default")))
