// The room list, the name and path tables and the rooms' links through the tree they are attached to.
#include "kivo/scene/room_calls.h"
#include "scene_test.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace tree_calls = tesk::scene_tree;

class Rooms : public SceneTest {
 protected:
  // The room named `name` in the tree, or null (the reference is given back at once).
  RTInstance ByName(RTInstance tree, const char16_t* name) {
    RTInstance room = nullptr;
    if (tree_calls::GetRoomByName(tree, name, &room)) core().ReleaseInstance(nullptr, room);
    return room;
  }
  std::vector<RTInstance> Listed(RTInstance tree) {
    List* rooms = nullptr;
    EXPECT_EQ(tree_calls::GetRoomList(tree, &rooms), kRTSuccess);
    std::vector<RTInstance> listed;
    for (RTInstance room : ListItems<RTInstanceRecord>(rooms)) listed.push_back(room);
    return listed;
  }
};

TEST_F(Rooms, RefusesWhatIsNoRoom) {
  InstanceRef tree = MakeTree();
  InstanceRef node = MakeNode(u"Lamp", At(0, 0, 0));
  EXPECT_EQ(tree_calls::AddRoom(tree.get(), node.get()), kRTFailure);
  EXPECT_TRUE(Logged("RTBrellinRoom::AddRoom(), ahRoom must be of RTBrellinRoom or descendant"));
  EXPECT_EQ(tree_calls::AddRoom(tree.get(), nullptr), kRTFailure);
  EXPECT_TRUE(Listed(tree.get()).empty());
  EXPECT_EQ(RefCount(node.get()), 1u);
}

TEST_F(Rooms, ARoomAddedTwiceIsListedTwiceAndRemovedOneEntryAtATime) {
  InstanceRef tree = MakeTree();
  InstanceRef hall = MakeRoom(u"Hall", At(0, 0, 0), At(10, 3, 10));
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), hall.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), hall.get()), kRTSuccess);
  EXPECT_EQ(Listed(tree.get()), (std::vector<RTInstance>{hall.get(), hall.get()}));
  EXPECT_EQ(RefCount(hall.get()), 3u);

  uint32_t count = 0;
  ASSERT_EQ(tree_calls::GetRoomCount(tree.get(), &count), kRTSuccess);
  EXPECT_EQ(count, 2u);
  RTInstance at = nullptr;
  EXPECT_EQ(tree_calls::GetRoomN(tree.get(), 2, &at), kRTFailure) << "the index equal to the count";
  EXPECT_EQ(at, nullptr) << "out untouched";
  ASSERT_EQ(tree_calls::GetRoomN(tree.get(), 1, &at), kRTSuccess);
  EXPECT_EQ(at, hall.get());
  core().ReleaseInstance(nullptr, at);

  ASSERT_EQ(tree_calls::RemoveRoom(tree.get(), hall.get()), kRTSuccess);
  EXPECT_EQ(Listed(tree.get()).size(), 1u);
  EXPECT_EQ(RefCount(hall.get()), 2u);
  EXPECT_EQ(ByName(tree.get(), u"Hall"), hall.get()) << "still listed: still found";
  ASSERT_EQ(tree_calls::RemoveRoom(tree.get(), hall.get()), kRTSuccess);
  EXPECT_EQ(ByName(tree.get(), u"Hall"), nullptr) << "its last entry left: the name goes";
  EXPECT_EQ(tree_calls::RemoveRoom(tree.get(), hall.get()), kRTFailure);
  EXPECT_EQ(RefCount(hall.get()), 1u);
}

TEST_F(Rooms, ANameEnteredTwiceFindsTheRoomAddedLast) {
  InstanceRef tree = MakeTree();
  InstanceRef first = MakeRoom(u"Ward", At(0, 0, 0), At(5, 3, 5));
  InstanceRef folder = MakeFolder(u"East");
  InstanceRef second = MakeRoom(u"Ward", At(5, 0, 0), At(10, 3, 5), folder.get());
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), first.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), second.get()), kRTSuccess);
  EXPECT_EQ(ByName(tree.get(), u"Ward"), second.get());
  EXPECT_EQ(ByName(tree.get(), u"ward"), nullptr) << "names are exact";
  ASSERT_EQ(tree_calls::RemoveRoom(tree.get(), second.get()), kRTSuccess);
  EXPECT_EQ(ByName(tree.get(), u"Ward"), first.get()) << "the other room of the name stays";
  RTInstance none = first.get();
  EXPECT_EQ(tree_calls::GetRoomByName(tree.get(), nullptr, &none), kRTFailure);
}

// With AddressSanitizer: a room that left the tree and was destroyed is never reached again.
TEST_F(Rooms, ARemovedAndReleasedRoomIsNeverReachedAgain) {
  InstanceRef tree = MakeTree();
  InstanceRef kept = MakeRoom(u"Kept", At(0, 0, 0), At(5, 3, 5));
  InstanceRef gone = MakeRoom(u"Gone", At(5, 0, 0), At(10, 3, 5));
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), kept.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), gone.get()), kRTSuccess);
  ASSERT_EQ(room::AddNeighbourRoom(kept.get(), u"Gone"), kRTSuccess);
  ASSERT_EQ(tree_calls::AddRoomByName(tree.get(), u"Root:Gone"), kRTSuccess);
  ASSERT_EQ(tree_calls::RemoveRoom(tree.get(), gone.get()), kRTSuccess);
  gone.Reset();

  EXPECT_EQ(ByName(tree.get(), u"Gone"), nullptr);
  List* neighbours = nullptr;
  ASSERT_EQ(room::GetNeighbourRooms(kept.get(), &neighbours), kRTSuccess);
  EXPECT_EQ(neighbours->count, 0u);
  EXPECT_EQ(tree_calls::LoadScenarioN(tree.get(), 0), kRTSuccess);
  EXPECT_TRUE(Logged("RTTeskSceneTree::LoadScenarioN(): Unable to load room."));
  EXPECT_EQ(Listed(tree.get()), (std::vector<RTInstance>{kept.get()}));
}

TEST_F(Rooms, ClearingTheListReleasesDetachesAndForgetsEveryRoom) {
  InstanceRef tree = MakeTree();
  InstanceRef a = MakeRoom(u"A", At(0, 0, 0), At(5, 3, 5));
  InstanceRef b = MakeRoom(u"B", At(5, 0, 0), At(10, 3, 5));
  for (RTInstance room : {a.get(), b.get(), a.get()}) ASSERT_EQ(tree_calls::AddRoom(tree.get(), room), kRTSuccess);
  ASSERT_EQ(room::AddNeighbourRoom(a.get(), u"B"), kRTSuccess);
  List* neighbours = nullptr;
  ASSERT_EQ(room::GetNeighbourRooms(a.get(), &neighbours), kRTSuccess);
  EXPECT_EQ(neighbours->count, 1u) << "answered from the tree";

  ASSERT_EQ(tree_calls::ClearRoomList(tree.get()), kRTSuccess);
  EXPECT_TRUE(Listed(tree.get()).empty());
  EXPECT_EQ(ByName(tree.get(), u"A"), nullptr);
  EXPECT_EQ(RefCount(a.get()), 1u);
  EXPECT_EQ(RefCount(b.get()), 1u);
  ASSERT_EQ(room::GetNeighbourRooms(a.get(), &neighbours), kRTSuccess);
  EXPECT_EQ(neighbours->count, 0u) << "detached: no tree to answer";
}

TEST_F(Rooms, ANeighbourRoomOfTheTreeIsReachableAndNoOtherIs) {
  InstanceRef tree = MakeTree();
  InstanceRef a = MakeRoom(u"A", At(0, 0, 0), At(5, 3, 5));
  InstanceRef b = MakeRoom(u"B", At(5, 0, 0), At(10, 3, 5));
  InstanceRef c = MakeRoom(u"C", At(10, 0, 0), At(15, 3, 5));
  for (RTInstance room : {a.get(), b.get(), c.get()}) ASSERT_EQ(tree_calls::AddRoom(tree.get(), room), kRTSuccess);
  ASSERT_EQ(room::AddNeighbourRoom(a.get(), u"B"), kRTSuccess);
  const struct {
    const char* what;
    RTInstance from, to;
    RTBool reachable;
  } cases[] = {{"a neighbour", a.get(), b.get(), 1},
               {"a room of the tree that is no neighbour", a.get(), c.get(), 0},
               {"the room itself", a.get(), a.get(), 0},
               {"a room that does not name it", b.get(), a.get(), 0},
               {"no room", a.get(), nullptr, 0}};
  for (const auto& c : cases) {
    RTBool reachable = 7;
    ASSERT_EQ(room::IsRoomReachable(c.from, c.to, &reachable), kRTSuccess) << c.what;
    EXPECT_EQ(reachable, c.reachable) << c.what;
  }
}

TEST_F(Rooms, DesigningAnEmptyTreeIsStoredAndReferencesAreCopied) {
  InstanceRef tree = MakeTree();
  EXPECT_EQ(tree_calls::EnableDesigning(tree.get(), 1), kRTSuccess) << "no rooms: only stored";
  std::u16string reference = u"Root:A@2";
  ASSERT_EQ(tree_calls::AddRoomByName(tree.get(), reference.c_str()), kRTSuccess);
  ASSERT_EQ(tree_calls::AddRoomByName(tree.get(), reference.c_str()), kRTSuccess) << "no duplicate check here";
  EXPECT_EQ(tree_calls::AddRoomByName(tree.get(), nullptr), kRTFailure);
  reference[5] = u'Z';
  List* references = nullptr;
  ASSERT_EQ(tree_calls::GetRoomNameList(tree.get(), &references), kRTSuccess);
  ASSERT_EQ(references->count, 2u);
  EXPECT_EQ(std::u16string(static_cast<char16_t*>(references->first->data)), u"Root:A@2");
}

TEST_F(Rooms, DestroyingTheTreeGivesBackItsRooms) {
  InstanceRef a = MakeRoom(u"A", At(0, 0, 0), At(5, 3, 5));
  InstanceRef tree = MakeTree();
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), a.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::AddRoom(tree.get(), a.get()), kRTSuccess);
  tree.Reset();
  EXPECT_EQ(RefCount(a.get()), 1u);
}

}  // namespace
