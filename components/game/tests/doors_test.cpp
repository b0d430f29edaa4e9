// The animated doors over the props hospital, stepped by the game's frame (Main) at clock times the
// test sets: the shower and stall doors swinging on the script's word, and the main entrance's
// leaves sliding open for characters near the sensor.
#include <algorithm>
#include <cmath>

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "prop_hospital.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace gametest;
namespace game = tesk::game;

constexpr float kPi = 3.14159265f;
constexpr float kClosedShower = 0.5f;
constexpr float kShowerOpen = kClosedShower - 2.9670597250000004f;
constexpr float kClosedX = 13.8f;

class Doors : public PropHospitalTest {
 protected:
  void SetUp() override {
    PropHospitalTest::SetUp();
    ASSERT_TRUE(Load());
    record().gameObject = NewProbe();  // the frame runs for a game with a script object
  }
  void TearDown() override {
    added_.clear();
    PropHospitalTest::TearDown();
  }
  // One frame at the clock time.
  void Frame(double seconds) {
    SetClock(seconds);
    ASSERT_TRUE(CallScript(game::kMain));
  }
  float Yaw(RTInstance node) {
    float pitch = 0, yaw = 0, roll = 0;
    kivo::scene_node::GetEulerAngles(node, &pitch, &yaw, &roll);
    return yaw;
  }
  float X(RTInstance node) {
    const RTFMatrix4x4* placement = nullptr;
    kivo::scene_node::GetLocalMatrix(node, &placement);
    return placement->m[3][0];
  }
  RTInstance Left() { return record().environment.nodes.mainEntranceLeft; }
  RTInstance Right() { return record().environment.nodes.mainEntranceRight; }
  Cell Stall() { return NumberCell(static_cast<int32_t>(Handle(record().environment.showers[0].stall))); }
  // A node of the kind at the point, in the main entrance room.
  RTInstance Visitor(uint32_t kind, RTFVector3D at) {
    kivo::InstanceRef& node = added_.emplace_back();
    EXPECT_TRUE(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, node.out(), 0, 0));
    kivo::scene_node::SetTranslation(node.get(), &at);
    kivo::tesk_scene_node::SetStateWord(node.get(), kivo::tesk_scene_node::WithKind(1, kind));
    EXPECT_TRUE(kivo::room::AddNode(record().environment.entrance.entranceRoom, node.get()));
    return node.get();
  }
  uint32_t RefCount(RTInstance instance) {
    uint32_t count = 0;
    core().GetRefCount(nullptr, instance, &count);
    return count;
  }

  std::vector<kivo::InstanceRef> added_;
};

TEST_F(Doors, AShowerDoorSwingsOpenOverOneSecondWithACosineEase) {
  ASSERT_NE(record().environment.showers[0].door, nullptr);
  Frame(10.0);
  EXPECT_NEAR(Yaw(record().environment.showers[0].door), kClosedShower, 1e-6f);
  ASSERT_TRUE(CallScript(game::kOpenShowerDoor, {Stall()}));
  Frame(10.5);
  const float halfway = kClosedShower - 85.0f * kPi / 180.0f;
  EXPECT_NEAR(record().environment.showers[0].swing.currentAngle, halfway, 1e-5f);
  EXPECT_NEAR(Yaw(record().environment.showers[0].door), halfway, 1e-5f);
  for (double at : {11.0, 11.5, 20.0}) {
    Frame(at);
    EXPECT_NEAR(Yaw(record().environment.showers[0].door), kShowerOpen, 1e-5f) << at;
  }
}

TEST_F(Doors, ReopeningAHalfClosedDoorEasesFromWhereItStands) {
  ASSERT_TRUE(CallScript(game::kOpenShowerDoor, {Stall()}));
  Frame(2.0);
  ASSERT_TRUE(CallScript(game::kCloseShowerDoor, {Stall()}));
  Frame(2.5);
  const float half = record().environment.showers[0].swing.currentAngle;
  EXPECT_NEAR(half, (kShowerOpen + kClosedShower) / 2, 1e-5f);
  ASSERT_TRUE(CallScript(game::kOpenShowerDoor, {Stall()}));
  Frame(3.0);
  EXPECT_NEAR(record().environment.showers[0].swing.currentAngle, (half + kShowerOpen) / 2, 1e-5f);
}

TEST_F(Doors, ADoorAtRestIsWrittenEveryFrame) {
  RTInstance door = record().environment.showers[0].door;
  ASSERT_TRUE(kivo::scene_node::SetEulerAngles(door, 0.0f, 1.25f, 0.0f));
  Frame(1.0);
  EXPECT_NEAR(Yaw(door), kClosedShower, 1e-6f);
}

TEST_F(Doors, TheEpisodeResetClosesTheShowerDoorsAtOnce) {
  ASSERT_TRUE(CallScript(game::kOpenShowerDoor, {Stall()}));
  Frame(3.0);
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kResetC));
  const game::DoorSwing& swing = record().environment.showers[0].swing;
  EXPECT_NEAR(swing.closedAngle, kClosedShower, 1e-6f);
  EXPECT_EQ(swing.currentAngle, swing.closedAngle);
  EXPECT_EQ(swing.targetAngle, swing.closedAngle);
  Frame(0.5);
  EXPECT_NEAR(Yaw(record().environment.showers[0].door), kClosedShower, 1e-6f);
}

TEST_F(Doors, ANodeThatIsNoStallLeavesTheShowerDoorsAlone) {
  const float before = record().environment.showers[0].swing.targetAngle;
  for (uint32_t handle : {0u, Handle(Node(u"bed01")), 0xFFFFFFFFu}) {
    EXPECT_TRUE(CallScript(game::kOpenShowerDoor, {NumberCell(static_cast<int32_t>(handle))}));
    EXPECT_TRUE(CallScript(game::kCloseShowerDoor, {NumberCell(static_cast<int32_t>(handle))}));
  }
  EXPECT_EQ(record().environment.showers[0].swing.targetAngle, before);
}

TEST_F(Doors, TheWomensStallDoorSwingsAQuarterTurnAndOtherIndexesAreRefused) {
  RTInstance women = record().environment.stallDoors[1].door;
  RTInstance men = record().environment.stallDoors[0].door;
  ASSERT_EQ(women, Node(u"female-stall"));
  ASSERT_EQ(men, Node(u"male-stall"));
  Frame(4.0);
  EXPECT_NEAR(Yaw(women), 0.0f, 1e-6f);
  ASSERT_TRUE(CallScript(game::kBathroomStallDoorOpen, {NumberCell(1)}));
  Frame(6.0);
  EXPECT_NEAR(Yaw(women), -kPi / 2, 1e-5f);
  EXPECT_NEAR(Yaw(men), 0.0f, 1e-6f);
  EXPECT_EQ(CallScript(game::kBathroomStallDoorOpen, {NumberCell(2)}), kRTFailure);
  EXPECT_EQ(CallScript(game::kBathroomStallDoorClose, {NumberCell(-1)}), kRTFailure);
  ASSERT_TRUE(CallScript(game::kBathroomStallDoorClose, {NumberCell(1)}));
  Frame(8.0);
  EXPECT_NEAR(Yaw(women), 0.0f, 1e-6f);
}

struct NearCase {
  const char* what;
  uint32_t kind;
  RTFVector3D at;
  bool opens;
};

TEST_F(Doors, TheEntranceOpensForCharactersAndVehiclesStrictlyWithinTheSensor) {
  const NearCase cases[] = {
      {"a character at squared distance 8.99", 7, {kClosedX, 0, 8.5f - std::sqrt(8.99f), 0}, true},
      {"a vehicle at squared distance 8.99", 10, {kClosedX, 0, 8.5f - std::sqrt(8.99f), 0}, true},
      {"a character at exactly 3.0", 7, {kClosedX, 0, 5.5f, 0}, false},
      {"a prop at the sensor", 1, {kClosedX, 0, 8.5f, 0}, false},
  };
  for (const NearCase& c : cases) {
    const double start = 100.0 * static_cast<double>(&c - cases + 1);
    Frame(start);  // the leaves close from where they stand
    Frame(start + 2.0);
    ASSERT_NEAR(X(Left()), kClosedX, 1e-5f) << c.what;
    RTInstance visitor = Visitor(c.kind, c.at);
    Frame(start + 3.0);
    Frame(start + 3.5);
    if (c.opens) {
      EXPECT_NEAR(X(Left()), 13.225f, 1e-4f) << c.what << ": eased half-way";
      EXPECT_NEAR(X(Right()), 14.4f, 1e-4f) << c.what;
      Frame(start + 4.5);
      EXPECT_EQ(X(Left()), 12.65f) << c.what;
      EXPECT_EQ(X(Right()), 15.0f) << c.what;
    } else {
      EXPECT_NEAR(X(Left()), kClosedX, 1e-5f) << c.what;
      EXPECT_NEAR(X(Right()), kClosedX, 1e-5f) << c.what;
    }
    kivo::room::RemoveNode(record().environment.entrance.entranceRoom, visitor);
  }
  const RTFMatrix4x4* left = nullptr;
  kivo::scene_node::GetLocalMatrix(Left(), &left);
  EXPECT_EQ(left->m[3][2], 8.45f) << "only x moves";
}

TEST_F(Doors, SomeoneStandingNearKeepsTheEntranceCycling) {
  Visitor(7, {kClosedX, 0, 7.0f, 0});
  Frame(1.0);  // closes from where they stand
  Frame(2.0);  // opens
  EXPECT_EQ(record().environment.entrance.open, 1u);
  Frame(4.0);
  Frame(6.9);
  EXPECT_EQ(X(Left()), 12.65f) << "open for five seconds";
  Frame(7.0);
  EXPECT_EQ(record().environment.entrance.open, 0u) << "then closing";
  Frame(7.1);
  EXPECT_EQ(record().environment.entrance.open, 1u) << "and open again at the next frame";
  EXPECT_FLOAT_EQ(record().environment.entrance.closeTime, 12.1f);
}

TEST_F(Doors, AnEpisodeWithoutAPortRoomKeepsThePreviousOneAndTheLeaves) {
  game::EntranceDoors& entrance = record().environment.entrance;
  RTInstance port = entrance.portRoom;
  ASSERT_NE(port, nullptr);
  const uint32_t references = RefCount(port);
  entrance.left.targetX = 1.5f;
  record().scenarioIndex = 8;
  ASSERT_TRUE(Load());
  EXPECT_EQ(Logged("RTTeskGame::MainEntranceDoorsStartup(): Unable to load ambulance port section."), 1u);
  EXPECT_EQ(entrance.portRoom, port);
  EXPECT_EQ(RefCount(port), references);
  EXPECT_EQ(entrance.left.targetX, 1.5f);

  record().scenarioIndex = 7;
  ASSERT_TRUE(Load());
  EXPECT_EQ(Logged("RTTeskGame::MainEntranceDoorsStartup(): Unable to get ambulance port room for loading scenario "
                   "(ep. 7)."),
            1u);
  EXPECT_EQ(entrance.portRoom, port);
}

TEST_F(Doors, ReloadingTheEnvironmentHoldsEachRoomOnce) {
  game::EntranceDoors& entrance = record().environment.entrance;
  ASSERT_NE(entrance.entranceRoom, nullptr);
  const uint32_t rooms[] = {RefCount(entrance.entranceRoom), RefCount(entrance.portRoom)};
  uint32_t blocks = 0, bytes = 0;
  ASSERT_TRUE(Load());
  ASSERT_TRUE(core().GetMemoryStats(nullptr, &blocks, &bytes));
  ASSERT_TRUE(Load());
  ASSERT_TRUE(Load());
  uint32_t blocksAfter = 0;
  ASSERT_TRUE(core().GetMemoryStats(nullptr, &blocksAfter, &bytes));
  EXPECT_EQ(RefCount(entrance.entranceRoom), rooms[0]);
  EXPECT_EQ(RefCount(entrance.portRoom), rooms[1]);
  EXPECT_EQ(blocksAfter, blocks);
}

// The sample's hospital as the content build staged it: someone walking from the corridor to the
// main entrance (a character's node, moved a little each frame as the actor component moves its
// characters) opens the leaves within a second of coming within 3.0 of the sensor.
class SampleEntrance : public EnvironmentTest {
 protected:
  std::filesystem::path Store() const override { return SAMPLE_STORE; }
  std::vector<std::u16string> Fonts() const override { return {}; }  // the store's own
  void SetUp() override {
    EnvironmentTest::SetUp();
    ASSERT_TRUE(Load());
    record().gameObject = NewProbe();
  }
};

TEST_F(SampleEntrance, SomeoneWalkingUpOpensTheLeavesWithinASecond) {
  kivo::InstanceRef corridor;
  ASSERT_TRUE(tesk::scene_tree::GetRoomByName(record().sceneTree, u"corridor", corridor.out()));
  ASSERT_NE(record().environment.entrance.portRoom, nullptr) << "the port room of scenario 0";
  RTInstance left = record().environment.nodes.mainEntranceLeft;
  ASSERT_NE(left, nullptr);
  kivo::InstanceRef walker;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::tesk_scene_node::kClassName, walker.out(), 0, 0));
  const RTFVector3D start{9.0f, 0.0f, 3.0f, 0.0f};
  kivo::scene_node::SetTranslation(walker.get(), &start);
  kivo::tesk_scene_node::SetStateWord(walker.get(), kivo::tesk_scene_node::WithKind(1, 7));
  ASSERT_TRUE(kivo::room::AddNode(corridor.get(), walker.get()));

  const RTFVector3D stops[] = {{12.5f, 0, 3.0f, 0}, {13.8f, 0, 7.5f, 0}};
  const RTFVector3D sensor{13.8f, 0.0f, 8.5f, 0.0f};
  constexpr float kStep = 0.05f;  // seconds a frame
  constexpr float kSpeed = 1.2f;  // metres a second
  double now = 1.0;
  double cameNear = -1.0;
  double opened = -1.0;
  for (const RTFVector3D& stop : stops) {
    for (int frame = 0; frame < 400 && opened < 0; ++frame) {
      const RTFMatrix4x4* placement = nullptr;
      ASSERT_TRUE(kivo::scene_node::GetLocalMatrix(walker.get(), &placement));
      const RTFVector3D at{placement->m[3][0], 0.0f, placement->m[3][2], 0.0f};
      const float dx = stop.x - at.x, dz = stop.z - at.z;
      const float remaining = std::sqrt(dx * dx + dz * dz);
      if (remaining < 1e-3f) break;
      const float step = std::min(remaining, kSpeed * kStep);
      const RTFVector3D next{at.x + dx / remaining * step, 0.0f, at.z + dz / remaining * step, 0.0f};
      kivo::scene_node::SetTranslation(walker.get(), &next);
      now += kStep;
      record().gameClock = now;
      ASSERT_TRUE(CallScript(game::kMain));
      // The frame's transform update moves the walker (the fixture draws no frame).
      ASSERT_TRUE(tesk::scene_tree::UpdateTransforms(record().sceneTree, static_cast<uint32_t>(now * 1000.0)));
      const float ex = at.x - sensor.x, ez = at.z - sensor.z;
      if (cameNear < 0 && ex * ex + ez * ez < 9.0f) cameNear = now;
      const RTFMatrix4x4* leaf = nullptr;
      kivo::scene_node::GetLocalMatrix(left, &leaf);
      if (cameNear >= 0 && leaf->m[3][0] < 13.7f) opened = now;
    }
  }
  ASSERT_GE(cameNear, 0.0) << "the walk reached the sensor";
  ASSERT_GE(opened, 0.0) << "the leaves opened";
  EXPECT_LE(opened - cameNear, 1.0);
  kivo::InstanceRef room;
  kivo::tesk_scene_node::GetNodeRoom(walker.get(), room.out());
  EXPECT_EQ(room.get(), record().environment.entrance.entranceRoom) << "the walker went in by the corridor's door";
  kivo::room::RemoveNode(room.get(), walker.get());
}

}  // namespace
