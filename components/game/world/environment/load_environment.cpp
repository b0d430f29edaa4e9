// The environment loader: the talking-head scene, the scene tree, the scenario's rooms and their
// props, the first room and the pathfinding graphs. Every reference the walk takes is given back;
// the fields keep one each.
#include <string>
#include <vector>

#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/scene/room_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/numeric.h"
#include "kivo/support/wide_string.h"
#include "loading_screen.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::game {

namespace {

struct FirstRoom {
  const char16_t* environment;
  const char16_t* room;
};

constexpr FirstRoom kFirstRooms[] = {
    {u"Tesk", u"core-exam-2"},   {u"tesk11_hard landing", u"roof-etz"}, {u"object_review", u"BrellinRoom1"},
    {u"03_HK", u"BrellinRoom1"}, {u"Tesk_Test", u"BrellinRoom1"},       {u"tesk09_BowlingAlley", u"alley_a"},
};

bool IsNamed(const char16_t* name, const char16_t* known) { return kivo::WideStrEqualNoCase(name, known) == 0; }

kivo::InstanceRef Lookup(const std::u16string& path) {
  kivo::InstanceRef found;
  Core().GetInstanceByName(nullptr, path.c_str(), found.out(), 0);
  return found;
}

// The scenario comes from the script's "Persistents" once, while the game has none; a missing or
// negative value fails the load.
bool TakeScenario(GamePrivateData& game) {
  if (game.scenarioIndex >= 0) return true;
  varno::RTVarnoConstantValue persistents{};
  varno::RTVarnoConstantValue value{};
  if (!ReadAttribute(game, game.gameObject, u"Persistents", varno::kFirstClassType, &persistents) ||
      !ReadAttribute(game, static_cast<ScriptObject>(persistents.value.pointer), u"scenario", varno::kTypeNumber,
                     &value) ||
      value.value.number < 0) {
    Report(u"RTTeskGame::LoadEnvironment() -- Cannot read a scenario of zero or more from Persistents");
    return false;
  }
  game.scenarioIndex = value.value.number;
  return true;
}

// The nodes of the room, taken before any is sorted: sorting may replace a node in its room.
std::vector<RTInstance> NodesOf(RTInstance room) {
  kivo::List* nodes = nullptr;
  std::vector<RTInstance> taken;
  if (kivo::room::GetNodeList(room, &nodes))
    for (RTInstanceRecord* node : kivo::ListItems<RTInstanceRecord>(nodes)) taken.push_back(node);
  return taken;
}

void SortRooms(RTInstance self, GamePrivateData& game) {
  uint32_t count = 0;
  tesk::scene_tree::GetRoomCount(game.sceneTree, &count);
  for (uint32_t i = 0; i < count; ++i) {
    kivo::InstanceRef room;
    if (!tesk::scene_tree::GetRoomN(game.sceneTree, i, room.out())) continue;
    for (RTInstance node : NodesOf(room.get())) {
      method::PumpLoadingScreen(self, nullptr, 0, nullptr, nullptr, nullptr);
      SortPropNode(self, game, node);
    }
  }
}

bool FindFirstRoom(RTInstance self, GamePrivateData& game, const char16_t* name) {
  Report(u"Getting first room");
  if (IsNamed(name, u"Tesk")) {
    ResolveSecurityCameras(game);
    SetUpShowerStalls(self, game);
  }
  const FirstRoom* row = nullptr;
  for (const FirstRoom& known : kFirstRooms)
    if (IsNamed(name, known.environment)) row = &known;
  if (!row) return false;
  kivo::InstanceRef room = Lookup(kivo::Format(u"Root:%s:Assets:Rooms:%s", name, row->room));
  if (!room.get()) return false;
  Hold(game.environment.firstRoom, room.get());
  Hold(game.worldNode, room.get());
  Report(u"Done getting the first room");
  return true;
}

void ReleasePathfinders(GamePrivateData& game) {
  for (uint32_t i = 0; i < game.pathfinderCount; ++i) Release(game.pathfinders[i]);
  Core().ArrayFree(nullptr, game.pathfinders);
  game.pathfinders = nullptr;
  game.pathfinderCount = 0;
}

bool TakePathfinders(GamePrivateData& game, const char16_t* name) {
  ReleasePathfinders(game);
  const std::u16string path = IsNamed(name, u"object_review") ? std::u16string(u"Root:Tesk:Assets:Pathfinding")
                                                              : kivo::Format(u"Root:%s:Assets:Pathfinding", name);
  kivo::InstanceRef folder = Lookup(path);
  uint32_t count = 0;
  void* array = nullptr;
  if (!folder.get() || !Core().GetChildCount(nullptr, folder.get(), &count) ||
      (count && !Core().ArrayAlloc(nullptr, sizeof(RTInstance), count, &array, 1)))
    return false;
  game.pathfinders = static_cast<RTInstance*>(array);
  for (uint32_t i = 0; i < count; ++i) Core().GetChild(nullptr, folder.get(), i, &game.pathfinders[i]);
  game.pathfinderCount = count;
  return true;
}

bool Load(RTInstance self, GamePrivateData& game, const char16_t* name) {
  if (!BuildHeadScene(game)) return false;
  Report(u"LoadEnvironment()");
  if (game.sceneHandles) game.sceneHandles->Clear();
  if (!EmptyPropLists(game)) return false;
  kivo::InstanceRef tree = Lookup(kivo::Format(u"Root:%s:Assets:TeskSceneTrees:TeskSceneTree1", name));
  if (!tree.get()) {
    Report(u"Cannot locate the environment's scenetree");
    return false;
  }
  Hold(game.sceneTree, tree.get());
  if (!TakeScenario(game)) return false;
  tesk::scene_tree::LoadScenarioN(game.sceneTree, static_cast<uint32_t>(game.scenarioIndex));
  tesk::scene_tree::UpdateQuadTree(game.sceneTree);
  SortRooms(self, game);
  if (!FindFirstRoom(self, game, name)) return false;
  tesk::scene_tree::UpdateTransforms(game.sceneTree, kivo::FloatToInt<uint32_t>(game.gameClock * 1000.0));
  return TakePathfinders(game, name);
}

}  // namespace

RTSuccess LoadEnvironment(RTInstance self, const char16_t* name) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !name) return kRTFailure;
  GameLibrary& library = Library();
  library.loading = 1;
  method::SetMouseCursorC(self, kBusyCursor);
  BeginLoadingScreen(*game);
  const bool loaded = Load(self, *game, name);
  if (loaded) {
    Release(game->environment.nodes.ceilingChunk);
    Report(u"Done LoadEnvironment()");
    library.firstLoadDone = 1;
  }
  method::SetMouseCursorC(self, kNormalCursor);
  library.loading = 0;
  return loaded ? kRTSuccess : kRTFailure;
}

}  // namespace tesk::game
