// Design aids drawn by the frame: the quad tree's cells and a node's bounds, as yellow (or red)
// lines at their places.
#pragma once

#include "tesk/scene/scene_tree_state.h"

namespace tesk::scene_tree {

// The tree's square at height 0, then every leaf's edges (and diagonals when it holds items).
void DrawQuadTree(const SceneTreeState& tree);
// The node's entity's box, the three unit axes and a small cube about its origin, in the node's
// space: red when the node's render bit 1 is set, else yellow.
void DrawNodeBounds(const SceneTreeState& tree, RTInstance node);

}  // namespace tesk::scene_tree
