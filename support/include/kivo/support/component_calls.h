// Calls on the RTComponent level that every component object carries at its first word.
#pragma once

#include "kivo/types.h"

namespace kivo::component {

// Slot offsets of the RTComponent level.
enum Slot : uint32_t {
  kSetName = 0x00,
  kGetName = 0x04,
  kStreamOut = 0x0C,
  kStreamIn = 0x10,
};
inline constexpr uint32_t kLevel = 0x00;               // first slot-table offset in every component object
inline constexpr uint32_t kStreamWhole = 0xFFFFFFFFu;  // the stage that streams a whole instance

// The stages a single-stage stream method takes: 0 and the whole instance.
constexpr bool IsWholeStage(uint32_t stage) { return stage == 0 || stage == kStreamWhole; }

RTSuccess SetName(RTInstance instance, const char16_t* name);
// A new core copy of the instance's name; the caller frees it with ArrayFree.
RTSuccess GetName(RTInstance instance, char16_t** name);
RTSuccess StreamOut(RTInstance instance, uint32_t stage, RTInstance stream);
RTSuccess StreamIn(RTInstance instance, uint32_t stage, RTInstance stream);

}  // namespace kivo::component
