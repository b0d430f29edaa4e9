// LoadScenarioN: which referenced rooms are fetched, enabled or disabled, and the refresh of every
// listed room.
#include "kivo/scene/room_calls.h"
#include "scene_test.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace tree_calls = tesk::scene_tree;

class Scenarios : public SceneTest {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    host.InstallComponent(FixtureComponent("RTRecordingRoom"));
  }

  void SetUp() override {
    SceneTest::SetUp();
    folder_ = MakeFolder(u"Rooms");
    room_ = MakeRoom(u"A", At(0, 0, 0), At(5, 3, 5), folder_.get(), u"RTRecordingRoom");
  }
  void TearDown() override {
    room_.Reset();
    folder_.Reset();
    SceneTest::TearDown();
  }

  InstanceRef folder_;
  InstanceRef room_;

  uint32_t Flags(RTInstance room) {
    uint32_t flags = 0;
    room::GetFlags(room, &flags);
    return flags;
  }
  uint32_t Listed(RTInstance tree) {
    uint32_t count = 0;
    tree_calls::GetRoomCount(tree, &count);
    return count;
  }
};

TEST_F(Scenarios, TagsPlaceRoomsInScenarios) {
  const struct {
    const char* what;
    const char16_t* reference;
    uint32_t scenario;
    bool registered;  // before the load
    uint32_t listed;  // after it
    uint32_t flags;   // of the room after it (it starts with 0x40)
  } cases[] = {
      {"tag 6 in scenario 0: not fetched", u"Root:Rooms:A@6", 0, false, 0, 0x40},
      {"tag 6 in scenario 0, registered: disabled", u"Root:Rooms:A@6", 0, true, 1, 0x40},
      {"tag 6 in scenario 1: fetched and enabled", u"Root:Rooms:A@6", 1, false, 1, 0},
      {"tag 6 in scenario 12: every room", u"Root:Rooms:A@6", 12, false, 1, 0},
      {"tag 6 for all scenarios", u"Root:Rooms:A@6", tree_calls::kAllScenarios, false, 1, 0},
      {"tag 32800 in scenario 5: fetched, disabled", u"Root:Rooms:A@32800", 5, false, 1, 0x40},
      {"tag 32800 in scenario 7: not fetched", u"Root:Rooms:A@32800", 7, false, 0, 0x40},
      {"untagged: every scenario", u"Root:Rooms:A", 3, false, 1, 0},
      {"registered, found ignoring case", u"root:rooms:a@2", 1, true, 1, 0},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(room::SetFlags(room_.get(), 0x40), kRTSuccess);
    InstanceRef tree = MakeTree();
    ASSERT_EQ(tree_calls::AddRoomByName(tree.get(), c.reference), kRTSuccess);
    if (c.registered) {
      ASSERT_EQ(tree_calls::AddRoom(tree.get(), room_.get()), kRTSuccess);
    }
    EXPECT_EQ(tree_calls::LoadScenarioN(tree.get(), c.scenario), kRTSuccess) << c.what;
    EXPECT_EQ(Listed(tree.get()), c.listed) << c.what;
    EXPECT_EQ(Flags(room_.get()), c.flags) << c.what;
    EXPECT_EQ(RefCount(room_.get()), 1 + c.listed) << c.what << ": the lookup's reference is given back";
  }
}

// A room whose own name holds an "@" is referenced with a tag: the tag follows the last "@".
TEST_F(Scenarios, TheTagFollowsTheLastAt) {
  InstanceRef gym = MakeRoom(u"gym@4031", At(0, 0, 0), At(4, 3, 4), folder_.get());
  InstanceRef tree = MakeTree();
  ASSERT_EQ(tree_calls::AddRoomByName(tree.get(), u"Root:Rooms:gym@4031@2"), kRTSuccess);
  ASSERT_EQ(tree_calls::LoadScenarioN(tree.get(), 0), kRTSuccess);
  EXPECT_EQ(Listed(tree.get()), 0u) << "tag 2: not in scenario 0";
  ASSERT_EQ(tree_calls::LoadScenarioN(tree.get(), 1), kRTSuccess);
  ASSERT_EQ(Listed(tree.get()), 1u);
  InstanceRef found;
  ASSERT_EQ(tree_calls::GetRoomByName(tree.get(), u"gym@4031", found.out()), kRTSuccess);
  EXPECT_EQ(found.get(), gym.get());
}

TEST_F(Scenarios, ClearsTheChangeFlagKeepsTheOthersAndRefreshesEveryListedRoom) {
  InstanceRef b = MakeRoom(u"B", At(5, 0, 0), At(9, 3, 5), folder_.get(), u"RTRecordingRoom");
  ASSERT_EQ(room::SetFlags(room_.get(), 0x30), kRTSuccess);
  InstanceRef tree = MakeTree();
  for (const char16_t* reference : {u"Root:Rooms:A", u"Root:Rooms:B@2", u"Root:Rooms:Nowhere"})
    ASSERT_EQ(tree_calls::AddRoomByName(tree.get(), reference), kRTSuccess);
  ASSERT_EQ(tree_calls::LoadScenarioN(tree.get(), 0), kRTSuccess);
  EXPECT_EQ(Flags(room_.get()), 0x10u);
  EXPECT_EQ(Listed(tree.get()), 1u) << "B is not in scenario 0";
  EXPECT_EQ(Occurrences("RTTeskSceneTree::LoadScenarioN(): Unable to load room."), 1u);

  ASSERT_EQ(tree_calls::LoadScenarioN(tree.get(), 1), kRTSuccess);
  EXPECT_EQ(Listed(tree.get()), 2u) << "a registered room is only flagged again";
  const std::string log = host_.DebugLog();
  const std::vector<std::string> order = {"RefreshNodes(A)",  "RefreshLights(A)", "RefreshNodes(A)",
                                          "RefreshLights(A)", "RefreshNodes(B)",  "RefreshLights(B)"};
  size_t at = 0;
  for (const std::string& call : order) {
    at = log.find(call, at);
    ASSERT_NE(at, std::string::npos) << call;
    ++at;
  }
  EXPECT_EQ(log.find("RefreshNodes(B)"), log.rfind("RefreshNodes(B)")) << "B is refreshed once, in the second load";
}

}  // namespace
