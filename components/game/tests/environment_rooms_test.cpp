// The script's room methods over the loaded fixture hospital: the wrecking-ball gym, room centres,
// the ambience of the player's room, dropped room lights, the elevator mats, the room under a
// point and the spawn points; the nodes the game adds to its world and removes; and the lights of
// the sample's hospital, from the staged store, dropped and restored over its baked floors.
#include "environment_fixture.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/scene/sphere_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
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

TEST_F(EnvironmentRooms, ThePlayersRoomGivesItsAmbienceTheDefaultOrNothing) {
  const struct {
    const char16_t* room;  // null: the player stands nowhere
    const char* ambience;
  } cases[] = {
      {u"hall", "default"},  // no row
      {u"Cafeteria", "ENV_CAFETERIA1"},
      {u"Doctor's Lounge", ""},  // a row without a sound
      {nullptr, "default"},
  };
  kivo::InstanceRef body;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, body.out(), 0, 0));
  RTTeskActorWrapper player{};
  player.RootNode = body.get();
  record().firstActor = &player;
  for (const auto& c : cases) {
    RTInstance where = nullptr;
    if (c.room) where = std::u16string_view(c.room) == u"hall" ? StoredRoom(c.room) : AddRoom(c.room, {}, {1, 1, 1, 0});
    if (where) {
      ASSERT_TRUE(room::AddNode(where, body.get()));
    }
    Cell result{};
    ASSERT_TRUE(CallScript(game::kGetPlayerRoomAmbientString, {}, &result));
    ASSERT_NE(result.value.text, nullptr);
    EXPECT_EQ(platform::ToUtf8(result.value.text), c.ambience);
    core().ArrayFree(nullptr, result.value.text);
    if (where) room::RemoveNode(where, body.get());
  }
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

TEST_F(EnvironmentRooms, TheGymOutlinesAndAPropsOutlineGoOffAndOnAgain) {
  const auto outlined = [&](const char16_t* name) {
    kivo::InstanceRef model;
    kivo::renderable::DrawHook pre = nullptr;
    kivo::InstanceRef context;
    kivo::scene_node::GetEntity(Node(name), model.out());
    kivo::renderable::GetPreDrawHook(model.get(), &pre, context.out());
    return pre != nullptr;
  };
  ASSERT_TRUE(outlined(u"mat-yoga"));
  ASSERT_TRUE(CallScript(game::kTurnOffGymOutlines));
  EXPECT_FALSE(outlined(u"mat-yoga"));
  EXPECT_EQ(record().environment.gymOutlinesOn, 0u);
  ASSERT_TRUE(CallScript(game::kTurnOnGymOutlines));
  EXPECT_TRUE(outlined(u"mat-yoga"));
  const int32_t sink = static_cast<int32_t>(record().sceneHandles->Issue(Node(u"sink01")));
  ASSERT_TRUE(CallScript(game::kTurnOffPropOutline, {NumberCell(sink)}));
  EXPECT_FALSE(outlined(u"sink01"));
  ASSERT_TRUE(CallScript(game::kTurnOnPropOutline, {NumberCell(sink)}));
  EXPECT_TRUE(outlined(u"sink01"));
  EXPECT_TRUE(CallScript(game::kTurnOnPropOutline, {NumberCell(0)})) << "no node: nothing to do";
}

TEST_F(EnvironmentRooms, TheGlueTruckSwitchesItsModeAndTheCeilingChunkIsNeverBound) {
  RTInstance truck = Node(u"Gluetruck");
  ASSERT_EQ(record().environment.nodes.glueTruck, truck);
  uint32_t state = 0;
  ASSERT_TRUE(CallScript(game::kEnableGlueTruck, {NumberCell(0)}));
  kivo::tesk_scene_node::GetStateWord(truck, &state);
  EXPECT_EQ(state & 0xFFFFu, 0x18u) << "kind 1 kept, mode 8";
  ASSERT_TRUE(CallScript(game::kEnableGlueTruck, {NumberCell(5)}));
  kivo::tesk_scene_node::GetStateWord(truck, &state);
  EXPECT_EQ(state & 0xFFFFu, 0x11u);
  EXPECT_EQ(record().environment.glueTruckEnabled, 1u);
  EXPECT_FALSE(CallScript(game::kEnableCeilingChunk, {NumberCell(1), RealCell(1.0f)}));
  EXPECT_FALSE(CallScript(game::kPlayCeilingChunk));
}

TEST_F(EnvironmentRooms, APlayerObjectIsKeptAndANullOneReported) {
  Cell result{};
  ASSERT_TRUE(CallScript(game::kGetPlayerObject, {}, &result));
  EXPECT_EQ(result.value.pointer, nullptr);
  EXPECT_EQ(Logged("RTTeskGame::GetPlayerObject() -- returning NULL for player!!!"), 1u);
  const scripting::Symbol player = NewProbe();
  ASSERT_TRUE(CallScript(game::kSetPlayer, {PointerCell(player)}));
  ASSERT_TRUE(CallScript(game::kGetPlayerObject, {}, &result));
  EXPECT_EQ(result.value.pointer, player);
}

TEST_F(EnvironmentRooms, ALocationMarkerHangsUnderTheRootInTheColourOfItsType) {
  RTFVector3D at{1, 0, 2, 0};
  ASSERT_TRUE(CallScript(game::kAddLocation, {NumberCell(1), PointerCell(&at)}));
  ASSERT_TRUE(CallScript(game::kAddLocation, {NumberCell(7), PointerCell(&at)}));
  EXPECT_EQ(Logged("RTTeskGame::AddLocation() -- Cannot understand type passed in?"), 1u);
  kivo::InstanceRef camera;
  ASSERT_TRUE(kivo::scene_node::GetFirstChild(record().rootNode, camera.out()));
  ASSERT_EQ(camera.get(), record().environment.cameraNode);
  kivo::InstanceRef marker;
  ASSERT_TRUE(kivo::scene_node::GetNextSibling(camera.get(), marker.out()));
  kivo::InstanceRef sphere;
  ASSERT_TRUE(kivo::scene_node::GetEntity(marker.get(), sphere.out()));
  RTFColorRGB colour{};
  ASSERT_TRUE(kivo::sphere::GetColor(sphere.get(), &colour));
  EXPECT_EQ(colour.g, 1.0f);
  EXPECT_EQ(colour.r, 0.0f);
  const RTFMatrix4x4* placement = nullptr;
  ASSERT_TRUE(kivo::scene_node::GetLocalMatrix(marker.get(), &placement));
  EXPECT_EQ(placement->m[3][2], 2.0f);
}

TEST_F(EnvironmentRooms, TheRoomUnderAPointIsNamedAndNoRoomGivesAnEmptyText) {
  const struct {
    RTFVector3D point;
    const char* room;
  } cases[] = {{{3, 1, 3, 0}, "core-exam-2"}, {{9, 1, 3, 0}, "hall"}, {{50, 0, 50, 0}, ""}};
  for (const auto& c : cases) {
    RTFVector3D point = c.point;
    Cell result{};
    ASSERT_TRUE(CallScript(game::kGetRoomNameByPoint, {PointerCell(&point)}, &result));
    ASSERT_NE(result.value.text, nullptr);
    EXPECT_EQ(platform::ToUtf8(result.value.text), c.room);
    core().ArrayFree(nullptr, result.value.text);
  }
}

// The fixture's spawn node carries the model "spawn_ward"; a second node with the same model comes
// later in the list and wins. A name no spawn point has leaves the result as it was.
TEST_F(EnvironmentRooms, ASpawnPointByNameGivesTheLastMatchAndNoMatchLeavesTheResult) {
  kivo::List* spawns = record().spawnPoints;
  ASSERT_EQ(spawns->count, 1u);
  RTInstance first = static_cast<RTInstance>(spawns->first->data);
  kivo::InstanceRef model;
  ASSERT_TRUE(kivo::scene_node::GetEntity(first, model.out()));
  kivo::InstanceRef second;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, second.out(), 0, 0));
  ASSERT_TRUE(kivo::scene_node::SetEntity(second.get(), model.get()));
  const RTFVector3D there{7, 0, 5, 0};
  ASSERT_TRUE(kivo::scene_node::SetTranslation(second.get(), &there));
  kivo::ListAppend(spawns, second.get());

  RTFVector3D position{-1, -1, -1, 0};
  Cell result{};
  result.value.vector = &position;
  ASSERT_TRUE(CallScript(game::kGetSpawnpointByName, {TextCell(u"SPAWN_WARD")}, &result));
  EXPECT_EQ(result.type, varno::kTypeVector3);
  EXPECT_EQ(std::make_tuple(position.x, position.y, position.z), std::make_tuple(7.0f, 0.0f, 5.0f));
  kivo::ListRemove(spawns, second.get());
  ASSERT_TRUE(CallScript(game::kGetSpawnpointByName, {TextCell(u"spawn_ward")}, &result));
  EXPECT_EQ(std::make_tuple(position.x, position.y, position.z), std::make_tuple(4.0f, 0.0f, 3.0f));

  Cell untouched{};
  untouched.type = varno::kTypeNumber;
  untouched.value.vector = &position;
  position = {9, 9, 9, 0};
  ASSERT_TRUE(CallScript(game::kGetSpawnpointByName, {TextCell(u"spawn_lobby")}, &untouched));
  EXPECT_EQ(untouched.type, varno::kTypeNumber);
  EXPECT_EQ(position.x, 9.0f);
}

// The world room is the first room, "core-exam-2". A node the game adds stands in it; removing it
// asks the room the node names first, then each room of the tree, and only the search reports.
TEST_F(EnvironmentRooms, NodesAddedToTheWorldLeaveTheRoomThatHoldsThem) {
  RTInstance exam = record().worldNode;
  RTInstance hall = StoredRoom(u"hall");
  ASSERT_NE(exam, nullptr);
  ASSERT_NE(hall, nullptr);
  auto holds = [](RTInstance r, RTInstance node) {
    kivo::List* nodes = nullptr;
    kivo::ListLink* link = nullptr;
    return room::GetNodeList(r, &nodes) && kivo::ListFind(nodes, node, &link, nullptr);
  };
  auto container = [](RTInstance node) {
    kivo::InstanceRef found;
    kivo::tesk_scene_node::GetNodeRoom(node, found.out());
    return found.get();
  };
  kivo::InstanceRef node;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, node.out(), 0, 0));
  ASSERT_TRUE(core().SetInstanceName(nullptr, node.get(), u"visitor"));
  const uint32_t references = RefCount(node.get());
  // The game's reports since the last look, without the log's prefix.
  size_t seen = LogLines().size();
  auto reported = [&] {
    const std::vector<std::string> lines = LogLines();
    std::vector<std::string> added;
    const std::string prefix = "[ERROR RAISED]: (0) ";
    for (size_t i = seen; i < lines.size(); ++i)
      if (lines[i].rfind(prefix, 0) == 0) added.push_back(lines[i].substr(prefix.size()));
    seen = lines.size();
    return added;
  };

  ASSERT_TRUE(game::call::AddNode(game(), node.get()));
  EXPECT_TRUE(holds(exam, node.get()));
  EXPECT_EQ(container(node.get()), exam);
  ASSERT_TRUE(game::call::RemoveNode(game(), node.get()));
  EXPECT_FALSE(holds(exam, node.get()));
  EXPECT_EQ(container(node.get()), nullptr);
  EXPECT_TRUE(reported().empty()) << "the room the node named took it out";
  EXPECT_EQ(RefCount(node.get()), references);

  // A room that does not hold the node it is named by: the search finds the one that does.
  ASSERT_TRUE(room::AddNode(hall, node.get()));
  ASSERT_TRUE(kivo::tesk_scene_node::SetNodeRoom(node.get(), exam));
  ASSERT_TRUE(game::call::RemoveNode(game(), node.get()));
  EXPECT_FALSE(holds(hall, node.get()));
  EXPECT_EQ(reported(), (std::vector<std::string>{"RTTeskGame::RemoveNode() -- found the room that contained our node!",
                                                  "hall"}));

  // A node of no room, here a child of the environment's root: it leaves the root and is reported.
  ASSERT_TRUE(kivo::tesk_scene_node::SetNodeRoom(node.get(), nullptr));
  ASSERT_TRUE(game::call::AttachEnvironmentNode(game(), node.get()));
  kivo::InstanceRef child;
  ASSERT_TRUE(kivo::scene_node::GetFirstChild(record().rootNode, child.out()));
  kivo::InstanceRef last;
  while (child.get()) {
    last = std::move(child);
    kivo::scene_node::GetNextSibling(last.get(), child.out());
  }
  EXPECT_EQ(last.get(), node.get()) << "the root's last child";
  last.Reset();
  ASSERT_TRUE(game::call::RemoveNode(game(), node.get()));
  EXPECT_EQ(reported(), (std::vector<std::string>{"RTTeskGame::RemoveNode(), container room was NULL!",
                                                  "RTTeskGame::RemoveNode() -- the scene node does not belong to a room."}));
  EXPECT_EQ(RefCount(node.get()), references) << "the root gave its reference back";
}

TEST_F(EnvironmentRooms, TheFirstActorCarriesTheFollowNode) {
  kivo::InstanceRef body;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, body.out(), 0, 0));
  RTTeskActorWrapper player{};
  player.RootNode = body.get();
  ASSERT_TRUE(kivo::ListCreate(&record().lists.actorList));
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kAddActor, &player));
  kivo::InstanceRef child;
  ASSERT_TRUE(kivo::scene_node::GetFirstChild(body.get(), child.out()));
  EXPECT_EQ(child.get(), record().followNode);
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kRemoveActor, &player));
}

// The sample's hospital as the content build staged it.
class SampleRooms : public EnvironmentRooms {
 protected:
  std::filesystem::path Store() const override { return SAMPLE_STORE; }
  std::vector<std::u16string> Fonts() const override { return {}; }  // the store's own

  // The room's lighting result, whether it is switched on, and whether the room's lights are dropped.
  struct Lighting {
    bool result = false;
    RTBool enabled = 0;
    RTBool dropped = 0;
  };
  Lighting LightingOf(const char16_t* name) {
    kivo::InstanceRef found;
    core().GetInstanceByName(nullptr, (std::u16string(u"Root:Tesk:Assets:Rooms:") + name).c_str(), found.out(), 0);
    Lighting lighting;
    kivo::InstanceRef result;
    room::GetLightingResult(found.get(), result.out());
    lighting.result = result.get() != nullptr;
    kivo::static_lit_mesh::IsEnabled(result.get(), &lighting.enabled);
    room::GetLightsDropped(found.get(), &lighting.dropped);
    return lighting;
  }
};

// Every room of the level has its floor baked: dropping a room's lights marks them and switches
// its floor's lighting off, and that room's alone; restoring them switches it on again.
TEST_F(SampleRooms, EachRoomsLightsDropAndRestoreOverItsBakedFloor) {
  const char16_t* const rooms[] = {u"core-exam-2",     u"corridor",          u"waiting-room",
                                   u"supply-room",     u"core-mainentrance", u"core-aport-2@3967",
                                   u"gym@4031",        u"gym@32864",         u"female_restroom",
                                   u"male_restroom"};
  const auto others = [&](const char16_t* dropped) {
    std::vector<std::string> off;
    for (const char16_t* name : rooms) {
      const Lighting lighting = LightingOf(name);
      if (name != dropped && (!lighting.enabled || lighting.dropped)) off.push_back(platform::ToUtf8(name));
    }
    return off;
  };
  for (const char16_t* name : rooms) {
    const std::string room = platform::ToUtf8(name);
    ASSERT_TRUE(LightingOf(name).result) << room;
    ASSERT_TRUE(CallScript(game::kDropRoomLights, {TextCell(name)})) << room;
    const Lighting dropped = LightingOf(name);
    EXPECT_EQ(dropped.dropped, 1) << room;
    EXPECT_EQ(dropped.enabled, 0) << room;
    EXPECT_EQ(others(name), std::vector<std::string>{}) << room;
    ASSERT_TRUE(CallScript(game::kRestoreRoomLights, {TextCell(name)})) << room;
    const Lighting restored = LightingOf(name);
    EXPECT_EQ(restored.dropped, 0) << room;
    EXPECT_EQ(restored.enabled, 1) << room;
  }
  EXPECT_EQ(record().droppedRoomList->count, 0u);
  EXPECT_FALSE(CallScript(game::kDropRoomLights, {TextCell(u"nowhere")}));
  EXPECT_FALSE(CallScript(game::kRestoreRoomLights, {TextCell(u"nowhere")}));
  EXPECT_EQ(Logged("Cannot retrieve room to drop lights on"), 2u);
  EXPECT_EQ(Logged("Cannot get result for the room!"), 0u);
}

}  // namespace
