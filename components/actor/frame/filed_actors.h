// The actors filed in the scene tree's quad-tree leaves: the wrapper of every node of a leaf, and
// the actors around each leaf, gathered once while the actors move (the tree files no node again
// until the transform update that follows), so that the neighbourhood walks the leaves' wrappers
// instead of asking every nearby node for its script object and the controller for that object's
// wrapper.
#pragma once

#include <span>
#include <unordered_map>
#include <vector>

#include "kivo/actor/actor_calls.h"
#include "kivo/support/list.h"
#include "tesk/scene/scene_tree_state.h"

namespace tesk::actor {

// A node filed in a leaf that carries an actor: its quad item and the actor's wrapper.
struct FiledActor {
  const scene_tree::QuadItem* item;
  RTTeskActorWrapper* wrapper;
};

// The actors of a leaf and of its eight neighbour leaves, in the order the tree's radius query
// lists them, also as a list of their wrappers (over links of its own, never freed by the list
// calls). Every actor of the leaf has these neighbours, itself among them.
struct Surroundings {
  std::vector<FiledActor> actors;
  std::vector<kivo::ListLink> links;
  kivo::List list{};
  uint32_t pass = 0;
};

class FiledActors {
 public:
  // Between Hold and Drop each leaf's wrappers and surroundings are gathered once; outside, at every
  // call. The actors move in sub-steps meanwhile; NextSubStep counts them.
  void Hold() {
    ++pass_;
    holding_ = true;
    subStep_ = 0;
    filed_.clear();
  }
  void NextSubStep() { ++subStep_; }
  void Drop() { holding_ = false; }
  // Whether neighbour lists ranked in the first sub-step of the hold still hold: nothing is filed
  // again and no actor changes its vehicle mode, priority or serial while the actors move.
  bool RankedThisHold() const { return holding_ && subStep_ > 0; }

  // The node's quad item in the tree, when the tree is a Tesk scene tree and has filed the node;
  // else null.
  const scene_tree::QuadItem* FiledItem(RTInstance tree, RTInstance node);
  // The actors of the leaf's nodes, in the order the leaf lists them; valid until the next call.
  std::span<const FiledActor> Of(RTInstance self, const scene_tree::QuadTreeNode& leaf);
  // The leaf's surroundings; while holding, kept until Drop (and as long as the leaf is known).
  Surroundings& Around(RTInstance self, const scene_tree::QuadTreeNode& leaf);

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
  // Per leaf, its surroundings while holding; the last gathered outside a hold.
  std::unordered_map<const scene_tree::QuadTreeNode*, Surroundings> around_;
  Surroundings unheld_;
  uint32_t pass_ = 0;
  uint32_t subStep_ = 0;
  bool holding_ = false;
  RTComponentHandle treeClass_ = kNoComponent;
};

}  // namespace tesk::actor
