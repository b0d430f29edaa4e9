// The script's questions and switches on rooms and single props: room centres, the glue truck, the
// ceiling chunk's switch, the ambience of the player's room, the elevator mats and the prop outlines; and the
// HUD's mirrored textured quad.
#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/wide_string.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::game {

namespace {

namespace node_calls = kivo::scene_node;
namespace r = kivo::rasterizer;

constexpr uint32_t kNameUnits = 512;
constexpr uint32_t kModeBits = 0xF;
constexpr uint32_t kGlueTruckOn = 1;
constexpr uint32_t kGlueTruckOff = 8;

const ElevatorMat* MatAt(GamePrivateData& game, uint32_t count, const Cell* arguments) {
  void* mat = nullptr;
  if (count < 1 || !game.environment.lists.elevatorMats ||
      !kivo::ListDataAt(game.environment.lists.elevatorMats, arguments[0].value.word, &mat))
    return nullptr;
  return static_cast<const ElevatorMat*>(mat);
}

// The ambience name of the room the player stands in; null when there is none to find.
const char16_t* PlayerRoomAmbience(GamePrivateData& game) {
  kivo::InstanceRef room;
  if (!game.firstActor || !game.firstActor->RootNode || !game.roomAmbience ||
      !kivo::tesk_scene_node::GetNodeRoom(game.firstActor->RootNode, room.out()) || !room.get())
    return nullptr;
  char16_t name[kNameUnits] = {};
  if (!Core().GetInstanceName(nullptr, room.get(), name, kNameUnits)) return nullptr;
  name[kNameUnits - 1] = 0;
  void* ambience = nullptr;
  if (!kivo::StrHashTableLookup(game.roomAmbience, name, &ambience)) return nullptr;
  // A row without a sound names none.
  return ambience ? static_cast<const char16_t*>(ambience) : u"";
}

}  // namespace

RTSuccess EnableGlueTruckC(RTInstance self, uint32_t on) {
  GamePrivateData* game = RecordOf(self);
  RTInstance truck = game ? game->environment.nodes.glueTruck : nullptr;
  if (!truck) return kRTFailure;
  game->environment.glueTruckEnabled = on;
  uint32_t flags = 0;
  kivo::tesk_scene_node::GetStateWord(truck, &flags);
  return kivo::tesk_scene_node::SetStateWord(truck, (flags & ~kModeBits) | (on ? kGlueTruckOn : kGlueTruckOff));
}

RTSuccess SetGymOutlines(RTInstance self, uint32_t on) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->environment.gymOutlinesOn = on;
  for (kivo::List* list : {game->environment.lists.yogaMats, game->environment.lists.benches})
    for (RTInstanceRecord* node : kivo::ListItems<RTInstanceRecord>(list)) SetNodeOutline(self, node, on != 0);
  return kRTSuccess;
}

// Texture s runs from 1 at the left edge to 0 at the right: the image shows mirrored.
RTSuccess DrawTexturedQuad(RTInstance self, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t texture) {
  GamePrivateData* game = RecordOf(self);
  RTInstance rasterizer = game ? game->rasterizer : nullptr;
  if (!rasterizer) return kRTFailure;
  const float left = static_cast<float>(x);
  const float top = static_cast<float>(y);
  const float w = static_cast<float>(width < 0 ? -static_cast<int64_t>(width) : width);
  const float h = static_cast<float>(height < 0 ? -static_cast<int64_t>(height) : height);
  r::EnableDepthTest(rasterizer, 0);
  r::EnableDepthWrite(rasterizer, 0);
  r::SetColorRGBA(rasterizer, 1.0f, 1.0f, 1.0f, 1.0f);
  r::SelectTextureUnit(rasterizer, 0);
  r::EnableTexturing(rasterizer, 1);
  r::BindTexture(rasterizer, texture);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  r::TexCoord(rasterizer, 0, 1.0f, 0.0f);
  r::Vertex3(rasterizer, left, top, 0.0f);
  r::TexCoord(rasterizer, 0, 1.0f, 1.0f);
  r::Vertex3(rasterizer, left, top + h, 0.0f);
  r::TexCoord(rasterizer, 0, 0.0f, 1.0f);
  r::Vertex3(rasterizer, left + w, top + h, 0.0f);
  r::TexCoord(rasterizer, 0, 0.0f, 0.0f);
  r::Vertex3(rasterizer, left + w, top, 0.0f);
  r::EndPrimitive(rasterizer);
  r::EnableBlending(rasterizer, 0);
  r::EnableTexturing(rasterizer, 0);
  r::EnableDepthTest(rasterizer, 1);
  r::EnableDepthWrite(rasterizer, 1);
  return kRTSuccess;
}

namespace method {

// The middle of the room's box on the ground; (0, 0, 0) for a room the tree does not have.
TESK_GAME_SCRIPT_METHOD(GetRoomCenter) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result || !result->value.vector || count < 1) return kRTFailure;
  RTFVector3D& center = *result->value.vector;
  center = RTFVector3D{0.0f, 0.0f, 0.0f, center.w};
  kivo::InstanceRef room;
  RTFVector3D min{}, max{};
  if (game->sceneTree && arguments[0].value.text &&
      tesk::scene_tree::GetRoomByName(game->sceneTree, arguments[0].value.text, room.out()) && room.get() &&
      kivo::room::GetBoundingBox(room.get(), &min, &max)) {
    center.x = (max.x - min.x) * 0.5f + min.x;
    center.z = (max.z - min.z) * 0.5f + min.z;
  }
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(EnableGlueTruck) {
  if (count < 1) return kRTFailure;
  return EnableGlueTruckC(self, arguments[0].value.word != 0 ? 1 : 0);
}

// No ceiling-chunk node is ever bound (every load clears it), so it fails.
TESK_GAME_SCRIPT_METHOD(EnableCeilingChunk) {
  GamePrivateData* game = RecordOf(self);
  return game && game->environment.nodes.ceilingChunk ? kRTSuccess : kRTFailure;
}

// A new text: the ambience name of the player's room, or "default".
TESK_GAME_SCRIPT_METHOD(GetPlayerRoomAmbientString) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  const char16_t* ambience = PlayerRoomAmbience(*game);
  return kivo::WideStrDup(ambience ? ambience : u"default", &result->value.text);
}

TESK_GAME_SCRIPT_METHOD(GetElevatorMatCount) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  kivo::List* mats = game->environment.lists.elevatorMats;
  result->value.word = mats ? mats->count : 0;
  return kRTSuccess;
}

// An index outside the list fails with the result untouched.
TESK_GAME_SCRIPT_METHOD(GetElevatorMatNodeN) {
  GamePrivateData* game = RecordOf(self);
  const ElevatorMat* mat = game && result ? MatAt(*game, count, arguments) : nullptr;
  if (!mat) return kRTFailure;
  result->type = varno::kTypeNumber;
  result->value.word = game->sceneHandles ? game->sceneHandles->Issue(mat->node) : kivo::kNoHandle;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetElevatorMatFloorN) {
  GamePrivateData* game = RecordOf(self);
  const ElevatorMat* mat = game && result ? MatAt(*game, count, arguments) : nullptr;
  if (!mat) return kRTFailure;
  result->type = varno::kTypeNumber;
  result->value.word = mat->floor;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(TurnOnGymOutlines) { return SetGymOutlines(self, 1); }
TESK_GAME_SCRIPT_METHOD(TurnOffGymOutlines) { return SetGymOutlines(self, 0); }

TESK_GAME_SCRIPT_METHOD(TurnOnPropOutline) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  SetNodeOutline(self, NodeArgument(*game, count, arguments, 0), true);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(TurnOffPropOutline) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  SetNodeOutline(self, NodeArgument(*game, count, arguments, 0), false);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
