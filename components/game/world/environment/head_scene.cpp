// The talking-head scene: a plain scene tree whose root holds the camera node, the head node and a
// light node; made once and kept for the game's life. The head node is a game node, which carries
// the motion player that poses the head's skin; the light shines the way the camera looks, onto
// the face.
#include "environment.h"
#include "game_context.h"
#include "kivo/camera/camera_calls.h"
#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"

namespace tesk::game {

namespace {

constexpr float kCameraPitch = 3.51f;
constexpr float kCameraYaw = 1.079f;
constexpr float kViewAngle = 0.2618f;  // 15 degrees

bool Make(const char16_t* className, RTInstance* made) {
  return Core().CreateInstanceByString(nullptr, className, made, 0, 0) && *made;
}

}  // namespace

bool BuildHeadScene(GamePrivateData& game) {
  HeadScene& head = game.environment.head;
  if (head.cameraNode && head.camera) return true;
  for (RTInstance* held : {&head.cameraNode, &head.camera, &head.rootNode, &head.scene, &head.headNode, &head.animator})
    Release(*held);
  kivo::InstanceRef light;
  kivo::InstanceRef lightNode;
  const bool made =
      Make(kivo::scene_node::kClassName, &head.cameraNode) && Make(kivo::camera::kClassName, &head.camera) &&
      Make(u"RTInfDirLight", light.out()) && Make(kivo::scene_node::kClassName, lightNode.out()) &&
      Make(kivo::scene_node::kClassName, &head.rootNode) && Make(kivo::plain_scene_tree::kClassName, &head.scene) &&
      Make(kivo::tesk_scene_node::kClassName, &head.headNode) && Make(u"RTArticulated", &head.animator);
  if (!made) return false;
  namespace node = kivo::scene_node;
  kivo::plain_scene_tree::SetRootNode(head.scene, head.rootNode);
  kivo::plain_scene_tree::SetNextSetting(head.scene, 0);
  node::SetEntity(head.cameraNode, head.camera);
  node::SetEntity(lightNode.get(), light.get());
  node::AddChild(head.rootNode, head.cameraNode);
  node::AddChild(head.rootNode, head.headNode);
  node::AddChild(head.rootNode, lightNode.get());
  node::SetEulerAngles(head.cameraNode, kCameraPitch, kCameraYaw, 0.0f);
  node::SetEulerAngles(lightNode.get(), kCameraPitch, kCameraYaw, 0.0f);
  kivo::camera::SetFieldOfView(head.camera, kViewAngle);
  return true;
}

}  // namespace tesk::game
