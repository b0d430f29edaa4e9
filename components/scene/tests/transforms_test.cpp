// The per-frame transform update: which nodes move, room tracking with its "OnRoomEnter" event on a
// script object of a running VM, the references the child walk leaves, and quad items that follow
// their nodes.
#include <functional>

#include "host/temp_dir.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "platform/utf.h"
#include "scene_test.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"
#include "varno/scripting_calls.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace tree_calls = tesk::scene_tree;
namespace node_calls = kivo::tesk_scene_node;
namespace script = varno::scripting;

constexpr uint32_t kFrameMs = 33;

// The root of script classes.
constexpr char kThing[] = "Thing is nothing;\nmethod Constructor() { }\n";
// Records every room name its handler receives.
constexpr char kWalker[] =
    "Walker is Thing;\n"
    "event OnRoomEnter(room is string) { print(\"entered \" + room); }\n"
    "state Switchboard { }\n";
// Has no "OnRoomEnter"; its "OnCheck" shows what the VM's argument stack holds.
constexpr char kMute[] =
    "Mute is Thing;\n"
    "event OnCheck(n is number) { print(\"check \" + n); }\n"
    "state Switchboard { }\n";

class Transforms : public SceneTest {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    host.InstallComponent(FixtureComponent("RTRecordingNode"));
  }

  void SetUp() override {
    SceneTest::SetUp();
    tree_ = MakeTree();
    ASSERT_EQ(core().GetFirstInstanceByString(nullptr, tesk::game::kClassName, game_.out(), 1, nullptr), kRTSuccess);
  }

  void TearDown() override {
    if (varno_.get()) {
      tesk::game_standin::SetVM(game_.get(), nullptr);
      script::VarnoVMDestructor(varno_.get(), vm_);
      script::TypeTableDestructor(varno_.get(), table_);
    }
    gFrames = nullptr;
    for (InstanceRef* held : {&varno_, &tree_, &game_}) held->Reset();
    rooms_.clear();
    SceneTest::TearDown();
  }

  // Rooms side by side along x, each 10 wide, listed in the tree in the order made.
  RTInstance AddRoom(const char16_t* name, float x) {
    rooms_.push_back(MakeRoom(name, At(x, 0, 0), At(x + 10, 3, 10)));
    EXPECT_EQ(tree_calls::AddRoom(tree_.get(), rooms_.back().get()), kRTSuccess);
    return rooms_.back().get();
  }
  static void Link(RTInstance a, RTInstance b, const char16_t* aName, const char16_t* bName) {
    room::AddNeighbourRoom(a, bName);
    room::AddNeighbourRoom(b, aName);
  }

  // A recording node of the kind, standing in the room at the point.
  InstanceRef Node(const char16_t* name, RTInstance room, RTFVector3D at, uint32_t kind) {
    InstanceRef node;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, u"RTRecordingNode", node.out(), 0, 0), kRTSuccess);
    core().SetInstanceName(nullptr, node.get(), name);
    EXPECT_EQ(scene_node::SetTranslation(node.get(), &at), kRTSuccess);
    EXPECT_EQ(node_calls::SetStateWord(node.get(), node_calls::WithKind(0, kind)), kRTSuccess);
    if (room) {
      EXPECT_EQ(room::AddNode(room, node.get()), kRTSuccess);
    }
    return node;
  }

  static void MoveTo(RTInstance node, RTFVector3D to) { EXPECT_EQ(scene_node::SetTranslation(node, &to), kRTSuccess); }

  RTFVector3D Position(RTInstance node) {
    const RTFMatrix4x4* local = nullptr;
    EXPECT_EQ(scene_node::GetLocalMatrix(node, &local), kRTSuccess);
    return At(local->m[3][0], local->m[3][1], local->m[3][2]);
  }

  // The names of the rooms whose node lists hold the node.
  std::u16string RoomsHolding(RTInstance node) {
    std::u16string names;
    for (const InstanceRef& room : rooms_) {
      List* nodes = nullptr;
      room::GetNodeList(room.get(), &nodes);
      for (RTInstance listed : ListItems<RTInstanceRecord>(nodes))
        if (listed == node) names += (names.empty() ? u"" : u" ") + NameOf(room.get());
    }
    return names;
  }

  RTSuccess Frame() { return tree_calls::UpdateTransforms(tree_.get(), time_ += kFrameMs); }

  // A VM of the game running an object of the class: `frames` runs once per pass of the VM's
  // scheduler, where native code may push arguments, and the run ends when it returns 0.
  script::Symbol StartScript(const char* className, const char* source) {
    tesk::testing::WriteFile(classes_.path() / "Thing.varno", kThing);
    tesk::testing::WriteFile(classes_.path() / (std::string(className) + ".varno"), source);
    const std::u16string folder = platform::FromUtf8(classes_.path().string() + "/");
    const std::u16string file = platform::FromUtf8((classes_.path() / (std::string(className) + ".varno")).string());
    uint32_t type = 0;
    script::TypeTable parsed = nullptr;
    script::Symbol object = nullptr;
    EXPECT_EQ(core().GetFirstInstanceByString(nullptr, script::kClassName, varno_.out(), 1, nullptr), kRTSuccess);
    RTInstance v = varno_.get();
    EXPECT_TRUE(script::AddSearchPath(v, folder.c_str()) && script::TypeTableFactory(v, &table_) &&
                script::VarnoVMFactory(v, &vm_) &&
                script::VarnoParseBrellinAnsiFile(v, file.c_str(), &type, &parsed, table_) &&
                script::TypeTableGenerateCode(v, table_) && script::VarnoVMSetTypeTable(v, vm_, table_) &&
                script::VarnoVMSetHostCallback(v, vm_, Pass, nullptr) &&
                script::VarnoVMConstructObject(v, vm_, type, &object) &&
                script::VarnoVMSetNewContext(v, vm_, object, u"Switchboard", 1))
        << host_.DebugLog();
    EXPECT_EQ(tesk::game_standin::SetVM(game_.get(), vm_), kRTSuccess);
    return object;
  }
  void Run(std::function<int32_t(int pass)> frames) {
    gFrames = std::move(frames);
    gPass = 0;
    script::VarnoVMRun(varno_.get(), vm_);
  }

  InstanceRef tree_;
  InstanceRef game_;
  std::vector<InstanceRef> rooms_;
  uint32_t time_ = 0;
  InstanceRef varno_;
  script::VM vm_ = nullptr;
  script::TypeTable table_ = nullptr;
  tesk::testing::TempDir classes_;

 private:
  static int32_t Pass(RTInstance) { return gFrames && ++gPass < 1000 ? gFrames(gPass) : 0; }
  static inline std::function<int32_t(int)> gFrames;
  static inline int gPass = 0;
};

// With designing on every visit moves a node, so its ApplyMovement calls count its visits.
TEST_F(Transforms, AMoverIsProcessedOnceAndRaisesOnRoomEnterOnceWhereverItsNewRoomIsListed) {
  script::Symbol walker = StartScript("Walker", kWalker);
  for (bool laterRoom : {true, false}) {
    SCOPED_TRACE(laterRoom ? "B after A" : "B before A");
    rooms_.clear();
    tree_ = MakeTree();
    RTInstance a = laterRoom ? AddRoom(u"A", 0) : nullptr;
    RTInstance b = AddRoom(u"B", 10);
    if (!laterRoom) a = AddRoom(u"A", 0);
    Link(a, b, u"A", u"B");
    ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
    ASSERT_EQ(tree_calls::EnableDesigning(tree_.get(), 1), kRTSuccess);
    InstanceRef node = Node(u"Walker", a, At(9, 0, 5), 5);
    ASSERT_EQ(node_calls::SetScriptObject(node.get(), walker), kRTSuccess);
    const size_t entered = Occurrences("entered B");
    const size_t visits = Occurrences("ApplyMovement(Walker)");
    MoveTo(node.get(), At(11, 0, 5));
    Run([&](int pass) {
      if (pass == 1) {
        EXPECT_EQ(Frame(), kRTSuccess);
      }
      return pass < 3 ? 1 : 0;
    });
    EXPECT_EQ(RoomsHolding(node.get()), u"B");
    EXPECT_TRUE(Same(Position(node.get()), At(11, 0, 5)));
    EXPECT_EQ(Occurrences("ApplyMovement(Walker)") - visits, 1u);
    EXPECT_EQ(Occurrences("entered B") - entered, 1u) << "handled after the frame";
  }
  EXPECT_EQ(Occurrences("entered "), 2u);
}

// Each frame runs inside the VM's run, as the game's does, with a Walker as the node's script
// object unless the case says otherwise.
TEST_F(Transforms, WhatMovesWhereItEndsAndWhenTheScriptHears) {
  script::Symbol walker = StartScript("Walker", kWalker);
  const struct {
    const char* what;
    uint32_t kind;
    bool designing;
    bool light;             // listed as a light of A, so A refuses to give it up as a node
    bool scripted;          // the node has the Walker as its script object
    RTFVector3D to;         // set by SetTranslation before the frame (while the kind is 5)
    const char16_t* rooms;  // whose node lists hold it after the frame
    RTFVector3D at;         // where it stands after the frame
    size_t moves;           // ApplyMovement calls
    size_t zeroVectors;     // SetVector(0, 0, 0) calls
    size_t events;          // "entered B" lines
  } cases[] = {
      {"kind 6 without movement", 6, false, false, true, At(5, 0, 5), u"A", At(5, 0, 5), 0, 0, 0},
      {"kind 6 without movement, designing", 6, true, false, true, At(5, 0, 5), u"A", At(5, 0, 5), 1, 1, 0},
      {"kind 4 with movement", 4, false, false, true, At(15, 0, 5), u"A", At(5, 0, 5), 0, 0, 0},
      {"kind 7 into B", 7, false, false, true, At(15, 0, 5), u"B", At(15, 0, 5), 1, 0, 1},
      {"kind 5 into B without a script object", 5, false, false, false, At(15, 0, 5), u"B", At(15, 0, 5), 1, 0, 0},
      {"kind 5 within A", 5, false, false, true, At(6, 0, 5), u"A", At(6, 0, 5), 1, 1, 0},
      {"kind 5 into no room", 5, false, false, true, At(50, 0, 50), u"A", At(50, 0, 50), 1, 1, 0},
      {"a light of A into B", 5, false, true, true, At(15, 0, 5), u"", At(15, 0, 5), 1, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rooms_.clear();
    tree_ = MakeTree();
    RTInstance a = AddRoom(u"A", 0);
    Link(a, AddRoom(u"B", 10), u"A", u"B");
    ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
    ASSERT_EQ(tree_calls::EnableDesigning(tree_.get(), c.designing), kRTSuccess);
    InstanceRef node = Node(u"N", c.light ? nullptr : a, At(5, 0, 5), 5);
    if (c.light) {
      ASSERT_EQ(room::AddLight(a, node.get()), kRTSuccess);
    }
    ASSERT_EQ(node_calls::SetScriptObject(node.get(), c.scripted ? walker : nullptr), kRTSuccess);
    MoveTo(node.get(), c.to);
    ASSERT_EQ(node_calls::SetStateWord(node.get(), node_calls::WithKind(0, c.kind)), kRTSuccess);
    const size_t moves = Occurrences("ApplyMovement(N)");
    const size_t zeroVectors = Occurrences("SetVector(N, 0.0, 0.0, 0.0)");
    const size_t events = Occurrences("entered B");
    Run([&](int pass) {
      if (pass == 1) {
        EXPECT_EQ(Frame(), kRTSuccess);
      }
      return pass < 3 ? 1 : 0;
    });
    EXPECT_EQ(RoomsHolding(node.get()), c.rooms);
    EXPECT_TRUE(Same(Position(node.get()), c.at));
    EXPECT_EQ(Occurrences("ApplyMovement(N)") - moves, c.moves);
    EXPECT_EQ(Occurrences("SetVector(N, 0.0, 0.0, 0.0)") - zeroVectors, c.zeroVectors);
    EXPECT_EQ(Occurrences("entered B") - events, c.events);
  }
  EXPECT_EQ(Occurrences("[VARNO VM]"), 0u) << "nothing was raised on a missing object";
}

TEST_F(Transforms, ASecondUpdateInOneFrameMovesNothing) {
  RTInstance a = AddRoom(u"A", 0);
  InstanceRef node = Node(u"N", a, At(2, 0, 2), 5);
  MoveTo(node.get(), At(3, 0, 2));
  ASSERT_EQ(tree_calls::UpdateTransforms(tree_.get(), 100), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateTransforms(tree_.get(), 100), kRTSuccess);
  EXPECT_TRUE(Same(Position(node.get()), At(3, 0, 2)));
  RTFVector3D pending{1, 1, 1, 0};
  ASSERT_EQ(node_calls::GetVelocity(node.get(), &pending), kRTSuccess);
  EXPECT_TRUE(Same(pending, At(0, 0, 0)));
}

TEST_F(Transforms, RoomChangesOfAnObjectWithoutTheEventLeaveTheArgumentStackEmpty) {
  RTInstance a = AddRoom(u"A", 0);
  Link(a, AddRoom(u"B", 10), u"A", u"B");
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  InstanceRef node = Node(u"N", a, At(9, 0, 5), 5);
  script::Symbol mute = StartScript("Mute", kMute);
  ASSERT_EQ(node_calls::SetScriptObject(node.get(), mute), kRTSuccess);
  Run([&](int pass) {
    if (pass <= 40) {
      MoveTo(node.get(), At(pass % 2 ? 11.0f : 9.0f, 0, 5));
      EXPECT_EQ(Frame(), kRTSuccess);
    } else if (pass == 41) {
      // Anything left on the stack would go to the event too, and its count would not match.
      EXPECT_EQ(script::ArgPushNumber(varno_.get(), vm_, 7), kRTSuccess);
      EXPECT_EQ(script::TriggerEvent(varno_.get(), vm_, mute, u"OnCheck"), kRTSuccess);
      EXPECT_EQ(script::ArgPopStack(varno_.get(), vm_), kRTSuccess);
    }
    return pass < 43 ? 1 : 0;
  });
  EXPECT_EQ(RoomsHolding(node.get()), u"A");
  EXPECT_EQ(Occurrences("[VARNO VM] Cannot find event specified in object."), 40u);
  EXPECT_EQ(Occurrences("check 7"), 1u);

  // Without a VM from the game the room still changes; only the event is left out.
  ASSERT_EQ(tesk::game_standin::SetVM(game_.get(), nullptr), kRTSuccess);
  MoveTo(node.get(), At(11, 0, 5));
  ASSERT_EQ(Frame(), kRTSuccess);
  EXPECT_EQ(RoomsHolding(node.get()), u"B");
  EXPECT_EQ(Occurrences("[VARNO VM] Cannot find event specified in object."), 40u);
}

TEST_F(Transforms, TheChildWalkLeavesReferenceCountsAsItFoundThem) {
  RTInstance a = AddRoom(u"A", 0);
  InstanceRef parent = Node(u"Cart", a, At(2, 0, 2), 5);
  InstanceRef left = MakeNode(u"Left", At(-1, 0, 0), parent.get());
  InstanceRef right = MakeNode(u"Right", At(1, 0, 0), parent.get());
  InstanceRef wheel = MakeNode(u"Wheel", At(0, 0, 1), right.get());
  std::vector<uint32_t> counts;
  for (RTInstance node : {parent.get(), left.get(), right.get(), wheel.get()}) counts.push_back(RefCount(node));
  for (int frame = 0; frame < 100; ++frame) {
    MoveTo(parent.get(), At(frame % 2 ? 2.0f : 3.0f, 0, 2));
    ASSERT_EQ(Frame(), kRTSuccess);
  }
  size_t i = 0;
  for (RTInstance node : {parent.get(), left.get(), right.get(), wheel.get()}) EXPECT_EQ(RefCount(node), counts[i++]);
  const RTFMatrix4x4* world = nullptr;
  ASSERT_EQ(scene_node::GetWorldMatrix(wheel.get(), &world), kRTSuccess);
  EXPECT_TRUE(Same(At(world->m[3][0], world->m[3][1], world->m[3][2]), At(3, 0, 3))) << "child of the moved parent";
}

TEST_F(Transforms, QuadItemsFollowTheirNodesAndANodeOutsideTheTreeIsReportedOnce) {
  RTInstance a = AddRoom(u"A", 0);
  Link(a, AddRoom(u"B", 10), u"A", u"B");
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  InstanceRef runner = Node(u"Runner", a, At(1, 0, 1), 5);
  InstanceRef other = Node(u"Other", a, At(5, 0, 5), 5);
  for (RTInstance node : {runner.get(), other.get()}) ASSERT_EQ(tree_calls::QTAddNode(tree_.get(), node), kRTSuccess);
  const auto listedNear = [&](RTFVector3D point) {
    List* nodes = nullptr;
    tree_calls::QTQueryRadiusByPoint(tree_.get(), &point, 1.0f, &nodes);
    for (RTInstance listed : ListItems<RTInstanceRecord>(nodes))
      if (listed == runner.get()) return true;
    return false;
  };
  for (float x : {4.0f, 9.0f, 14.0f, 19.0f}) {
    MoveTo(runner.get(), At(x, 0, 8));
    ASSERT_EQ(Frame(), kRTSuccess);
    EXPECT_TRUE(listedNear(At(x, 0, 8))) << x;
    EXPECT_FALSE(listedNear(At(1, 0, 1))) << x;
  }
  EXPECT_EQ(RoomsHolding(runner.get()), u"B");

  for (int frame = 0; frame < 3; ++frame) {
    MoveTo(runner.get(), At(40.0f + frame, 0, 8));
    MoveTo(other.get(), At(5, 0, 6.0f + frame));
    ASSERT_EQ(Frame(), kRTSuccess);
  }
  EXPECT_TRUE(Same(Position(other.get()), At(5, 0, 8))) << "the walk goes on";
  EXPECT_EQ(Occurrences("RTTeskSceneTree::RTQuadNodeUpdate(): Reached the top "
                        "of the quad-tree and still cannot re-classify the item. The item is outside the "
                        "quad-tree extents. (<40.00, 0.00, 8.00>)"),
            1u);
  EXPECT_EQ(Occurrences("RTTeskSceneTree::UpdateTransformsRecursive(): Unable "
                        "to update the quad node."),
            1u);
  EXPECT_EQ(RoomsHolding(runner.get()), u"B") << "no room holds it out there";

  MoveTo(runner.get(), At(12, 0, 8));
  ASSERT_EQ(Frame(), kRTSuccess);
  EXPECT_TRUE(listedNear(At(12, 0, 8))) << "filed again once back inside";
}

}  // namespace
