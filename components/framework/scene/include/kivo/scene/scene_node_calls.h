// Calls on scene nodes: the RTSceneNode level (placement, world transform, entity, child nodes,
// obstacle box) and the RTTeskSceneNode level below it (the state word and the quad item). Every
// call returns 1 on success and 0 on failure.
//
// A node's placement is its local matrix, relative to its parent node; the scene tree hands each
// node its parent's world matrix and the node keeps world = local x parent (for a node placed in a
// room the parent matrix is the identity, so its placement is its world transform). Matrices are
// handed out as pointers into the node, valid until the node changes them.
//
// A node's child nodes are those of its child instances that are scene nodes, then the nodes added
// to it at run time (AddChild), which it holds with one reference each and does not stream; its
// entity (the mesh, light or camera it carries) is any instance, held with one reference and
// streamed by its path.
//
// A node may carry an obstacle box: a box in its own space whose x-z rectangle, placed by the
// node's world matrix, is what a room's hit tests collide with (y is left out: movement is planar).
//
// Moving nodes: an RTTeskSceneNode of a moving kind (5, 6 or 7) does not move when its translation
// is set, by SetTranslation or SetLocalMatrix alike: the change is kept as its pending movement
// (the rest of a matrix applies at once) until ApplyMovement adds it to the translation. The scene
// tree's transform update moves such nodes once a frame and tracks the room they stand in. Nodes
// of other kinds, and plain RTSceneNodes, move at once.
//
// The slots below 0x200 are those that callers number; the others are the framework's own.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

namespace kivo::scene_node {

inline constexpr char16_t kClassName[] = u"RTSceneNode";

inline constexpr MethodSlot<RTInstance*> kGetEntity{0x10};
inline constexpr MethodSlot<const RTFMatrix4x4**> kGetLocalMatrix{0x18};  // the placement
inline constexpr MethodSlot<const RTFMatrix4x4**> kGetWorldMatrix{0x1c};
inline constexpr MethodSlot<const RTFMatrix4x4*> kApplyParentMatrix{0x20};
inline constexpr MethodSlot<RTInstance*> kGetFirstChild{0x4c};
inline constexpr MethodSlot<RTInstance*> kGetNextSibling{0x50};
inline constexpr MethodSlot<const RTFMatrix4x4**> kGetInverseWorldMatrix{0x88};

// The framework's own.
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x200};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x204};
inline constexpr MethodSlot<const RTFMatrix4x4*> kSetLocalMatrix{0x208};
inline constexpr MethodSlot<RTInstance> kSetEntity{0x20c};
inline constexpr MethodSlot<const RTFVector3D*> kSetTranslation{0x210};
inline constexpr MethodSlot<const RTFVector3D*, const RTFVector3D*> kSetObstacleBox{0x214};
inline constexpr MethodSlot<RTBool*, RTFVector3D*, RTFVector3D*> kGetObstacleBox{0x218};
inline constexpr MethodSlot<uint32_t*> kGetItemCount{0x21c};
inline constexpr MethodSlot<uint32_t, RTInstance*> kGetItem{0x220};
inline constexpr MethodSlot<RTInstance> kDesignTimeHook{0x224};
inline constexpr MethodSlot<> kPreItemHook{0x228};
inline constexpr MethodSlot<> kPreDrawNotification{0x22c};
inline constexpr MethodSlot<RTInstance> kAddChild{0x230};
inline constexpr MethodSlot<float, float, float> kSetEulerAngles{0x234};
inline constexpr MethodSlot<float*, float*, float*> kGetEulerAngles{0x238};
inline constexpr MethodSlot<uint32_t*> kGetModifierCount{0x23c};
inline constexpr MethodSlot<const RTInstance**, uint32_t*> kGetModifierList{0x240};
inline constexpr MethodSlot<RTInstance> kAddModifier{0x244};
inline constexpr MethodSlot<> kDetach{0x248};
inline constexpr MethodSlot<const uint32_t**> kGetObstacleSerial{0x24c};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;    // RTSceneNode's own functions, for a derived level's parent calls
inline constexpr uint32_t kObjectSize = 0x14;  // published bytes: a derived level starts here
inline constexpr uint32_t kSlotTableSize = kGetObstacleSerial + 4;
inline constexpr uint32_t kStreamVersion = 3;

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
// Row 3 of the placement := (x, y, z, 1); the rest is kept.
inline RTSuccess SetTranslation(RTInstance n, const RTFVector3D* translation) {
  return CallMethod(n, kLevel, kSetTranslation, translation);
}
// The obstacle box (min and max corners in the node's space); a null corner takes it away, and a
// min above max on any axis is refused.
inline RTSuccess SetObstacleBox(RTInstance n, const RTFVector3D* min, const RTFVector3D* max) {
  return CallMethod(n, kLevel, kSetObstacleBox, min, max);
}
// *has := 1 and the corners when the node carries an obstacle box, else *has := 0.
inline RTSuccess GetObstacleBox(RTInstance n, RTBool* has, RTFVector3D* min, RTFVector3D* max) {
  return CallMethod(n, kLevel, kGetObstacleBox, has, min, max);
}
// A pointer to the node's obstacle serial, a number that changes whenever the placed obstacle box
// may have: the box set, taken away or streamed in, or the world matrix of a node that carries one
// changed. It lets a caller keep the placed box until the number changes; valid for the node's life.
inline RTSuccess GetObstacleSerial(RTInstance n, const uint32_t** serial) {
  return CallMethod(n, kLevel, kGetObstacleSerial, serial);
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
// Makes the scene node `child` a child node of this one, after the ones it has, holding it with a
// reference; a node added to another node before leaves that one. A child instance of this node
// is one already. Refused: a null child or one that is no scene node, the node itself or one above
// it, and a child instance of another scene node (the instance tree places it).
inline RTSuccess AddChild(RTInstance n, RTInstance child) { return CallMethod(n, kLevel, kAddChild, child); }
// The node leaves the node it was added to (AddChild), which gives up its reference; a node added
// to none, or placed by the instance tree, stays where it is.
inline RTSuccess Detach(RTInstance n) { return CallMethod(n, kLevel, kDetach); }
// The placement's rotation as Euler angles in radians (pitch about x, yaw about y, roll about z,
// applied in the order of Mat3FromEuler); setting them keeps the translation.
inline RTSuccess SetEulerAngles(RTInstance n, float pitch, float yaw, float roll) {
  return CallMethod(n, kLevel, kSetEulerAngles, pitch, yaw, roll);
}
inline RTSuccess GetEulerAngles(RTInstance n, float* pitch, float* yaw, float* roll) {
  return CallMethod(n, kLevel, kGetEulerAngles, pitch, yaw, roll);
}
// Modifiers: instances that act on the node (motion players, RTRigid), held with one reference
// each, those streamed in first, then those added at run time in the order added; streamed by
// their paths. The list is the node's own, valid until the next AddModifier.
inline RTSuccess GetModifierCount(RTInstance n, uint32_t* count) {
  return CallMethod(n, kLevel, kGetModifierCount, count);
}
inline RTSuccess GetModifierList(RTInstance n, const RTInstance** modifiers, uint32_t* count) {
  return CallMethod(n, kLevel, kGetModifierList, modifiers, count);
}
// Refused: a null modifier.
inline RTSuccess AddModifier(RTInstance n, RTInstance modifier) {
  return CallMethod(n, kLevel, kAddModifier, modifier);
}

// Drawing a node, the scene tree also runs the items attached to it (scene_item below) and tells
// the node where it is in the frame. A node has no items yet, and its notifications do nothing.
inline RTSuccess GetItemCount(RTInstance n, uint32_t* count) { return CallMethod(n, kLevel, kGetItemCount, count); }
// The item at the index with a reference for the caller; fails out of range.
inline RTSuccess GetItem(RTInstance n, uint32_t index, RTInstance* item) {
  return CallMethod(n, kLevel, kGetItem, index, item);
}
// In design mode, before the node's entity is looked at.
inline RTSuccess DesignTimeHook(RTInstance n, RTInstance rasterizer) {
  return CallMethod(n, kLevel, kDesignTimeHook, rasterizer);
}
// Before the node's items run.
inline RTSuccess PreItemHook(RTInstance n) { return CallMethod(n, kLevel, kPreItemHook); }
// Right before the node's entity draws.
inline RTSuccess PreDrawNotification(RTInstance n) { return CallMethod(n, kLevel, kPreDrawNotification); }

}  // namespace kivo::scene_node

namespace kivo::scene_item {

// An item attached to a scene node, run each frame the node is drawn.
inline constexpr MethodSlot<RTBool*> kIsEnabled{0x00};  // (out RTBool)
inline constexpr MethodSlot<RTInstance, uint32_t, RTInstance, RTBool> kProcessFrame{0x04};  // (entity, time in milliseconds, node, culled)
inline constexpr uint32_t kLevel = 0x08;

inline RTSuccess IsEnabled(RTInstance i, RTBool* enabled) { return CallMethod(i, kLevel, kIsEnabled, enabled); }
inline RTSuccess ProcessFrame(RTInstance i, RTInstance entity, uint32_t milliseconds, RTInstance node, RTBool culled) {
  return CallMethod(i, kLevel, kProcessFrame, entity, milliseconds, node, culled);
}

}  // namespace kivo::scene_item

namespace kivo::tesk_scene_node {

inline constexpr char16_t kClassName[] = u"RTTeskSceneNode";

inline constexpr MethodSlot<void**> kGetScriptObject{0x10};
inline constexpr MethodSlot<RTFVector3D*> kGetVelocity{0x28};  // the pending movement
inline constexpr MethodSlot<> kApplyMovement{0x2c};
inline constexpr MethodSlot<uint32_t> kSetStateWord{0x30};
inline constexpr MethodSlot<uint32_t*> kGetStateWord{0x34};
inline constexpr MethodSlot<void*> kSetQuadItem{0x50};
inline constexpr MethodSlot<void**> kGetQuadItem{0x54};
inline constexpr MethodSlot<const RTFVector3D*> kSetVector{0x5c};

// The framework's own.
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x200};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x204};
inline constexpr MethodSlot<void*> kSetScriptObject{0x208};
inline constexpr MethodSlot<const RTFMatrix4x4*> kSetLocalMatrix{0x20c};  // overrides RTSceneNode's: a moving kind keeps the translation pending
inline constexpr MethodSlot<const RTFVector3D*> kSetTranslation{0x210};  // likewise
inline constexpr MethodSlot<RTInstance> kSetAnimator{0x214};
inline constexpr MethodSlot<RTInstance*> kGetAnimator{0x218};
inline constexpr MethodSlot<RTInstance*> kGetNodeRoom{0x21c};
inline constexpr MethodSlot<RTInstance> kSetNodeRoom{0x220};
inline constexpr MethodSlot<RTInstance> kLeaveNodeRoom{0x224};
inline constexpr uint32_t kLevel = 0x14;
inline constexpr uint32_t kOwnTable = 0x18;
inline constexpr uint32_t kObjectSize = 0x20;
inline constexpr uint32_t kSlotTableSize = kLeaveNodeRoom + 4;
inline constexpr uint32_t kStreamVersion = 2;

// The state word: bits 0-3 render bits (bit 0 draws the node), bits 4-15 the node's kind, bits
// 16-19 the frame phase in which the scene tree last processed it; the rest is kept as set.
inline constexpr uint32_t kRenderBits = 0x0000000Fu;
inline constexpr uint32_t kDrawBit = 0x1;         // the node's entity is drawn
inline constexpr uint32_t kRedOutlineBit = 0x2;   // its bounds, when drawn, in red
inline constexpr uint32_t kDebugExtrasBit = 0x4;  // while designing: its bounds and the entity's extras
inline constexpr uint32_t kKindBits = 0x0000FFF0u;
inline constexpr uint32_t kKindShift = 4;
inline constexpr uint32_t kPhaseBits = 0x000F0000u;
inline constexpr uint32_t kPhaseShift = 16;

constexpr uint32_t KindOf(uint32_t stateWord) { return (stateWord & kKindBits) >> kKindShift; }
constexpr uint32_t WithKind(uint32_t stateWord, uint32_t kind) {
  return (stateWord & ~kKindBits) | ((kind << kKindShift) & kKindBits);
}
// Kinds whose translation changes wait as pending movement for the scene tree's transform update.
constexpr bool IsMovingKind(uint32_t kind) { return kind >= 5 && kind <= 7; }

inline RTSuccess SetStateWord(RTInstance n, uint32_t word) { return CallMethod(n, kLevel, kSetStateWord, word); }
inline RTSuccess GetStateWord(RTInstance n, uint32_t* word) { return CallMethod(n, kLevel, kGetStateWord, word); }
// The scene tree's quad item of the node (null: none); the node only keeps the pointer.
inline RTSuccess SetQuadItem(RTInstance n, void* item) { return CallMethod(n, kLevel, kSetQuadItem, item); }
inline RTSuccess GetQuadItem(RTInstance n, void** item) { return CallMethod(n, kLevel, kGetQuadItem, item); }

// The script object that stands for the node (null: none); the node only keeps the pointer.
inline RTSuccess GetScriptObject(RTInstance n, void** object) {
  return CallMethod(n, kLevel, kGetScriptObject, object);
}
inline RTSuccess SetScriptObject(RTInstance n, void* object) { return CallMethod(n, kLevel, kSetScriptObject, object); }
// The pending movement: what translation changes of a moving kind have added since it was last
// applied.
inline RTSuccess GetVelocity(RTInstance n, RTFVector3D* velocity) {
  return CallMethod(n, kLevel, kGetVelocity, velocity);
}
// translation += pending movement; pending movement := 0.
inline RTSuccess ApplyMovement(RTInstance n) { return CallMethod(n, kLevel, kApplyMovement); }
// The motion player (an RTArticulated) that poses the skin the node carries; the node holds it with
// one reference and streams it by its path. Null: none.
inline RTSuccess SetAnimator(RTInstance n, RTInstance animator) {
  return CallMethod(n, kLevel, kSetAnimator, animator);
}
// The player with a reference for the caller; null (and success) when the node has none.
inline RTSuccess GetAnimator(RTInstance n, RTInstance* animator) {
  return CallMethod(n, kLevel, kGetAnimator, animator);
}
// The room whose node list holds the node (the container room), with a reference for the caller;
// null (and success) when none does. Rooms set it as they add and remove the node.
inline RTSuccess GetNodeRoom(RTInstance n, RTInstance* room) { return CallMethod(n, kLevel, kGetNodeRoom, room); }
// The room keeps the node; the node keeps no reference on the room.
inline RTSuccess SetNodeRoom(RTInstance n, RTInstance room) { return CallMethod(n, kLevel, kSetNodeRoom, room); }
// The container room becomes none if it is `room` (another room may have taken the node since).
inline RTSuccess LeaveNodeRoom(RTInstance n, RTInstance room) {
  return CallMethod(n, kLevel, kLeaveNodeRoom, room);
}
// The vector the scene tree hands a tracked node (zero when it stays in its room); kept, unused.
inline RTSuccess SetVector(RTInstance n, const RTFVector3D* vector) { return CallMethod(n, kLevel, kSetVector, vector); }

}  // namespace kivo::tesk_scene_node
