// The stand-in for the game component: see game_standin_calls.h.
#include "kivo/support/component_kit.h"
#include "tesk/game_standin_calls.h"

namespace {

using namespace kivo;
namespace game = tesk::game;
namespace standin = tesk::game_standin;

constexpr uint32_t kOwnTable = game::kLevel + 4;
constexpr uint32_t kStateWord = game::kLevel + 8;

struct GameState {
  void* vm = nullptr;
  RTInstance sceneTree = nullptr;  // one reference held
};

GameState* StateOf(RTInstance self) { return StateIn<GameState>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<GameState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (GameState* game = StateOf(self); game && game->sceneTree) ModuleCore()->ReleaseInstance(nullptr, game->sceneTree);
  EndState<GameState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess GetVM(RTInstance self, void** vm) {
  GameState* game = StateOf(self);
  if (!game || !vm) return kRTFailure;
  *vm = game->vm;
  return kRTSuccess;
}

RTSuccess GetSceneTree(RTInstance self, RTInstance* tree) {
  GameState* game = StateOf(self);
  if (!game || !tree) return kRTFailure;
  *tree = game->sceneTree;
  return game->sceneTree ? ModuleCore()->ResolveHandle(nullptr, game->sceneTree) : kRTSuccess;
}

RTSuccess RenderAOI(RTInstance, RTInstance) {
  ModuleCore()->DebugPrint(nullptr, u"RTTeskGame.RenderAOI()");
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
  if (!game || (tree && !ModuleCore()->ResolveHandle(nullptr, tree))) return kRTFailure;
  if (game->sceneTree) ModuleCore()->ReleaseInstance(nullptr, game->sceneTree);
  game->sceneTree = tree;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetVM", GetVM, game::kGetVM, u"RTSuccess", u"void* out oppVM"),
    Method(u"GetSceneTree", GetSceneTree, game::kGetSceneTree, u"RTSuccess", u"RTInstance out ophSceneTree"),
    Method(u"RenderAOI", RenderAOI, game::kRenderAOI, u"RTSuccess", u"RTInstance ahRasterizer"),
    Method(u"SetVM", SetVM, standin::kSetVM, u"RTSuccess", u"void* apVM"),
    Method(u"SetSceneTree", SetSceneTree, standin::kSetSceneTree, u"RTSuccess", u"RTInstance ahSceneTree"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = game::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"A stand-in for the game, for tools and tests that need scene trees before the game exists",
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
