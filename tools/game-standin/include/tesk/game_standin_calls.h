// The stand-in for the game component (class RTTeskGame) that tools and tests load into a Kivo root
// of their own, where they need scene trees and characters before the game exists. It answers the
// game's methods that the scene library and the actor component call, at the game level of
// tesk/game_slots.h:
//   GetVM 0x94            (out VM): the VM set below, null at the start; no reference
//   GetSceneTree 0x98     (out tree): the tree set below with a reference for the caller; null when none
//   RenderAOI 0xC0        (rasterizer): draws nothing
//   GetActorList 0x74     (out list): its actor list, empty at the start
//   AddActor 0x4C         (wrapper): appends it to the actor list unless it is listed
//   RemoveActor 0x170     (wrapper): takes every entry of it out of the actor list
//   AddNode 0x13C (node): nothing more
//   RemoveNode 0x180      (node): takes the node out of the room that holds it, if any
//   FXActorRemove 0x2B0, RemovePatientC 0x508 (wrapper): nothing more
//   GetPlayerEntity 0x4A8 (out body): the body set below with a reference for the caller; fails
//                         when there is none
//   GetCurrentTime 0x44   (script form): the clock set below (0 at the start) in the result cell
//   GetCurrentTimeC 0x58, GetGameTimeC 0xF0 (out float): the clock, and the clock times 0.5
//   ResolveSceneHandle 0x58C (handle, out object): an object of the stand-in's handle table (filled
//                         by IssueSceneHandle) with a reference for the caller
//   IssueSceneHandle 0x590 (object, out handle): the number of the object in that table
//   GetPathfindingObject 0x6C (kind, out planner): the environment's route planner of that kind
//                         (its index among the graphs LoadEnvironment found) with a reference for
//                         the caller; null and 0 for a kind it has no graph of
// and a frame step that a script calls, StepFrame (seconds, a real): it keeps the calling VM as the
// one GetVM hands out, advances the clock by the seconds, has the RTTeskActor instance (when there
// is one) run ProcessC and the scene tree (when there is one) UpdateTransforms at the clock in whole
// milliseconds, all inside the script's call, so that the events raised find the script running.
// Each call of RenderAOI, AddActor, RemoveActor, AddNode, RemoveNode, FXActorRemove, RemovePatientC
// and GetPlayerEntity prints "RTTeskGame.<name>()" to the core's debug output, so that tests see
// the calls in their order. Its setters of its own are placed above the game's table.
#pragma once

#include "kivo/slots.h"
#include "tesk/game_slots.h"

namespace tesk::game_standin {

inline constexpr kivo::MethodSlot<void*> kSetVM{0x5a4};
inline constexpr kivo::MethodSlot<RTInstance> kSetSceneTree{0x594};
inline constexpr kivo::MethodSlot<float> kSetClock{0x598};
inline constexpr kivo::MethodSlot<RTInstance> kSetPlayerEntity{0x59c};
inline constexpr game::ScriptSlot kStepFrame{0x5a0};
inline constexpr auto kIssueSceneHandle = game::kIssueSceneHandle;  // the game's own
inline constexpr kivo::MethodSlot<const char16_t*> kLoadEnvironment{0x5a8};
inline constexpr uint32_t kSlotTableSize = kLoadEnvironment + 4;

// The VM GetVM hands out (no reference: a VM is no instance).
inline RTSuccess SetVM(RTInstance g, void* vm) { return kivo::CallMethod(g, game::kLevel, kSetVM, vm); }
// Holds the tree with a reference (null gives it back). A held tree holds the game too: set null
// before letting go of either.
inline RTSuccess SetSceneTree(RTInstance g, RTInstance tree) {
  return kivo::CallMethod(g, game::kLevel, kSetSceneTree, tree);
}
// The game clock in seconds.
inline RTSuccess SetClock(RTInstance g, float seconds) { return kivo::CallMethod(g, game::kLevel, kSetClock, seconds); }
// Holds the player's body with a reference (null gives it back).
inline RTSuccess SetPlayerEntity(RTInstance g, RTInstance body) {
  return kivo::CallMethod(g, game::kLevel, kSetPlayerEntity, body);
}
// The number a script sees for the node (the table holds a reference on it).
inline RTSuccess IssueSceneHandle(RTInstance g, RTInstance node, uint32_t* handle) {
  return kivo::CallMethod(g, game::kLevel, kIssueSceneHandle, node, handle);
}

// Stands in for the game's environment loading: the environment's scene tree
// ("Root:<name>:Assets:TeskSceneTrees:TeskSceneTree1") with scenario 0 and its quad tree becomes
// the scene tree held, and the children of "Root:<name>:Assets:Pathfinding", in index order, the
// graphs GetPathfindingObject hands out. Fails, changing nothing, when either is missing.
inline RTSuccess LoadEnvironment(RTInstance g, const char16_t* name) {
  return kivo::CallMethod(g, game::kLevel, kLoadEnvironment, name);
}

}  // namespace tesk::game_standin
