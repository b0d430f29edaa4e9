// RTRenderable: the parent class of the entities that scene nodes draw. It keeps no state; what it
// gives its derived classes is the first part of their stream, a stage count and the drawing and
// measuring methods they override (see renderable_calls.h).
//
// Stream form: u32 version (1); nothing else. A newer version is refused.
#include "kivo/scene/renderable_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/version_part.h"

namespace {

using namespace kivo;

constexpr bool kOverrides = true;

RTSuccess GetStageCount(RTInstance, uint32_t* count) { return SingleStageCount(count); }

RTSuccess StreamOut(RTInstance, uint32_t, RTInstance stream) {
  return StreamWriteUInt(stream, renderable::kStreamVersion);
}

RTSuccess StreamIn(RTInstance, uint32_t, RTInstance stream) {
  return ReadVersionPart(stream, renderable::kStreamVersion, renderable::kClassName);
}

RTSuccess ProcessFrame(RTInstance, uint32_t, const RTSceneNodeEntityFrameInformation*) { return kRTSuccess; }

RTSuccess GetBoundingBox(RTInstance, RTFVector3D* min, RTFVector3D* max) {
  if (!min || !max) return kRTFailure;
  *min = RTFVector3D{};
  *max = RTFVector3D{};
  return kRTSuccess;
}

RTSuccess GetBoundingSphere(RTInstance, float* radius) {
  if (!radius) return kRTFailure;
  *radius = 0.0f;
  return kRTSuccess;
}

RTSuccess HasAlpha(RTInstance, RTBool* hasAlpha) {
  if (!hasAlpha) return kRTFailure;
  *hasAlpha = 0;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetStageCount", GetStageCount, renderable::kGetStageCount, u"RTSuccess", u"uint out opCount"),
    Method(u"StreamIn", StreamIn, renderable::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, renderable::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream",
           kOverrides),
    Method(u"ProcessFrame", ProcessFrame, renderable::kProcessFrame, u"RTSuccess",
           u"uint aMSTime, RTSceneNodeEntityFrameInformation in apNodeInformation"),
    Method(u"GetBoundingBox", GetBoundingBox, renderable::kGetBoundingBox, u"RTSuccess",
           u"RTFVector3D out opMin, RTFVector3D out opMax"),
    Method(u"GetBoundingSphere", GetBoundingSphere, renderable::kGetBoundingSphere, u"RTSuccess",
           u"float out opRadius"),
    Method(u"HasAlpha", HasAlpha, renderable::kHasAlpha, u"RTSuccess", u"RTBool out opbHasAlpha"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = renderable::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The parent class of the entities that scene nodes draw",
    .objectSize = renderable::kObjectSize,
    .slotTableSize = renderable::kSlotTableSize,
    .firstSlotTableOffset = renderable::kLevel,
    .secondSlotTableOffset = renderable::kOwnTable,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
