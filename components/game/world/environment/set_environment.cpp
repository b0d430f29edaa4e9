// Choosing the environment, and the script's player and location markers. The environment's root,
// camera, lens, follow node and speech source are made by the first successful switch and reused
// by later ones: the root moves to the new world room (AddNode), the speech source is stopped.
#include <iterator>

#include "doors.h"
#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/camera/camera_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/scene/sphere_calls.h"
#include "kivo/support/instance_ref.h"

namespace tesk::game {

namespace {

namespace node_calls = kivo::scene_node;

constexpr const char16_t* kEnvironmentNames[] = {u"Tesk", u"tesk11_hard landing", u"tesk09_BowlingAlley", u"03_HK",
                                                 u"Tesk_Test"};
constexpr float kFieldOfView = 0.6981317f;  // 40 degrees
constexpr RTFVector3D kCameraPlace{-14.0f, 8.0f, -14.0f, 0.0f};
constexpr uint32_t kLowFlags = 0xFFFFu;
constexpr uint32_t kPlayerFlags = 0x59;

bool MakeOnce(RTInstance& field, const char16_t* className) {
  return field || (Core().CreateInstanceByString(nullptr, className, &field, 0, 0) && field);
}

}  // namespace

RTSuccess SetEnvironmentC(RTInstance self, uint32_t index) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  EnvironmentState& environment = game->environment;
  environment.index = index;
  if (index >= std::size(kEnvironmentNames)) {
    Report(u"RTTeskGame::SetEnvironment() -- Unrecognized environment index passed in");
    return kRTFailure;
  }
  if (!LoadEnvironment(self, kEnvironmentNames[index])) return kRTFailure;
  const bool speechExisted = game->speechSource != nullptr;
  if (!MakeOnce(game->rootNode, kivo::tesk_scene_node::kClassName) ||
      !MakeOnce(environment.cameraNode, kivo::tesk_scene_node::kClassName) ||
      !MakeOnce(environment.cameraLens, kivo::camera::kClassName) ||
      !MakeOnce(game->followNode, kivo::tesk_scene_node::kClassName) ||
      !MakeOnce(game->speechSource, kivo::audio_source::kClassName))
    return kRTFailure;
  if (speechExisted) kivo::audio_source::StopSource(game->speechSource);
  environment.fieldOfView = kFieldOfView;
  kivo::camera::SetFieldOfView(environment.cameraLens, kFieldOfView);
  node_calls::SetEntity(environment.cameraNode, environment.cameraLens);
  node_calls::SetTranslation(environment.cameraNode, &kCameraPlace);
  method::AddNode(self, game->rootNode);
  node_calls::AddChild(game->rootNode, environment.cameraNode);
  method::ResetGameClock(*game);
  MainEntranceDoorsStartup(self, game->scenarioIndex);
  StallDoorsStartup(*game);
  return kRTSuccess;
}

namespace method {

TESK_GAME_SCRIPT_METHOD(SetEnvironment) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1 || !result) return kRTFailure;
  game->vm = vm;
  const RTSuccess set = SetEnvironmentC(self, arguments[0].value.word);
  result->value.word = set;
  return set;
}

// A marker node under the environment's root: a red sphere for type 0, a green one for type 1.
TESK_GAME_SCRIPT_METHOD(AddLocation) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 2 || !arguments[1].value.vector) return kRTFailure;
  kivo::InstanceRef node;
  kivo::InstanceRef sphere;
  if (!Core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, node.out(), 0, 0)) return kRTFailure;
  if (!Core().CreateInstanceByString(nullptr, kivo::sphere::kClassName, sphere.out(), 0, 0)) return kRTSuccess;
  const uint32_t type = arguments[0].value.word;
  if (type == 0)
    kivo::sphere::SetColor(sphere.get(), 1.0f, 0.0f, 0.0f);
  else if (type == 1)
    kivo::sphere::SetColor(sphere.get(), 0.0f, 1.0f, 0.0f);
  else
    Report(u"RTTeskGame::AddLocation() -- Cannot understand type passed in?");
  node_calls::SetTranslation(node.get(), arguments[1].value.vector);
  node_calls::SetEntity(node.get(), sphere.get());
  if (game->rootNode) node_calls::AddChild(game->rootNode, node.get());
  return kRTSuccess;
}

// The first actor's body node becomes a player's: mode 9, kind 5 in the low half of its flags.
TESK_GAME_SCRIPT_METHOD(SetPlayer) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  void* first = nullptr;
  if (game->lists.actorList && kivo::ListDataAt(game->lists.actorList, 0, &first) && first) {
    RTInstance body = static_cast<RTTeskActorWrapper*>(first)->BodyNode;
    uint32_t flags = 0;
    if (body && kivo::tesk_scene_node::GetStateWord(body, &flags))
      kivo::tesk_scene_node::SetStateWord(body, (flags & ~kLowFlags) | kPlayerFlags);
  }
  game->playerObject = static_cast<ScriptObject>(arguments[0].value.pointer);
  game->vm = vm;
  if (game->actorComponent) kivo::actor::SetPlayer(game->actorComponent, game->playerObject);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetPlayerObject) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.pointer = game->playerObject;
  if (!game->playerObject) Report(u"RTTeskGame::GetPlayerObject() -- returning NULL for player!!!");
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
