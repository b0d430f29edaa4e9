// The environment's holdings given back when the game goes.
#include "environment.h"
#include "game_context.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"

namespace tesk::game {

namespace {

// The outline callbacks name the game as their context: they leave every model that may carry them.
void ClearOutlines(RTInstance self, kivo::List* nodes) {
  for (RTInstanceRecord* node : kivo::ListItems<RTInstanceRecord>(nodes)) {
    kivo::InstanceRef model;
    if (node && kivo::scene_node::GetEntity(node, model.out()) && model.get())
      kivo::renderable::ClearHooksOf(model.get(), self);
  }
}

void DestroyList(kivo::List*& list) {
  kivo::ListDestroy(list);
  list = nullptr;
}

}  // namespace

void ReleaseEnvironment(RTInstance self, GamePrivateData& game) {
  EnvironmentState& environment = game.environment;
  PropLists& lists = environment.lists;
  for (kivo::List* list : {game.highlightProps, lists.yogaMats, lists.benches}) ClearOutlines(self, list);
  for (kivo::List* copies : {lists.ellipticals, lists.rowingMachines, lists.linenCarts})
    for (RTInstanceRecord* copy : kivo::ListItems<RTInstanceRecord>(copies)) Core().ReleaseInstance(nullptr, copy);
  for (ElevatorMat* mat : kivo::ListItems<ElevatorMat>(lists.elevatorMats)) delete mat;
  for (kivo::List** list : {&lists.beds,
                            &lists.cots,
                            &lists.sinks,
                            &lists.vendingMachines,
                            &lists.shoulderPresses,
                            &lists.yogaMats,
                            &lists.benches,
                            &lists.scales,
                            &lists.gameMachines,
                            &lists.cafeteriaChairs,
                            &lists.cafeteriaTrays,
                            &lists.securityCameras,
                            &lists.showers,
                            &lists.waitingChairs,
                            &lists.sigChairs,
                            &lists.pediatricChairs,
                            &lists.elevatorMats,
                            &lists.nodeObjects,
                            &lists.ellipticals,
                            &lists.rowingMachines,
                            &lists.linenCarts})
    DestroyList(*list);
  ReleaseDroppedRooms(game);
  PropNodes& nodes = environment.nodes;
  HeadScene& head = environment.head;
  for (RTInstance* held : {&nodes.mainEntranceLeft, &nodes.mainEntranceRight, &nodes.glueTruck, &nodes.maleStallDoor,
                           &nodes.femaleStallDoor, &nodes.deconChamber, &nodes.basketball, &nodes.ceilingChunk,
                           &head.cameraNode, &head.camera, &head.rootNode, &head.scene, &head.headNode, &head.animator,
                           &head.mesh, &head.motion,
                           &environment.cameraNode, &environment.cameraLens, &environment.firstRoom})
    Release(*held);
  for (RTInstance& view : environment.cameraViews) Release(view);
  for (ShowerStall& stall : environment.showers) {
    Release(stall.stall);
    Release(stall.door);
  }
  for (StallDoor& door : environment.stallDoors) Release(door.door);
  Release(environment.entrance.entranceRoom);
  Release(environment.entrance.portRoom);
  if (environment.showerTable) kivo::HashTableDestroy(environment.showerTable);
  environment.showerTable = nullptr;
  Core().ArrayFree(nullptr, environment.outlineScratch);
  environment.outlineScratch = nullptr;
  environment.outlineCapacity = 0;
}

}  // namespace tesk::game
