// Loading an environment over the fixture hospital: the props sorted into their lists, what a
// second load keeps, the hospital's camera views, the failures, and the environment switch.
#include "environment.h"

#include "anim_object.h"
#include "environment.h"
#include "environment_fixture.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
using game::PropLists;

std::string NameOf(RTInstance instance) {
  char16_t name[256] = {};
  kivo::ModuleCore()->GetInstanceName(nullptr, instance, name, 256);
  return platform::ToUtf8(name);
}

bool Outlined(RTInstance node) {
  kivo::InstanceRef model;
  kivo::renderable::DrawHook pre = nullptr;
  kivo::InstanceRef context;
  if (!node || !kivo::scene_node::GetEntity(node, model.out()) || !model.get()) return false;
  kivo::renderable::GetPreDrawHook(model.get(), &pre, context.out());
  return pre != nullptr;
}

bool Listed(kivo::List* list, RTInstance node) {
  kivo::ListLink* link = nullptr;
  return node && kivo::ListFind(list, node, &link, nullptr);
}

struct SortCase {
  const char16_t* node;
  kivo::List* PropLists::*list;  // null: in no prop list
  bool outlined;
};

TEST_F(EnvironmentTest, SortsEachNodeByItsNameThenItsModelsName) {
  ASSERT_TRUE(Load());
  const SortCase cases[] = {
      {u"Bed_04", &PropLists::beds, false},
      {u"BED7", &PropLists::beds, false},
      {u"be", nullptr, false},
      {u"cot01", &PropLists::cots, true},  // the model's name in upper case
      {u"bare01", nullptr, false},         // no model
      {u"sink01", &PropLists::sinks, true},
      {u"chair01", &PropLists::waitingChairs, false},
      {u"mat-yoga", &PropLists::yogaMats, true},
  };
  PropLists& lists = record().environment.lists;
  for (const SortCase& c : cases) {
    RTInstance node = Node(c.node);
    const std::string name = platform::ToUtf8(c.node);
    ASSERT_NE(node, nullptr) << name;
    if (c.list) {
      EXPECT_TRUE(Listed(lists.*c.list, node)) << name;
    }
    EXPECT_EQ(Listed(record().highlightProps, node), c.outlined) << name;
    EXPECT_EQ(Outlined(node), c.outlined) << name;
  }
  EXPECT_EQ(Names(lists.beds), (std::vector<std::string>{"Bed_04", "BED7"}));
  EXPECT_EQ(record().environment.nodes.maleStallDoor, Node(u"stall-door-a")) << "the first stall door stays";
  std::vector<std::pair<uint32_t, std::string>> mats;
  for (game::ElevatorMat* mat : kivo::ListItems<game::ElevatorMat>(lists.elevatorMats))
    mats.emplace_back(mat->floor, NameOf(mat->node));
  EXPECT_EQ(mats, (std::vector<std::pair<uint32_t, std::string>>{{0, "mat-up"}, {1, "mat-down"}}));
  EXPECT_TRUE(Outlined(Node(u"mat-up")));
  EXPECT_EQ(Names(record().spawnPoints), std::vector<std::string>{"spawner"});
}

TEST_F(EnvironmentTest, TheFirstLoadPutsAnAnimatedCopyInPlaceOfTheTrainerAndLaterLoadsKeepIt) {
  ASSERT_TRUE(Load());
  PropLists& lists = record().environment.lists;
  EXPECT_EQ(Node(u"trainer01"), nullptr) << "the static trainer left its room";
  ASSERT_EQ(lists.ellipticals->count, 1u);
  RTInstance copy = static_cast<RTInstance>(lists.ellipticals->first->data);
  EXPECT_TRUE(Listed(record().highlightProps, copy));
  EXPECT_TRUE(Outlined(copy));
  kivo::InstanceRef room;
  kivo::tesk_scene_node::GetNodeRoom(copy, room.out());
  EXPECT_EQ(NameOf(room.get()), "core-exam-2");
  EXPECT_EQ(lists.rowingMachines->count, 0u) << "no rowing machine asset: no copy";
  EXPECT_NE(Node(u"rower01"), nullptr);

  ASSERT_TRUE(Load());
  ASSERT_EQ(lists.ellipticals->count, 1u);
  EXPECT_EQ(lists.ellipticals->first->data, copy);
}

// A copy node by node: the placement, the object, flags 0x59, a player for a node with modifiers,
// and the children.
TEST_F(EnvironmentTest, TheAnimatedCopyCopiesEachNodesObjectFlagsPlayerAndChildren) {
  kivo::InstanceRef asset;
  kivo::InstanceRef assetRoot;
  ASSERT_TRUE(core().GetInstanceByName(nullptr, u"Root:Animated Objects:Assets:SceneTrees:Elliptical_Trainer_New",
                                       asset.out(), 0));
  ASSERT_TRUE(kivo::plain_scene_tree::GetRootNode(asset.get(), assetRoot.out()));
  kivo::InstanceRef player;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::rigid::kClassName, player.out(), 0, 0));
  ASSERT_TRUE(kivo::rigid::SetRate(player.get(), 1.5f));
  ASSERT_TRUE(kivo::scene_node::AddModifier(assetRoot.get(), player.get()));
  ASSERT_TRUE(Load());
  ASSERT_EQ(record().environment.lists.ellipticals->count, 1u);
  RTInstance copy = static_cast<RTInstance>(record().environment.lists.ellipticals->first->data);
  uint32_t state = 0;
  kivo::tesk_scene_node::GetStateWord(copy, &state);
  EXPECT_EQ(state & 0xFFFFu, 0x59u);
  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  ASSERT_TRUE(kivo::scene_node::GetModifierList(copy, &modifiers, &count));
  ASSERT_EQ(count, 1u);
  EXPECT_NE(modifiers[0], player.get()) << "a player of its own";
  float rate = 0;
  kivo::rigid::GetRate(modifiers[0], &rate);
  EXPECT_EQ(rate, 1.5f);
  kivo::InstanceRef child;
  kivo::InstanceRef pedals;
  ASSERT_TRUE(kivo::scene_node::GetFirstChild(copy, child.out()));
  ASSERT_NE(child.get(), nullptr);
  ASSERT_TRUE(kivo::scene_node::GetEntity(child.get(), pedals.out()));
  EXPECT_EQ(NameOf(pedals.get()), "TrainerPedals");
  kivo::tesk_scene_node::GetStateWord(child.get(), &state);
  EXPECT_EQ(state & 0xFFFFu, 0x59u);
  EXPECT_TRUE(Outlined(child.get())) << "the trainer's copies are outlined";
  RTBool has = 0;
  RTFVector3D min{}, max{};
  ASSERT_TRUE(kivo::scene_node::GetObstacleBox(copy, &has, &min, &max));
  EXPECT_TRUE(has) << "the model's box, in the node's own space";
  EXPECT_EQ(min.x, -0.5f);
  EXPECT_EQ(max.z, 0.5f);
}

TEST_F(EnvironmentTest, EachLoadTakesTheFoldersGraphsAndGivesBackTheOnesBefore) {
  ASSERT_TRUE(Load());
  ASSERT_EQ(record().pathfinderCount, 2u);
  const kivo::InstanceRef first(record().pathfinders[0]);
  core().ResolveHandle(nullptr, first.get());
  ASSERT_TRUE(Load());
  ASSERT_EQ(record().pathfinderCount, 2u);
  uint32_t references = 0;
  core().GetRefCount(nullptr, first.get(), &references);
  EXPECT_EQ(references, 2u) << "the game holds one reference, the test the other";
  EXPECT_EQ(record().pathfinders[0], first.get());
}

// The perk list and the two HUD lists after it start every load empty, like the prop lists.
TEST_F(EnvironmentTest, EachLoadEmptiesThePerkListAndTheTwoHudLists) {
  static int entry = 0;
  for (kivo::List* list : {record().perkList, record().hudLists[0], record().hudLists[1]}) {
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(kivo::ListAppend(list, &entry));
  }
  ASSERT_TRUE(Load());
  for (kivo::List* list : {record().perkList, record().hudLists[0], record().hudLists[1]}) {
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count, 0u);
  }
}

TEST_F(EnvironmentTest, TheGymViewFollowsTheScenarioAndAMissingCameraIsReported) {
  const struct {
    int32_t scenario;
    const char* view;  // empty: none
  } cases[] = {
      {16, ""}, {0, "cam-gym-unwrecked"}, {5, "cam-gym-wrecked"}, {6, "cam-gym-wrecked"}, {15, "cam-gym-unwrecked"}};
  for (const auto& c : cases) {
    record().environment.cameraViewsResolved = 0;
    record().scenarioIndex = c.scenario;
    ASSERT_TRUE(Load()) << c.scenario;
    RTInstance view = record().environment.cameraViews[12];
    EXPECT_EQ(view ? NameOf(view) : "", c.view) << c.scenario;
  }
  EXPECT_NE(record().environment.cameraViews[0], nullptr);
  EXPECT_EQ(record().environment.cameraViews[1], nullptr);
  EXPECT_GE(Logged("Root:Tesk:Assets:TeskSceneNodes:cam-trauma-1"), 1u);
}

TEST_F(EnvironmentTest, TheShowerStallIsFoundOnceItsDoorSetUpAndTheMissingStallsLeftOut) {
  ASSERT_TRUE(Load());
  game::EnvironmentState& environment = record().environment;
  ASSERT_NE(environment.showers[0].stall, nullptr);
  EXPECT_EQ(environment.lists.showers->count, 1u);
  EXPECT_NEAR(environment.showers[0].swing.closedAngle, 1.5707963f, 1e-5f);
  void* entry = nullptr;
  const uint32_t key = record().sceneHandles->Issue(environment.showers[0].stall);
  ASSERT_TRUE(kivo::HashTableLookup(environment.showerTable, key, &entry));
  EXPECT_EQ(entry, &environment.showers[0]);
  EXPECT_EQ(environment.showers[1].stall, nullptr);
  environment.showers[0].swing.currentAngle = 0.2f;
  ASSERT_TRUE(Load());
  EXPECT_EQ(environment.showers[0].swing.currentAngle, environment.showers[0].swing.closedAngle);
}

struct FailureCase {
  const char* what;
  uint32_t environment;
  int32_t scenario;
  const char* message;  // empty: none
};

TEST_F(EnvironmentTest, AFailedLoadSaysWhyAndLeavesInputOnAndTheCursorNormal) {
  const FailureCase cases[] = {
      {"no scene tree", 1, 0, "Cannot locate the environment's scenetree"},
      {"no first room", 2, 0, ""},
      {"no pathfinding folder", 3, 0, ""},
      {"no scenario", 0, -1, "RTTeskGame::LoadEnvironment() -- Cannot read a scenario of zero or more"},
  };
  for (const FailureCase& c : cases) {
    record().scenarioIndex = c.scenario;
    const size_t before = c.message[0] ? Logged(c.message) : 0;
    Cursors().clear();
    EXPECT_FALSE(Load(c.environment)) << c.what;
    if (c.message[0]) {
      EXPECT_EQ(Logged(c.message), before + 1) << c.what;
    }
    EXPECT_EQ(record().library->loading, 0u) << c.what;
    EXPECT_EQ(Cursors(), (std::vector<uint32_t>{game::kBusyCursor, game::kNormalCursor})) << c.what;
  }
  Cursors().clear();
  EXPECT_FALSE(Load(5));
  EXPECT_EQ(Logged("RTTeskGame::SetEnvironment() -- Unrecognized environment index passed in"), 1u);
  EXPECT_TRUE(Cursors().empty()) << "nothing was loaded";
}

TEST_F(EnvironmentTest, SwitchingEnvironmentsReusesTheRootCameraFollowNodeAndSpeechSource) {
  ASSERT_TRUE(Load(4));
  const RTInstance root = record().rootNode;
  const RTInstance camera = record().environment.cameraNode;
  const RTInstance follow = record().followNode;
  const RTInstance speech = record().speechSource;
  kivo::InstanceRef oldRoom;
  kivo::tesk_scene_node::GetNodeRoom(root, oldRoom.out());
  EXPECT_EQ(NameOf(oldRoom.get()), "BrellinRoom1");
  ASSERT_TRUE(Load(0));
  EXPECT_EQ(record().rootNode, root);
  EXPECT_EQ(record().environment.cameraNode, camera);
  EXPECT_EQ(record().followNode, follow);
  EXPECT_EQ(record().speechSource, speech);
  kivo::InstanceRef room;
  kivo::tesk_scene_node::GetNodeRoom(root, room.out());
  EXPECT_EQ(room.get(), record().worldNode);
  EXPECT_EQ(NameOf(room.get()), "core-exam-2");
  kivo::List* oldNodes = nullptr;
  kivo::room::GetNodeList(oldRoom.get(), &oldNodes);
  EXPECT_FALSE(Listed(oldNodes, root)) << "the root left the old world room";
  EXPECT_EQ(record().environment.index, 0u);
}

}  // namespace
