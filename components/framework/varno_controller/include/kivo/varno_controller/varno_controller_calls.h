// Calls on the RTVarnoController level: the parent class of components whose script objects each
// have a native record of the component (the actor component keeps one wrapper per script actor).
// Each controller instance maps script objects to records; the records belong to the subclass,
// and the table never frees them. Its level follows RTComponent's in every derived object.
#pragma once

#include "kivo/slots.h"

namespace kivo::varno_controller {

inline constexpr char16_t kClassName[] = u"RTVarnoController";

inline constexpr MethodSlot<void*, void*> kAttachNativeRecord{0x00};  // (script object, record)
inline constexpr MethodSlot<void*> kDetachNativeRecord{0x04};  // (script object)
inline constexpr MethodSlot<void*, void**> kFindNativeRecord{0x08};  // (script object, out record)
inline constexpr MethodSlot<> kFreeWorld{0x10};  // the game calls it when its world is freed
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;  // published bytes: a derived level starts here
inline constexpr uint32_t kSlotTableSize = kFreeWorld + 4;

// Maps the script object to the record, in place of any record it had; a null object or record
// is refused.
inline RTSuccess AttachNativeRecord(RTInstance c, void* object, void* record) {
  return CallMethod(c, kLevel, kAttachNativeRecord, object, record);
}
// Forgets the object's record; 0 when it had none.
inline RTSuccess DetachNativeRecord(RTInstance c, void* object) { return CallMethod(c, kLevel, kDetachNativeRecord, object); }
// 1 and the record attached to the object; 0 with *record null when there is none.
inline RTSuccess FindNativeRecord(RTInstance c, void* object, void** record) {
  return CallMethod(c, kLevel, kFindNativeRecord, object, record);
}
// Called after the game has given up its world; the records stay attached (each is detached when
// its script object goes). Always 1.
inline RTSuccess FreeWorld(RTInstance c) { return CallMethod(c, kLevel, kFreeWorld); }

}  // namespace kivo::varno_controller
