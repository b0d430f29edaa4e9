// Calls on the instance inspector (class RTInspector2, a singleton debug component): it writes the
// framework's instance tree to the debug output. Its level follows RTComponent's; the slots before
// its one method are empty.
#pragma once

#include "kivo/slots.h"

namespace kivo::inspector {

inline constexpr char16_t kClassName[] = u"RTInspector2";

inline constexpr MethodSlot<> kShowInstanceTree{0x20};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x10;
inline constexpr uint32_t kSlotTableSize = kShowInstanceTree + 4;

// One line per instance from the root down, each child indented below its parent: its path and
// its class.
inline RTSuccess ShowInstanceTree(RTInstance i) { return CallMethod(i, kLevel, kShowInstanceTree); }

}  // namespace kivo::inspector
