// Calls on the game's timer (class RTTeskTimer, a singleton): it counts the frames the game ticks
// it since it was last reset, and streams that count. Its level follows RTComponent's.
#pragma once

#include "kivo/slots.h"

namespace kivo::timer {

inline constexpr char16_t kClassName[] = u"RTTeskTimer";

inline constexpr MethodSlot<void*> kTick{0x00};  // (VM): once a frame
inline constexpr MethodSlot<> kReset{0x04};
inline constexpr MethodSlot<uint32_t*> kGetTicks{0x08};  // (out count)
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x0C};  // overrides RTComponent's: (stage, stream)
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x10};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;
inline constexpr uint32_t kSlotTableSize = kStreamOut + 4;
inline constexpr uint32_t kStreamVersion = 1;

// The VM is the game's script VM; the timer only counts the tick.
inline RTSuccess Tick(RTInstance t, void* vm) { return CallMethod(t, kLevel, kTick, vm); }
inline RTSuccess Reset(RTInstance t) { return CallMethod(t, kLevel, kReset); }
inline RTSuccess GetTicks(RTInstance t, uint32_t* ticks) { return CallMethod(t, kLevel, kGetTicks, ticks); }
// The stream: u32 version, u32 ticks. A newer version or a short stream is refused with a message
// and the count is kept.
inline RTSuccess StreamIn(RTInstance t, uint32_t stage, RTInstance stream) {
  return CallMethod(t, kLevel, kStreamIn, stage, stream);
}
inline RTSuccess StreamOut(RTInstance t, uint32_t stage, RTInstance stream) {
  return CallMethod(t, kLevel, kStreamOut, stage, stream);
}

}  // namespace kivo::timer
