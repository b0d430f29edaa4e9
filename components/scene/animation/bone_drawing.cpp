#include "bone_drawing.h"

#include <initializer_list>

#include "bone_methods.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/matrix.h"

namespace kivo::skin {

namespace {

namespace r = kivo::rasterizer;

constexpr float kLineWidth = 2.0f;
constexpr float kDiamondSize = 0.025f;
constexpr float kTipLength = 0.1f;
constexpr float kAxisLength = 0.25f;

RTFVector3D PositionOf(const RTBoneNode& bone) {
  RTFVector3D at{};
  Mat4GetTranslation(bone.worldMatrix, &at);
  return at;
}

// The point at (x, y, z) of the bone's own frame.
RTFVector3D PointOf(const RTBoneNode& bone, float x, float y, float z) {
  RTFVector3D at{};
  Mat4TransformPoint(bone.worldMatrix, RTFVector3D{x, y, z, 0}, &at);
  return at;
}

void Line(RTInstance rasterizer, const RTFVector3D& a, const RTFVector3D& b) {
  r::Vertex3(rasterizer, a.x, a.y, a.z);
  r::Vertex3(rasterizer, b.x, b.y, b.z);
}

// A diamond's corners: around the joint in x and z (A, B, C, D), above (U) and below (L) it.
struct Diamond {
  RTFVector3D a, b, c, d, up, low;
};

// Draws the diamond around `at` and the four lines from `from` to its side corners, in one list of
// lines.
void DrawDiamond(RTInstance rasterizer, const RTFVector3D& at, const RTFVector3D& from) {
  const float s = kDiamondSize;
  const Diamond k{{at.x, at.y, at.z - s, 0}, {at.x + s, at.y, at.z, 0}, {at.x, at.y, at.z + s, 0},
                  {at.x - s, at.y, at.z, 0}, {at.x, at.y + s, at.z, 0}, {at.x, at.y - s, at.z, 0}};
  r::BeginPrimitive(rasterizer, r::kBatchLines);
  const RTFVector3D* ring[] = {&k.a, &k.b, &k.c, &k.d};
  for (int i = 0; i < 4; ++i) Line(rasterizer, *ring[i], *ring[(i + 1) % 4]);
  for (const RTFVector3D& tip : {k.up, k.low}) {
    Line(rasterizer, tip, k.b);
    Line(rasterizer, tip, k.c);
    Line(rasterizer, tip, k.d);
    Line(rasterizer, tip, k.a);
  }
  Line(rasterizer, from, k.b);
  Line(rasterizer, from, k.c);
  Line(rasterizer, from, k.d);
  Line(rasterizer, from, k.a);
  r::EndPrimitive(rasterizer);
}

// Each bone but the root draws its parent's diamond and its link to it; a leaf also draws its own
// diamond and its tip.
void DrawBones(RTInstance rasterizer, const RTBoneNode& bone) {
  if (bone.parent) DrawDiamond(rasterizer, PositionOf(*bone.parent), PositionOf(bone));
  for (uint32_t i = 0; i < bone.childCount; ++i) DrawBones(rasterizer, *bone.children[i]);
  if (bone.childCount == 0) DrawDiamond(rasterizer, PositionOf(bone), PointOf(bone, kTipLength, 0, 0));
}

void DrawBoneAxes(RTInstance rasterizer, const RTBoneNode& bone) {
  const RTFVector3D at = PositionOf(bone);
  r::BeginPrimitive(rasterizer, r::kBatchLines);
  r::SetColor(rasterizer, 1, 0, 0);
  Line(rasterizer, at, PointOf(bone, kAxisLength, 0, 0));
  r::SetColor(rasterizer, 0, 1, 0);
  Line(rasterizer, at, PointOf(bone, 0, kAxisLength, 0));
  r::SetColor(rasterizer, 0, 0, 1);
  Line(rasterizer, at, PointOf(bone, 0, 0, kAxisLength));
  r::EndPrimitive(rasterizer);
  for (uint32_t i = 0; i < bone.childCount; ++i) DrawBoneAxes(rasterizer, *bone.children[i]);
}

RTSuccess SetFlag(RTInstance self, RTBool BoneModelState::*flag, RTBool value) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->*flag = value;
  return kRTSuccess;
}

RTSuccess GetFlag(RTInstance self, RTBool BoneModelState::*flag, RTBool* value) {
  BoneModelState* state = StateOf(self);
  if (!state || !value) return kRTFailure;
  *value = state->*flag;
  return kRTSuccess;
}

}  // namespace

void DrawBonesPass(const BoneModelState& state) {
  r::PushWorldMatrix(state.rasterizer, &state.modelMatrix);
  r::SetLineWidth(state.rasterizer, kLineWidth);
  r::SetColor(state.rasterizer, 1, 1, 0);
  if (state.root) DrawBones(state.rasterizer, *state.root);
  r::PopWorldMatrix(state.rasterizer);
}

void DrawBoneAxesPass(const BoneModelState& state) {
  r::PushWorldMatrix(state.rasterizer, &state.modelMatrix);
  r::SetLineWidth(state.rasterizer, kLineWidth);
  if (state.root) DrawBoneAxes(state.rasterizer, *state.root);
  r::PopWorldMatrix(state.rasterizer);
}

RTSuccess SetRenderBone(RTInstance self, RTBool draw) { return SetFlag(self, &BoneModelState::renderBones, draw); }
RTSuccess GetRenderBone(RTInstance self, RTBool* draw) { return GetFlag(self, &BoneModelState::renderBones, draw); }
RTSuccess SetRenderAxis(RTInstance self, RTBool draw) { return SetFlag(self, &BoneModelState::renderAxes, draw); }
RTSuccess GetRenderAxis(RTInstance self, RTBool* draw) { return GetFlag(self, &BoneModelState::renderAxes, draw); }

}  // namespace kivo::skin
