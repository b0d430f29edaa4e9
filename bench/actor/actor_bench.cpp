// One game frame of walking actors, against the frame budget: 20, 50, 100 and 200 actors walking
// lanes in a generated scene of six rooms (3 x 2 rooms of 10 x 10), each frame moving every actor
// by the game clock (RTTeskActor's ProcessC, measured), then the scene tree's transform update
// (not measured: scene_bench has it).
// - a frame of 1/60 s: one remainder sub-step per actor;
// - a 5.0 s hitch: 166 whole sub-steps and one remainder per actor.
// The anchor ActorFrame_Anchor is the budget as manual time: 10 us per actor sub-step (2 ms for a
// frame of 200 walkers). Each frame's heap allocations (malloc calls, also those of the core's
// allocator) are counted once the actors are warm; they should be 0. Actors that reach the end of
// their lane are sent back between frames, outside the measured time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "common/allocation_counter.h"
#include "common/room_grid.h"
#include "host/core_host.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/navigation/navigation_calls.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "kivo/varno_controller/varno_controller_calls.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"
#include "varno/call_cells.h"

namespace {

using namespace kivo;
namespace calls = kivo::actor;

constexpr std::string_view kComponents[] = {
    "RTComponent",     "RTStream",    "RTMemoryStream",    "RTBrellinFileStream", "RTResource",
    "RTInstanceStore", "RTVarno",     "RTVarnoController", "RTTeskTimer",         "RTTeskActor",
    "RTFont",          "RTImage",     "RTEditable",        "RTAnimTrack",         "RTRenderable",
    "RTPolyModel",     "RTMaterial",  "RTBoneModel",       "RTTeskSkin",          "RTRigid",
    "RTArticulated",   "RTSceneNode", "RTTeskSceneNode",   "RTParticleSystem",    "RTBrellinRoom",
    "RTTeskSceneTree"};
constexpr uint32_t kColumns = 3;
constexpr uint32_t kRows = 2;
constexpr float kSide = 10.0f;
constexpr uint32_t kLanesPerRoom = 11;  // 0.8 apart along z
constexpr float kLaneStart = 1.0f;      // from the room's edge in x
constexpr float kLaneEnd = 9.0f;
constexpr double kBudgetPerSubStep = 10e-6;  // seconds
constexpr float kFrame = 1.0f / 60.0f;
constexpr float kHitch = 5.0f;

tesk::testing::CoreHost& Host() {
  static tesk::testing::CoreHost* host = [] {
    auto* started = new tesk::testing::CoreHost(kComponents);
    std::filesystem::create_symlink(RASTERIZER_PIX, started->root() / "components/rtrasterizer.so");
    started->InstallComponent(GAME_STANDIN);
    std::filesystem::create_directories(started->root() / "store");
    std::filesystem::create_symlink(SAMPLE_STORE, started->root() / "store/root.kivopack");
    if (!started->Start()) std::abort();
    SetModuleCore(&started->table());
    return started;
  }();
  return *host;
}

struct Walker {
  int object = 0;  // the script object stands for itself: the controller only maps it
  RTTeskActorWrapper* wrapper = nullptr;
  float laneZ = 0;
  float roomX = 0;
};

struct Scene {
  InstanceRef game;
  InstanceRef tree;
  std::vector<InstanceRef> rooms;
  InstanceRef controller;
  std::vector<Walker*> walkers;
  float clock = 0;
};

Scene& TheScene() {
  static Scene* scene = [] {
    CoreTable& core = Host().table();
    auto* made = new Scene;
    core.GetFirstInstanceByString(nullptr, tesk::game::kClassName, made->game.out(), 1, nullptr);
    core.CreateInstanceByString(nullptr, tesk::scene_tree::kClassName, made->tree.out(), 0, 1);
    made->rooms = tesk::bench::AddRoomGrid(core, made->tree.get(), {kColumns, kRows, kSide});
    tesk::scene_tree::UpdateQuadTree(made->tree.get());
    tesk::game_standin::SetSceneTree(made->game.get(), made->tree.get());
    core.CreateInstanceByString(nullptr, calls::kClassName, made->controller.out(), 0, 0);
    return made;
  }();
  return *scene;
}

RTSuccess CallScript(RTInstance controller, varno::NativeMethodSlot slot, void* object, varno::RTVarnoCallArg* argument) {
  varno::RTVarnoCallArg result{};
  return CallMethod(controller, calls::kLevel, slot, static_cast<varno::RTVarnoSymbol*>(object), argument ? 1u : 0u,
                    argument, &result, nullptr);
}

RTFVector3D PositionOf(const RTTeskActorWrapper& w) {
  return RTFVector3D{w.Frame.m[3][0], w.Frame.m[3][1], w.Frame.m[3][2], 1};
}

// Sends the walker from where it stands to the far end of its lane.
void SendOff(RTInstance controller, Walker& walker) {
  RTTeskActorWrapper& w = *walker.wrapper;
  const RTFVector3D at = PositionOf(w);
  const float middle = walker.roomX + (kLaneStart + kLaneEnd) * 0.5f;
  const float endX = walker.roomX + (at.x < middle ? kLaneEnd : kLaneStart);
  w.PathPoints[0] = PathPoint{at.x, 0, at.z, 1, 0.25f};
  w.PathPoints[1] = PathPoint{endX, 0, walker.laneZ, 1, 0.25f};
  w.PathNode = w.PathSegment = 0;
  w.Goal = RTFVector3D{endX, 0, walker.laneZ, 1};
  CallScript(controller, calls::kFinalizePath, &walker.object, nullptr);
}

// Walker i: room i % 6, lane (i / 6) % 11, spaced along the lane by (i / 66).
Walker* NewWalker(Scene& scene, uint32_t i) {
  auto* walker = new Walker;
  const uint32_t room = i % (kColumns * kRows);
  walker->roomX = (room % kColumns) * kSide;
  const float roomZ = (room / kColumns) * kSide;
  walker->laneZ = roomZ + 1.0f + 0.8f * ((i / (kColumns * kRows)) % kLanesPerRoom);
  const float startX = walker->roomX + kLaneStart + 2.5f * (i / (kColumns * kRows * kLanesPerRoom));
  const RTInstance controller = scene.controller.get();
  varno::RTVarnoCallArg skin{};
  skin.type = varno::kTypeString;
  skin.value.text = const_cast<char16_t*>(u"DrProto");
  if (!CallScript(controller, calls::kCreate, &walker->object, &skin)) std::abort();
  RTFVector3D at{startX, 0, walker->laneZ, 0};
  varno::RTVarnoCallArg point{};
  point.type = varno::kTypeVector3;
  point.value.vector = &at;
  CallScript(controller, calls::kSetPosition, &walker->object, &point);
  void* record = nullptr;
  varno_controller::FindNativeRecord(controller, &walker->object, &record);
  walker->wrapper = static_cast<RTTeskActorWrapper*>(record);
  walker->wrapper->PathPoints = static_cast<PathPoint*>(CoreAlloc(2 * sizeof(PathPoint)));
  walker->wrapper->PathPointCount = 2;
  SendOff(controller, *walker);
  return walker;
}

// Exactly `count` walkers, made or destroyed as needed.
void Populate(Scene& scene, uint32_t count) {
  while (scene.walkers.size() < count) scene.walkers.push_back(NewWalker(scene, scene.walkers.size()));
  while (scene.walkers.size() > count) {
    Walker* last = scene.walkers.back();
    CallMethod(scene.controller.get(), calls::kLevel, calls::kDestroy, static_cast<void*>(&last->object));
    delete last;
    scene.walkers.pop_back();
  }
}

// One frame of `elapsed` seconds: the actors' frame entry, measured and counted, then the scene
// tree's transform update that places the actors' nodes (scene_bench measures that one).
double Frame(Scene& scene, float elapsed) {
  scene.clock += elapsed;
  tesk::game_standin::SetClock(scene.game.get(), scene.clock);
  tesk::bench::StartCountingAllocations();
  const auto start = std::chrono::steady_clock::now();
  calls::ProcessC(scene.controller.get());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  tesk::bench::StopCountingAllocations();
  tesk::scene_tree::UpdateTransforms(scene.tree.get(), static_cast<uint32_t>(std::lround(scene.clock * 1000.0)));
  return seconds;
}

void Restart(Scene& scene) {
  for (Walker* walker : scene.walkers)
    if (!walker->wrapper->Moving) SendOff(scene.controller.get(), *walker);
}

// Sub-steps of one actor in a frame of the length.
uint32_t SubSteps(bool hitch) { return hitch ? 167 : 1; }

void BM_ActorFrame_Tesk(benchmark::State& state) {
  Scene& scene = TheScene();
  const auto actors = static_cast<uint32_t>(state.range(0));
  const bool hitch = state.range(1) != 0;
  const float elapsed = hitch ? kHitch : kFrame;
  Populate(scene, actors);
  // A clock of whole multiples of the hitch keeps its elapsed time exactly 5.0 (more is skipped).
  scene.clock = std::ceil(scene.clock / kHitch + 1) * kHitch - elapsed;
  // Warm: 20 s of frames, or 30 hitches, so that the neighbour lists have held as many as they will.
  const int warmFrames = hitch ? 30 : 1200;
  for (int warm = 0; warm < warmFrames; ++warm) {
    Frame(scene, elapsed);
    Restart(scene);
  }
  tesk::bench::ResetAllocationCount();
  for (auto _ : state) {
    state.SetIterationTime(Frame(scene, elapsed));
    Restart(scene);
  }
  if (tesk::bench::AllocationsCounted())
    state.counters["allocs"] =
        static_cast<double>(tesk::bench::CountedAllocations()) / static_cast<double>(state.iterations());
  state.counters["substeps"] = static_cast<double>(actors * SubSteps(hitch));
}

// The budget: 10 us per actor sub-step.
void BM_ActorFrame_Anchor(benchmark::State& state) {
  const double budget = kBudgetPerSubStep * static_cast<double>(state.range(0)) * SubSteps(state.range(1) != 0);
  for (auto _ : state) state.SetIterationTime(budget);
}

void Cases(benchmark::internal::Benchmark* b) {
  b->ArgNames({"actors", "hitch"});
  for (int hitch : {0, 1})
    for (int actors : {20, 50, 100, 200}) b->Args({actors, hitch});
  b->UseManualTime()->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_ActorFrame_Tesk)->Apply(Cases);
BENCHMARK(BM_ActorFrame_Anchor)->Apply(Cases);

}  // namespace
