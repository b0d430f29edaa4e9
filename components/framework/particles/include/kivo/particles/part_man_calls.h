// Calls on particle managers (class RTPartMan): one effect, made of particle systems that it holds
// and drives together.
//
// Text A is the effect's title, kept for tools. Text B gives the effect's options, one "word
// value" line each: "duration S" ends the effect S seconds after its start; without it the effect
// ends once no system emits and no particle lives. Start and Update give 1 while the effect goes
// on and -1 (0xFFFFFFFF) once it has finished, when its systems are stopped and empty. The times
// are absolute, in milliseconds.
#pragma once

#include <cstdint>

#include "kivo/slots.h"

namespace kivo::part_man {

inline constexpr char16_t kClassName[] = u"RTPartMan";

inline constexpr MethodSlot<> kClear{0x00};
inline constexpr MethodSlot<const char*> kSetTextA{0x04};
inline constexpr MethodSlot<const char*> kSetTextB{0x08};
inline constexpr MethodSlot<RTInstance> kAddSystem{0x0c};
inline constexpr MethodSlot<uint32_t, RTInstance*> kGetSystem{0x10};
inline constexpr MethodSlot<uint32_t, int32_t*> kStart{0x14};
inline constexpr MethodSlot<uint32_t, int32_t*> kUpdate{0x18};
inline constexpr MethodSlot<> kStop{0x1c};
inline constexpr MethodSlot<uint32_t*> kGetSystemCount{0x20};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;
inline constexpr uint32_t kSlotTableSize = kGetSystemCount + 4;

inline constexpr int32_t kGoesOn = 1;
inline constexpr int32_t kFinished = -1;

// Lets go of the systems and the texts.
inline RTSuccess Clear(RTInstance m) { return CallMethod(m, kLevel, kClear); }
inline RTSuccess SetTextA(RTInstance m, const char* text) { return CallMethod(m, kLevel, kSetTextA, text); }
// Refused, with a message and the options unchanged, when a line is not "duration S" (S > 0).
inline RTSuccess SetTextB(RTInstance m, const char* text) { return CallMethod(m, kLevel, kSetTextB, text); }
// Holds the particle system with a reference, after those it has.
inline RTSuccess AddSystem(RTInstance m, RTInstance system) { return CallMethod(m, kLevel, kAddSystem, system); }
// The system at the index with a reference for the caller; fails out of range.
inline RTSuccess GetSystem(RTInstance m, uint32_t index, RTInstance* system) {
  return CallMethod(m, kLevel, kGetSystem, index, system);
}
inline RTSuccess GetSystemCount(RTInstance m, uint32_t* count) { return CallMethod(m, kLevel, kGetSystemCount, count); }
// Starts every system at the time.
inline RTSuccess Start(RTInstance m, uint32_t milliseconds, int32_t* result) {
  return CallMethod(m, kLevel, kStart, milliseconds, result);
}
// Brings every system to the time.
inline RTSuccess Update(RTInstance m, uint32_t milliseconds, int32_t* result) {
  return CallMethod(m, kLevel, kUpdate, milliseconds, result);
}
// Stops and empties every system: a following Update gives -1.
inline RTSuccess Stop(RTInstance m) { return CallMethod(m, kLevel, kStop); }

}  // namespace kivo::part_man
