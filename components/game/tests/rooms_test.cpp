// The game's room methods over a scene tree of named rooms.
#include "game_fixture.h"
#include "kivo/navigation/navigation_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/support/handle_table.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
namespace room = kivo::room;

constexpr std::string_view kSceneComponents[] = {"RTEditable",      "RTRenderable",  "RTSceneNode",
                                                 "RTTeskSceneNode", "RTBrellinRoom", "RTTeskSceneTree"};
constexpr uint32_t kClosed = 0x80;  // a restroom the script closed

class RoomMethods : public GameTest {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    GameTest::InstallMore(host);
    for (std::string_view name : kSceneComponents)
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  }
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(core().CreateInstanceByString(nullptr, tesk::scene_tree::kClassName, tree_.out(), 0, 1));
    // Borrowed: the tree holds the game, so the game holding the tree would keep both alive.
    record().sceneTree = tree_.get();
  }
  void TearDown() override {
    record().sceneTree = nullptr;
    rooms_.clear();
    tree_.Reset();
    GameTest::TearDown();
  }
  // A room of the tree with the name.
  RTInstance AddRoom(const char16_t* name) {
    kivo::InstanceRef& added = rooms_.emplace_back();
    EXPECT_TRUE(core().CreateInstanceByString(nullptr, room::kClassName, added.out(), 0, 0));
    EXPECT_TRUE(core().SetInstanceName(nullptr, added.get(), name));
    EXPECT_TRUE(tesk::scene_tree::AddRoom(tree_.get(), added.get()));
    return added.get();
  }
  uint32_t Flags(RTInstance r) {
    uint32_t flags = 0;
    EXPECT_TRUE(room::GetFlags(r, &flags));
    return flags;
  }
  uint32_t RefCount(RTInstance instance) {
    uint32_t count = 0;
    core().GetRefCount(nullptr, instance, &count);
    return count;
  }

  kivo::InstanceRef tree_;
  std::vector<kivo::InstanceRef> rooms_;
};

TEST_F(RoomMethods, GenderedRoomsCloseTheWomensForZeroTheMensForOneAndNeitherOtherwise) {
  RTInstance female = AddRoom(u"female_restroom");
  RTInstance male = AddRoom(u"male_restroom");
  const uint32_t references[] = {RefCount(female), RefCount(male)};
  struct Case {
    int32_t argument;
    bool femaleClosed;
    bool maleClosed;
  };
  for (const Case& c : {Case{0, true, false}, Case{1, false, true}, Case{2, false, false}}) {
    // Each restroom starts the other way round, with a flag of its own that the call keeps.
    room::SetFlags(female, room::kDisabled | (c.femaleClosed ? 0 : kClosed));
    room::SetFlags(male, room::kDisabled | (c.maleClosed ? 0 : kClosed));
    EXPECT_EQ(CallScript(game::kDisableGenderedRooms, {NumberCell(c.argument)}), kRTSuccess);
    EXPECT_EQ(Flags(female), room::kDisabled | (c.femaleClosed ? kClosed : 0)) << c.argument;
    EXPECT_EQ(Flags(male), room::kDisabled | (c.maleClosed ? kClosed : 0)) << c.argument;
  }
  EXPECT_EQ(RefCount(female), references[0]);
  EXPECT_EQ(RefCount(male), references[1]);
}

TEST_F(RoomMethods, AMissingRestroomFailsTheCallKeepingTheWomensChange) {
  struct Case {
    const char16_t* present;
    int32_t argument;  // closes the present room if the call gets to it
    uint32_t flagsAfter;
  };
  for (const Case& c : {Case{u"female_restroom", 0, kClosed}, Case{u"male_restroom", 1, 0}}) {
    RTInstance present = AddRoom(c.present);
    EXPECT_EQ(CallScript(game::kDisableGenderedRooms, {NumberCell(c.argument)}), kRTFailure);
    EXPECT_EQ(Flags(present), c.flagsAfter);
    ASSERT_TRUE(tesk::scene_tree::RemoveRoom(tree_.get(), present));
  }
}

// A planner over six nodes: S (group 7) to G (group 7) through A and B (group 5, the ward's) at cost
// 1 + 1 + 1, or round through D and E (group 9) at 3 + 1 + 3. The game holds it as its only graph.
class EnableRoomMethod : public RoomMethods {
 protected:
  enum Node : uint32_t { kS, kA, kB, kG, kD, kE };
  void InstallMore(tesk::testing::CoreHost& host) override {
    RoomMethods::InstallMore(host);
    for (std::string_view name : {"RTSteerPathway", "RTPathFollower"})  // the paths the planner finds
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  }
  void SetUp() override {
    RoomMethods::SetUp();
    ward_ = AddRoom(u"ward");
    ASSERT_TRUE(room::SetPathfinding(ward_, 5, 0));
    const struct {
      float x, z;
      int32_t group;
    } nodes[] = {{0, 0, 7}, {1, 0, 5}, {2, 0, 5}, {3, 0, 7}, {1, 2, 9}, {2, 2, 9}};
    std::vector<RTRoutePlannerNode> records;
    for (const auto& n : nodes) {
      RTRoutePlannerNode& node = records.emplace_back();
      node.position = {n.x, 0, n.z, 0};
      node.width = 1;
      node.group = n.group;
    }
    const struct {
      Node a, b;
      float cost;
    } edges[] = {{kS, kA, 1}, {kA, kB, 1}, {kB, kG, 1}, {kS, kD, 3}, {kD, kE, 1}, {kE, kG, 3}};
    std::vector<RTRoutePlannerEdge> edgeRecords;
    for (const auto& e : edges) {
      RTRoutePlannerEdge& edge = edgeRecords.emplace_back();
      edge.a = e.a;
      edge.b = e.b;
      edge.cost = e.cost;
    }
    RTInstance planner = nullptr;
    ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::route_planner::kClassName, &planner, 0, 1));
    void* array = nullptr;
    ASSERT_TRUE(core().ArrayAlloc(nullptr, sizeof(RTInstance), 1, &array, 1));
    record().pathfinders = static_cast<RTInstance*>(array);
    record().pathfinders[0] = planner;  // the game's to release
    record().pathfinderCount = 1;
    ASSERT_TRUE(kivo::route_planner::SetAStarNodePool(planner, records.data(), static_cast<uint32_t>(records.size())));
    ASSERT_TRUE(
        kivo::route_planner::SetAStarEdgePool(planner, edgeRecords.data(), static_cast<uint32_t>(edgeRecords.size())));
    ASSERT_TRUE(kivo::route_planner::AssociateNodesEdges(planner));
  }
  RTInstance Planner() { return record().pathfinders[0]; }
  std::vector<float> Costs() {
    RTRoutePlannerEdge* edges = nullptr;
    uint32_t count = 0;
    kivo::route_planner::GetAStarEdgePool(Planner(), &edges, &count);
    std::vector<float> costs;
    for (uint32_t i = 0; i < count; ++i) costs.push_back(edges[i].cost);
    return costs;
  }
  // The x and z of the points of the path the planner finds from S to G.
  std::vector<std::pair<float, float>> PathFromSToG() {
    EXPECT_TRUE(kivo::route_planner::CanPathAStar(Planner(), {0, 0, 0, 0}, -1, {3, 0, 0, 0}, -1));
    kivo::InstanceRef path;
    EXPECT_TRUE(kivo::route_planner::GetPath(Planner(), path.out()));
    kivo::PathPoint* points = nullptr;
    uint32_t count = 0;
    std::vector<std::pair<float, float>> walked;
    if (path.get() && kivo::path_follower::GetPoints(path.get(), &points, &count))
      for (uint32_t i = 0; i < count; ++i) walked.emplace_back(points[i].x, points[i].z);
    return walked;
  }
  RTSuccess Enable(const char16_t* name, int32_t on) {
    return CallScript(game::kEnableRoom, {PointerCell(const_cast<char16_t*>(name)), NumberCell(on)});
  }

  RTInstance ward_ = nullptr;
};

// Closing adds 20.0 per end in the group: the edges S-A and B-G leave the group, A-B lies inside.
TEST_F(EnableRoomMethod, ClosingTheRoomRaisesItsGroupsEdgesAndOpeningLowersThem) {
  const std::vector<float> open = Costs();
  ASSERT_EQ(open, (std::vector<float>{1, 1, 1, 3, 1, 3}));
  using Path = std::vector<std::pair<float, float>>;
  EXPECT_EQ(PathFromSToG(), (Path{{0, 0}, {1, 0}, {2, 0}, {3, 0}})) << "through the ward while it is open";
  const struct {
    const char16_t* room;
    int32_t on;
    std::vector<float> costs;
    uint32_t flags;
  } steps[] = {
      {u"ward", 0, {21, 41, 21, 3, 1, 3}, 0x20},
      {u"ward", 0, {41, 81, 41, 3, 1, 3}, 0x20},
      {u"nowhere", 1, {41, 81, 41, 3, 1, 3}, 0x20},
      {u"ward", 1, {21, 41, 21, 3, 1, 3}, 0},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(Enable(step.room, step.on), kRTSuccess);
    EXPECT_EQ(Costs(), step.costs) << step.on;
    EXPECT_EQ(Flags(ward_), step.flags) << step.on;
  }
  EXPECT_EQ(PathFromSToG(), (Path{{0, 0}, {1, 2}, {2, 2}, {3, 0}})) << "round the ward while its edges cost more";
}

// A room of no group leaves every cost alone; a planner without the room's group is reported and
// the room's flag still follows.
TEST_F(EnableRoomMethod, ARoomOfNoGroupOrAGroupThePlannerLacksChangesNoCost) {
  const std::vector<float> open = Costs();
  RTInstance lobby = AddRoom(u"lobby");
  EXPECT_EQ(Enable(u"lobby", 0), kRTSuccess);
  EXPECT_EQ(Costs(), open);
  EXPECT_EQ(Flags(lobby), 0x20u);
  ASSERT_TRUE(room::SetPathfinding(lobby, 11, 0));
  EXPECT_EQ(Enable(u"lobby", 1), kRTSuccess);
  EXPECT_EQ(Costs(), open);
  EXPECT_EQ(Flags(lobby), 0u);
  EXPECT_EQ(Logged("RTTeskGame::EnableRoom() -- pathfinding object 0 did not change the costs of group 11"), 1u);
}

// A number the game has issued resolves to its room with a reference for the caller; others to none.
TEST_F(RoomMethods, AScriptHandleResolvesToItsObjectWithAReference) {
  RTInstance ward = AddRoom(u"ward");
  const uint32_t handle = record().sceneHandles->Issue(ward);
  ASSERT_NE(handle, kivo::kNoHandle);
  const uint32_t held = RefCount(ward);
  RTInstance found = nullptr;
  ASSERT_EQ(game::call::ResolveSceneHandle(game(), handle, &found), kRTSuccess);
  EXPECT_EQ(found, ward);
  EXPECT_EQ(RefCount(ward), held + 1);
  core().ReleaseInstance(nullptr, found);
  for (const uint32_t unknown : {kivo::kNoHandle, handle + 1, kivo::kUnsetHandle}) {
    found = ward;
    EXPECT_EQ(game::call::ResolveSceneHandle(game(), unknown, &found), kRTFailure) << unknown;
    EXPECT_EQ(found, nullptr);
  }
  EXPECT_TRUE(record().sceneHandles->Forget(ward));
  EXPECT_EQ(game::call::ResolveSceneHandle(game(), handle, &found), kRTFailure) << "gone from the table";
}

}  // namespace
