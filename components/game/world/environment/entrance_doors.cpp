// The main entrance: two leaves that slide open when a character or vehicle stands within 3.0 of
// the sensor in front of them, in the entrance room or the ambulance port room beyond it. They stay
// open five seconds from the moment they opened, then close, and open again at the next frame that
// finds someone near.
#include "doors.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/vector.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::game {

namespace {

namespace node_calls = kivo::tesk_scene_node;

constexpr RTFVector3D kSensor{13.8f, 0.0f, 8.5f, 0.0f};
constexpr float kSensorRadiusSquared = 9.0f;
constexpr float kLeftOpenX = 12.65f;
constexpr float kLeftClosing = 1.15f;
constexpr float kRightOpenX = 15.0f;
constexpr float kRightClosing = -1.2f;
constexpr float kOpenSeconds = 5.0f;
constexpr float kSlideRate = 1.0f;  // one second from start to target
constexpr uint32_t kCharacterKind = 7;
constexpr uint32_t kVehicleKind = 10;
constexpr int32_t kLastSharedPortEpisode = 6;
constexpr int32_t kEpisodeSeven = 7;

// The x of the node's translation.
bool TranslationX(RTInstance node, float* x) {
  const RTFMatrix4x4* placement = nullptr;
  if (!node || !kivo::scene_node::GetLocalMatrix(node, &placement) || !placement) return false;
  *x = placement->m[3][0];
  return true;
}

// The leaf's x becomes the x of its node's translation (y and z kept).
void PlaceLeaf(RTInstance node, float x) {
  const RTFMatrix4x4* placement = nullptr;
  if (!node || !kivo::scene_node::GetLocalMatrix(node, &placement) || !placement) return;
  const RTFVector3D translation{x, placement->m[3][1], placement->m[3][2], 0.0f};
  kivo::scene_node::SetTranslation(node, &translation);
}

void BindLeaf(EntranceLeaf& leaf, RTInstance node) {
  float x = 0.0f;
  if (TranslationX(node, &x)) leaf = EntranceLeaf{x, x, x};
}

void StartSlide(EntranceLeaf& leaf, float target) {
  leaf.targetX = target;
  leaf.startX = leaf.currentX;
}

void StepLeaf(EntranceLeaf& leaf, float t) {
  leaf.currentX = EasedDoor(leaf.startX, leaf.targetX, t);
}

// A character or vehicle node of the room stands within the sensor's radius.
bool SomeoneNear(RTInstance room) {
  kivo::List* nodes = nullptr;
  if (!room || !kivo::room::GetNodeList(room, &nodes)) return false;
  for (RTInstanceRecord* node : kivo::ListItems<RTInstanceRecord>(nodes)) {
    uint32_t word = 0;
    const RTFMatrix4x4* placement = nullptr;
    if (!Core().IsKindOfByName(nullptr, node, node_calls::kClassName) || !node_calls::GetStateWord(node, &word))
      continue;
    const uint32_t kind = node_calls::KindOf(word);
    if ((kind != kCharacterKind && kind != kVehicleKind) || !kivo::scene_node::GetLocalMatrix(node, &placement) ||
        !placement)
      continue;
    const RTFVector3D at{placement->m[3][0], placement->m[3][1], placement->m[3][2], 0.0f};
    if (kivo::Vec3DistanceSquared(at, kSensor) < kSensorRadiusSquared) return true;
  }
  return false;
}

const char16_t* PortRoomName(int32_t episode) {
  if (episode >= 0 && episode <= kLastSharedPortEpisode) return u"core-aport-2@3967";
  return episode == kEpisodeSeven ? u"07-N-aport@128" : nullptr;
}

const char16_t* MissingPortMessage(int32_t episode) {
  if (episode >= 0 && episode <= kLastSharedPortEpisode)
    return u"RTTeskGame::MainEntranceDoorsStartup(): Unable to get ambulance port room for loading scenario (ep. 0-6).";
  if (episode == kEpisodeSeven)
    return u"RTTeskGame::MainEntranceDoorsStartup(): Unable to get ambulance port room for loading scenario (ep. 7).";
  return u"RTTeskGame::MainEntranceDoorsStartup(): Unable to load ambulance port section.";
}

// The room of the name with a reference for the caller; null when the tree has none.
kivo::InstanceRef RoomNamed(GamePrivateData& game, const char16_t* name) {
  kivo::InstanceRef room;
  if (name && game.sceneTree) tesk::scene_tree::GetRoomByName(game.sceneTree, name, room.out());
  return room;
}

}  // namespace

RTSuccess MainEntranceDoorsStartup(RTInstance self, int32_t episode) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  EnvironmentState& environment = game->environment;
  EntranceDoors& entrance = environment.entrance;
  Hold(entrance.entranceRoom, RoomNamed(*game, u"core-mainentrance").get());
  kivo::InstanceRef port = RoomNamed(*game, PortRoomName(episode));
  if (!port.get()) {
    Report(MissingPortMessage(episode));
    return kRTFailure;
  }
  Hold(entrance.portRoom, port.get());
  BindLeaf(entrance.left, environment.nodes.mainEntranceLeft);
  BindLeaf(entrance.right, environment.nodes.mainEntranceRight);
  entrance.closeTime = 0.0f;
  entrance.open = 1;
  return kRTSuccess;
}

void MainEntranceDoorsUpdate(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return;
  EntranceDoors& entrance = game->environment.entrance;
  const bool near = SomeoneNear(entrance.entranceRoom) || SomeoneNear(entrance.portRoom);
  float now = 0.0f;
  method::GetCurrentTimeC(self, &now);
  if (near && !entrance.open) {
    entrance.startTime = now;
    entrance.closeTime = now + kOpenSeconds;
    entrance.open = 1;
    StartSlide(entrance.left, kLeftOpenX);
    StartSlide(entrance.right, kRightOpenX);
  } else if (entrance.closeTime <= now && entrance.open) {
    entrance.startTime = now;
    entrance.open = 0;
    StartSlide(entrance.left, kLeftOpenX + kLeftClosing);
    StartSlide(entrance.right, kRightOpenX + kRightClosing);
  }
  const float t = (now - entrance.startTime) * kSlideRate;
  StepLeaf(entrance.left, t);
  StepLeaf(entrance.right, t);
  PlaceLeaf(game->environment.nodes.mainEntranceLeft, entrance.left.currentX);
  PlaceLeaf(game->environment.nodes.mainEntranceRight, entrance.right.currentX);
}

}  // namespace tesk::game
