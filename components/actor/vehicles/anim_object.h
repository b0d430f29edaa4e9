// TeskAnimObject: the loaded copy of a stored scene tree that a vehicle owns. The copies are made
// under the component "Root:OBJ_TEMP": each copied node is held by the node it is copied under (the
// copy of the root by the vehicle), each RTRigid copy by the object, which gives them back when it
// is destroyed.
#pragma once

#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace tesk::actor {

struct TeskAnimObject {
  kivo::List* rigids;       // the RTRigid copies; one reference each
  kivo::List* objectNodes;  // the copied nodes that carry an object, in the order copied; no references
  RTInstance firstNode;     // the first node copied (the copy of the root); no reference
  RTInstance holder;        // "Root:OBJ_TEMP"; one reference
};

// A new object with empty lists, "Root:OBJ_TEMP" found or made; null when that cannot be had.
TeskAnimObject* AnimObjectCreate();
// Gives back the RTRigid copies and the holder, and frees the object; null does nothing.
void AnimObjectDestroy(TeskAnimObject* object);

// Copies the node tree of `source` under the holder (LoadVehicleSceneTree): each copy takes its
// source's local matrix and object, flags 0x59, a copy of each of the source's modifiers and the
// copies of its children. *clone receives the copy of `source` with the caller's reference.
RTSuccess LoadVehicleSceneTree(TeskAnimObject& object, RTInstance source, RTInstance* clone);

// The box of the node's object widened by those of its children among the object nodes, through
// the node's local matrix; (10000, 10000, 10000) and (-10000, -10000, -10000) for a node without an
// object.
void ComputeTreeBounds(const TeskAnimObject& object, RTInstance node, RTFVector3D* min, RTFVector3D* max);
// The root's own bounds := its ComputeTreeBounds.
void SetTreeBounds(const TeskAnimObject& object, RTInstance root);

}  // namespace tesk::actor
