// The script's prop queries over the props hospital: each count and n-th node of a prop list, the
// single props, the name questions, the node axes, the node's script object and the node
// animations, including their moves through the scene tree's transform update.
#include "environment.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "platform/utf.h"
#include "prop_hospital.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
using game::PropLists;

constexpr uint32_t kLeft = 0x5eed;  // a value the VM put in the result before the call

Cell Untouched() {
  Cell cell{};
  cell.type = varno::kTypeReal;
  cell.value.word = kLeft;
  return cell;
}

class PropQueries : public PropHospitalTest {
 protected:
  void SetUp() override {
    PropHospitalTest::SetUp();
    ASSERT_TRUE(Load());
  }
  RTInstance First(kivo::List* list) {
    return list && list->first ? static_cast<RTInstance>(list->first->data) : nullptr;
  }
  RTFVector3D Row(varno::NativeMethodSlot slot, uint32_t handle) {
    RTFVector3D row{7, 7, 7, 7};
    Cell result{};
    result.value.vector = &row;
    EXPECT_TRUE(CallScript(slot, {NumberCell(static_cast<int32_t>(handle))}, &result));
    return row;
  }
  // A player of the swing motion, playing, on a new node of the first room at (x, 0, 0).
  RTInstance SwingingNode(float x);
};

struct PairCase {
  varno::NativeMethodSlot count;
  varno::NativeMethodSlot node;
  kivo::List* PropLists::*list;
  uint32_t expected;
  bool typed;
};

TEST_F(PropQueries, EachCountAndNodeMethodReadsItsListAndRangeTestsItsIndex) {
  const PairCase cases[] = {
      {game::kGetSinkCount, game::kGetSinkNodeN, &PropLists::sinks, 1, true},
      {game::kGetChairCount, game::kGetChairNodeN, &PropLists::waitingChairs, 1, true},
      {game::kGetSigChairCount, game::kGetSigChairNodeN, &PropLists::sigChairs, 1, true},
      {game::kGetPediaChairCount, game::kGetPediaChairNodeN, &PropLists::pediatricChairs, 1, true},
      {game::kGetCafeteriaChairCount, game::kGetCafeteriaChairNodeN, &PropLists::cafeteriaChairs, 1, true},
      {game::kGetCafeteriaTrayCount, game::kGetCafeteriaTrayNodeN, &PropLists::cafeteriaTrays, 1, true},
      {game::kGetVendingMachineCount, game::kGetVendingNodeN, &PropLists::vendingMachines, 2, true},
      {game::kGetSecurityCameraCount, game::kGetSecurityCameraNodeN, &PropLists::securityCameras, 1, true},
      {game::kGetEllipticalCount, game::kGetEllipticalNodeN, &PropLists::ellipticals, 1, true},
      {game::kGetBenchCount, game::kGetBenchNodeN, &PropLists::benches, 1, true},
      {game::kGetShoulderPressCount, game::kGetShoulderPressNodeN, &PropLists::shoulderPresses, 1, true},
      {game::kGetRowingMachineCount, game::kGetRowingMachineNodeN, &PropLists::rowingMachines, 1, true},
      {game::kGetYogaMatCount, game::kGetYogaMatNodeN, &PropLists::yogaMats, 1, true},
      {game::kGetGameMachineCount, game::kGetGameMachineNodeN, &PropLists::gameMachines, 1, true},
      {game::kGetShowerCount, game::kGetShowerNodeN, &PropLists::showers, 1, true},
      {game::kGetCotCount, game::kGetCotNodeN, &PropLists::cots, 1, true},
      {game::kGetBedCount, game::kGetBedNodeN, &PropLists::beds, 4, false},
  };
  PropLists& lists = record().environment.lists;
  for (const PairCase& c : cases) {
    kivo::List* list = lists.*c.list;
    const std::string row = std::to_string(&c - cases);
    EXPECT_EQ(Call(c.count, {}, Untouched()).value.word, c.expected) << row;
    const Cell first = Call(c.node, {NumberCell(0)}, Untouched());
    RTInstance resolved = nullptr;
    ASSERT_TRUE(game::call::ResolveSceneHandle(game(), first.value.word, &resolved)) << row;
    EXPECT_EQ(resolved, First(list)) << row;
    core().ReleaseInstance(nullptr, resolved);
    EXPECT_EQ(first.type, c.typed ? varno::kTypeNumber : varno::kTypeReal) << row;
    for (int32_t outside : {static_cast<int32_t>(c.expected), -1}) {
      const Cell none = Call(c.node, {NumberCell(outside)}, Untouched());
      EXPECT_EQ(none.value.word, 0u) << row << " index " << outside;
      EXPECT_EQ(none.type, c.typed ? varno::kTypeNumber : varno::kTypeReal) << row;
    }
    EXPECT_EQ(Call(c.node, {}, Untouched()).value.word, 0u) << row << ": no index";
  }
  EXPECT_EQ(Call(game::kGetLinenCartNode, {}, Untouched()).value.word, Handle(First(lists.linenCarts)));
  const Cell decon = Call(game::kGetDeconChamberNode, {}, Untouched());
  EXPECT_EQ(decon.value.word, Handle(Node(u"decon01")));
  EXPECT_EQ(decon.type, varno::kTypeNumber);
  EXPECT_EQ(Call(game::kGetBasketballNode, {}, Untouched()).value.word, 0u) << "no basketball yet";
}

TEST_F(PropQueries, TheBedSeverityComparesOnlyWithinTheName) {
  const struct {
    const char16_t* name;  // null: no argument
    uint32_t severity;
  } cases[] = {{u"BED_T1", 10}, {u"bed_e", 7}, {u"bed_m2", 4}, {u"bed_x", kLeft},
               {u"bed", kLeft},  {u"", kLeft},   {nullptr, kLeft}};
  for (const auto& c : cases) {
    Cell result = Untouched();
    const std::vector<Cell> arguments = c.name ? std::vector<Cell>{TextCell(c.name)} : std::vector<Cell>{};
    ASSERT_TRUE(CallScript(game::kGetBedMaxSevByName, arguments, &result));
    EXPECT_EQ(result.value.word, c.severity) << (c.name ? platform::ToUtf8(c.name) : "no argument");
    EXPECT_EQ(result.type, varno::kTypeReal);
  }
}

TEST_F(PropQueries, TheVendingTypeFollowsTheModelsNameWithoutCase) {
  RTInstance chips02 = Node(u"chips02");
  RTInstance chips01 = Node(u"chips01");
  ASSERT_EQ(First(record().environment.lists.vendingMachines), chips02);
  EXPECT_EQ(Call(game::kGetVendingNodeNType, {NumberCell(0)}, Untouched()).value.word, 0u);
  EXPECT_EQ(Call(game::kGetVendingNodeNType, {NumberCell(1)}, Untouched()).value.word, 1u);
  EXPECT_EQ(Call(game::kGetVendingNodeNType, {NumberCell(2)}, Untouched()).value.word, kLeft) << "no machine";
  kivo::InstanceRef other;
  ASSERT_TRUE(core().GetInstanceByName(nullptr, u"Root:Tesk:Assets:Meshes:Frame", other.out(), 0));
  ASSERT_TRUE(kivo::scene_node::SetEntity(chips01, other.get()));
  EXPECT_EQ(Call(game::kGetVendingNodeNType, {NumberCell(1)}, Untouched()).value.word, kLeft) << "another model";
}

TEST_F(PropQueries, TheAxesCopyTheirRowAndNoNodeGivesTheDefaultWithAMessage) {
  RTInstance bed = Node(u"bed_m1");
  RTFMatrix4x4 placement{};
  for (int i = 0; i < 16; ++i) placement.m[i / 4][i % 4] = static_cast<float>(i + 1);
  ASSERT_TRUE(kivo::scene_node::SetLocalMatrix(bed, &placement));
  const varno::NativeMethodSlot slots[] = {game::kGetNodeRight, game::kGetNodeUp, game::kGetNodeAhead,
                                           game::kGetNodePosition};
  const RTFVector3D defaults[] = {{1, 0, 0, 7}, {0, 1, 0, 7}, {0, 0, 1, 7}, {0, 0, 0, 7}};
  for (int row = 0; row < 4; ++row) {
    const RTFVector3D got = Row(slots[row], Handle(bed));
    EXPECT_EQ(got.x, placement.m[row][0]);
    EXPECT_EQ(got.y, placement.m[row][1]);
    EXPECT_EQ(got.z, placement.m[row][2]);
    EXPECT_EQ(got.w, placement.m[row][3]) << "the fourth float too";
    const RTFVector3D none = Row(slots[row], 0xFFFFFFFFu);
    EXPECT_EQ(none.x, defaults[row].x);
    EXPECT_EQ(none.y, defaults[row].y);
    EXPECT_EQ(none.z, defaults[row].z);
  }
  EXPECT_EQ(Logged("Invalid node passed in!"), 4u);
}

TEST_F(PropQueries, TheBedsNameIsACopyThatTheNodeOutlives) {
  RTInstance bed = Node(u"bed_t1");
  Cell result = Call(game::kGetBedNameN, {NumberCell(static_cast<int32_t>(Handle(bed)))});
  ASSERT_NE(result.value.text, nullptr);
  EXPECT_EQ(platform::ToUtf8(result.value.text), "bed_t1");
  core().ArrayFree(nullptr, result.value.text);  // as the VM does after the call
  char16_t name[64] = {};
  core().GetInstanceName(nullptr, bed, name, 64);
  EXPECT_EQ(platform::ToUtf8(name), "bed_t1");
  EXPECT_EQ(Call(game::kGetBedNameN, {NumberCell(0)}, Untouched()).value.word, kLeft);
}

TEST_F(PropQueries, TheNodesObjectIsBoundAndTheNodeListed) {
  const scripting::Symbol object = NewProbe();
  RTInstance cot = Node(u"cot01");
  ASSERT_TRUE(CallScript(game::kSetNodeObject, {NumberCell(static_cast<int32_t>(Handle(cot))), PointerCell(object)}));
  void* bound = nullptr;
  kivo::tesk_scene_node::GetScriptObject(cot, &bound);
  EXPECT_EQ(bound, object);
  EXPECT_EQ(Names(record().environment.lists.nodeObjects), std::vector<std::string>{"cot01"});
  ASSERT_TRUE(CallScript(game::kSetNodeObject, {NumberCell(0), PointerCell(object)}));
  EXPECT_EQ(record().environment.lists.nodeObjects->count, 1u);
}

RTInstance PropQueries::SwingingNode(float x) {
  kivo::InstanceRef asset;
  kivo::InstanceRef node;
  kivo::InstanceRef player;
  EXPECT_TRUE(core().GetInstanceByName(nullptr, u"Root:Animated Objects:Assets:Players:Swing", asset.out(), 0));
  EXPECT_TRUE(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, node.out(), 0, 0));
  EXPECT_TRUE(core().CreateInstanceByString(nullptr, kivo::rigid::kClassName, player.out(), 0, 0));
  EXPECT_TRUE(kivo::rigid::CopyInto(asset.get(), player.get()));
  EXPECT_TRUE(kivo::rigid::SetPlaying(player.get(), 0));
  EXPECT_TRUE(kivo::scene_node::AddModifier(node.get(), player.get()));
  const RTFVector3D at{x, 0, 0, 0};
  kivo::scene_node::SetTranslation(node.get(), &at);
  EXPECT_TRUE(game::call::AddNode(game(), node.get()));
  return node.get();  // the room holds it
}

TEST_F(PropQueries, PlayingStartsEveryPlayerOfTheNodeOrSaysWhyNot) {
  RTInstance two = SwingingNode(1.0f);
  kivo::InstanceRef second;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::rigid::kClassName, second.out(), 0, 0));
  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  ASSERT_TRUE(kivo::scene_node::GetModifierList(two, &modifiers, &count));
  ASSERT_TRUE(kivo::rigid::CopyInto(modifiers[0], second.get()));
  ASSERT_TRUE(kivo::scene_node::AddModifier(two, second.get()));
  ASSERT_TRUE(kivo::scene_node::GetModifierList(two, &modifiers, &count));

  const auto play = [&](uint32_t handle) {
    Cell result{};
    return CallScript(game::kPlayNodeAnimation,
                      {NumberCell(static_cast<int32_t>(handle)), NumberCell(0), NumberCell(1)}, &result);
  };
  EXPECT_TRUE(play(0xFFFFFFFFu));
  EXPECT_EQ(Logged("Invalid node passed in!"), 1u);
  RTInstance bed = Node(u"bed01");
  EXPECT_TRUE(play(Handle(bed)));
  EXPECT_EQ(Logged("Node doesn't have a modifier list [hence no animations!]"), 1u);
  EXPECT_TRUE(play(Handle(two)));
  for (uint32_t i = 0; i < count; ++i) {
    RTBool done = 1;
    float time = -1;
    kivo::rigid::IsMotionDone(modifiers[i], &done);
    kivo::rigid::GetMotionTime(modifiers[i], &time);
    EXPECT_EQ(done, 0) << "looping: " << i;
    EXPECT_EQ(time, 0.0f) << i;
  }
  RTFVector3D before = Row(game::kGetNodeAhead, Handle(two));
  ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, 0));
  ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, 1000));
  RTFVector3D after = Row(game::kGetNodeAhead, Handle(two));
  EXPECT_NE(after.x, before.x) << "the swing turned the node";
  EXPECT_EQ(Row(game::kGetNodePosition, Handle(two)).x, 1.0f) << "about its own place";
  for (uint32_t i = 0; i < count; ++i) {
    float time = -1;
    kivo::rigid::GetMotionTime(modifiers[i], &time);
    EXPECT_EQ(time, 1.0f) << "each player plays: " << i;
  }

  // The ceiling chunk plays (0, 0): the first motion again from its start, not looping.
  ASSERT_TRUE(core().ResolveHandle(nullptr, two));  // the field's reference, which the game gives back
  record().environment.nodes.ceilingChunk = two;
  ASSERT_TRUE(CallScript(game::kPlayCeilingChunk));
  for (uint32_t i = 0; i < count; ++i) {
    float time = -1;
    kivo::rigid::GetMotionTime(modifiers[i], &time);
    EXPECT_EQ(time, 0.0f) << i;
  }
  ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, 9000));
  RTBool done = 0;
  kivo::rigid::IsMotionDone(modifiers[0], &done);
  EXPECT_EQ(done, 1) << "not looping: held at its end after 8 seconds";
}

TEST_F(PropQueries, ALoopingPlayerTurnsItsNodeAndAStoppedOneHolds) {
  RTInstance node = SwingingNode(2.0f);
  const uint32_t handle = Handle(node);
  ASSERT_TRUE(
      CallScript(game::kPlayNodeAnimation, {NumberCell(static_cast<int32_t>(handle)), NumberCell(0), NumberCell(1)}));
  ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, 100));
  const RTFVector3D first = Row(game::kGetNodeAhead, handle);
  ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, 1100));
  const RTFVector3D turned = Row(game::kGetNodeAhead, handle);
  EXPECT_GT(std::abs(turned.x - first.x), 0.1f);
  EXPECT_NEAR(turned.y, 0.0f, 1e-6f) << "a turn about the vertical";

  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  ASSERT_TRUE(kivo::scene_node::GetModifierList(node, &modifiers, &count));
  ASSERT_TRUE(kivo::rigid::Play(modifiers[0], 0));
  ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, 2100));
  const RTFVector3D held = Row(game::kGetNodeAhead, handle);
  EXPECT_EQ(held.x, turned.x);
  EXPECT_EQ(held.z, turned.z);
}

TEST_F(PropQueries, TheAnimatedTrainerCopyCarriesTheStoredPlayer) {
  RTInstance copy = First(record().environment.lists.ellipticals);
  ASSERT_NE(copy, nullptr);
  uint32_t count = 0;
  ASSERT_TRUE(kivo::scene_node::GetModifierCount(copy, &count));
  EXPECT_EQ(count, 1u) << "the asset's root carries the swing player in the pack";
  const RTFVector3D place = Row(game::kGetNodePosition, Handle(copy));
  ASSERT_TRUE(CallScript(game::kPlayNodeAnimation, {NumberCell(static_cast<int32_t>(Handle(copy))), NumberCell(0),
                                                    NumberCell(1)}));
  ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, 5000));
  ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, 6000));
  const RTFVector3D moved = Row(game::kGetNodePosition, Handle(copy));
  EXPECT_EQ(moved.x, place.x) << "it turns in place";
  EXPECT_EQ(moved.z, place.z);
}

}  // namespace

namespace {

using namespace gametest;
namespace game = tesk::game;

// Before the first environment there are no lists: every query answers no node.
class PropQueriesBeforeLoad : public PropHospitalTest {};

TEST_F(PropQueriesBeforeLoad, EveryQueryGivesNothing) {
  for (auto [countSlot, nodeSlot] : {std::pair{game::kGetSinkCount, game::kGetSinkNodeN},
                                     std::pair{game::kGetBedCount, game::kGetBedNodeN},
                                     std::pair{game::kGetEllipticalCount, game::kGetEllipticalNodeN}}) {
    Cell result{};
    result.value.word = 9;
    ASSERT_TRUE(CallScript(countSlot, {}, &result));
    EXPECT_EQ(result.value.word, 0u);
    result.value.word = 9;
    ASSERT_TRUE(CallScript(nodeSlot, {NumberCell(0)}, &result));
    EXPECT_EQ(result.value.word, 0u);
  }
  Cell result{};
  result.value.word = 9;
  ASSERT_TRUE(CallScript(game::kGetVendingNodeNType, {NumberCell(0)}, &result));
  EXPECT_EQ(result.value.word, 9u);
  ASSERT_TRUE(CallScript(game::kGetLinenCartNode, {}, &result));
  EXPECT_EQ(result.value.word, 0u);
}

}  // namespace
