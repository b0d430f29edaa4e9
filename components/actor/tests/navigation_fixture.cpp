#include "navigation_fixture.h"

#include <cmath>
#include <iterator>
#include <string>

#include "actor_frame.h"
#include "kivo/support/component_kit.h"
#include "platform/utf.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::actor {

// The controller's record, found as the component finds it.
ActorControllerData* StateOf(RTInstance actor) {
  return kivo::StateIn<ActorControllerData>(actor, kivo::actor::kStateWord);
}

}  // namespace tesk::actor

namespace actortest {

namespace {

std::string Room(const std::string& path, const std::string& box, const std::string& footprint, int opening,
                 const std::string& neighbour, int group, const std::string& nodes) {
  return R"({"path": ")" + path + R"(", "class": "RTBrellinRoom", "room": {"box": )" + box + ", " + R"("footprint": )" +
         footprint + R"(, "openings": [)" + std::to_string(opening) + R"(], "neighbours": [")" + neighbour +
         R"("], "pathfindingGroup": )" + std::to_string(group) + R"(, "pathfindingKind": 0, "nodes": [)" + nodes +
         "]}}";
}

std::string Graph() {
  std::string nodes, edges;
  for (size_t i = 0; i < std::size(kNodes); ++i) {
    const GraphNode& n = kNodes[i];
    nodes += (i ? ", " : "") + std::string(R"({"position": [)") + std::to_string(n.x) + ", 0, " + std::to_string(n.z) +
             R"(], "width": )" + std::to_string(n.width) + R"(, "group": )" + std::to_string(n.group) + "}";
    if (i > 0) {
      const float dx = n.x - kNodes[i - 1].x, dz = n.z - kNodes[i - 1].z;
      edges += (i > 1 ? ", " : "") + std::string(R"({"nodes": [)") + std::to_string(i - 1) + ", " + std::to_string(i) +
               R"(], "cost": )" + std::to_string(std::sqrt(dx * dx + dz * dz)) + "}";
    }
  }
  return R"({"path": ")" + std::string(kGraph) + R"(", "class": "RTRoutePlanner", "graph": {"nodes": [)" + nodes +
         R"(], "edges": [)" + edges + "]}}";
}

}  // namespace

RTFVector3D At(float x, float y, float z) { return RTFVector3D{x, y, z, 0.0f}; }

Cell VectorCell(RTFVector3D* v) {
  Cell cell{};
  cell.type = varno::kTypeVector3;
  cell.value.vector = v;
  return cell;
}

std::string NavigationTest::MoreInstances() const {
  const std::string cabinet =
      R"({"name": "Cabinet", "position": [-3, 0, -2.5], "obstacle": [[-0.2, 0, -0.2], [0.2, 1, 0.2]]})";
  return R"({"path": "Root:Tesk_Test:Assets:TeskSceneTrees:TeskSceneTree1", "class": "RTTeskSceneTree",
             "sceneTree": {"rooms": [")" +
         std::string(kFirstRoom) + R"(", ")" + kSecondRoom + R"("]}},
)" +
         Room(kFirstRoom, "[[-6, 0, -4], [0, 3, 4]]", "[[-6, -4], [0, -4], [0, -1], [0, 1], [0, 4], [-6, 4]]", 2,
              "BrellinRoom2", 1, cabinet) +
         ",\n" +
         Room(kSecondRoom, "[[0, 0, -4], [6, 3, 4]]", "[[0, -4], [6, -4], [6, 4], [0, 4], [0, 1], [0, -1]]", 4,
              "BrellinRoom1", 2, "") +
         ",\n" + Graph();
}

void NavigationTest::InstallMore(tesk::testing::CoreHost& host) {
  for (const char* name : {"RTPathfinding", "RTSteerPathway", "RTRoutePlanner", "RTPathFollower"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  WrapperTest::InstallMore(host);
}

void NavigationTest::SetUp() {
  WrapperTest::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_EQ(tesk::game_standin::LoadEnvironment(game(), kEnvironment), kRTSuccess) << host_.ErrorLog();
}

void NavigationTest::TearDown() {
  held_.clear();
  WrapperTest::TearDown();
}

tesk::actor::ActorControllerData& NavigationTest::actor() { return *tesk::actor::StateOf(controller()); }

RTTeskActorWrapper* NavigationTest::Place(void* object, RTFVector3D at) {
  EXPECT_EQ(Create(object, u"Doctor"), kRTSuccess);
  RTTeskActorWrapper* w = WrapperOf(object);
  if (!w) return nullptr;
  MoveTo(w, object, at);
  tesk::actor::SetHeading(&w->Frame, At(1, 0, 0));
  return w;
}

void NavigationTest::MoveTo(RTTeskActorWrapper*, void* object, RTFVector3D at) {
  EXPECT_EQ(Call(kivo::actor::kSetPosition, object, {VectorCell(&at)}), kRTSuccess);
  kivo::InstanceRef tree;
  tesk::game::GetSceneTree(game(), tree.out());
  tesk::scene_tree::UpdateTransforms(tree.get(), 0);
}

RTInstance NavigationTest::Stored(const char* path) {
  kivo::InstanceRef instance;
  const std::u16string wide = platform::FromUtf8(path);
  EXPECT_EQ(core().GetInstanceByName(nullptr, wide.c_str(), instance.out(), 0), kRTSuccess) << path;
  held_.push_back(std::move(instance));
  return held_.back().get();
}

std::vector<kivo::PathPoint> NavigationTest::Path(const RTTeskActorWrapper* w) const {
  if (!w->PathPoints) return {};
  return std::vector<kivo::PathPoint>(w->PathPoints, w->PathPoints + w->PathPointCount);
}

}  // namespace actortest
