#include "render_shot.h"

#include <filesystem>

#include "effect_shot.h"
#include "kivo/camera/camera_calls.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/list.h"
#include "kivo/support/matrix.h"
#include "lighting_shot.h"
#include "lightmap_bake.h"
#include "platform/utf.h"
#include "tesk/scene/scene_tree_calls.h"

namespace sceneview {

namespace {

namespace r = kivo::rasterizer;
using kivo::InstanceRef;

constexpr float kBackground = 0.08f;  // a dark grey behind the scene

// The camera node the shot is drawn from, with a reference; null with `error` set.
InstanceRef CameraNode(CoreTable& core, const Shot& shot, std::string* error) {
  InstanceRef node;
  if (!shot.eye) {
    const std::u16string path = platform::FromUtf8(shot.cameraNode);
    InstanceRef camera;
    if (!core.GetInstanceByName(nullptr, path.c_str(), node.out(), 0) ||
        !core.IsKindOfByName(nullptr, node.get(), kivo::scene_node::kClassName) ||
        !kivo::scene_node::GetEntity(node.get(), camera.out()) || !camera.get() ||
        !core.IsKindOfByName(nullptr, camera.get(), kivo::camera::kClassName)) {
      *error = "there is no scene node with a camera at " + shot.cameraNode;
      node.Reset();
    }
    return node;
  }
  RTFMatrix4x4 placement;
  if (!kivo::Mat4LookAt(*shot.eye, shot.at, RTFVector3D{0, 1, 0, 0}, &placement)) {
    *error = "the eye must stand apart from the point it looks at, and not straight above or below it";
    return node;
  }
  InstanceRef camera;
  if (!core.CreateInstanceByString(nullptr, kivo::scene_node::kClassName, node.out(), 0, 1) ||
      !core.CreateInstanceByString(nullptr, kivo::camera::kClassName, camera.out(), 0, 1) ||
      !kivo::scene_node::SetEntity(node.get(), camera.get()) ||
      !kivo::scene_node::SetLocalMatrix(node.get(), &placement)) {
    *error = "cannot make a camera";
    node.Reset();
  }
  return node;
}

// The skins the node and the nodes below it carry draw their bones.
void ShowBones(CoreTable& core, RTInstance node) {
  InstanceRef entity;
  if (kivo::scene_node::GetEntity(node, entity.out()) && entity.get() &&
      core.IsKindOfByName(nullptr, entity.get(), kivo::bone_model::kClassName))
    kivo::bone_model::SetRenderBone(entity.get(), 1);
  InstanceRef child;
  kivo::scene_node::GetFirstChild(node, child.out());
  while (child.get()) {
    ShowBones(core, child.get());
    InstanceRef next;
    kivo::scene_node::GetNextSibling(child.get(), next.out());
    child = std::move(next);
  }
}

void ShowBonesOfRooms(CoreTable& core, RTInstance tree) {
  uint32_t rooms = 0;
  tesk::scene_tree::GetRoomCount(tree, &rooms);
  for (uint32_t i = 0; i < rooms; ++i) {
    InstanceRef room;
    kivo::List* nodes = nullptr;
    if (!tesk::scene_tree::GetRoomN(tree, i, room.out()) || !room.get() || !kivo::room::GetNodeList(room.get(), &nodes))
      continue;
    for (RTInstance node : kivo::ListItems<RTInstanceRecord>(nodes))
      ShowBones(core, node);
  }
}

bool DrawFrame(CoreTable& core, RTInstance rasterizer, r::WindowContext context, RTInstance tree, const Shot& shot,
               RTInstance camera, std::string* error) {
  if (!r::BeginFrame(rasterizer, context)) {
    *error = "cannot begin an offscreen frame";
    return false;
  }
  r::SetClearColor(rasterizer, kBackground, kBackground, kBackground, 1.0f);
  r::SetClearMask(rasterizer, r::kClearColour | r::kClearDepth | r::kClearStencil);
  r::BeginScene(rasterizer);
  const bool rendered = tesk::scene_tree::Render(tree);
  if (!rendered) *error = "the scene tree could not draw its frame";
  const bool drawn =
      rendered && (shot.shadowLight.empty() || DrawShadows(core, tree, rasterizer, camera, shot.shadowLight, error));
  r::EndScene(rasterizer);
  r::PresentFrame(rasterizer);
  return drawn;
}

}  // namespace

std::string FrameFile(const Shot& shot, uint32_t frame) {
  if (shot.frames <= 1) return shot.png;
  std::string number = std::to_string(frame);
  number.insert(0, std::to_string(shot.frames - 1).size() - number.size(), '0');
  const std::filesystem::path png(shot.png);
  return (png.parent_path() / (png.stem().string() + "-" + number + png.extension().string())).string();
}

bool RenderShot(CoreTable& core, RTInstance tree, const Shot& shot, std::string* error) {
  InstanceRef camera = CameraNode(core, shot, error);
  if (!camera.get()) return false;
  InstanceRef rasterizer;
  if (!core.GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr)) {
    *error = "there is no rasterizer";
    return false;
  }
  const uint32_t descriptor[r::kDescriptorWords] = {0, 0, 0, kShotHeight, kShotWidth, 32, 24, 8, 0, 0, 0, 1};
  r::WindowContext context = nullptr;
  if (!r::CreateWindowContext(rasterizer.get(), nullptr, descriptor, &context)) {
    *error = "cannot make an offscreen frame";
    return false;
  }
  if (shot.bones) ShowBonesOfRooms(core, tree);
  std::vector<InstanceRef> baked;
  if (shot.bake && !tesk::BakeLightmaps(tree, &baked, error)) return false;
  ShotEffect effect;
  if (!shot.effect.empty() && !effect.Place(core, tree, shot.effect, shot.effectAt, error)) return false;
  tesk::scene_tree::SetRenderCameraNode(tree, camera.get());
  bool drawn = true;
  for (uint32_t frame = 0; drawn && frame < shot.frames; ++frame) {
    if (!shot.effect.empty()) effect.Play(frame * shot.step);
    tesk::scene_tree::UpdateTransforms(tree, frame * shot.step);
    drawn = DrawFrame(core, rasterizer.get(), context, tree, shot, camera.get(), error);
    const std::string file = FrameFile(shot, frame);
    if (drawn && !r::Screenshot(rasterizer.get(), platform::FromUtf8(file).c_str())) {
      *error = "cannot write " + file;
      drawn = false;
    }
  }
  tesk::scene_tree::SetRenderCameraNode(tree, nullptr);
  return drawn;
}

}  // namespace sceneview
