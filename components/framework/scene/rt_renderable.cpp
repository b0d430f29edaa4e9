// RTRenderable: the parent class of the entities that scene nodes draw. What it gives its derived
// classes is the first part of their stream, a stage count, the drawing and measuring methods they
// override, and the draw hooks (see renderable_calls.h). The hooks are kept beside the objects, in
// a table of the library by instance, so that the level adds no word to the objects of the classes
// derived from it.
//
// Stream form: u32 version (1); nothing else. A newer version is refused.
#include <unordered_map>

#include "kivo/scene/renderable_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/version_part.h"

namespace {

using namespace kivo;

constexpr bool kOverrides = true;

struct Hook {
  renderable::DrawHook function = nullptr;
  RTInstance context = nullptr;  // the setter's: no reference held
};

struct DrawHooks {
  Hook pre;
  Hook post;
};

// The hooks of the entities that have any.
std::unordered_map<RTInstance, DrawHooks>& HooksByEntity() {
  static std::unordered_map<RTInstance, DrawHooks> hooks;
  return hooks;
}

RTSuccess Destroy(RTInstance self) {
  HooksByEntity().erase(self);
  return kRTSuccess;
}

RTSuccess SetHook(RTInstance self, Hook DrawHooks::*which, renderable::DrawHook function, RTInstance context) {
  if (!self) return kRTFailure;
  HooksByEntity()[self].*which = Hook{function, context};
  return kRTSuccess;
}

RTSuccess GetHook(RTInstance self, Hook DrawHooks::*which, renderable::DrawHook* function, RTInstance* context) {
  if (!function || !context) return kRTFailure;
  const auto found = HooksByEntity().find(self);
  const Hook hook = found == HooksByEntity().end() ? Hook{} : found->second.*which;
  *function = hook.function;
  *context = hook.context;
  return !hook.context || ModuleCore()->ResolveHandle(nullptr, hook.context) ? kRTSuccess : kRTFailure;
}

RTSuccess SetPreDrawHook(RTInstance self, renderable::DrawHook function, RTInstance context) {
  return SetHook(self, &DrawHooks::pre, function, context);
}
RTSuccess GetPreDrawHook(RTInstance self, renderable::DrawHook* function, RTInstance* context) {
  return GetHook(self, &DrawHooks::pre, function, context);
}
RTSuccess SetPostDrawHook(RTInstance self, renderable::DrawHook function, RTInstance context) {
  return SetHook(self, &DrawHooks::post, function, context);
}
RTSuccess GetPostDrawHook(RTInstance self, renderable::DrawHook* function, RTInstance* context) {
  return GetHook(self, &DrawHooks::post, function, context);
}

RTSuccess ClearHooksOf(RTInstance self, RTInstance context) {
  const auto found = HooksByEntity().find(self);
  if (found == HooksByEntity().end()) return kRTSuccess;
  for (Hook DrawHooks::*which : {&DrawHooks::pre, &DrawHooks::post})
    if ((found->second.*which).context == context) found->second.*which = Hook{};
  return kRTSuccess;
}

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
    Method(u"SetPreDrawHook", SetPreDrawHook, renderable::kSetPreDrawHook, u"RTSuccess",
           u"void* apHook, RTInstance ahContext"),
    Method(u"GetPreDrawHook", GetPreDrawHook, renderable::kGetPreDrawHook, u"RTSuccess",
           u"void* out oppHook, RTInstance out ophContext"),
    Method(u"SetPostDrawHook", SetPostDrawHook, renderable::kSetPostDrawHook, u"RTSuccess",
           u"void* apHook, RTInstance ahContext"),
    Method(u"GetPostDrawHook", GetPostDrawHook, renderable::kGetPostDrawHook, u"RTSuccess",
           u"void* out oppHook, RTInstance out ophContext"),
    Method(u"ClearHooksOf", ClearHooksOf, renderable::kClearHooksOf, u"RTSuccess", u"RTInstance ahContext"),
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
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
