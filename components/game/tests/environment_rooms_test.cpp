// The script's room methods over the loaded fixture hospital: the wrecking-ball gym, room centres,
// the ambience of the player's room, dropped room lights and the elevator mats.
#include "environment_fixture.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
namespace room = kivo::room;

class EnvironmentRooms : public EnvironmentTest {
 protected:
  void SetUp() override {
    EnvironmentTest::SetUp();
    ASSERT_TRUE(Load());
  }
  void TearDown() override {
    record().firstActor = nullptr;
    added_.clear();
    EnvironmentTest::TearDown();
  }
  // A room of the box added to the environment's tree under the name.
  RTInstance AddRoom(const char16_t* name, RTFVector3D min, RTFVector3D max) {
    kivo::InstanceRef& made = added_.emplace_back();
    EXPECT_TRUE(core().CreateInstanceByString(nullptr, room::kClassName, made.out(), 0, 0));
    EXPECT_TRUE(core().SetInstanceName(nullptr, made.get(), name));
    EXPECT_TRUE(room::SetBoundingBox(made.get(), &min, &max));
    EXPECT_TRUE(tesk::scene_tree::AddRoom(record().sceneTree, made.get()));
    return made.get();
  }
  RTInstance StoredRoom(const char16_t* name) {
    kivo::InstanceRef& found = added_.emplace_back();
    tesk::scene_tree::GetRoomByName(record().sceneTree, name, found.out());
    return found.get();
  }
  uint32_t Flags(RTInstance r) {
    uint32_t flags = 0;
    room::GetFlags(r, &flags);
    return flags;
  }
  uint32_t RefCount(RTInstance instance) {
    uint32_t count = 0;
    core().GetRefCount(nullptr, instance, &count);
    return count;
  }
  RTBool Dropped(RTInstance r) {
    RTBool dropped = 0;
    room::GetLightsDropped(r, &dropped);
    return dropped;
  }
  static Cell TextCell(const char16_t* text) {
    Cell cell{};
    cell.type = varno::kTypeString;
    cell.value.text = const_cast<char16_t*>(text);
    return cell;
  }

  std::vector<kivo::InstanceRef> added_;
};

TEST_F(EnvironmentRooms, TheWreckingBallToggledTwiceRestoresTheRoomsAndItsFlag) {
  RTInstance unwrecked = AddRoom(u"gym@4031", {12, 0, 6, 0}, {18, 3, 12, 0});
  RTInstance wrecked = AddRoom(u"gym@32864", {12, 0, 6, 0}, {18, 3, 12, 0});
  const uint32_t before[] = {Flags(unwrecked), Flags(wrecked)};
  Cell shown{};
  ASSERT_TRUE(CallScript(game::kToggleWreckingBall));
  EXPECT_TRUE(Flags(unwrecked) & room::kDisabled);
  EXPECT_FALSE(Flags(wrecked) & room::kDisabled);
  ASSERT_TRUE(CallScript(game::kIsWreckingBallShown, {}, &shown));
  EXPECT_EQ(shown.value.word, 1u);
  EXPECT_GE(Logged("RTTeskGame::ToggleWreakingBall(): Unable to get active room gymB@4031 from the scene tree."), 1u);
  ASSERT_TRUE(CallScript(game::kToggleWreckingBall));
  EXPECT_EQ(Flags(unwrecked), before[0]);
  EXPECT_EQ(Flags(wrecked) & room::kDisabled, room::kDisabled) << "the wrecked gym hidden again";
  ASSERT_TRUE(CallScript(game::kIsWreckingBallShown, {}, &shown));
  EXPECT_EQ(shown.value.word, 0u);
  EXPECT_EQ(RefCount(unwrecked), 2u) << "the tree's and the test's: every lookup was given back";
  (void)before[1];
}

TEST_F(EnvironmentRooms, TheRoomCentreIsTheMiddleOfItsBoxOnTheGround) {
  AddRoom(u"box-room", {2, 0, 4, 0}, {6, 3, 10, 0});
  RTFVector3D centre{9, 9, 9, 0};
  Cell result{};
  result.value.vector = &centre;
  ASSERT_TRUE(CallScript(game::kGetRoomCenter, {TextCell(u"box-room")}, &result));
  EXPECT_EQ(centre.x, 4.0f);
  EXPECT_EQ(centre.y, 0.0f);
  EXPECT_EQ(centre.z, 7.0f);
  ASSERT_TRUE(CallScript(game::kGetRoomCenter, {TextCell(u"no-such-room")}, &result));
  EXPECT_EQ(centre.x, 0.0f);
  EXPECT_EQ(centre.z, 0.0f);
}

TEST_F(EnvironmentRooms, APlayerInARoomWithoutAnAmbienceRowHearsTheDefault) {
  kivo::InstanceRef body;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, body.out(), 0, 0));
  RTInstance hall = StoredRoom(u"hall");
  ASSERT_NE(hall, nullptr);
  ASSERT_TRUE(room::AddNode(hall, body.get()));
  RTTeskActorWrapper player{};
  player.RootNode = body.get();
  record().firstActor = &player;
  Cell result{};
  ASSERT_TRUE(CallScript(game::kGetPlayerRoomAmbientString, {}, &result));
  ASSERT_NE(result.value.text, nullptr);
  EXPECT_EQ(platform::ToUtf8(result.value.text), "default");
  core().ArrayFree(nullptr, result.value.text);
  room::RemoveNode(hall, body.get());
}

TEST_F(EnvironmentRooms, ARoomWithoutALightingResultStaysDroppedOnceUntilTheWorldIsFreed) {
  RTInstance hall = StoredRoom(u"hall");
  ASSERT_NE(hall, nullptr);
  const uint32_t references = RefCount(hall);
  EXPECT_FALSE(CallScript(game::kDropRoomLights, {TextCell(u"hall")}));
  EXPECT_FALSE(CallScript(game::kDropRoomLights, {TextCell(u"hall")}));
  EXPECT_EQ(Logged("Cannot get result for the room!"), 2u);
  ASSERT_NE(record().droppedRoomList, nullptr);
  EXPECT_EQ(record().droppedRoomList->count, 1u) << "listed once";
  EXPECT_EQ(RefCount(hall), references + 1) << "the list's one reference";
  EXPECT_EQ(Dropped(hall), 1);
  EXPECT_FALSE(CallScript(game::kDropRoomLights, {TextCell(u"nowhere")}));
  EXPECT_EQ(Logged("Cannot retrieve room to drop lights on"), 1u);

  ASSERT_TRUE(CallScript(game::kShutDown));
  EXPECT_EQ(record().droppedRoomList->count, 0u);
  EXPECT_EQ(RefCount(hall), references);
  EXPECT_EQ(Dropped(hall), 0);
  EXPECT_EQ(Logged("Cannot get result for the room!"), 3u) << "restored once";
}

TEST_F(EnvironmentRooms, ElevatorMatsAnswerByIndexAndAnIndexOutsideFailsLeavingTheResult) {
  Cell result{};
  ASSERT_TRUE(CallScript(game::kGetElevatorMatCount, {}, &result));
  EXPECT_EQ(result.value.word, 2u);
  ASSERT_TRUE(CallScript(game::kGetElevatorMatFloorN, {NumberCell(1)}, &result));
  EXPECT_EQ(result.value.word, 1u);
  ASSERT_TRUE(CallScript(game::kGetElevatorMatNodeN, {NumberCell(0)}, &result));
  EXPECT_EQ(record().sceneHandles->Resolve(result.value.word), Node(u"mat-up"));
  result.value.word = 77;
  EXPECT_FALSE(CallScript(game::kGetElevatorMatFloorN, {NumberCell(2)}, &result));
  EXPECT_FALSE(CallScript(game::kGetElevatorMatNodeN, {NumberCell(-1)}, &result));
  EXPECT_EQ(result.value.word, 77u);
}

}  // namespace
