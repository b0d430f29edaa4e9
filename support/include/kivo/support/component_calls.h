// Calls on the RTComponent level that every component object carries at its first word.
#pragma once

#include "kivo/slots.h"
#include "kivo/types.h"

namespace kivo::component {

// Slot offsets of the RTComponent level.
inline constexpr MethodSlot<const char16_t*> kSetName{0x00};
inline constexpr MethodSlot<char16_t**> kGetName{0x04};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x0C};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x10};
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
