// RTImage: an encoded image kept in a memory stream (see image_calls.h). Its stream form is that of
// kept_bytes.h with version 1.
#include "kept_bytes.h"
#include "kivo/image/image_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"

namespace {

using namespace kivo;

constexpr bool kOverrides = true;

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  return WriteKeptBytes(self, stage, stream, image::kStreamVersion);
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  return ReadKeptBytes(self, stage, stream, image::kStreamVersion, image::kClassName, u"image");
}

RTMethodRecord gMethods[] = {
    Method(u"StreamOut", StreamOut, OverrideAt(component::kStreamOut, image::kStreamOut.offset), u"RTSuccess",
           u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamIn", StreamIn, OverrideAt(component::kStreamIn, image::kStreamIn.offset), u"RTSuccess",
           u"uint aStage, RTInstance ahStream", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = image::kClassName,
    .parentClassName = u"RTMemoryStream",
    .description = u"An encoded image kept in a memory stream",
    .objectSize = image::kObjectSize,
    .slotTableSize = image::kSlotTableSize,
    .firstSlotTableOffset = image::kLevel,
    .secondSlotTableOffset = image::kOwnTable,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
