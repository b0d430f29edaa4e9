// RTComponent: the base class of every component and the class of Root. Its level is the first
// word of every component object.
//
// Stream form: u32 version (1); nothing else, the base class has no state of its own.
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/wide_string.h"

namespace {

using namespace kivo;

constexpr uint32_t kStreamVersion = 1;
constexpr uint32_t kNameUnits = 512;

RTSuccess SetName(RTInstance self, const char16_t* name) { return ModuleCore()->SetInstanceName(self, self, name); }

RTSuccess GetName(RTInstance self, char16_t** name) {
  char16_t buffer[kNameUnits];
  if (!name || !ModuleCore()->GetInstanceName(self, self, buffer, kNameUnits)) return kRTFailure;
  return WideStrDup(buffer, name);
}

RTSuccess StreamOut(RTInstance, uint32_t, RTInstance stream) { return StreamWriteUInt(stream, kStreamVersion); }

RTSuccess StreamIn(RTInstance, uint32_t, RTInstance stream) {
  uint32_t version = 0;
  return StreamReadVersion(stream, kStreamVersion, &version);
}

RTMethodRecord gMethods[] = {
    Method(u"SetName", SetName, component::kSetName, u"RTSuccess", u"wchar[] apName"),
    Method(u"GetName", GetName, component::kGetName, u"RTSuccess", u"wchar[] out opName"),
    Method(u"StreamOut", StreamOut, component::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ahStream"),
    Method(u"StreamIn", StreamIn, component::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = u"RTComponent",
    .description = u"The base class of every component",
    .objectSize = 0x08,
    .slotTableSize = 0x14,
    .firstSlotTableOffset = component::kLevel,
    .secondSlotTableOffset = component::kLevel + 4,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
