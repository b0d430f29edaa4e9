// The actors filed in the scene tree's quad-tree leaves: the wrapper of every node of a leaf, looked
// up once while the actors move (the tree files no node again until the transform update that
// follows), so that each sub-step's neighbourhood walks the leaves' wrappers instead of asking every
// nearby node for its script object and the controller for that object's wrapper.
#pragma once

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
  }
  void Drop() { holding_ = false; }

  // The node's quad item in the tree, when the tree is a Tesk scene tree and has filed the node;
  // else null.
  const scene_tree::QuadItem* FiledItem(RTInstance tree, RTInstance node);
  // The actors of the leaf's nodes, in the order the leaf lists them.
  const std::vector<FiledActor>& Of(RTInstance self, const scene_tree::QuadTreeNode& leaf);

 private:
  struct Leaf {
    uint32_t pass = 0;
    std::vector<FiledActor> actors;
  };
  std::unordered_map<const scene_tree::QuadTreeNode*, Leaf> leaves_;
  uint32_t pass_ = 0;
  bool holding_ = false;
  RTComponentHandle treeClass_ = kNoComponent;
};

}  // namespace tesk::actor
