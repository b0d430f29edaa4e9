// Dropping and restoring a room's lights by the room's name. The dropped-rooms list holds each room
// once, with one reference; every lookup's reference is given back.
#include <string>
#include <vector>

#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/scene/room_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/instance_ref.h"

namespace tesk::game {

namespace {

constexpr uint32_t kNameUnits = 512;

// The room of that name, or an empty reference with the failure reported.
kivo::InstanceRef RoomNamed(const char16_t* name) {
  kivo::InstanceRef room;
  if (name) Core().GetInstanceByName(nullptr, kivo::Format(u"Root:Tesk:Assets:Rooms:%s", name).c_str(), room.out(), 0);
  if (!room.get()) Report(u"Cannot retrieve room to drop lights on");
  return room;
}

// Marks the room's lights and switches its lighting result; false without a result.
bool SwitchLights(RTInstance room, bool on) {
  kivo::InstanceRef result;
  kivo::room::GetLightingResult(room, result.out());
  kivo::room::SetLightsDropped(room, on ? 0 : 1);
  if (!result.get()) {
    Report(u"Cannot get result for the room!");
    return false;
  }
  return kivo::static_lit_mesh::SetEnabled(result.get(), on ? 1 : 0) != 0;
}

}  // namespace

RTSuccess DropRoomLightsByName(RTInstance self, const char16_t* name) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  kivo::InstanceRef room = RoomNamed(name);
  if (!room.get()) return kRTFailure;
  kivo::ListLink* listed = nullptr;
  if (game->droppedRoomList && !kivo::ListFind(game->droppedRoomList, room.get(), &listed, nullptr) &&
      Core().ResolveHandle(nullptr, room.get()))
    kivo::ListAppend(game->droppedRoomList, room.get());
  return SwitchLights(room.get(), false) ? kRTSuccess : kRTFailure;
}

RTSuccess RestoreRoomLightsByName(RTInstance self, const char16_t* name) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  kivo::InstanceRef room = RoomNamed(name);
  if (!room.get()) return kRTFailure;
  if (game->droppedRoomList && kivo::ListRemove(game->droppedRoomList, room.get()))
    Core().ReleaseInstance(nullptr, room.get());
  return SwitchLights(room.get(), true) ? kRTSuccess : kRTFailure;
}

// The names are taken first: each restore takes its room out of the list.
void RestoreDroppedRooms(RTInstance self, GamePrivateData& game) {
  std::vector<std::u16string> names;
  for (RTInstanceRecord* room : kivo::ListItems<RTInstanceRecord>(game.droppedRoomList)) {
    char16_t name[kNameUnits] = {};
    Core().GetInstanceName(nullptr, room, name, kNameUnits);
    name[kNameUnits - 1] = 0;
    names.emplace_back(name);
  }
  for (const std::u16string& name : names) RestoreRoomLightsByName(self, name.c_str());
}

void ReleaseDroppedRooms(GamePrivateData& game) {
  for (RTInstanceRecord* room : kivo::ListItems<RTInstanceRecord>(game.droppedRoomList))
    Core().ReleaseInstance(nullptr, room);
  kivo::ListClear(game.droppedRoomList);
}

namespace method {

TESK_GAME_SCRIPT_METHOD(DropRoomLights) {
  if (count < 1) return kRTFailure;
  return DropRoomLightsByName(self, arguments[0].value.text);
}

TESK_GAME_SCRIPT_METHOD(RestoreRoomLights) {
  if (count < 1) return kRTFailure;
  return RestoreRoomLightsByName(self, arguments[0].value.text);
}

}  // namespace method

}  // namespace tesk::game
