// The room stand-in: its point test, its node and light lists, its stream (the nodes and lights as
// names of its children, looked up when first needed, and the walls; first-version streams still
// read) and every damaged stream refused whole.
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "scene_test.h"

namespace {

using namespace scenetest;
using namespace kivo;

std::string Names(const std::vector<std::u16string>& names) {
  std::string bytes = U32(static_cast<uint32_t>(names.size()));
  for (const auto& name : names) bytes += WString(name);
  return bytes;
}

const std::string kAllWalls(4, '\1');

// A room stream: box (0, 0, 0)-(4, 3, 4), flags 0x10, a square footprint and its wall flags (none in
// version 1), one neighbour, no further rooms, the node "Bed", the light "Lamp", the bounds node
// "Shell" and, from version 3, the pathfinding group and kind.
std::string RoomBytes(uint32_t version = 3, const std::string& walls = kAllWalls, int32_t group = -1,
                      int32_t kind = 0) {
  return U32(version) + Vector(0, 0, 0) + Vector(4, 3, 4) + U32(0x10) + U32(4) + Vector(0, 0, 0) + Vector(4, 0, 0) +
         Vector(4, 0, 4) + Vector(0, 0, 4) + walls + Names({u"Hall"}) + Names({}) + Names({u"Bed"}) + Names({u"Lamp"}) +
         WString(u"Shell") +
         (version >= 3 ? U32(static_cast<uint32_t>(group)) + U32(static_cast<uint32_t>(kind)) : std::string());
}
// Where the wall flags start in RoomBytes.
constexpr size_t kWallsAt = 4 + 24 + 4 + 4 + 48;

class Room : public SceneTest {
 protected:
  std::vector<std::u16string> Listed(List* list) {
    std::vector<std::u16string> names;
    for (RTInstance node : ListItems<RTInstanceRecord>(list)) names.push_back(NameOf(node));
    return names;
  }
  std::vector<std::u16string> NodeNames(RTInstance room) {
    List* nodes = nullptr;
    EXPECT_EQ(room::GetNodeList(room, &nodes), kRTSuccess);
    return Listed(nodes);
  }
  std::vector<RTBool> Walls(RTInstance room) {
    const RTBool* walls = nullptr;
    uint32_t count = 0;
    EXPECT_EQ(room::GetWalls(room, &walls, &count), kRTSuccess);
    return std::vector<RTBool>(walls, walls + count);
  }
};

TEST_F(Room, HoldsAPointInsideItsFootprintAndWithinItsHeight) {
  InstanceRef room = MakeRoom(u"L", At(0, 0, 0), At(10, 3, 10));
  const RTFVector3D shape[] = {At(0, 0, 0), At(10, 0, 0), At(10, 0, 4), At(4, 0, 4), At(4, 0, 10), At(0, 0, 10)};
  ASSERT_EQ(room::SetFootprint(room.get(), shape, 6), kRTSuccess);
  const struct {
    RTFVector3D point;
    RTSuccess inside;
  } cases[] = {
      {At(2, 1, 2), 1}, {At(8, 1, 2), 1},     {At(8, 1, 8), 0},       // the L's notch
      {At(2, 3, 8), 1}, {At(2, 3.01f, 8), 0}, {At(2, -0.01f, 8), 0},  // the box's height counts
      {At(0, 1, 2), 1}, {At(10, 1, 2), 0},  // half-open: the west edge is in, the east edge out
  };
  for (const auto& c : cases)
    EXPECT_EQ(room::ContainsPoint(room.get(), &c.point), c.inside)
        << c.point.x << ", " << c.point.y << ", " << c.point.z;
  const RTFVector3D* points = nullptr;
  uint32_t count = 0, word = 9;
  ASSERT_EQ(room::GetFootprint(room.get(), &points, &count, &word), kRTSuccess);
  EXPECT_EQ(count, 6u);
  EXPECT_EQ(word, 0u);
  EXPECT_EQ(room::SetFootprint(room.get(), shape, 4097), kRTFailure);
}

TEST_F(Room, ListsEachNodeOnceWithAReference) {
  InstanceRef room = MakeRoom(u"Ward", At(0, 0, 0), At(10, 3, 10));
  InstanceRef bed = MakeNode(u"Bed", At(1, 0, 1), room.get());
  InstanceRef visitor = MakeNode(u"Visitor", At(2, 0, 2));
  ASSERT_EQ(room::AddNode(room.get(), bed.get()), kRTSuccess);
  EXPECT_EQ(room::AddNode(room.get(), bed.get()), kRTFailure) << "already listed";
  ASSERT_EQ(room::AddNode(room.get(), visitor.get()), kRTSuccess);
  EXPECT_EQ(NodeNames(room.get()), (std::vector<std::u16string>{u"Bed", u"Visitor"}));
  EXPECT_EQ(RefCount(visitor.get()), 2u);
  EXPECT_EQ(room::SetBoundsNode(room.get(), visitor.get()), kRTFailure) << "the bounds node is a child";
  ASSERT_EQ(room::RemoveNode(room.get(), visitor.get()), kRTSuccess);
  EXPECT_EQ(room::RemoveNode(room.get(), visitor.get()), kRTFailure);
  EXPECT_EQ(RefCount(visitor.get()), 1u);
  ASSERT_EQ(room::RemoveNode(room.get(), bed.get()), kRTSuccess);
}

// A game node names the room whose node list holds it; another room taking it leaves the first
// room's removal without effect on that name.
TEST_F(Room, NamesItselfTheContainerOfTheGameNodesItHolds) {
  InstanceRef ward = MakeRoom(u"Ward", At(0, 0, 0), At(10, 3, 10));
  InstanceRef hall = MakeRoom(u"Hall", At(10, 0, 0), At(20, 3, 10));
  InstanceRef walker = MakeNode(u"Walker", At(12, 0, 1));
  const auto container = [&] {
    InstanceRef room;
    EXPECT_EQ(tesk_scene_node::GetNodeRoom(walker.get(), room.out()), kRTSuccess);
    return room.get();
  };
  EXPECT_EQ(container(), nullptr);
  ASSERT_EQ(room::AddNode(ward.get(), walker.get()), kRTSuccess);
  EXPECT_EQ(container(), ward.get());
  ASSERT_EQ(room::AddNode(hall.get(), walker.get()), kRTSuccess);
  EXPECT_EQ(container(), hall.get());
  ASSERT_EQ(room::RemoveNode(ward.get(), walker.get()), kRTSuccess);
  EXPECT_EQ(container(), hall.get()) << "the hall took it since";
  ASSERT_EQ(room::RemoveNode(hall.get(), walker.get()), kRTSuccess);
  EXPECT_EQ(container(), nullptr);
}

TEST_F(Room, StreamsItsShapeLinksAndChildrenByName) {
  InstanceRef room = MakeRoom(u"Ward", At(0, 0, 0), At(4, 3, 4));
  InstanceRef bed = MakeNode(u"Bed", At(1, 0, 1), room.get());
  InstanceRef lamp = MakeNode(u"Lamp", At(2, 2, 2), room.get());
  InstanceRef shell = MakeNode(u"Shell", At(0, 0, 0), room.get());
  InstanceRef visitor = MakeNode(u"Visitor", At(2, 0, 2));
  ASSERT_EQ(room::SetFlags(room.get(), 0x10), kRTSuccess);
  ASSERT_EQ(room::AddNeighbourRoom(room.get(), u"Hall"), kRTSuccess);
  ASSERT_EQ(room::AddNode(room.get(), bed.get()), kRTSuccess);
  ASSERT_EQ(room::AddNode(room.get(), visitor.get()), kRTSuccess);
  ASSERT_EQ(room::AddLight(room.get(), lamp.get()), kRTSuccess);
  ASSERT_EQ(room::SetBoundsNode(room.get(), shell.get()), kRTSuccess);
  EXPECT_EQ(StreamedOut(room.get()), RoomBytes()) << "a node that is no child of the room is not streamed";

  // Read into the same room: its children are found again by name.
  ASSERT_EQ(component::StreamIn(room.get(), component::kStreamWhole, StreamOf(RoomBytes()).get()), kRTSuccess);
  EXPECT_EQ(RefCount(visitor.get()), 1u) << "what the room held before is given back";
  EXPECT_EQ(RefCount(bed.get()), 1u);
  ASSERT_EQ(room::RefreshNodes(room.get()), kRTSuccess);
  EXPECT_EQ(RefCount(bed.get()), 2u) << "looked up again: the room's reference";
  List* lights = nullptr;
  ASSERT_EQ(room::GetLightList(room.get(), &lights), kRTSuccess);
  EXPECT_EQ(Listed(lights), (std::vector<std::u16string>{u"Lamp"}));
  RTInstance bounds = nullptr;
  ASSERT_EQ(room::GetBoundsNode(room.get(), &bounds), kRTSuccess);
  EXPECT_EQ(bounds, shell.get());
  core().ReleaseInstance(nullptr, bounds);
  EXPECT_EQ(StreamedOut(room.get()), RoomBytes());

  InstanceRef stranger = MakeRoom(u"Stranger", At(0, 0, 0), At(1, 1, 1));
  ASSERT_EQ(component::StreamIn(stranger.get(), component::kStreamWhole, StreamOf(RoomBytes()).get()), kRTSuccess);
  EXPECT_TRUE(NodeNames(stranger.get()).empty());
  EXPECT_TRUE(Logged("RTBrellinRoom::GetNodeList(): the room Stranger has no scene node Bed; it is left out"));
  ASSERT_EQ(room::GetBoundsNode(stranger.get(), &bounds), kRTSuccess);
  EXPECT_EQ(bounds, nullptr);
  for (RTInstance node : {bed.get(), lamp.get(), visitor.get()}) room::RemoveNode(room.get(), node);
}

// A node of the instance store is unloaded when its last reference goes, so the room holds its
// bounds node from the first look-up on, and gives it back when the bounds node changes.
TEST_F(Room, HoldsItsBoundsNodeFromTheFirstLookUp) {
  InstanceRef room = MakeRoom(u"Ward", At(0, 0, 0), At(4, 3, 4));
  InstanceRef shell = MakeNode(u"Shell", At(0, 0, 0), room.get());
  InstanceRef other = MakeNode(u"Other", At(0, 0, 0), room.get());
  ASSERT_EQ(room::SetBoundsNode(room.get(), shell.get()), kRTSuccess);
  const uint32_t before = RefCount(shell.get());
  for (int frame = 0; frame < 3; ++frame) {
    InstanceRef bounds;
    ASSERT_EQ(room::GetBoundsNode(room.get(), bounds.out()), kRTSuccess);
    EXPECT_EQ(bounds.get(), shell.get());
    EXPECT_EQ(RefCount(shell.get()), before + 2) << "the room's and the caller's";
  }
  EXPECT_EQ(RefCount(shell.get()), before + 1);
  ASSERT_EQ(room::SetBoundsNode(room.get(), other.get()), kRTSuccess);
  EXPECT_EQ(RefCount(shell.get()), before);
}

TEST_F(Room, MarksEachFootprintEdgeAWallUntilToldOtherwise) {
  InstanceRef room = MakeRoom(u"Ward", At(0, 0, 0), At(4, 3, 4));
  EXPECT_EQ(Walls(room.get()), (std::vector<RTBool>{1, 1, 1, 1}));
  const RTBool marked[] = {1, 0, 7, 1};
  ASSERT_EQ(room::SetWalls(room.get(), marked, 4), kRTSuccess);
  EXPECT_EQ(Walls(room.get()), (std::vector<RTBool>{1, 0, 1, 1}));
  const RTBool tooFew[] = {0, 0, 0};
  EXPECT_EQ(room::SetWalls(room.get(), tooFew, 3), kRTFailure);
  EXPECT_EQ(Walls(room.get()), (std::vector<RTBool>{1, 0, 1, 1})) << "a wrong count changes nothing";
  const RTFVector3D triangle[] = {At(0, 0, 0), At(4, 0, 0), At(0, 0, 4)};
  ASSERT_EQ(room::SetFootprint(room.get(), triangle, 3), kRTSuccess);
  EXPECT_EQ(Walls(room.get()), (std::vector<RTBool>{1, 1, 1})) << "a new footprint is all walls";
}

TEST_F(Room, StreamsItsWallsAndReadsAFirstVersionStreamWithEveryEdgeAWall) {
  InstanceRef room = MakeRoom(u"Ward", At(0, 0, 0), At(4, 3, 4));
  const RTBool walls[] = {1, 0, 1, 1};
  ASSERT_EQ(room::SetWalls(room.get(), walls, 4), kRTSuccess);
  const std::string bytes = StreamedOut(room.get());
  EXPECT_EQ(bytes.substr(kWallsAt, 4), std::string("\1\0\1\1", 4));

  InstanceRef copy = MakeRoom(u"Copy", At(0, 0, 0), At(1, 1, 1));
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(bytes).get()), kRTSuccess);
  EXPECT_EQ(Walls(copy.get()), (std::vector<RTBool>{1, 0, 1, 1}));
  EXPECT_EQ(StreamedOut(copy.get()), bytes);

  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(RoomBytes(1, "")).get()), kRTSuccess);
  EXPECT_EQ(Walls(copy.get()), (std::vector<RTBool>{1, 1, 1, 1}));
  const RTFVector3D* points = nullptr;
  uint32_t count = 0, word = 0;
  ASSERT_EQ(room::GetFootprint(copy.get(), &points, &count, &word), kRTSuccess);
  ASSERT_EQ(count, 4u);
  EXPECT_EQ(points[2].x, 4.0f);
  EXPECT_EQ(points[2].z, 4.0f);
}

TEST_F(Room, StreamsItsPathfindingGroupAndKindAndReadsOlderStreamsWithTheDefaults) {
  InstanceRef room = MakeRoom(u"Ward", At(0, 0, 0), At(4, 3, 4));
  int32_t group = 0, kind = 0;
  ASSERT_EQ(room::GetPathfindingGroup(room.get(), &group), kRTSuccess);
  ASSERT_EQ(room::GetDefaultPathfindingKind(room.get(), &kind), kRTSuccess);
  EXPECT_EQ(std::make_pair(group, kind), std::make_pair(-1, 0)) << "a new room: every group, kind 0";
  ASSERT_EQ(room::SetPathfinding(room.get(), 2, 5), kRTSuccess);
  const std::string bytes = StreamedOut(room.get());
  EXPECT_EQ(bytes.substr(bytes.size() - 8), U32(2) + U32(5));

  InstanceRef copy = MakeRoom(u"Copy", At(0, 0, 0), At(1, 1, 1));
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(bytes).get()), kRTSuccess);
  room::GetPathfindingGroup(copy.get(), &group);
  room::GetDefaultPathfindingKind(copy.get(), &kind);
  EXPECT_EQ(std::make_pair(group, kind), std::make_pair(2, 5));
  ASSERT_EQ(component::StreamIn(copy.get(), component::kStreamWhole, StreamOf(RoomBytes(2)).get()), kRTSuccess);
  room::GetPathfindingGroup(copy.get(), &group);
  room::GetDefaultPathfindingKind(copy.get(), &kind);
  EXPECT_EQ(std::make_pair(group, kind), std::make_pair(-1, 0)) << "a second-version stream";
}

TEST_F(Room, RefusesADamagedStreamWhole) {
  InstanceRef room = MakeRoom(u"Ward", At(0, 0, 0), At(4, 3, 4));
  const std::string before = StreamedOut(room.get());
  const std::string whole = RoomBytes();
  for (size_t length = 0; length < whole.size(); ++length) {
    EXPECT_EQ(component::StreamIn(room.get(), component::kStreamWhole, StreamOf(whole.substr(0, length)).get()),
              kRTFailure)
        << length << " bytes";
    EXPECT_EQ(StreamedOut(room.get()), before) << length << " bytes";
  }
  const size_t footprintCount = 4 + 24 + 4;
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"a newer room", U32(4) + whole.substr(4), "the stream holds no room of version 3 or older"},
      {"a wall flag other than 0 or 1", RoomBytes(2, std::string("\1\2\1\1", 4)),
       "the wall flag of edge 1 is cut short or neither 0 nor 1"},
      {"a footprint count beyond the stream",
       whole.substr(0, footprintCount) + U32(4096) + whole.substr(footprintCount + 4),
       "the footprint's count is missing, above 4096 or larger than the stream"},
      {"a name count beyond the stream", whole.substr(0, kWallsAt + 4) + U32(0xFFFFFFF0),
       "the count of the neighbour rooms is missing or larger than the stream"},
      {"an empty name in a list",
       whole.substr(0, kWallsAt + 4) + U32(1) + U32(0) + Names({}) + Names({}) + Names({}) + WString(u""),
       "name 1 of 1 of the neighbour rooms is cut short, too long or empty"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(component::StreamIn(room.get(), component::kStreamWhole, StreamOf(c.bytes).get()), kRTFailure) << c.what;
    EXPECT_EQ(StreamedOut(room.get()), before) << c.what;
    EXPECT_TRUE(Logged(std::string("RTBrellinRoom::StreamIn(): ") + c.message + "; the room is left as it was"))
        << c.what;
  }
}

}  // namespace
