// The quad tree's cells: filing items in them (quad_tree.cpp) and building them over the rooms'
// footprints (quad_build.cpp). See scene_tree_state.h for the records and the quadrant and
// direction numbering.
#pragma once

#include "tesk/scene/scene_tree_state.h"

namespace tesk::scene_tree::quad {

// The quadrant of a point for looking it up: a point on a centre line lies east or north.
// -1 outside the cell.
int QuadrantOfPoint(const QuadTreeNode& cell, const RTFVector3D& point);
// The quadrant of an item for filing it: an item on a centre line goes west or south.
int QuadrantIndex(const QuadTreeNode& cell, const RTFVector3D& point);

// The deepest cell on the point's way down (a leaf, or a cell without the child the point falls
// in); null outside the tree.
QuadTreeNode* FindLeaf(QuadTreeNode* root, const RTFVector3D& point);

// Files the item from `cell` down, listing it in every cell on its way; false when it falls
// outside a cell (its cell is then null) or meets a missing child (it stays in the cell reached).
bool Insert(QuadTreeNode* cell, QuadItem* item);
// Takes the item out of the cells on its position's way down from `cell`.
bool Remove(QuadTreeNode* cell, QuadItem* item);
// Files again an item whose position changed: it climbs from its cell to the first cell that holds
// its position and goes down from there. An item that left the root is dropped from the tree, with
// a message, and false; once its position is back inside, it is filed from the root again.
bool Update(QuadItem* item);

QuadTreeNode* NewCell(const RTFVector3D& min, const RTFVector3D& max, QuadTreeNode* parent);
// Frees the cell and everything below it (not the items filed in them).
void FreeCells(QuadTreeNode* cell);

// The rooms' boxes in x and z, made square about their middle.
void SquareExtent(kivo::List* rooms, RTFVector3D* min, RTFVector3D* max);
// Splits the root where the rooms' footprints overlap, collecting the leaves in order.
void Subdivide(QuadTreeNode* root, kivo::List* rooms, kivo::List* leaves);
// Links each leaf to the leaf that holds the point one side away in each direction.
void LinkNeighbours(QuadTreeNode* root, kivo::List* leaves);
// The leaf whose square, half-open at its maximum sides, holds the point; null for none.
QuadTreeNode* LeafHolding(QuadTreeNode* root, const RTFVector3D& point);

}  // namespace tesk::scene_tree::quad
