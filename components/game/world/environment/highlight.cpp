// The mouse-over outline of a prop: the pre-draw callback marks the model's own pixels in the
// stencil; the post-draw callback draws a pulsing shell, the model pushed out along its normals,
// where the stencil is still clear. The shell's vertices go to one scratch array of the game that
// only grows, so drawing allocates nothing once the largest model has been drawn.
#include <cmath>

#include "environment.h"
#include "game_context.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/poly_model_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/vector.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;
namespace model_calls = kivo::poly_model;

struct Shell {
  float colour[4];
  float baseWidth;
};
constexpr Shell kRestingShell{{0.0f, 0.6617647f, 0.7352941f, 0.7f}, 0.04f};
constexpr Shell kHoveredShell{{0.0f, 0.8823529f, 0.9803922f, 0.8f}, 0.06f};

// The shell breathes from the base width to 0.012 above it once every 2000 time units.
float ShellWidth(uint32_t time, float baseWidth) {
  const double cycles = static_cast<double>(time) * 0.0005;
  const double phase = cycles - std::floor(cycles);
  const double s = std::sin(phase * 6.2831853) + 1.0;
  return static_cast<float>(s * 0.006 + baseWidth);
}

// The scratch array holds at least `count` vectors.
bool GrowScratch(GamePrivateData& game, uint32_t count) {
  EnvironmentState& environment = game.environment;
  if (count <= environment.outlineCapacity) return true;
  void* grown = nullptr;
  const bool made = environment.outlineScratch ? Core().ArrayResize(nullptr, count, environment.outlineScratch, &grown)
                                               : Core().ArrayAlloc(nullptr, sizeof(RTFVector3D), count, &grown, 1);
  if (!made || !grown) return false;
  environment.outlineScratch = static_cast<RTFVector3D*>(grown);
  environment.outlineCapacity = count;
  return true;
}

void DrawShell(RTInstance rasterizer, RTInstance model) {
  RTInstance* materials = nullptr;
  uint32_t materialCount = 0;
  model_calls::GetMaterialList(model, &materials, &materialCount);
  for (uint32_t i = 0; i < materialCount; ++i) {
    RTPrimitive** strips = nullptr;
    uint32_t stripCount = 0;
    RTPrimitive** lists = nullptr;
    uint32_t listCount = 0;
    model_calls::GetPrimitiveListByMaterialIndex(model, i, r::kTriangleStrip, &strips, &stripCount);
    model_calls::GetPrimitiveListByMaterialIndex(model, i, r::kTriangleList, &lists, &listCount);
    if (stripCount && strips) r::DrawStrips(rasterizer, strips, stripCount);
    for (uint32_t j = 0; j < listCount && lists; ++j) r::DrawPrimitive(rasterizer, lists[j]);
  }
}

}  // namespace

RTSuccess HighlightPreDraw(RTInstance, RTInstance, uint32_t, const RTSceneNodeEntityFrameInformation* frame,
                           uint32_t* go) {
  if (go) *go = 1;
  if (!frame || !frame->rasterizer) return kRTFailure;
  RTInstance rasterizer = frame->rasterizer;
  r::EnableStencilTest(rasterizer, 1);
  r::SetStencilFunc(rasterizer, r::kAlways, 1, 1);
  r::SetStencilOp(rasterizer, r::kStencilReplace, r::kStencilReplace, r::kStencilReplace);
  return kRTSuccess;
}

// A failed read of the bound object's "bMouseOver" draws nothing and returns 0, the stencil test
// switched off so that the rest of the scene draws as usual.
RTSuccess HighlightPostDraw(RTInstance self, RTInstance model, uint32_t time,
                            const RTSceneNodeEntityFrameInformation* frame, uint32_t* go) {
  if (go) *go = 1;
  GamePrivateData* game = RecordOf(self);
  if (!game || !model || !frame || !frame->rasterizer || !frame->node) return kRTFailure;
  RTInstance rasterizer = frame->rasterizer;
  void* object = nullptr;
  kivo::tesk_scene_node::GetScriptObject(frame->node, &object);
  bool hovered = false;
  if (object) {
    varno::RTVarnoConstantValue value{};
    if (!ReadAttribute(*game, static_cast<ScriptObject>(object), u"bMouseOver", varno::kTypeBool, &value)) {
      r::EnableStencilTest(rasterizer, 0);
      return kRTFailure;
    }
    hovered = value.value.word != 0;
  }
  const Shell& shell = hovered ? kHoveredShell : kRestingShell;
  RTFVector3D* positions = nullptr;
  RTFVector3D* normals = nullptr;
  uint32_t count = 0;
  uint32_t normalCount = 0;
  model_calls::GetVectorListF(model, &positions, &count);
  model_calls::GetNormalListF(model, &normals, &normalCount);
  const RTFMatrix4x4* world = nullptr;
  if (!positions || !normals || normalCount < count || !GrowScratch(*game, count) ||
      !kivo::scene_node::GetWorldMatrix(frame->node, &world) || !world) {
    r::EnableStencilTest(rasterizer, 0);
    return kRTFailure;
  }
  const float width = ShellWidth(time, shell.baseWidth);
  RTFVector3D* out = game->environment.outlineScratch;
  for (uint32_t i = 0; i < count; ++i) {
    RTFVector3D normal = normals[i];
    kivo::Vec3Normalize(&normal);
    out[i] = RTFVector3D{positions[i].x + normal.x * width, positions[i].y + normal.y * width,
                         positions[i].z + normal.z * width, positions[i].w};
  }
  r::SetVertexArray(rasterizer, out, count);
  r::EnableBlending(rasterizer, 1);
  r::SetColorRGBAArray(rasterizer, shell.colour);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOne);
  r::EnableStencilTest(rasterizer, 1);
  r::SetStencilOp(rasterizer, r::kStencilKeep, r::kStencilIncrement, r::kStencilIncrement);
  r::SetStencilFunc(rasterizer, r::kEqual, 0, r::kAllStencilBits);
  r::PushWorldMatrix(rasterizer, world);
  DrawShell(rasterizer, model);
  r::EnableDepthWrite(rasterizer, 1);
  r::EnableStencilTest(rasterizer, 0);
  r::EnableBlending(rasterizer, 0);
  r::PopWorldMatrix(rasterizer);
  return kRTSuccess;
}

void SetOutline(RTInstance self, RTInstance model, bool on) {
  if (!model) return;
  kivo::renderable::SetPostDrawHook(model, on ? HighlightPostDraw : nullptr, on ? self : nullptr);
  kivo::renderable::SetPreDrawHook(model, on ? HighlightPreDraw : nullptr, on ? self : nullptr);
}

void SetNodeOutline(RTInstance self, RTInstance node, bool on) {
  kivo::InstanceRef model;
  if (node && kivo::scene_node::GetEntity(node, model.out())) SetOutline(self, model.get(), on);
}

}  // namespace tesk::game
