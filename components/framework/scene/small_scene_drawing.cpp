#include "small_scene_drawing.h"

#include <vector>

#include "kivo/camera/camera_calls.h"
#include "kivo/light/light_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/class_handle.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"

namespace kivo::small_scene {

namespace {

constexpr RTFColorRGB kAmbient{0.35f, 0.35f, 0.35f, 0.0f};

// The classes each node is tested against, looked up once per core.
ClassHandle gGameNodeClass(tesk_scene_node::kClassName);
ClassHandle gBoneModelClass(bone_model::kClassName);
ClassHandle gRigidClass(rigid::kClassName);
ClassHandle gRenderableClass(renderable::kClassName);
ClassHandle gCameraClass(camera::kClassName);
ClassHandle gLightClass(light::kClassName);

// Calls visit(child) for each child node of the node in order, each held while it is visited.
template <class Visit>
void ForEachChild(RTInstance node, const Visit& visit) {
  InstanceRef child;
  scene_node::GetFirstChild(node, child.out());
  while (child.get()) {
    visit(child.get());
    InstanceRef sibling;
    scene_node::GetNextSibling(child.get(), sibling.out());
    child = std::move(sibling);
  }
}

// The node, then every node below it, parents first.
template <class Visit>
void ForEachNode(RTInstance node, const Visit& visit) {
  visit(node);
  ForEachChild(node, [&](RTInstance child) { ForEachNode(child, visit); });
}

InstanceRef EntityOf(RTInstance node) {
  InstanceRef entity;
  scene_node::GetEntity(node, entity.out());
  return entity;
}

// The motion player of a game node that carries a skin plays on to the time.
void AdvancePlayer(RTInstance node, uint32_t milliseconds) {
  if (!gGameNodeClass.IsKindOf(node) || !gBoneModelClass.IsKindOf(EntityOf(node).get())) return;
  InstanceRef player;
  InstanceRef motion;
  if (tesk_scene_node::GetAnimator(node, player.out()) && gRigidClass.IsKindOf(player.get()))
    rigid::Evaluate(player.get(), milliseconds, motion.out());
}

void Place(RTInstance node, const RTFMatrix4x4& parent, uint32_t milliseconds) {
  scene_node::ApplyParentMatrix(node, &parent);
  AdvancePlayer(node, milliseconds);
  const RTFMatrix4x4* world = nullptr;
  if (!scene_node::GetWorldMatrix(node, &world)) return;
  const RTFMatrix4x4 placed = *world;
  ForEachChild(node, [&](RTInstance child) { Place(child, placed, milliseconds); });
}

// Every renderable entity of the subtree draws; the nodes of translucent ones are kept for the
// deferred stage.
std::vector<RTInstance> DrawOpaqueStage(RTInstance root, RTSceneNodeEntityFrameInformation& record,
                                        uint32_t milliseconds) {
  std::vector<RTInstance> translucent;
  ForEachNode(root, [&](RTInstance node) {
    const InstanceRef entity = EntityOf(node);
    if (!gRenderableClass.IsKindOf(entity.get())) return;
    RTBool alpha = 0;
    if (renderable::HasAlpha(entity.get(), &alpha) && alpha) translucent.push_back(node);
    record.node = node;
    renderable::ProcessFrame(entity.get(), milliseconds, &record);
  });
  return translucent;
}

}  // namespace

void UpdateSubtree(RTInstance root, uint32_t milliseconds) {
  RTFMatrix4x4 identity;
  Mat4Identity(&identity);
  Place(root, identity, milliseconds);
}

bool RenderSubtree(RTInstance root, RTInstance cameraNode, uint32_t milliseconds) {
  const InstanceRef camera = EntityOf(cameraNode);
  float frustum[camera::kFrustumValues] = {};
  const RTFMatrix4x4* placement = nullptr;
  if (!gCameraClass.IsKindOf(camera.get()) || !camera::GetFrustum(camera.get(), frustum) ||
      !scene_node::GetWorldMatrix(cameraNode, &placement))
    return false;
  InstanceRef rasterizer;
  if (!ModuleCore()->GetFirstInstanceByString(nullptr, rasterizer::kClassName, rasterizer.out(), 0, nullptr) ||
      !rasterizer.get())
    return false;

  std::vector<RTInstance> lights;
  ForEachNode(root, [&](RTInstance node) {
    if (lights.size() < kMaxNodeLights && gLightClass.IsKindOf(EntityOf(node).get())) lights.push_back(node);
  });
  RTSceneNodeEntityFrameInformation record{};
  record.rasterizer = rasterizer.get();
  record.camera = cameraNode;
  record.ambient = kAmbient;
  record.lightCount = static_cast<uint32_t>(lights.size());
  record.lights = lights.data();

  rasterizer::PushViewMatrix(rasterizer.get(), placement);
  rasterizer::SetProjection(rasterizer.get(), frustum[0], frustum[1], frustum[2], frustum[3], frustum[4], frustum[5]);
  const std::vector<RTInstance> translucent = DrawOpaqueStage(root, record, milliseconds);
  record.deferred = 1;
  for (RTInstance node : translucent) {
    record.node = node;
    renderable::ProcessFrame(EntityOf(node).get(), milliseconds, &record);
  }
  rasterizer::PopViewMatrix(rasterizer.get());
  return true;
}

}  // namespace kivo::small_scene
