// The quad tree: leaves over the rooms' footprints and their links, the room under a point, and
// scene nodes filed in the cells and found by the neighbourhood queries.
#include "quad_tree.h"

#include <cmath>

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/geometry.h"
#include "kivo/support/matrix.h"
#include "scene_test.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tesk/scene/scene_tree_state.h"

namespace {

using namespace scenetest;
using namespace kivo;
using tesk::scene_tree::QuadItem;
using tesk::scene_tree::QuadTreeNode;
using tesk::scene_tree::SceneTreeState;
namespace tree_calls = tesk::scene_tree;

class QuadTree : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    tree_ = MakeTree();
  }
  void TearDown() override {
    tree_.Reset();
    SceneTest::TearDown();
  }

  SceneTreeState& State() {
    return *static_cast<SceneTreeState*>(Word(ComponentObject(tree_.get()), tree_calls::kStateWord));
  }
  std::vector<QuadTreeNode*> Leaves() {
    std::vector<QuadTreeNode*> leaves;
    for (QuadTreeNode* leaf : ListItems<QuadTreeNode>(State().leaves)) leaves.push_back(leaf);
    return leaves;
  }
  QuadTreeNode* LeafAt(float minX, float minZ) {
    for (QuadTreeNode* leaf : Leaves())
      if (leaf->min.x == minX && leaf->min.z == minZ) return leaf;
    return nullptr;
  }
  std::vector<std::u16string> RoomsOf(const QuadTreeNode* cell) {
    std::vector<std::u16string> names;
    for (RTInstance room : ListItems<RTInstanceRecord>(cell->rooms)) names.push_back(NameOf(room));
    return names;
  }
  std::u16string RoomAt(RTFVector3D point) {
    RTInstance room = nullptr;
    if (!tree_calls::GetRoomByPoint(tree_.get(), &point, &room)) return room ? u"<out set>" : u"";
    const std::u16string name = NameOf(room);
    core().ReleaseInstance(nullptr, room);
    return name;
  }
  std::vector<RTInstance> Answer(List* nodes) {
    std::vector<RTInstance> found;
    for (RTInstance node : ListItems<RTInstanceRecord>(nodes)) found.push_back(node);
    std::sort(found.begin(), found.end());
    return found;
  }
  std::vector<RTInstance> Near(RTInstance node, float radius) {
    List* nodes = nullptr;
    return tree_calls::QTQueryRadius(tree_.get(), node, radius, &nodes) ? Answer(nodes) : std::vector<RTInstance>{};
  }
  std::vector<RTInstance> NearPoint(RTFVector3D point) {
    List* nodes = nullptr;
    return tree_calls::QTQueryRadiusByPoint(tree_.get(), &point, 1.0f, &nodes) ? Answer(nodes)
                                                                               : std::vector<RTInstance>{};
  }
  static std::vector<RTInstance> Sorted(std::vector<RTInstance> nodes) {
    std::sort(nodes.begin(), nodes.end());
    return nodes;
  }
  QuadItem* ItemOf(RTInstance node) {
    void* item = nullptr;
    tesk_scene_node::GetQuadItem(node, &item);
    return static_cast<QuadItem*>(item);
  }
  // The links as the linking rule states them: probe each leaf's eight points one side away and
  // test every leaf, in list order, with the winding rule.
  void ExpectLinksAsProbed() {
    const float offsets[8][2] = {{0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}};
    const std::vector<QuadTreeNode*> leaves = Leaves();
    std::map<std::pair<QuadTreeNode*, int>, QuadTreeNode*> links;
    for (QuadTreeNode* leaf : leaves) {
      const float side = leaf->max.x - leaf->min.x;
      for (int d = 0; d < 8; ++d) {
        if (links.count({leaf, d})) continue;
        const RTFVector2D probe{leaf->centre.x + offsets[d][0] * side, leaf->centre.z + offsets[d][1] * side};
        for (QuadTreeNode* other : leaves) {
          const RTFVector2D corners[4] = {{other->max.x, other->max.z},
                                          {other->min.x, other->max.z},
                                          {other->min.x, other->min.z},
                                          {other->max.x, other->min.z}};
          if (!PointInPolygon2D(corners, 4, probe)) continue;
          links[{leaf, d}] = other;
          links[{other, (d + 4) % 8}] = leaf;
        }
      }
    }
    for (QuadTreeNode* leaf : leaves)
      for (int d = 0; d < 8; ++d) {
        const auto found = links.find({leaf, d});
        EXPECT_EQ(leaf->neighbours[d], found == links.end() ? nullptr : found->second)
            << "leaf at " << leaf->min.x << ", " << leaf->min.z << " direction " << d;
      }
  }

  InstanceRef tree_;
};

// Two 20 x 10 rooms side by side: the extent (0, -15) to (40, 25), cells split down to side 2.5
// wherever the rooms overlap them or touch their edges.
TEST_F(QuadTree, TwoRoomsSideBySideMakeLinkedLeaves) {
  InstanceRef a = MakeRoom(u"A", At(0, 0, 0), At(20, 3, 10));
  InstanceRef b = MakeRoom(u"B", At(20, 0, 0), At(40, 3, 10));
  ASSERT_EQ(tree_calls::AddRoom(tree_.get(), a.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::AddRoom(tree_.get(), b.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  EXPECT_TRUE(Logged("************ QuadTree - memory used: delta blocks = "));

  EXPECT_EQ(State().extentMin.x, 0.0f);
  EXPECT_EQ(State().extentMin.z, -15.0f);
  EXPECT_EQ(State().extentMax.z, 25.0f);
  EXPECT_EQ(Leaves().size(), 16u * 6u) << "16 columns, z from -2.5 to 12.5";
  for (QuadTreeNode* leaf : Leaves()) {
    EXPECT_EQ(leaf->max.x - leaf->min.x, 2.5f);
    EXPECT_EQ(leaf->flags & tesk::scene_tree::kLeafFlag, 1u);
  }
  ASSERT_NE(LeafAt(15, 2.5f), nullptr);
  EXPECT_EQ(RoomsOf(LeafAt(15, 2.5f)), (std::vector<std::u16string>{u"A"}));
  EXPECT_EQ(RoomsOf(LeafAt(17.5f, 2.5f)), (std::vector<std::u16string>{u"A", u"B"})) << "touching B's edge";
  EXPECT_EQ(RoomsOf(LeafAt(20, 2.5f)), (std::vector<std::u16string>{u"A", u"B"}));
  EXPECT_EQ(RoomsOf(LeafAt(5, 10)), (std::vector<std::u16string>{u"A"})) << "touching A's far edge from outside";
  EXPECT_EQ(LeafAt(5, 12.5f), nullptr) << "apart from the rooms: no leaf";

  EXPECT_EQ(LeafAt(15, 2.5f)->neighbours[6], LeafAt(17.5f, 2.5f)) << "east";
  EXPECT_EQ(LeafAt(17.5f, 2.5f)->neighbours[2], LeafAt(15, 2.5f)) << "west";
  EXPECT_EQ(LeafAt(15, 2.5f)->neighbours[0], LeafAt(15, 5)) << "north";
  EXPECT_EQ(LeafAt(15, 10)->neighbours[0], nullptr) << "no leaf beyond the top row";
  ExpectLinksAsProbed();

  EXPECT_EQ(RoomAt(At(5, 1, 5)), u"A");
  EXPECT_EQ(RoomAt(At(20, 1, 5)), u"B") << "on the centre lines: the east-north leaf, where A ends";
  EXPECT_EQ(RoomAt(At(19.9f, 1, 5)), u"A");
  EXPECT_EQ(RoomAt(At(5, 5, 5)), u"") << "above A's box";
  EXPECT_EQ(RoomAt(At(50, 1, 5)), u"") << "outside the tree";

  ASSERT_EQ(room::SetFlags(a.get(), room::kDisabled), kRTSuccess);
  EXPECT_EQ(RoomAt(At(5, 1, 5)), u"") << "a disabled room is skipped";
  ASSERT_EQ(room::SetFlags(a.get(), room::kOutOfQuadTree), kRTSuccess);
  EXPECT_EQ(RoomAt(At(5, 1, 5)), u"");
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  EXPECT_EQ(RoomsOf(LeafAt(17.5f, 2.5f)), (std::vector<std::u16string>{u"B"})) << "0x10 leaves the tree";
  EXPECT_EQ(LeafAt(5, 2.5f), nullptr);
}

TEST_F(QuadTree, LeavesOfDifferentSizesLinkAsTheyAreProbed) {
  InstanceRef hall = MakeRoom(u"Hall", At(0, 0, 0), At(30, 3, 7));
  InstanceRef closet = MakeRoom(u"Closet", At(11, 0, 7), At(13, 3, 9));
  InstanceRef porch = MakeRoom(u"Porch", At(-6, 0, 2), At(0, 3, 30));
  for (RTInstance room : {hall.get(), closet.get(), porch.get()})
    ASSERT_EQ(tree_calls::AddRoom(tree_.get(), room), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  ASSERT_GT(Leaves().size(), 10u);
  ExpectLinksAsProbed();
}

TEST_F(QuadTree, WithoutRoomsThereIsNoLeafAndNoRoom) {
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  EXPECT_TRUE(Leaves().empty());
  EXPECT_EQ(RoomAt(At(0, 0, 0)), u"");
}

TEST_F(QuadTree, ADamagedExtentIsCutAtSixteenLevels) {
  InstanceRef strip = MakeRoom(u"Strip", At(0, 0, 0), At(1e6f, 3, 10));
  ASSERT_EQ(tree_calls::AddRoom(tree_.get(), strip.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  EXPECT_EQ(Occurrences("RTTeskSceneTree::UpdateQuadTree(): the rooms' extent needs more than 16 levels of cells; "
                        "the cells of side 15."),
            1u);
  for (QuadTreeNode* leaf : Leaves())
    EXPECT_NEAR(leaf->max.x - leaf->min.x, 1e6f / 65536, 0.1f) << "cells of 1e6 in floats";
  EXPECT_EQ(RoomAt(At(500000, 1, 5)), u"Strip");
}

TEST_F(QuadTree, QueriesFindTheNodesOfALeafAndItsNeighbours) {
  InstanceRef a = MakeRoom(u"A", At(0, 0, 0), At(20, 3, 10));
  ASSERT_EQ(tree_calls::AddRoom(tree_.get(), a.get()), kRTSuccess);
  InstanceRef n1 = MakeNode(u"N1", At(6, 0, 6));
  InstanceRef n2 = MakeNode(u"N2", At(6.5f, 0, 6.5f));
  InstanceRef n3 = MakeNode(u"N3", At(8, 0, 6));
  InstanceRef far = MakeNode(u"Far", At(18, 0, 2));
  // Registered before the first rebuild: unfiled until then.
  for (RTInstance node : {n1.get(), n2.get(), n3.get(), far.get()})
    ASSERT_EQ(tree_calls::QTAddNode(tree_.get(), node), kRTSuccess);
  EXPECT_TRUE(Near(n1.get(), 1.0f).empty());
  EXPECT_EQ(ItemOf(n1.get())->cell, nullptr);

  for (int rebuild = 0; rebuild < 2; ++rebuild) {
    ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
    EXPECT_EQ(Near(n1.get(), 0.0f), Sorted({n2.get(), n3.get()})) << "rebuild " << rebuild;
    EXPECT_EQ(Near(n1.get(), 1000.0f), Sorted({n2.get(), n3.get()})) << "the radius is not used";
    EXPECT_EQ(NearPoint(At(6, 0, 6)), Sorted({n1.get(), n2.get(), n3.get()}));
    EXPECT_EQ(NearPoint(At(18, 0, 2)), Sorted({far.get()}));
  }
  EXPECT_TRUE(NearPoint(At(99, 0, 2)).empty());
  EXPECT_EQ(tree_calls::QTQueryRadius(tree_.get(), nullptr, 1.0f, nullptr), kRTFailure);
  EXPECT_TRUE(Logged("RTTeskSceneTree::QTQueryRadius(): NULL node parameter!"));

  // Filed on the centre lines: west and south; looked up there: east and north.
  InstanceRef onLine = MakeNode(u"OnLine", At(10, 0, 5));
  ASSERT_EQ(tree_calls::QTAddNode(tree_.get(), onLine.get()), kRTSuccess);
  EXPECT_EQ(ItemOf(onLine.get())->cell->max.x, 10.0f);
  EXPECT_EQ(ItemOf(onLine.get())->cell->max.z, 5.0f);
}

TEST_F(QuadTree, ItemsHoldOneReferenceWhateverRegistersThem) {
  InstanceRef a = MakeRoom(u"A", At(0, 0, 0), At(20, 3, 10));
  ASSERT_EQ(tree_calls::AddRoom(tree_.get(), a.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  InstanceRef node = MakeNode(u"Walker", At(3, 0, 3));
  InstanceRef other = MakeNode(u"Other", At(4, 0, 3));

  ASSERT_EQ(tree_calls::QTAddNode(tree_.get(), node.get()), kRTSuccess);
  EXPECT_EQ(RefCount(node.get()), 2u);
  ASSERT_EQ(tree_calls::QTAddNode(tree_.get(), node.get()), kRTSuccess) << "registered again: its item is replaced";
  EXPECT_EQ(RefCount(node.get()), 2u);
  EXPECT_EQ(State().quadItems->count, 1u);
  ASSERT_EQ(tree_calls::QTRemoveNode(tree_.get(), node.get()), kRTSuccess);
  EXPECT_EQ(RefCount(node.get()), 1u);
  EXPECT_EQ(ItemOf(node.get()), nullptr);
  EXPECT_EQ(tree_calls::QTRemoveNode(tree_.get(), node.get()), kRTFailure);
  EXPECT_TRUE(
      Logged("RTTeskSceneTree::QTRemoveNode(): The scene node was never added to the quad-tree.  Unable to "
             "complete remove request."));

  ASSERT_EQ(tree_calls::AddNodeToRoom(tree_.get(), a.get(), node.get()), kRTSuccess);
  EXPECT_EQ(RefCount(node.get()), 3u) << "the room's and the item's";
  ASSERT_EQ(tree_calls::AddNodeToRoomN(tree_.get(), 0, other.get()), kRTSuccess);
  EXPECT_EQ(tree_calls::AddNodeToRoomN(tree_.get(), 1, other.get()), kRTFailure) << "no room at index 1";
  EXPECT_EQ(tree_calls::AddNodeToRoom(tree_.get(), node.get(), other.get()), kRTFailure) << "a node is no room";
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  EXPECT_EQ(RefCount(node.get()), 3u) << "a rebuild files items again, nothing more";
  ASSERT_EQ(tree_calls::QTRemoveNode(tree_.get(), node.get()), kRTSuccess);
  ASSERT_EQ(room::RemoveNode(a.get(), node.get()), kRTSuccess);
  EXPECT_EQ(RefCount(node.get()), 1u);

  tree_.Reset();
  EXPECT_EQ(ItemOf(other.get()), nullptr) << "the tree's destruction takes its items back";
  ASSERT_EQ(room::RemoveNode(a.get(), other.get()), kRTSuccess);
  EXPECT_EQ(RefCount(other.get()), 1u);
}

// Filing again an item whose node moved (the transform update's step).
TEST_F(QuadTree, AMovedItemClimbsToTheCellThatHoldsItAndLeavesTheTreeWithAMessage) {
  InstanceRef a = MakeRoom(u"A", At(0, 0, 0), At(20, 3, 10));
  ASSERT_EQ(tree_calls::AddRoom(tree_.get(), a.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  InstanceRef node = MakeNode(u"Walker", At(1, 0, 1));
  ASSERT_EQ(tree_calls::QTAddNode(tree_.get(), node.get()), kRTSuccess);
  QuadItem* item = ItemOf(node.get());
  const QuadTreeNode* start = item->cell;

  item->position = At(1.5f, 0, 1.5f);
  EXPECT_TRUE(tesk::scene_tree::quad::Update(item));
  EXPECT_EQ(item->cell, start) << "still in its cell";
  item->position = At(18, 0, 9);
  EXPECT_TRUE(tesk::scene_tree::quad::Update(item));
  EXPECT_EQ(item->cell, LeafAt(17.5f, 7.5f));
  EXPECT_EQ(Near(node.get(), 1.0f).size(), 0u);
  for (const QuadTreeNode* cell = start; cell; cell = cell->parent) {
    ListLink* link = nullptr;
    EXPECT_EQ(ListFind(cell->items, item, &link, nullptr) != 0,
              cell->parent == nullptr || cell->max.x - cell->min.x > 10)
        << "taken out of the cells it left, kept in those it is still under";
  }

  item->position = At(99, 0, 9);
  EXPECT_FALSE(tesk::scene_tree::quad::Update(item));
  EXPECT_EQ(item->cell, nullptr);
  EXPECT_TRUE(
      Logged("RTTeskSceneTree::RTQuadNodeUpdate(): Reached the top of the quad-tree and still cannot "
             "re-classify the item. The item is outside the quad-tree extents. (<99.00, 0.00, 9.00>)"));
  ASSERT_EQ(tree_calls::QTRemoveNode(tree_.get(), node.get()), kRTSuccess);
}

TEST_F(QuadTree, AnItemOfATreeOfOneCellIsFiledAgainFromTheRoot) {
  InstanceRef closet = MakeRoom(u"Closet", At(0, 0, 0), At(4, 3, 4));
  ASSERT_EQ(tree_calls::AddRoom(tree_.get(), closet.get()), kRTSuccess);
  ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
  ASSERT_EQ(Leaves(), (std::vector<QuadTreeNode*>{State().quadRoot})) << "side 4: the root is the one leaf";
  InstanceRef node = MakeNode(u"Mop", At(1, 0, 1));
  ASSERT_EQ(tree_calls::QTAddNode(tree_.get(), node.get()), kRTSuccess);
  QuadItem* item = ItemOf(node.get());
  item->position = At(3, 0, 3);
  EXPECT_TRUE(tesk::scene_tree::quad::Update(item));
  EXPECT_EQ(item->cell, State().quadRoot);
  EXPECT_EQ(State().quadRoot->items->count, 1u);
  ASSERT_EQ(tree_calls::QTRemoveNode(tree_.get(), node.get()), kRTSuccess);
}

}  // namespace
