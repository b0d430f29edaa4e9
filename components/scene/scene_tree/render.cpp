// Drawing a frame: the camera and projection on the rasterizer, the frustum planes, then the rooms
// (each with the lights it gathers, culled by its bounds), the game's area-of-interest rings, the
// nodes of every room (with the nearest of the room's lights, meshes, skins and particle systems
// culled by sphere and box), and last the translucent entities again, deferred. Entities draw
// themselves (ProcessFrame); the tree decides the order, the culling and the frame record.
//
// Every path out of Render pops the view matrix it pushed and gives back the deferred entries, so
// a failing frame leaves neither behind; every draw hook's context taken is given back.
#include <algorithm>

#include "frustum.h"
#include "kivo/camera/camera_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"
#include "render_debug.h"
#include "scene_tree_methods.h"
#include "tesk/game_slots.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;
namespace node_calls = kivo::tesk_scene_node;

constexpr uint32_t kHiddenWhileDesigningType = 1;
constexpr uint32_t kShowHiddenTypesFlag = 0x1;
constexpr uint32_t kDrawQuadTreeFlag = 0x4;
constexpr RTFColorRGB kRoomAmbient{0.4f, 0.4f, 0.4f, 0.0f};

// The lights in force for the room being drawn: one table for the process.
struct LightTable {
  RTInstance lights[kMaxRoomLights];
  uint32_t count;
};
LightTable gLights;

// Everything the node stage needs besides the node.
struct Frame {
  RTInstance self;
  SceneTreeState& tree;
  RTInstance cameraNode;
  frustum::ViewVolume volume;
};

RTSceneNodeEntityFrameInformation Record(const Frame& frame, RTInstance node, const RTFColorRGB& ambient) {
  RTSceneNodeEntityFrameInformation record{};
  record.node = node;
  record.rasterizer = frame.tree.rasterizer;
  record.camera = frame.cameraNode;
  record.ambient = ambient;
  record.lightCount = gLights.count;
  record.lights = gLights.lights;
  record.designing = frame.tree.designing ? 1 : 0;
  return record;
}

RTFVector3D Position(RTInstance node) {
  const RTFMatrix4x4* world = nullptr;
  if (!scene_node::GetWorldMatrix(node, &world)) return RTFVector3D{};
  return RTFVector3D{world->m[3][0], world->m[3][1], world->m[3][2], 0.0f};
}

void RecordLight(RTInstance light) {
  if (gLights.count < kMaxRoomLights) gLights.lights[gLights.count++] = light;
}

// The recorded lights, nearest to the position first.
void SortLights(const RTFVector3D& position) {
  std::sort(gLights.lights, gLights.lights + gLights.count, [&](RTInstance a, RTInstance b) {
    return Vec3Distance(Position(a), position) < Vec3Distance(Position(b), position);
  });
}

// A mesh, skinned mesh, skin or particle system: culled by its bounds, hooked, deferred when
// translucent. Exact classes: a class derived from one of them draws as any other entity.
bool IsModel(const SceneTreeState& tree, RTInstance entity) {
  RTComponentHandle component = kNoComponent;
  Core().GetComponentOfInstance(nullptr, entity, &component);
  const SceneClasses& c = tree.classes;
  return component != kNoComponent &&
         (component == c.polyModel || component == c.boneModel || component == c.teskSkin ||
          component == c.particleSystem);
}

bool ModelCulled(const Frame& frame, RTInstance entity, const RTFMatrix4x4& world) {
  float radius = 0.0f;
  renderable::GetBoundingSphere(entity, &radius);
  const RTFVector3D centre{world.m[3][0], world.m[3][1], world.m[3][2], 0.0f};
  if (frustum::SphereCulled(frame.tree.frustum, centre, radius)) return true;
  RTFVector3D min{}, max{};
  renderable::GetBoundingBox(entity, &min, &max);
  Mat4TransformPoint(world, min, &min);
  Mat4TransformPoint(world, max, &max);
  return frustum::BoxCulled(frame.tree.frustum, min, max);
}

// A draw hook of the entity, its context held until the hook is done with.
struct HeldHook {
  renderable::DrawHook function = nullptr;
  InstanceRef context;

  void Call(RTInstance entity, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* record,
            uint32_t* go) const {
    if (function) function(context.get(), entity, milliseconds, record, go);
  }
};

void RunItems(RTInstance node, RTInstance entity, uint32_t milliseconds, bool visible) {
  uint32_t count = 0;
  scene_node::GetItemCount(node, &count);
  scene_node::PreItemHook(node);
  for (uint32_t index = 0; index < count; ++index) {
    InstanceRef item;
    RTBool enabled = 0;
    if (scene_node::GetItem(node, index, item.out()) && scene_item::IsEnabled(item.get(), &enabled) && enabled)
      scene_item::ProcessFrame(item.get(), entity, milliseconds, node, visible ? 0 : 1);
  }
}

void RenderNodeRecursive(const Frame& frame, RTInstance node);

void DrawEntity(const Frame& frame, RTInstance node, RTInstance entity, uint32_t flags) {
  SceneTreeState& tree = frame.tree;
  const uint32_t ms = tree.frameTime;
  RTSceneNodeEntityFrameInformation record = Record(frame, node, tree.ambient);
  const RTFMatrix4x4* world = nullptr;
  scene_node::GetWorldMatrix(node, &world);
  uint32_t render = flags & node_calls::kRenderBits;
  const uint32_t type = node_calls::KindOf(flags);
  bool visible = true;
  const bool model = IsModel(tree, entity);
  HeldHook pre, post;
  if (model) {
    visible = !world || !ModelCulled(frame, entity, *world);
    renderable::GetPreDrawHook(entity, &pre.function, pre.context.out());
    renderable::GetPostDrawHook(entity, &post.function, post.context.out());
  } else {
    renderable::ProcessFrame(entity, ms, &record);  // drawn now, once: no culling, no hooks
  }
  if (tree.designing) {
    render |= node_calls::kDrawBit;
    if (!(tree.designingFlags & kShowHiddenTypesFlag) && type == kHiddenWhileDesigningType) visible = false;
    if (render & node_calls::kDebugExtrasBit) record.debugExtras = 1;
  }
  RunItems(node, entity, ms, visible);
  if (!visible) return;
  SortLights(Position(node));
  record.lightCount = std::min(gLights.count, kMaxNodeLights);
  rasterizer::EnableStencilTest(tree.rasterizer, 0);
  if (!(render & node_calls::kDrawBit)) return;
  if (model) {
    RTBool alpha = 0;
    if (renderable::HasAlpha(entity, &alpha) && alpha && Core().ResolveHandle(nullptr, node))
      ListAppend(tree.deferred, node);
    uint32_t go = 1;
    pre.Call(entity, ms, &record, &go);
    if (go) {
      scene_node::PreDrawNotification(node);
      renderable::ProcessFrame(entity, ms, &record);
    }
    post.Call(entity, ms, &record, &go);
  }
  if (tree.designing && (render & node_calls::kDebugExtrasBit)) DrawNodeBounds(tree, node);
}

void RenderNodeRecursive(const Frame& frame, RTInstance node) {
  uint32_t flags = 0;
  if (Core().IsKindOf(nullptr, node, frame.tree.classes.teskSceneNode)) node_calls::GetStateWord(node, &flags);
  if (frame.tree.designing) scene_node::DesignTimeHook(node, frame.tree.rasterizer);
  InstanceRef entity;
  if (scene_node::GetEntity(node, entity.out()) && entity.get()) DrawEntity(frame, node, entity.get(), flags);
  RTInstance child = nullptr;
  scene_node::GetFirstChild(node, &child);
  while (child) {
    RenderNodeRecursive(frame, child);
    RTInstance sibling = nullptr;
    scene_node::GetNextSibling(child, &sibling);
    Core().ReleaseInstance(nullptr, child);
    child = sibling;
  }
}

bool TakesPart(RTInstance room) {
  uint32_t flags = 0;
  room::GetFlags(room, &flags);
  return !(flags & room::kDisabled);
}

// A room without a bounds node or entity is never culled; its bounds are taken as they stand.
bool RoomCulled(const SceneTreeState& tree, RTInstance room) {
  InstanceRef bounds, entity;
  if (!room::GetBoundsNode(room, bounds.out()) || !bounds.get() || !scene_node::GetEntity(bounds.get(), entity.out()) ||
      !entity.get())
    return false;
  RTFVector3D min{}, max{};
  renderable::GetBoundingBox(entity.get(), &min, &max);
  return frustum::BoxCulled(tree.frustum, min, max);
}

bool DrawRooms(const Frame& frame) {
  SceneTreeState& tree = frame.tree;
  RTSceneNodeEntityFrameInformation record = Record(frame, tree.dummyNode, kRoomAmbient);
  for (RTInstance room : ListItems<RTInstanceRecord>(tree.rooms)) {
    if (!TakesPart(room)) continue;
    List* lights = nullptr;
    if (!room::GetLightList(room, &lights)) return false;
    gLights.count = 0;
    for (RTInstance light : ListItems<RTInstanceRecord>(lights)) {
      RenderNodeRecursive(frame, light);
      if (gLights.count == kMaxRoomLights) break;
      RecordLight(light);
    }
    record.lightCount = gLights.count;
    if (!RoomCulled(tree, room)) room::Draw(room, tree.frameTime, &record);
  }
  return true;
}

bool DrawNodes(const Frame& frame) {
  for (RTInstance room : ListItems<RTInstanceRecord>(frame.tree.rooms)) {
    if (!TakesPart(room)) continue;
    List* nodes = nullptr;
    List* lights = nullptr;
    List* further = nullptr;
    if (!room::GetNodeList(room, &nodes) || !room::GetLightList(room, &lights)) return false;
    gLights.count = 0;
    for (RTInstance light : ListItems<RTInstanceRecord>(lights)) RecordLight(light);
    if (room::GetFurtherRooms(room, &further))
      for (RTInstance other : ListItems<RTInstanceRecord>(further)) {
        List* otherLights = nullptr;
        if (gLights.count < kMaxRoomLights && room::GetLightList(other, &otherLights))
          for (RTInstance light : ListItems<RTInstanceRecord>(otherLights)) RecordLight(light);
      }
    for (RTInstance node : ListItems<RTInstanceRecord>(nodes)) RenderNodeRecursive(frame, node);
  }
  return true;
}

// Draws the deferred entries when asked, and gives back their references in any case.
void EmptyDeferred(const Frame& frame, bool draw) {
  SceneTreeState& tree = frame.tree;
  RTSceneNodeEntityFrameInformation record = Record(frame, nullptr, kRoomAmbient);
  record.lightCount = 0;
  record.deferred = 1;
  while (ListLink* link = tree.deferred->first) {
    auto* node = static_cast<RTInstance>(link->data);
    ListRemoveLink(tree.deferred, link);
    InstanceRef entity;
    record.node = node;
    if (draw && scene_node::GetEntity(node, entity.out()) && entity.get())
      renderable::ProcessFrame(entity.get(), tree.frameTime, &record);
    Core().ReleaseInstance(nullptr, node);
  }
}

bool DrawFrame(const Frame& frame) {
  SceneTreeState& tree = frame.tree;
  if (tree.designing && (tree.designingFlags & kDrawQuadTreeFlag)) DrawQuadTree(tree);
  if (!DrawRooms(frame)) return false;
  if (!tree.designing) CallMethod(tree.game, game::kLevel, game::kRenderAOI, tree.rasterizer);
  if (!DrawNodes(frame)) return false;
  EmptyDeferred(frame, true);
  return true;
}

// The camera, projection and planes; false when the camera has no frustum to give.
bool SetUpView(Frame& frame, RTInstance camera, const RTFMatrix4x4& placement) {
  SceneTreeState& tree = frame.tree;
  float values[camera::kFrustumValues] = {};
  if (!Core().IsKindOfByName(nullptr, camera, camera::kClassName) || !camera::GetFrustum(camera, values)) return false;
  frame.volume = frustum::ViewVolume{values[0], values[1], values[2], values[3], values[4], values[5]};
  rasterizer::PushViewMatrix(tree.rasterizer, &placement);
  rasterizer::SetProjection(tree.rasterizer, values[0], values[1], values[2], values[3], values[4], values[5]);
  uint32_t mode = rasterizer::kPerspective;
  rasterizer::GetProjectionMode(tree.rasterizer, &mode);
  rasterizer::WindowContext context = nullptr;
  uint32_t rect[rasterizer::kWindowRectWords] = {};
  rasterizer::GetCurrentWindow(tree.rasterizer, &context);
  rasterizer::GetWindowRect(tree.rasterizer, context, rect);
  frustum::ViewVolume scaled = frame.volume;
  if (rect[rasterizer::kRectHeight]) {
    const float aspect =
        static_cast<float>(rect[rasterizer::kRectWidth]) / static_cast<float>(rect[rasterizer::kRectHeight]);
    scaled.x1 *= aspect;
    scaled.x2 *= aspect;
  }
  frustum::Build(placement, scaled, mode == rasterizer::kOrthographic, tree.frustum);
  return true;
}

}  // namespace

namespace method {

RTSuccess Render(RTInstance self) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !tree->renderCamera) return kRTFailure;
  InstanceRef camera;
  const RTFMatrix4x4* placement = nullptr;
  if (!scene_node::GetEntity(tree->renderCamera, camera.out()) || !camera.get() ||
      !scene_node::GetWorldMatrix(tree->renderCamera, &placement))
    return kRTFailure;
  Frame frame{self, *tree, tree->renderCamera, {}};
  if (!SetUpView(frame, camera.get(), *placement)) return kRTFailure;
  const bool drawn = DrawFrame(frame);
  if (!drawn) EmptyDeferred(frame, false);
  rasterizer::PopViewMatrix(tree->rasterizer);
  return drawn ? kRTSuccess : kRTFailure;
}

}  // namespace method

}  // namespace tesk::scene_tree
