// Path planning between the two rooms of the test environment: the direct path on a free line, the
// route planner's path otherwise, every failure with the references it touched given back, ReplanPath
// and MoveTo's planning branch, and the search for a character near a point.
#include "path_planning.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "navigation_fixture.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace actortest;
using kivo::PathPoint;
namespace calls = kivo::actor;

class Planning : public NavigationTest {
 protected:
  RTSuccess Plan(RTTeskActorWrapper* w, RTFVector3D goal, int32_t kind = -1) {
    return tesk::actor::PlanPath(controller(), actor(), *w, &goal, kind);
  }
  // x, y, z and width of each node.
  static std::vector<std::vector<float>> Nodes(const std::vector<PathPoint>& path) {
    std::vector<std::vector<float>> nodes;
    for (const PathPoint& p : path) nodes.push_back({p.x, p.y, p.z, p.width});
    return nodes;
  }
  // The route the graph gives from its first node to its last, with the ends replaced.
  static std::vector<std::vector<float>> Route(RTFVector3D from, RTFVector3D to) {
    std::vector<std::vector<float>> nodes;
    for (const GraphNode& n : kNodes) nodes.push_back({n.x, 0.0f, n.z, n.width});
    nodes.front() = {from.x, from.y, from.z, nodes.front()[3]};
    nodes.back() = {to.x, to.y, to.z, nodes.back()[3]};
    return nodes;
  }
  static float RouteLength() {
    float length = 0.0f;
    for (size_t i = 1; i < std::size(kNodes); ++i)
      length += std::hypot(kNodes[i].x - kNodes[i - 1].x, kNodes[i].z - kNodes[i - 1].z);
    return length;
  }

  int objects_[4] = {};
};

TEST_F(Planning, FreeLinesGoDirectAndBlockedOnesTakeThePlannersRoute) {
  RTTeskActorWrapper* w = Place(&objects_[0], At(-4, 0, 2));
  ASSERT_NE(w, nullptr);
  const std::vector<std::vector<float>> direct = {{-4, 0, 2, 0.25f}, {-2, 0, 2, 0.25f}};
  const struct {
    const char* what;
    RTFVector3D from, goal;
    uint32_t alwaysPlan;
    std::vector<std::vector<float>> nodes;
    float length;
  } cases[] = {
      {"a free line, the goal given with a height", At(-4, 0, 2), At(-2, 1.5f, 2), 0, direct, 2.0f},
      {"the cabinet beyond the goal",
       At(-4, 0, -2.5f),
       At(-3.6f, 0, -2.5f),
       0,
       {{-4, 0, -2.5f, 0.25f}, {-3.6f, 0, -2.5f, 0.25f}},
       0.4f},
      {"the wall between the rooms", At(-3, 0, 2.5f), At(3, 0, 2.5f), 0, Route(At(-3, 0, 2.5f), At(3, 0, 2.5f)),
       RouteLength()},
      // Both ends lie nearest the graph's first node: a route of one point, its width on both nodes.
      {"always planning, on a free line", At(-4, 0, 2), At(-2, 0, 2), 1, {{-4, 0, 2, 0.5f}, {-2, 0, 2, 0.5f}}, 0.0f},
  };
  for (const auto& c : cases) {
    MoveTo(w, &objects_[0], c.from);
    w->PlanPathOption = c.alwaysPlan;
    w->BrakeAtGoal = 0;
    w->MoveAnimation = 1;
    w->PathNode = 3;
    ASSERT_EQ(Plan(w, c.goal), kRTSuccess) << c.what;
    EXPECT_EQ(Nodes(Path(w)), c.nodes) << c.what;
    EXPECT_FLOAT_EQ(w->PathLength, c.length) << c.what;
    EXPECT_EQ(std::make_tuple(w->Goal.x, w->Goal.y, w->Goal.z), std::make_tuple(c.goal.x, 0.0f, c.goal.z)) << c.what;
    EXPECT_EQ(std::make_tuple(w->BrakeAtGoal, w->MoveAnimation, w->PathNode), std::make_tuple(1u, 0u, 0u)) << c.what;
  }
}

TEST_F(Planning, AnActorOffFootAlwaysPlansOnItsModesGraph) {
  RTTeskActorWrapper* w = Place(&objects_[0], At(-4, 0, 2));
  ASSERT_NE(w, nullptr);
  w->VehicleMode = 7;  // plans on kind 3, which the environment lacks
  EXPECT_EQ(Plan(w, At(-2, 0, 2)), kRTFailure);
  EXPECT_EQ(w->PlanPathOption, 1u);
  EXPECT_EQ(w->PathPointCount, 0u);
  EXPECT_EQ(Plan(w, At(-2, 0, 2), 0), kRTSuccess) << "the caller's kind wins";
}

TEST_F(Planning, KindsFollowTheCallerTheModeAndTheRoom) {
  const struct {
    int32_t caller;
    uint32_t mode;
    int32_t zone;
    int32_t expected;
  } cases[] = {{4, 1, -1, 4},  {-1, 3, 0, 2},  {-1, 5, 1, 6},  {-1, 3, 2, 7},   {-1, 5, 3, 9},
               {-1, 3, -1, 9}, {-1, 7, -1, 3}, {-1, 1, -1, 5}, {-1, 10, -1, 9}, {-1, 8, 0, 9}};
  for (const auto& c : cases)
    EXPECT_EQ(tesk::actor::PathfindingKind(c.caller, c.mode, c.zone, 9), c.expected)
        << c.caller << " " << c.mode << " " << c.zone;
}

TEST_F(Planning, TheRoomsGroupsComeFirstThenEveryGroup) {
  RTTeskActorWrapper* w = Place(&objects_[0], At(-3, 0, 2.5f));
  ASSERT_NE(w, nullptr);
  // No node of the graph is in group 9: only the search over every group finds the route.
  ASSERT_EQ(kivo::room::SetPathfinding(Stored(kSecondRoom), 9, 0), kRTSuccess);
  ASSERT_EQ(Plan(w, At(3, 0, 2.5f)), kRTSuccess);
  EXPECT_EQ(Nodes(Path(w)), Route(At(-3, 0, 2.5f), At(3, 0, 2.5f)));
}

TEST_F(Planning, EveryFailureGivesBackWhatItTook) {
  RTInstance first = Stored(kFirstRoom);
  RTInstance second = Stored(kSecondRoom);
  RTInstance planner = Stored(kGraph);
  kivo::InstanceRef tree;
  ASSERT_EQ(tesk::game::GetSceneTree(game(), tree.out()), kRTSuccess);
  RTTeskActorWrapper* w = Place(&objects_[0], At(-3, 0, 2.5f));
  ASSERT_NE(w, nullptr);
  RTRoutePlannerNode* graph = nullptr;
  uint32_t graphNodes = 0;
  ASSERT_EQ(kivo::route_planner::GetNodePool(planner, &graph, &graphNodes), kRTSuccess);
  ASSERT_EQ(graphNodes, std::size(kNodes));

  // The planner keeps the pathway of its last route: one from the start on.
  ASSERT_EQ(Plan(w, At(3, 0, 2.5f)), kRTSuccess);
  const char* const noContainer =
      "RTTeskActor::PlanPath(): Actor did not have a container room in order to start pathfinding.";
  const struct {
    const char* what;
    std::function<void()> before, after;
    RTFVector3D goal;
    int32_t kind;
    const char* message;
    RTSuccess planned;
    bool pathKept;
  } cases[] = {
      {"no container room", [&] { kivo::room::RemoveNode(first, w->RootNode); },
       [&] { kivo::room::AddNode(first, w->RootNode); }, At(3, 0, 2.5f), -1, noContainer, 0, true},
      {"no scene tree", [&] { tesk::game_standin::SetSceneTree(game(), nullptr); },
       [&] { tesk::game_standin::SetSceneTree(game(), tree.get()); }, At(3, 0, 2.5f), -1, nullptr, 0, true},
      {"no room at the position",
       [&] {
         const RTFVector3D outside = At(-7, 0, 2.5f);
         kivo::scene_node::SetTranslation(w->RootNode, &outside);
         kivo::tesk_scene_node::ApplyMovement(w->RootNode);
       },
       [&] {
         const RTFVector3D inside = At(-3, 0, 2.5f);
         kivo::scene_node::SetTranslation(w->RootNode, &inside);
         kivo::tesk_scene_node::ApplyMovement(w->RootNode);
       },
       At(3, 0, 2.5f), -1,
       "RTTeskActor::PlanPath(): The current actor position of <-7.00, 0.00, 2.50> is not in a valid room.", 1, false},
      {"no room at the goal", [] {}, [] {}, At(9, 0, 2.5f), -1,
       "RTTeskActor::PlanPath(): Unable to get room at the goal position <9.00, 0.00, 2.50>.", 0, true},
      {"no planner of the kind", [] {}, [] {}, At(3, 0, 2.5f), 4, nullptr, 0, false},
      {"no route in the groups nor in every group", [&] { graph[2].blocked = 1; }, [&] { graph[2].blocked = 0; },
       At(3, 0, 2.5f), -1, nullptr, 0, false},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Plan(w, At(-2, 0, 2)), kRTSuccess) << c.what;  // the old path
    const std::vector<PathPoint> old = Path(w);
    const uint32_t counts[] = {RefCount(tree.get()), RefCount(first), RefCount(second), RefCount(planner),
                               Alive(kivo::path_follower::kClassName)};
    const size_t logged = c.message ? Logged(c.message) : 0;
    c.before();
    EXPECT_EQ(Plan(w, c.goal, c.kind), c.planned) << c.what;
    c.after();
    if (c.message) {
      EXPECT_EQ(Logged(c.message), logged + 1) << c.what;
    }
    if (c.pathKept) {
      ASSERT_EQ(Path(w).size(), old.size()) << c.what;
      EXPECT_EQ(Path(w)[1].x, old[1].x) << c.what;
    } else if (!c.planned) {
      EXPECT_EQ(std::make_tuple(w->PathPointCount, w->PathPoints), std::make_tuple(0u, nullptr)) << c.what;
    }
    const uint32_t after[] = {RefCount(tree.get()), RefCount(first), RefCount(second), RefCount(planner),
                              Alive(kivo::path_follower::kClassName)};
    for (size_t i = 0; i < std::size(counts); ++i) EXPECT_EQ(after[i], counts[i]) << c.what << ", count " << i;
  }
}

TEST_F(Planning, ReplanningToAnUnreachableGoalLeavesNoPath) {
  RTTeskActorWrapper* w = Place(&objects_[0], At(-3, 0, 2.5f));
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(Plan(w, At(3, 0, 2.5f)), kRTSuccess);
  Cell result{};
  ASSERT_EQ(Call(calls::kReplanPath, &objects_[0], {}, &result), kRTSuccess);
  EXPECT_EQ(result.value.number, 1);
  RTRoutePlannerNode* graph = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(kivo::route_planner::GetNodePool(Stored(kGraph), &graph, &count), kRTSuccess);
  graph[2].blocked = 1;
  ASSERT_EQ(Call(calls::kReplanPath, &objects_[0], {}, &result), kRTSuccess);
  EXPECT_EQ(result.value.number, 0);
  EXPECT_EQ(w->PathPointCount, 0u);
  graph[2].blocked = 0;
}

TEST_F(Planning, MoveToPlansTowardTheGoalScatteredByTheRadius) {
  RTTeskActorWrapper* w = Place(&objects_[0], At(-4, 0, 2));
  ASSERT_NE(w, nullptr);
  RTFVector3D goal = At(-2, 0, 2);
  Cell result{};
  ASSERT_EQ(Call(calls::kMoveTo, &objects_[0], {VectorCell(&goal), Number(0), Real(0), Number(0)}, &result),
            kRTSuccess);
  EXPECT_EQ(result.value.number, 1);
  EXPECT_EQ(Nodes(Path(w)), (std::vector<std::vector<float>>{{-4, 0, 2, 0.25f}, {-2, 0, 2, 0.25f}}));
  EXPECT_EQ(w->CanMove, 1u);

  ASSERT_EQ(Call(calls::kMoveTo, &objects_[0], {VectorCell(&goal), Number(0), Real(1), Number(0)}, &result),
            kRTSuccess);
  EXPECT_EQ(result.value.number, 1);
  EXPECT_NEAR(std::hypot(w->Goal.x - goal.x, w->Goal.z - goal.z), 1.0f, 1e-5f) << "one unit from the goal";

  RTFVector3D away = At(9, 0, 2);
  ASSERT_EQ(Call(calls::kMoveTo, &objects_[0], {VectorCell(&away), Number(0), Real(0), Number(0)}, &result),
            kRTSuccess);
  EXPECT_EQ(result.value.number, 0) << "no room at the goal";
}

TEST_F(Planning, AnActorIsNearAPointOnlyStrictlyWithinBothRadii) {
  RTTeskActorWrapper* near = Place(&objects_[0], At(-4, 0, 0));
  RTTeskActorWrapper* nearer = Place(&objects_[1], At(-4, 0, 0.5f));
  ASSERT_TRUE(near && nearer);
  near->Radius = nearer->Radius = 0.5f;
  kivo::List* found = nullptr;
  ASSERT_EQ(kivo::ListCreate(&found), kRTSuccess);
  const RTFVector3D point = At(-4, 0, 1.5f);
  EXPECT_EQ(tesk::actor::FindActorNearPoint(controller(), actor(), point, 0.5f, found), kRTFailure)
      << "the nearer one stands at 0.5 + 0.5 exactly";
  EXPECT_EQ(found->count, 0u);
  // Both stand within 2.0 + 0.5: the first filed around the point is found.
  kivo::InstanceRef tree;
  ASSERT_EQ(tesk::game::GetSceneTree(game(), tree.out()), kRTSuccess);
  kivo::List* filed = nullptr;
  ASSERT_EQ(tesk::scene_tree::QTQueryRadiusByPoint(tree.get(), &point, 2.0f, &filed), kRTSuccess);
  ASSERT_GE(filed->count, 2u);
  void* first = nullptr;
  kivo::tesk_scene_node::GetScriptObject(static_cast<RTInstance>(filed->first->data), &first);
  EXPECT_EQ(tesk::actor::FindActorNearPoint(controller(), actor(), point, 2.0f, found), kRTSuccess);
  ASSERT_EQ(found->count, 1u);
  EXPECT_EQ(found->first->data, WrapperOf(first));
  kivo::ListDestroy(found);
}

}  // namespace
