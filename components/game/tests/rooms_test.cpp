// The game's room methods over a scene tree of named rooms.
#include "game_fixture.h"
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
