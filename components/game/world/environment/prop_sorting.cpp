// Sorting the scene's nodes into the prop lists: by node name first, then by the name of the node's
// model (its entity's instance name), then spawn points by their object's name.
#include <array>
#include <string>

#include "environment.h"
#include "game_context.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "prop_tables.h"

namespace tesk::game {

namespace {

constexpr uint32_t kNameUnits = 512;
constexpr uint32_t kUpFloor = 0;
constexpr uint32_t kDownFloor = 1;

std::u16string NameOf(RTInstance instance) {
  char16_t name[kNameUnits] = {};
  if (instance) Core().GetInstanceName(nullptr, instance, name, kNameUnits);
  name[kNameUnits - 1] = 0;
  return name;
}

// The lists every load empties, the elevator mats' blocks freed with them: the prop lists, the
// highlightable props and spawn points, and the perk list with the two HUD lists after it.
std::array<kivo::List**, kReloadedPropListCount + 5> ReloadedLists(GamePrivateData& game) {
  PropLists& l = game.environment.lists;
  return {&l.beds,
          &l.cots,
          &l.sinks,
          &l.vendingMachines,
          &l.shoulderPresses,
          &l.yogaMats,
          &l.benches,
          &l.scales,
          &l.gameMachines,
          &l.cafeteriaChairs,
          &l.cafeteriaTrays,
          &l.securityCameras,
          &l.showers,
          &l.waitingChairs,
          &l.sigChairs,
          &l.pediatricChairs,
          &l.elevatorMats,
          &l.nodeObjects,
          &game.highlightProps,
          &game.spawnPoints,
          &game.perkList,
          &game.hudLists[0],
          &game.hudLists[1]};
}

struct AnimatedRow {
  PropKind kind;
  const char16_t* asset;
  uint32_t mode;  // 1: the copy is outlined
};

constexpr AnimatedRow kAnimatedRows[] = {
    {PropKind::kElliptical, u"Root:Animated Objects:Assets:SceneTrees:Elliptical_Trainer_New", 1},
    {PropKind::kRowingMachine, u"Root:Animated Objects:Assets:SceneTrees:rowingmachine", 1},
    {PropKind::kLinenCart, u"Root:Animated Objects:Assets:SceneTrees:LinenCart", 0},
};

// The first load puts an animated copy in place of the static prop; its list holds the copy with
// the reference it was made with.
void ReplaceWithAnimatedCopy(RTInstance self, GamePrivateData& game, RTInstance node, const AnimatedRow& row) {
  if (Library().firstLoadDone) return;
  RTInstance copy = nullptr;
  if (!LoadAnimatedObject(self, node, row.asset, &copy, row.mode) || !copy) return;
  kivo::ListAppend(*ListOfKind(game.environment.lists, row.kind), copy);
  if (row.mode == 1) kivo::ListAppend(game.highlightProps, copy);
}

void SortByModel(RTInstance self, GamePrivateData& game, RTInstance node, RTInstance model, PropKind kind) {
  EnvironmentState& environment = game.environment;
  PropNodes& nodes = environment.nodes;
  for (const AnimatedRow& row : kAnimatedRows)
    if (row.kind == kind) return ReplaceWithAnimatedCopy(self, game, node, row);
  switch (kind) {
    case PropKind::kNone:
      return;
    case PropKind::kMaleStallDoor:
      if (!nodes.maleStallDoor) Hold(nodes.maleStallDoor, node);
      return;
    case PropKind::kFemaleStallDoor:
      if (!nodes.femaleStallDoor) Hold(nodes.femaleStallDoor, node);
      return;
    case PropKind::kElevatorUp:
    case PropKind::kElevatorDown:
      SetOutline(self, model, true);
      kivo::ListAppend(environment.lists.elevatorMats,
                       new ElevatorMat{kind == PropKind::kElevatorUp ? kUpFloor : kDownFloor, node});
      kivo::ListAppend(game.highlightProps, node);
      return;
    case PropKind::kDeconChamber:
      SetOutline(self, model, true);
      kivo::ListAppend(game.highlightProps, node);
      Hold(nodes.deconChamber, node);
      return;
    default:
      break;
  }
  const bool outlined = IsOutlined(kind);
  if (outlined) SetOutline(self, model, true);
  kivo::ListAppend(*ListOfKind(environment.lists, kind), node);
  if (outlined) kivo::ListAppend(game.highlightProps, node);
}

void SortByNodeName(GamePrivateData& game, RTInstance node, const char16_t* name) {
  PropNodes& nodes = game.environment.nodes;
  switch (KindOfNodeName(name)) {
    case PropKind::kBed:
      kivo::ListAppend(game.environment.lists.beds, node);
      break;
    case PropKind::kMainEntranceLeft:
      Hold(nodes.mainEntranceLeft, node);
      break;
    case PropKind::kMainEntranceRight:
      Hold(nodes.mainEntranceRight, node);
      break;
    case PropKind::kGlueTruck:
      Hold(nodes.glueTruck, node);
      break;
    case PropKind::kMaleStallDoor:
      if (!nodes.maleStallDoor) Hold(nodes.maleStallDoor, node);
      break;
    case PropKind::kFemaleStallDoor:
      if (!nodes.femaleStallDoor) Hold(nodes.femaleStallDoor, node);
      break;
    default:
      break;
  }
}

}  // namespace

bool EmptyPropLists(GamePrivateData& game) {
  for (kivo::List** list : ReloadedLists(game)) {
    if (list == &game.environment.lists.elevatorMats)
      for (ElevatorMat* mat : kivo::ListItems<ElevatorMat>(*list)) delete mat;
    kivo::ListDestroy(*list);
    *list = nullptr;
    if (!kivo::ListCreate(list)) return false;
  }
  PropLists& lists = game.environment.lists;
  for (kivo::List** list : {&lists.ellipticals, &lists.rowingMachines, &lists.linenCarts})
    if (!*list && !kivo::ListCreate(list)) return false;
  PropNodes& nodes = game.environment.nodes;
  for (RTInstance* held : {&nodes.mainEntranceLeft, &nodes.mainEntranceRight, &nodes.glueTruck, &nodes.maleStallDoor,
                           &nodes.femaleStallDoor, &nodes.deconChamber, &nodes.basketball})
    Release(*held);
  return true;
}

void SortPropNode(RTInstance self, GamePrivateData& game, RTInstance node) {
  SortByNodeName(game, node, NameOf(node).c_str());
  kivo::InstanceRef model;
  kivo::scene_node::GetEntity(node, model.out());
  if (!model.get()) return;
  const std::u16string modelName = NameOf(model.get());
  SortByModel(self, game, node, model.get(), KindOfModelName(modelName.c_str()));
  if (WideStrStartsWithNoCase(modelName.c_str(), u"spawn")) kivo::ListAppend(game.spawnPoints, node);
}

}  // namespace tesk::game
