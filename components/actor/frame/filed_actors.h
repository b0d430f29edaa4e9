// The actors filed in the scene tree's quad-tree leaves: the wrapper of every node of a leaf, looked
// up once while the actors move (the tree files no node again until the transform update that
// follows), so that each sub-step's neighbourhood walks the leaves' wrappers instead of asking every
// nearby node for its script object and the controller for that object's wrapper.
#pragma once

#include <span>
#include <unordered_map>
#include <vector>

#include "kivo/actor/actor_calls.h"
#include "tesk/scene/scene_tree_state.h"

namespace tesk::actor {

// A node filed in a leaf that carries an actor: its quad item and the actor's wrapper.
struct FiledActor {
  const scene_tree::QuadItem* item;
  RTTeskActorWrapper* wrapper;
};

class FiledActors {
 public:
  // Between Hold and Drop each leaf's wrappers are looked up once; outside, at every call.
  void Hold() {
    ++pass_;
    holding_ = true;
    filed_.clear();
  }
  void Drop() { holding_ = false; }

  // The node's quad item in the tree, when the tree is a Tesk scene tree and has filed the node;
  // else null.
  const scene_tree::QuadItem* FiledItem(RTInstance tree, RTInstance node);
  // The actors of the leaf's nodes, in the order the leaf lists them; valid until the next call.
  std::span<const FiledActor> Of(RTInstance self, const scene_tree::QuadTreeNode& leaf);

 private:
  // Appends the actors of the leaf's nodes to filed_.
  void LookUp(RTInstance self, const scene_tree::QuadTreeNode& leaf);

  // Where a leaf's actors lie in filed_ in the pass it was last looked up in.
  struct Leaf {
    uint32_t pass = 0;
    size_t first = 0;
    size_t count = 0;
  };
  std::unordered_map<const scene_tree::QuadTreeNode*, Leaf> leaves_;
  // The actors of every leaf looked up in this pass, one leaf after another: no more than the
  // leaves list, so once it has held that many a pass allocates nothing.
  std::vector<FiledActor> filed_;
  uint32_t pass_ = 0;
  bool holding_ = false;
  RTComponentHandle treeClass_ = kNoComponent;
};

}  // namespace tesk::actor
