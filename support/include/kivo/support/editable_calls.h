// Calls on the RTEditable level: the parent class of the components that stream an edited asset
// (scene trees, motions). Its level follows RTComponent's in every derived object. A derived class
// overrides all three methods; its stream methods run RTEditable's part first through
// CallParentMethod (parent_call.h) with kOwnTable.
#pragma once

#include "kivo/slots.h"

namespace kivo::editable {

inline constexpr MethodSlot<uint32_t*> kGetStageCount{0x00};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x04};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x08};
inline constexpr uint32_t kLevel = 0x08;     // first slot table: reaches a derived class's overrides
inline constexpr uint32_t kOwnTable = 0x0C;  // second slot table: RTEditable's own functions
inline constexpr uint32_t kObjectSize = 0x10;  // published bytes: a derived level starts here
inline constexpr uint32_t kSlotTableSize = 0x0C;
inline constexpr uint32_t kStreamVersion = 1;
inline constexpr char16_t kClassName[] = u"RTEditable";

inline RTSuccess GetStageCount(RTInstance e, uint32_t* count) { return CallMethod(e, kLevel, kGetStageCount, count); }
inline RTSuccess StreamIn(RTInstance e, uint32_t stage, RTInstance stream) {
  return CallMethod(e, kLevel, kStreamIn, stage, stream);
}
inline RTSuccess StreamOut(RTInstance e, uint32_t stage, RTInstance stream) {
  return CallMethod(e, kLevel, kStreamOut, stage, stream);
}

}  // namespace kivo::editable
