// Calls on scene nodes: the RTSceneNode level (placement, world transform, entity, child nodes) and
// the RTTeskSceneNode level below it (the state word and the quad item). Every call returns 1 on
// success and 0 on failure.
//
// A node's placement is its local matrix, relative to its parent node; the scene tree hands each
// node its parent's world matrix and the node keeps world = local x parent (for a node placed in a
// room the parent matrix is the identity, so its placement is its world transform). Matrices are
// handed out as pointers into the node, valid until the node changes them.
//
// A node's child nodes are those of its child instances that are scene nodes; its entity (the mesh,
// light or camera it carries) is any instance, held with one reference and streamed by its path.
//
// The slots below 0x200 are those that callers number; the others are the framework's own.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

namespace kivo::scene_node {

inline constexpr char16_t kClassName[] = u"RTSceneNode";

enum Slot : uint32_t {
  kGetEntity = 0x10,
  kGetLocalMatrix = 0x18,  // the placement
  kGetWorldMatrix = 0x1c,
  kApplyParentMatrix = 0x20,
  kGetFirstChild = 0x4c,
  kGetNextSibling = 0x50,
  kGetInverseWorldMatrix = 0x88,

  // The framework's own.
  kStreamIn = 0x200,
  kStreamOut = 0x204,
  kSetLocalMatrix = 0x208,
  kSetEntity = 0x20c,
};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;    // RTSceneNode's own functions, for a derived level's parent calls
inline constexpr uint32_t kObjectSize = 0x14;  // published bytes: a derived level starts here
inline constexpr uint32_t kSlotTableSize = kSetEntity + 4;
inline constexpr uint32_t kStreamVersion = 1;

// The entity with a reference for the caller; null (and success) when the node carries none.
inline RTSuccess GetEntity(RTInstance n, RTInstance* entity) { return CallMethod(n, kLevel, kGetEntity, entity); }
// Holds the entity (null: none) with a reference, giving up the one it had.
inline RTSuccess SetEntity(RTInstance n, RTInstance entity) { return CallMethod(n, kLevel, kSetEntity, entity); }
inline RTSuccess GetLocalMatrix(RTInstance n, const RTFMatrix4x4** local) {
  return CallMethod(n, kLevel, kGetLocalMatrix, local);
}
inline RTSuccess SetLocalMatrix(RTInstance n, const RTFMatrix4x4* local) {
  return CallMethod(n, kLevel, kSetLocalMatrix, local);
}
inline RTSuccess GetWorldMatrix(RTInstance n, const RTFMatrix4x4** world) {
  return CallMethod(n, kLevel, kGetWorldMatrix, world);
}
// world := local x parent.
inline RTSuccess ApplyParentMatrix(RTInstance n, const RTFMatrix4x4* parent) {
  return CallMethod(n, kLevel, kApplyParentMatrix, parent);
}
// Fails (out untouched) when the world matrix has no inverse.
inline RTSuccess GetInverseWorldMatrix(RTInstance n, const RTFMatrix4x4** inverse) {
  return CallMethod(n, kLevel, kGetInverseWorldMatrix, inverse);
}
// The first child node, and the node after this one among its parent's children, each with a
// reference for the caller; null (and success) when there is none.
inline RTSuccess GetFirstChild(RTInstance n, RTInstance* child) { return CallMethod(n, kLevel, kGetFirstChild, child); }
inline RTSuccess GetNextSibling(RTInstance n, RTInstance* sibling) {
  return CallMethod(n, kLevel, kGetNextSibling, sibling);
}

}  // namespace kivo::scene_node

namespace kivo::tesk_scene_node {

inline constexpr char16_t kClassName[] = u"RTTeskSceneNode";

enum Slot : uint32_t {
  kSetStateWord = 0x30,
  kGetStateWord = 0x34,
  kSetQuadItem = 0x50,
  kGetQuadItem = 0x54,

  // The framework's own.
  kStreamIn = 0x200,
  kStreamOut = 0x204,
};
inline constexpr uint32_t kLevel = 0x14;
inline constexpr uint32_t kOwnTable = 0x18;
inline constexpr uint32_t kObjectSize = 0x20;
inline constexpr uint32_t kSlotTableSize = kStreamOut + 4;
inline constexpr uint32_t kStreamVersion = 1;

// The state word: bits 0-3 render bits (bit 0 draws the node), bits 4-15 the node's kind, bits
// 16-19 the frame phase in which the scene tree last processed it; the rest is kept as set.
inline constexpr uint32_t kRenderBits = 0x0000000Fu;
inline constexpr uint32_t kKindBits = 0x0000FFF0u;
inline constexpr uint32_t kKindShift = 4;
inline constexpr uint32_t kPhaseBits = 0x000F0000u;
inline constexpr uint32_t kPhaseShift = 16;

inline RTSuccess SetStateWord(RTInstance n, uint32_t word) { return CallMethod(n, kLevel, kSetStateWord, word); }
inline RTSuccess GetStateWord(RTInstance n, uint32_t* word) { return CallMethod(n, kLevel, kGetStateWord, word); }
// The scene tree's quad item of the node (null: none); the node only keeps the pointer.
inline RTSuccess SetQuadItem(RTInstance n, void* item) { return CallMethod(n, kLevel, kSetQuadItem, item); }
inline RTSuccess GetQuadItem(RTInstance n, void** item) { return CallMethod(n, kLevel, kGetQuadItem, item); }

}  // namespace kivo::tesk_scene_node
