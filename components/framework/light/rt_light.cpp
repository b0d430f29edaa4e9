// RTLight: a directional light, the base of every light class (see light_calls.h). It keeps the
// state every light has; its derived classes change only how a light shades vertices.
//
// Stream form: RTRenderable's part (through that level's own table), then
//   u32 version        1; a newer version is refused
//   3 x f32            the colour r, g, b (alpha is always 1)
//   f32                the range of a point or spot light
//   2 x f32            the penumbra and umbra angles of a spot light, radians
// A damaged stream, or one with a range or cone a light refuses, is refused whole: the light keeps
// what it had.
#include "kivo/support/component_kit.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "light_baking.h"
#include "light_state.h"

namespace {

using namespace kivo;
using light::LightState;
using light::StateOf;

constexpr bool kOverrides = true;
constexpr ParentStream kParentStream{renderable::kOwnTable, renderable::kStreamIn, renderable::kStreamOut};
constexpr uint32_t kStreamedBytes = 24;  // colour r, g, b, range, penumbra, umbra

RTSuccess Construct(RTInstance self) {
  return MakeState<LightState>(self, light::kStateWord) ? kRTSuccess : kRTFailure;
}

RTSuccess Destroy(RTInstance self) {
  EndState<LightState>(self, light::kStateWord);
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  const LightState* light = StateOf(self);
  return light && CallParentMethod(self, renderable::kOwnTable, renderable::kStreamOut, stage, stream) &&
                 StreamWriteUInt(stream, light::kStreamVersion) && StreamWriteColor(stream, light->colour) &&
                 StreamWriteFloat(stream, light->range) && StreamWriteFloat(stream, light->penumbra) &&
                 StreamWriteFloat(stream, light->umbra)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  LightState* light = StateOf(self);
  if (!light) return kRTFailure;
  return StreamInAfterParent(self, kParentStream, stage, stream, [&] {
    uint32_t version = 0;
    LightState read;
    if (!StreamReadVersion(stream, light::kStreamVersion, &version) || !StreamHolds(stream, kStreamedBytes) ||
        !StreamReadColor(stream, &read.colour) || !StreamReadFloat(stream, &read.range) ||
        !StreamReadFloat(stream, &read.penumbra) || !StreamReadFloat(stream, &read.umbra) || !read.RangeValid() ||
        !read.ConeValid()) {
      RaiseFormatted(kLevelError, u"RTLight::StreamIn(): the light's stream is damaged; the light is left as it was");
      return false;
    }
    *light = read;
    return true;
  });
}

RTSuccess GetColor(RTInstance self, RTFColorRGB* colour) {
  const LightState* light = StateOf(self);
  if (!light || !colour) return kRTFailure;
  *colour = light->colour;
  return kRTSuccess;
}

RTSuccess SetColor(RTInstance self, const RTFColorRGB* colour) {
  LightState* light = StateOf(self);
  if (!light || !colour) return kRTFailure;
  light->colour = *colour;
  return kRTSuccess;
}

RTSuccess GetPenumbra(RTInstance self, float* radians) {
  const LightState* light = StateOf(self);
  if (!light || !radians) return kRTFailure;
  *radians = light->penumbra;
  return kRTSuccess;
}

RTSuccess GetUmbra(RTInstance self, float* radians) {
  const LightState* light = StateOf(self);
  if (!light || !radians) return kRTFailure;
  *radians = light->umbra;
  return kRTSuccess;
}

RTSuccess SetRange(RTInstance self, float range) {
  LightState* light = StateOf(self);
  if (!light) return kRTFailure;
  LightState changed = *light;
  changed.range = range;
  if (!changed.RangeValid()) return kRTFailure;
  *light = changed;
  return kRTSuccess;
}

RTSuccess GetRange(RTInstance self, float* range) {
  const LightState* light = StateOf(self);
  if (!light || !range) return kRTFailure;
  *range = light->range;
  return kRTSuccess;
}

RTSuccess SetCone(RTInstance self, float penumbra, float umbra) {
  LightState* light = StateOf(self);
  if (!light) return kRTFailure;
  LightState changed = *light;
  changed.penumbra = penumbra;
  changed.umbra = umbra;
  if (!changed.ConeValid()) return kRTFailure;
  *light = changed;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetColor", GetColor, light::kGetColor, u"RTSuccess", u"RTFColorRGB out opColor"),
    Method(u"LightVertices", light::LightVerticesWith<light::ShadeDirectional>, light::kLightVertices, u"RTSuccess",
           u"RTFMatrix4x4 in apLightToObject, uint anVertices, RTFVector3D[] apVertices, RTFVector3D[] apNormals, "
           u"RTFColorRGB[] apColors"),
    Method(u"GetPenumbra", GetPenumbra, light::kGetPenumbra, u"RTSuccess", u"float out opRadians"),
    Method(u"GetUmbra", GetUmbra, light::kGetUmbra, u"RTSuccess", u"float out opRadians"),
    Method(u"StreamIn", StreamIn, light::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, light::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetColor", SetColor, light::kSetColor, u"RTSuccess", u"RTFColorRGB in apColor"),
    Method(u"SetRange", SetRange, light::kSetRange, u"RTSuccess", u"float aRange"),
    Method(u"GetRange", GetRange, light::kGetRange, u"RTSuccess", u"float out opRange"),
    Method(u"SetCone", SetCone, light::kSetCone, u"RTSuccess", u"float aPenumbra, float aUmbra"),
    Method(u"ReachesLightmap", light_baking::ReachesLightmap, light::kReachesLightmap, u"RTSuccess",
           u"RTFMatrix4x4 in apLightWorld, Lightmap* apLightmap, uint out opReaches"),
    Method(u"ColourAtPoint", light_baking::ColourAtPoint, light::kColourAtPoint, u"RTSuccess",
           u"RTFMatrix4x4 in apLightWorld, RTFVector3D in apPoint, Lightmap* apLightmap, float out opRed, "
           u"float out opGreen, float out opBlue"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = light::kClassName,
    .parentClassName = renderable::kClassName,
    .description = u"A directional light, the base of every light",
    .objectSize = light::kObjectSize,
    .slotTableSize = light::kSlotTableSize,
    .firstSlotTableOffset = light::kLevel,
    .secondSlotTableOffset = light::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
