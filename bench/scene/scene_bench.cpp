// Over 20 rooms of a 5 x 4 grid of 10 x 10 rooms (an L-shaped one among them):
// - the room under a point: the scene tree's GetRoomByPoint through its quad tree against the
//   anchor that runs every room's point test in list order (skipping rooms out of lookups or
//   disabled), for 10^5 random points;
// - a frame's transform update: UpdateTransforms over 200 moving and 2000 still nodes spread over
//   the rooms (the movers set a new translation each frame, as the actors do), against the anchor
//   that makes the same matrix products and translation steps over a flat array with GLM.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <random>
#include <string>
#include <vector>

#include "common/room_grid.h"
#include "host/core_host.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "kivo/support/module_core.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace kivo;

constexpr uint32_t kColumns = 5;
constexpr uint32_t kRows = 4;
constexpr float kSide = 10.0f;
constexpr size_t kPoints = 100000;
constexpr uint32_t kMoversPerRoom = 10;
constexpr uint32_t kStillPerRoom = 100;
constexpr uint32_t kMovingKind = 5;
constexpr float kStep = 0.05f;  // each mover sways this far and back, frame by frame

struct Level {
  InstanceRef tree;
  std::vector<InstanceRef> rooms;
  std::vector<RTFVector3D> points;
  std::vector<InstanceRef> movers;
  std::vector<RTFVector3D> moverHomes;
};

tesk::testing::CoreHost& Host() {
  static tesk::testing::CoreHost* host = [] {
    auto* started = new tesk::testing::CoreHost();
    for (const char* name : {"RTEditable", "RTRenderable", "RTSceneNode", "RTTeskSceneNode", "RTBrellinRoom",
                             "RTTeskSceneTree", "RTVarno"})
      started->InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    std::filesystem::create_symlink(RASTERIZER_PIX, started->root() / "components/rtrasterizer.so");
    started->InstallComponent(GAME_STANDIN);
    if (!started->Start()) std::abort();
    SetModuleCore(&started->table());
    return started;
  }();
  return *host;
}

// A node of the kind placed at the point in the room, listed in the room and the quad tree.
InstanceRef AddNode(const Level& level, RTInstance room, const RTFVector3D& at, uint32_t kind) {
  InstanceRef node;
  Host().table().CreateInstanceByString(nullptr, tesk_scene_node::kClassName, node.out(), 0, 1);
  scene_node::SetTranslation(node.get(), &at);
  tesk_scene_node::SetStateWord(node.get(), tesk_scene_node::WithKind(0, kind));
  tesk::scene_tree::AddNodeToRoom(level.tree.get(), room, node.get());
  return node;
}

// Still and moving nodes at random points of each room (inside its grid square).
void AddNodes(Level& level) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> within(1.0f, kSide - 1.0f);
  for (uint32_t i = 0; i < level.rooms.size(); ++i) {
    const float x = (i % kColumns) * kSide, z = (i / kColumns) * kSide;
    for (uint32_t n = 0; n < kStillPerRoom + kMoversPerRoom; ++n) {
      const RTFVector3D at{x + within(random), 0, z + within(random), 0};
      const bool mover = n < kMoversPerRoom;
      InstanceRef node = AddNode(level, level.rooms[i].get(), at, mover ? kMovingKind : 0);
      if (!mover) continue;
      level.movers.push_back(std::move(node));
      level.moverHomes.push_back(at);
    }
  }
}

Level& TheLevel() {
  static Level* level = [] {
    CoreTable& core = Host().table();
    auto* made = new Level;
    core.CreateInstanceByString(nullptr, tesk::scene_tree::kClassName, made->tree.out(), 0, 1);
    made->rooms = tesk::bench::AddRoomGrid(core, made->tree.get(), {kColumns, kRows, kSide});
    // The room at column 2 of row 1 is L-shaped: a 6 x 6 corner is cut off its far side.
    const float x = 2 * kSide, z = 1 * kSide;
    const RTFVector3D lShape[] = {{x, 0, z, 0},         {x + kSide, 0, z, 0},     {x + kSide, 0, z + 4, 0},
                                  {x + 4, 0, z + 4, 0}, {x + 4, 0, z + kSide, 0}, {x, 0, z + kSide, 0}};
    room::SetFootprint(made->rooms[1 * kColumns + 2].get(), lShape, 6);
    tesk::scene_tree::UpdateQuadTree(made->tree.get());
    AddNodes(*made);
    std::mt19937 random(18);
    std::uniform_real_distribution<float> across(-5.0f, kColumns * kSide + 5.0f), height(0.0f, 3.0f);
    for (size_t i = 0; i < kPoints; ++i) made->points.push_back({across(random), height(random), across(random), 0});
    return made;
  }();
  return *level;
}

void BM_RoomByPoint_Tesk(benchmark::State& state) {
  Level& level = TheLevel();
  CoreTable& core = Host().table();
  size_t found = 0;
  for (auto _ : state) {
    for (const RTFVector3D& point : level.points) {
      RTInstance room = nullptr;
      if (tesk::scene_tree::GetRoomByPoint(level.tree.get(), &point, &room)) {
        ++found;
        core.ReleaseInstance(nullptr, room);
      }
    }
  }
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_RoomByPoint_Tesk)->Unit(benchmark::kMillisecond);

void BM_RoomByPoint_Anchor(benchmark::State& state) {
  Level& level = TheLevel();
  CoreTable& core = Host().table();
  size_t found = 0;
  for (auto _ : state) {
    for (const RTFVector3D& point : level.points) {
      for (const InstanceRef& candidate : level.rooms) {
        uint32_t flags = 0;
        if (!room::ContainsPoint(candidate.get(), &point) || !room::GetFlags(candidate.get(), &flags) ||
            (flags & (room::kOutOfQuadTree | room::kDisabled)))
          continue;
        core.ResolveHandle(nullptr, candidate.get());
        ++found;
        core.ReleaseInstance(nullptr, candidate.get());
        break;
      }
    }
  }
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_RoomByPoint_Anchor)->Unit(benchmark::kMillisecond);

float Sway(uint64_t frame) { return frame % 2 ? kStep : 0.0f; }

void BM_UpdateTransforms_Tesk(benchmark::State& state) {
  Level& level = TheLevel();
  uint64_t frame = 0;
  for (auto _ : state) {
    ++frame;
    for (size_t i = 0; i < level.movers.size(); ++i) {
      const RTFVector3D& home = level.moverHomes[i];
      const RTFVector3D to{home.x + Sway(frame), home.y, home.z, 0};
      scene_node::SetTranslation(level.movers[i].get(), &to);
    }
    tesk::scene_tree::UpdateTransforms(level.tree.get(), static_cast<uint32_t>(frame * 33));
  }
  state.SetItemsProcessed(state.iterations() * level.rooms.size() * (kStillPerRoom + kMoversPerRoom));
}
BENCHMARK(BM_UpdateTransforms_Tesk)->Unit(benchmark::kMicrosecond);

// The nodes as the anchor keeps them: placements, world matrices and pending movement side by side.
struct FlatNodes {
  std::vector<glm::mat4> local;
  std::vector<glm::mat4> world;
  std::vector<glm::vec3> movement;
  std::vector<glm::vec3> homes;  // of the movers, which come first
};

FlatNodes& TheFlatNodes() {
  static FlatNodes* flat = [] {
    auto* made = new FlatNodes;
    const Level& level = TheLevel();
    const size_t count = level.rooms.size() * (kStillPerRoom + kMoversPerRoom);
    made->local.assign(count, glm::mat4(1.0f));
    made->world.assign(count, glm::mat4(1.0f));
    made->movement.assign(count, glm::vec3(0.0f));
    for (size_t i = 0; i < level.moverHomes.size(); ++i) {
      const RTFVector3D& home = level.moverHomes[i];
      made->homes.emplace_back(home.x, home.y, home.z);
      made->local[i][3] = glm::vec4(made->homes.back(), 1.0f);
    }
    return made;
  }();
  return *flat;
}

void BM_UpdateTransforms_Anchor(benchmark::State& state) {
  FlatNodes& flat = TheFlatNodes();
  const glm::mat4 parent(1.0f);
  uint64_t frame = 0;
  for (auto _ : state) {
    ++frame;
    for (size_t i = 0; i < flat.homes.size(); ++i)
      flat.movement[i] = flat.homes[i] + glm::vec3(Sway(frame), 0, 0) - glm::vec3(flat.local[i][3]);
    for (size_t i = 0; i < flat.local.size(); ++i) {
      if (glm::dot(flat.movement[i], flat.movement[i]) > 1e-12f) {
        flat.local[i][3] += glm::vec4(flat.movement[i], 0.0f);
        flat.movement[i] = glm::vec3(0.0f);
      }
      flat.world[i] = parent * flat.local[i];
    }
    benchmark::DoNotOptimize(flat.world.data());
  }
  state.SetItemsProcessed(state.iterations() * flat.local.size());
}
BENCHMARK(BM_UpdateTransforms_Anchor)->Unit(benchmark::kMicrosecond);

}  // namespace
