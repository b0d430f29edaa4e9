// RTSphere: a place marker drawn as a small octahedron in its colour (see sphere_calls.h). Its
// stream is RTRenderable's part alone: a marker is made at run time, never stored.
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/scene/sphere_calls.h"
#include "kivo/support/component_kit.h"

namespace {

using namespace kivo;
namespace slot = kivo::sphere;

constexpr uint32_t kStateWord = slot::kLevel + 8;
constexpr bool kOverrides = true;
constexpr uint32_t kTriangles = 0x104;

struct SphereState {
  RTFColorRGB colour{1.0f, 1.0f, 1.0f, 1.0f};
};

SphereState* StateOf(RTInstance self) { return StateIn<SphereState>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<SphereState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<SphereState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess SetColor(RTInstance self, float red, float green, float blue) {
  SphereState* sphere = StateOf(self);
  if (!sphere) return kRTFailure;
  sphere->colour = RTFColorRGB{red, green, blue, 1.0f};
  return kRTSuccess;
}

RTSuccess GetColor(RTInstance self, RTFColorRGB* colour) {
  const SphereState* sphere = StateOf(self);
  if (!sphere || !colour) return kRTFailure;
  *colour = sphere->colour;
  return kRTSuccess;
}

RTSuccess GetBoundingBox(RTInstance self, RTFVector3D* min, RTFVector3D* max) {
  if (!StateOf(self) || !min || !max) return kRTFailure;
  *min = RTFVector3D{-slot::kRadius, -slot::kRadius, -slot::kRadius, 0.0f};
  *max = RTFVector3D{slot::kRadius, slot::kRadius, slot::kRadius, 0.0f};
  return kRTSuccess;
}

RTSuccess GetBoundingSphere(RTInstance self, float* radius) {
  if (!StateOf(self) || !radius) return kRTFailure;
  *radius = slot::kRadius;
  return kRTSuccess;
}

// The eight faces of the octahedron, each three of its six corners (+x, -x, +y, -y, +z, -z).
void DrawOctahedron(RTInstance rasterizer) {
  constexpr float r = slot::kRadius;
  const RTFVector3D corners[6] = {{r, 0, 0, 0},  {-r, 0, 0, 0}, {0, r, 0, 0},
                                  {0, -r, 0, 0}, {0, 0, r, 0},  {0, 0, -r, 0}};
  constexpr int kFaces[8][3] = {{0, 2, 4}, {4, 2, 1}, {1, 2, 5}, {5, 2, 0}, {4, 3, 0}, {1, 3, 4}, {5, 3, 1}, {0, 3, 5}};
  rasterizer::BeginPrimitive(rasterizer, kTriangles);
  for (const auto& face : kFaces)
    for (int corner : face) rasterizer::VertexVector(rasterizer, &corners[corner]);
  rasterizer::EndPrimitive(rasterizer);
}

RTSuccess ProcessFrame(RTInstance self, uint32_t, const RTSceneNodeEntityFrameInformation* frame) {
  const SphereState* sphere = StateOf(self);
  const RTFMatrix4x4* world = nullptr;
  if (!sphere || !frame || !frame->rasterizer || !frame->node || !scene_node::GetWorldMatrix(frame->node, &world) ||
      !world)
    return kRTFailure;
  RTInstance rasterizer = frame->rasterizer;
  rasterizer::PushWorldMatrix(rasterizer, world);
  rasterizer::EnableLighting(rasterizer, 0);
  rasterizer::SetColor(rasterizer, sphere->colour.r, sphere->colour.g, sphere->colour.b);
  DrawOctahedron(rasterizer);
  rasterizer::PopWorldMatrix(rasterizer);
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"ProcessFrame", ProcessFrame, renderable::kProcessFrame, u"RTSuccess",
           u"uint aMSTime, RTSceneNodeEntityFrameInformation* apFrame", kOverrides),
    Method(u"GetBoundingBox", GetBoundingBox, renderable::kGetBoundingBox, u"RTSuccess",
           u"RTFVector3D out opMin, RTFVector3D out opMax", kOverrides),
    Method(u"GetBoundingSphere", GetBoundingSphere, renderable::kGetBoundingSphere, u"RTSuccess", u"float out opRadius",
           kOverrides),
    Method(u"SetColor", SetColor, slot::kSetColor, u"RTSuccess", u"float aRed, float aGreen, float aBlue"),
    Method(u"GetColor", GetColor, slot::kGetColor, u"RTSuccess", u"RTFColorRGB out opColor"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = renderable::kClassName,
    .description = u"A small sphere that marks a place, in one colour",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
