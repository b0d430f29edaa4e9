#include "kivo/support/component_calls.h"

#include "kivo/slots.h"

namespace kivo::component {

RTSuccess SetName(RTInstance instance, const char16_t* name) { return CallMethod(instance, kLevel, kSetName, name); }

RTSuccess GetName(RTInstance instance, char16_t** name) { return CallMethod(instance, kLevel, kGetName, name); }

RTSuccess StreamOut(RTInstance instance, uint32_t stage, RTInstance stream) {
  return CallMethod(instance, kLevel, kStreamOut, stage, stream);
}

RTSuccess StreamIn(RTInstance instance, uint32_t stage, RTInstance stream) {
  return CallMethod(instance, kLevel, kStreamIn, stage, stream);
}

}  // namespace kivo::component
