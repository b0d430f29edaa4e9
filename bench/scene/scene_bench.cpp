// The room under a point: the scene tree's GetRoomByPoint through its quad tree against the anchor
// that runs every room's point test in list order (skipping rooms out of lookups or disabled), over
// 20 rooms of a 5 x 4 grid of 10 x 10 rooms (an L-shaped one among them) and 10^5 random points.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "host/core_host.h"
#include "kivo/scene/room_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace kivo;

constexpr uint32_t kColumns = 5;
constexpr uint32_t kRows = 4;
constexpr float kSide = 10.0f;
constexpr size_t kPoints = 100000;

struct Level {
  InstanceRef tree;
  std::vector<InstanceRef> rooms;
  std::vector<RTFVector3D> points;
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

Level& TheLevel() {
  static Level* level = [] {
    CoreTable& core = Host().table();
    auto* made = new Level;
    core.CreateInstanceByString(nullptr, tesk::scene_tree::kClassName, made->tree.out(), 0, 1);
    for (uint32_t row = 0; row < kRows; ++row) {
      for (uint32_t column = 0; column < kColumns; ++column) {
        InstanceRef room;
        core.CreateInstanceByString(nullptr, room::kClassName, room.out(), 0, 1);
        const float x = column * kSide, z = row * kSide;
        const RTFVector3D min{x, 0, z, 0}, max{x + kSide, 3, z + kSide, 0};
        std::vector<RTFVector3D> outline = {
            {x, 0, z, 0}, {x + kSide, 0, z, 0}, {x + kSide, 0, z + kSide, 0}, {x, 0, z + kSide, 0}};
        if (row == 1 && column == 2)
          outline = {{x, 0, z, 0},         {x + kSide, 0, z, 0},     {x + kSide, 0, z + 4, 0},
                     {x + 4, 0, z + 4, 0}, {x + 4, 0, z + kSide, 0}, {x, 0, z + kSide, 0}};
        room::SetBoundingBox(room.get(), &min, &max);
        room::SetFootprint(room.get(), outline.data(), static_cast<uint32_t>(outline.size()));
        tesk::scene_tree::AddRoom(made->tree.get(), room.get());
        made->rooms.push_back(std::move(room));
      }
    }
    tesk::scene_tree::UpdateQuadTree(made->tree.get());
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

}  // namespace
