// Temporary prop copies: a holder owns the lists of what one deep copy of a stored node tree made
// (the copied nodes and the RTRigid players made for them), under the component "Root:OBJ_TEMP".
// The lists hold no references: each copied node is held by the node above it (the copy of the
// root by the caller), each player by its node.
#pragma once

#include "game_record.h"

namespace tesk::game {

struct TempHolder {
  kivo::List* rigidList;
  kivo::List* nodeList;
  RTInstance firstCopy;  // the first node copied: the copy of the root
  RTInstance component;  // "Root:OBJ_TEMP", one reference
};
static_assert(sizeof(TempHolder) == 4 * sizeof(void*));

// Finds or makes "Root:OBJ_TEMP" and makes both lists empty; 0 when either cannot be had.
RTSuccess TempHolderCreate(TempHolder* holder);
// Destroys both lists (not the instances in them) and frees the holder; a null holder does nothing.
void TempHolderDestroy(TempHolder* holder);
// Copies the node tree of `source` under the holder's component: each copy takes its source's
// placement and object (with `outline`, the object gets the outline callbacks), node flags 0x59,
// an RTRigid filled from the source's first modifier when it has modifiers, and the copies of the
// source's children as children. *copy receives the copy of `source` with the caller's reference.
RTSuccess TempCloneNode(TempHolder* holder, RTInstance game, RTInstance source, RTInstance* copy, bool outline);

}  // namespace tesk::game
