// RTStaticLitMesh: a mesh lit ahead of time, the class of rooms' baked geometry. For now it is a
// mesh (RTPolyModel) whose stream carries a version word of its own after the mesh's body; the
// lightmaps it will hold come with lightmap baking.
//
// Stream form: RTPolyModel's part (through that level's own table), then
//   u32 version        1; a newer version is refused
#include "kivo/scene/poly_model_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/version_part.h"

namespace {

using namespace kivo;

constexpr char16_t kClassName[] = u"RTStaticLitMesh";
constexpr uint32_t kLevel = poly_model::kObjectSize;
constexpr uint32_t kStreamVersion = 1;
constexpr bool kOverrides = true;
constexpr ParentStream kParentStream{poly_model::kOwnTable, poly_model::kStreamIn, poly_model::kStreamOut};

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  return CallParentMethod(self, poly_model::kOwnTable, poly_model::kStreamOut, stage, stream) &&
                 StreamWriteUInt(stream, kStreamVersion)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  return StreamInAfterParent(self, kParentStream, stage, stream,
                             [&] { return ReadVersionPart(stream, kStreamVersion, kClassName) != 0; });
}

RTMethodRecord gMethods[] = {
    Method(u"StreamIn", StreamIn, 0x0, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, 0x4, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = kClassName,
    .parentClassName = poly_model::kClassName,
    .description = u"A mesh lit ahead of time",
    .objectSize = kLevel + 8,
    .slotTableSize = 8,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kLevel + 4,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
