// RTEditable: the parent class of the components that stream an edited asset (scene trees,
// motions). It keeps no state; what it gives its derived classes is the first part of their
// stream and a stage count, which they override and extend (see editable_calls.h).
//
// Stream form: u32 version (1); nothing else. A newer version is refused.
#include "kivo/support/component_kit.h"
#include "kivo/support/editable_calls.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/version_part.h"

namespace {

using namespace kivo;

constexpr bool kOverrides = true;

RTSuccess GetStageCount(RTInstance, uint32_t* count) { return SingleStageCount(count); }

RTSuccess StreamOut(RTInstance, uint32_t, RTInstance stream) {
  return StreamWriteUInt(stream, editable::kStreamVersion);
}

RTSuccess StreamIn(RTInstance, uint32_t, RTInstance stream) {
  return ReadVersionPart(stream, editable::kStreamVersion, editable::kClassName);
}

RTMethodRecord gMethods[] = {
    Method(u"GetStageCount", GetStageCount, editable::kGetStageCount, u"RTSuccess", u"uint out opCount"),
    Method(u"StreamIn", StreamIn, editable::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, editable::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream",
           kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = editable::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The parent class of streamed, editable assets",
    .objectSize = editable::kObjectSize,
    .slotTableSize = editable::kSlotTableSize,
    .firstSlotTableOffset = editable::kLevel,
    .secondSlotTableOffset = editable::kOwnTable,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
