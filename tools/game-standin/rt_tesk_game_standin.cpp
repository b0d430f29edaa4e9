// The stand-in for the game component: see game_standin_calls.h.
#include <string>
#include <vector>

#include "kivo/actor/actor_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/handle_table.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/list.h"
#include "kivo/support/numeric.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"
#include "varno/call_cells.h"

namespace {

using namespace kivo;
namespace game = tesk::game;
namespace standin = tesk::game_standin;

constexpr uint32_t kOwnTable = game::kLevel + 4;
constexpr uint32_t kStateWord = game::kLevel + 8;

struct GameState {
  void* vm = nullptr;
  RTInstance sceneTree = nullptr;     // one reference held
  RTInstance playerEntity = nullptr;  // one reference held
  List* actors = nullptr;
  float clock = 0.0f;
  HandleTable* sceneHandles = nullptr;
  std::vector<RTInstance> graphs;  // the environment's route planners by kind; one reference each
};

GameState* StateOf(RTInstance self) { return StateIn<GameState>(self, kStateWord); }

void Record(const char16_t* method) {
  ModuleCore()->DebugPrint(nullptr, (std::u16string(u"RTTeskGame.") + method + u"()").c_str());
}

// Holds `instance` in `held` with a reference, giving up the one held before.
RTSuccess Hold(RTInstance* held, RTInstance instance) {
  if (instance && !ModuleCore()->ResolveHandle(nullptr, instance)) return kRTFailure;
  if (*held) ModuleCore()->ReleaseInstance(nullptr, *held);
  *held = instance;
  return kRTSuccess;
}

// Hands out a held instance with a reference for the caller; null (and success) for none.
RTSuccess HandOut(RTInstance held, RTInstance* out) {
  if (!out) return kRTFailure;
  *out = held;
  return held ? ModuleCore()->ResolveHandle(nullptr, held) : kRTSuccess;
}

RTSuccess Construct(RTInstance self) {
  GameState* game = MakeState<GameState>(self, kStateWord);
  if (game && ListCreate(&game->actors)) {
    game->sceneHandles = new HandleTable(HandleTable::Holds::kInstances);
    return kRTSuccess;
  }
  EndState<GameState>(self, kStateWord);
  return kRTFailure;
}

void ReleaseGraphs(GameState& game) {
  for (RTInstance graph : game.graphs) ModuleCore()->ReleaseInstance(nullptr, graph);
  game.graphs.clear();
}

RTSuccess Destroy(RTInstance self) {
  if (GameState* game = StateOf(self)) {
    ReleaseGraphs(*game);
    Hold(&game->sceneTree, nullptr);
    Hold(&game->playerEntity, nullptr);
    ListDestroy(game->actors);
    delete game->sceneHandles;
  }
  EndState<GameState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess GetVM(RTInstance self, varno::RTVarnoVM** vm) {
  GameState* game = StateOf(self);
  if (!game || !vm) return kRTFailure;
  *vm = static_cast<varno::RTVarnoVM*>(game->vm);
  return kRTSuccess;
}

RTSuccess GetSceneTree(RTInstance self, RTInstance* tree) {
  GameState* game = StateOf(self);
  return game ? HandOut(game->sceneTree, tree) : kRTFailure;
}

RTSuccess RenderAOI(RTInstance, RTInstance) {
  Record(u"RenderAOI");
  return kRTSuccess;
}

RTSuccess GetActorList(RTInstance self, List** actors) {
  GameState* game = StateOf(self);
  if (!game || !actors) return kRTFailure;
  *actors = game->actors;
  return kRTSuccess;
}

RTSuccess AddActor(RTInstance self, RTTeskActorWrapper* wrapper) {
  Record(u"AddActor");
  GameState* game = StateOf(self);
  ListLink* listed = nullptr;
  if (!game || !wrapper) return kRTFailure;
  return ListFind(game->actors, wrapper, &listed, nullptr) ? kRTSuccess : ListAppend(game->actors, wrapper);
}

RTSuccess RemoveActor(RTInstance self, RTTeskActorWrapper* wrapper) {
  Record(u"RemoveActor");
  GameState* game = StateOf(self);
  if (!game || !wrapper) return kRTFailure;
  while (ListRemove(game->actors, wrapper)) {
  }
  return kRTSuccess;
}

template <const char16_t* kName, class Argument>
RTSuccess Recorded(RTInstance self, Argument argument) {
  Record(kName);
  return StateOf(self) && argument ? kRTSuccess : kRTFailure;
}
constexpr char16_t kAddNode[] = u"AddNode";
constexpr char16_t kFXActorRemove[] = u"FXActorRemove";
constexpr char16_t kRemovePatientC[] = u"RemovePatientC";

RTSuccess RemoveNode(RTInstance self, RTInstance node) {
  Record(u"RemoveNode");
  if (!StateOf(self) || !node) return kRTFailure;
  InstanceRef room;
  if (ModuleCore()->IsKindOfByName(nullptr, node, kivo::tesk_scene_node::kClassName) &&
      kivo::tesk_scene_node::GetNodeRoom(node, room.out()) && room.get())
    kivo::room::RemoveNode(room.get(), node);
  return kRTSuccess;
}

RTSuccess GetPlayerEntity(RTInstance self, RTInstance* body) {
  Record(u"GetPlayerEntity");
  GameState* game = StateOf(self);
  return game && game->playerEntity ? HandOut(game->playerEntity, body) : kRTFailure;
}

RTSuccess GetCurrentTime(RTInstance self, varno::RTVarnoSymbol*, uint32_t, varno::RTVarnoConstantValue*,
                         varno::RTVarnoConstantValue* result, varno::RTVarnoVM*) {
  GameState* game = StateOf(self);
  if (!game || !result) return kRTFailure;
  result->value.real = game->clock;
  return kRTSuccess;
}

// The clock times `rate`: 1 for the current time, 0.5 for the game time.
RTSuccess ReadClock(RTInstance self, float rate, float* seconds) {
  GameState* game = StateOf(self);
  if (!game || !seconds) return kRTFailure;
  *seconds = game->clock * rate;
  return kRTSuccess;
}

RTSuccess GetCurrentTimeC(RTInstance self, float* seconds) { return ReadClock(self, 1.0f, seconds); }

RTSuccess GetGameTimeC(RTInstance self, float* seconds) { return ReadClock(self, 0.5f, seconds); }

RTSuccess ResolveSceneHandle(RTInstance self, uint32_t handle, RTInstance* object) {
  GameState* game = StateOf(self);
  if (!object) return kRTFailure;
  *object = game ? static_cast<RTInstance>(game->sceneHandles->Resolve(handle)) : nullptr;
  return *object ? ModuleCore()->ResolveHandle(nullptr, *object) : kRTFailure;
}

RTSuccess IssueSceneHandle(RTInstance self, RTInstance node, uint32_t* handle) {
  GameState* game = StateOf(self);
  if (!game || !handle) return kRTFailure;
  *handle = game->sceneHandles->Issue(node);
  return *handle != kNoHandle ? kRTSuccess : kRTFailure;
}

RTSuccess GetPathfindingObject(RTInstance self, uint32_t kind, RTInstance* planner) {
  GameState* game = StateOf(self);
  if (!game || !planner) return kRTFailure;
  *planner = nullptr;
  return kind < game->graphs.size() ? HandOut(game->graphs[kind], planner) : kRTFailure;
}

// The children of the folder, in index order, with a reference each.
bool ChildrenOf(const std::u16string& path, std::vector<RTInstance>* children) {
  InstanceRef folder;
  uint32_t count = 0;
  if (!ModuleCore()->GetInstanceByName(nullptr, path.c_str(), folder.out(), 0) ||
      !ModuleCore()->GetChildCount(nullptr, folder.get(), &count))
    return false;
  for (uint32_t i = 0; i < count; ++i) {
    RTInstance child = nullptr;
    if (ModuleCore()->GetChild(nullptr, folder.get(), i, &child)) children->push_back(child);
  }
  return true;
}

RTSuccess LoadEnvironment(RTInstance self, const char16_t* name) {
  GameState* game = StateOf(self);
  if (!game || !name) return kRTFailure;
  const std::u16string environment = std::u16string(u"Root:") + name + u":Assets:";
  InstanceRef tree;
  std::vector<RTInstance> graphs;
  const bool loaded =
      ModuleCore()->GetInstanceByName(nullptr, (environment + u"TeskSceneTrees:TeskSceneTree1").c_str(), tree.out(),
                                      0) &&
      tesk::scene_tree::LoadScenarioN(tree.get(), 0) && tesk::scene_tree::UpdateQuadTree(tree.get()) &&
      ChildrenOf(environment + u"Pathfinding", &graphs);
  if (!loaded) {
    for (RTInstance graph : graphs) ModuleCore()->ReleaseInstance(nullptr, graph);
    return kRTFailure;
  }
  ReleaseGraphs(*game);
  game->graphs = std::move(graphs);
  return Hold(&game->sceneTree, tree.get());
}

RTSuccess StepFrame(RTInstance self, varno::RTVarnoSymbol*, uint32_t count, varno::RTVarnoCallArg* arguments,
                    varno::RTVarnoCallArg*, varno::RTVarnoVM* vm) {
  GameState* game = StateOf(self);
  if (!game || count < 1 || arguments[0].type != varno::kTypeReal) return kRTFailure;
  game->vm = vm;
  game->clock += arguments[0].value.real;
  InstanceRef actor;
  if (ModuleCore()->GetFirstInstanceByString(nullptr, kivo::actor::kClassName, actor.out(), 0, nullptr))
    kivo::actor::ProcessC(actor.get());
  if (game->sceneTree)
    tesk::scene_tree::UpdateTransforms(game->sceneTree, FloatToInt<uint32_t>(game->clock * 1000.0L));
  return kRTSuccess;
}

RTSuccess SetVM(RTInstance self, void* vm) {
  GameState* game = StateOf(self);
  if (!game) return kRTFailure;
  game->vm = vm;
  return kRTSuccess;
}

RTSuccess SetSceneTree(RTInstance self, RTInstance tree) {
  GameState* game = StateOf(self);
  return game ? Hold(&game->sceneTree, tree) : kRTFailure;
}

RTSuccess SetClock(RTInstance self, float seconds) {
  GameState* game = StateOf(self);
  if (!game) return kRTFailure;
  game->clock = seconds;
  return kRTSuccess;
}

RTSuccess SetPlayerEntity(RTInstance self, RTInstance body) {
  GameState* game = StateOf(self);
  return game ? Hold(&game->playerEntity, body) : kRTFailure;
}

RTMethodRecord gMethods[] = {
    Method(u"GetVM", GetVM, game::kGetVM, u"RTSuccess", u"void* out oppVM"),
    Method(u"GetSceneTree", GetSceneTree, game::kGetSceneTree, u"RTSuccess", u"RTInstance out ophSceneTree"),
    Method(u"RenderAOI", RenderAOI, game::kRenderAOI, u"RTSuccess", u"RTInstance ahRasterizer"),
    Method(u"GetActorList", GetActorList, game::kGetActorList, u"RTSuccess", u"void* out oppList"),
    Method(u"AddActor", AddActor, game::kAddActor, u"RTSuccess", u"void* apWrapper"),
    Method(u"RemoveActor", RemoveActor, game::kRemoveActor, u"RTSuccess", u"void* apWrapper"),
    Method(u"AddNode", Recorded<kAddNode, RTInstance>, game::kAddNode, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"RemoveNode", RemoveNode, game::kRemoveNode, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"FXActorRemove", Recorded<kFXActorRemove, RTTeskActorWrapper*>, game::kFXActorRemove, u"RTSuccess", u"void* apWrapper"),
    Method(u"RemovePatientC", Recorded<kRemovePatientC, RTTeskActorWrapper*>, game::kRemovePatientC, u"RTSuccess", u"void* apWrapper"),
    Method(u"GetPlayerEntity", GetPlayerEntity, game::kGetPlayerEntity, u"RTSuccess", u"RTInstance out ophBody"),
    Method(u"GetCurrentTime", GetCurrentTime, game::kGetCurrentTime, u"RTSuccess", u""),
    Method(u"GetCurrentTimeC", GetCurrentTimeC, game::kGetCurrentTimeC, u"RTSuccess", u"float out opTime"),
    Method(u"GetGameTimeC", GetGameTimeC, game::kGetGameTimeC, u"RTSuccess", u"float out opTime"),
    Method(u"GetPathfindingObject", GetPathfindingObject, game::kGetPathfindingObject, u"RTSuccess",
           u"uint aKind, RTInstance out ophPlanner"),
    Method(u"ResolveSceneHandle", ResolveSceneHandle, game::kResolveSceneHandle, u"RTSuccess",
           u"uint aHandle, RTInstance out ophObject"),
    Method(u"StepFrame", StepFrame, standin::kStepFrame, u"RTSuccess", u""),
    Method(u"IssueSceneHandle", IssueSceneHandle, standin::kIssueSceneHandle, u"RTSuccess",
           u"RTInstance ahNode, uint out opHandle"),
    Method(u"SetVM", SetVM, standin::kSetVM, u"RTSuccess", u"void* apVM"),
    Method(u"SetSceneTree", SetSceneTree, standin::kSetSceneTree, u"RTSuccess", u"RTInstance ahSceneTree"),
    Method(u"SetClock", SetClock, standin::kSetClock, u"RTSuccess", u"float aSeconds"),
    Method(u"SetPlayerEntity", SetPlayerEntity, standin::kSetPlayerEntity, u"RTSuccess", u"RTInstance ahBody"),
    Method(u"LoadEnvironment", LoadEnvironment, standin::kLoadEnvironment, u"RTSuccess", u"wchar[] apName"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = game::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"A stand-in for the game, for tools and tests that need scene trees and characters before the "
                   u"game exists",
    .objectSize = kStateWord + 4,
    .slotTableSize = standin::kSlotTableSize,
    .firstSlotTableOffset = game::kLevel,
    .secondSlotTableOffset = kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
