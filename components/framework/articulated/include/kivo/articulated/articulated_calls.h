// Calls on RTArticulated, the motion player of a character's skin: an RTRigid (rigid_calls.h, the
// level that plays the motions) whose own level adds motions to the set or puts them in place of
// others, and carries scene nodes on the skin's bones.
//
// A node attached to a bone follows it: each time the skin deforms to the player's motion
// (tesk_skin_calls.h) it places the player's attached nodes, each at its offset times the bone's
// world matrix, as its local matrix (the skin's model space: the space of the node that draws the
// skin, whose child the attached node is). The player holds each attached node with a reference;
// the bones are the skin's, which whoever attaches keeps alive while they are attached.
#pragma once

#include "kivo/rigid/rigid_calls.h"
#include "kivo/slots.h"
#include "kivo/support/math_types.h"

struct RTBoneNode;

namespace kivo::articulated {

inline constexpr char16_t kClassName[] = u"RTArticulated";

inline constexpr MethodSlot<RTInstance, uint32_t*> kAddCustomMotion{0x00};  // (motion, out index)
inline constexpr MethodSlot<uint32_t, RTInstance> kReplaceMotion{0x04};  // (index, motion)
inline constexpr MethodSlot<RTBoneNode*, const RTFMatrix4x4*, RTInstance> kAttachNode{0x08};  // (bone, offset, node)
inline constexpr MethodSlot<RTBoneNode*, RTInstance> kDetachNode{0x0c};  // (bone, node)
inline constexpr MethodSlot<RTInstance> kPlaceAttachments{0x10};  // (skin)
inline constexpr uint32_t kLevel = rigid::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kOwnTable + 8;
inline constexpr uint32_t kSlotTableSize = kPlaceAttachments + 4;

// Adds a motion of the character's own at the end of the set, where SetMotion plays it like any
// other; *index is its place.
inline RTSuccess AddCustomMotion(RTInstance a, RTInstance motion, uint32_t* index) {
  return CallMethod(a, kLevel, kAddCustomMotion, motion, index);
}
// Puts the motion (an RTAnimTrack) in place of the one at the index, giving up that one; the
// current motion, replaced, plays the new one from its start. An index beyond the set fails.
inline RTSuccess ReplaceMotion(RTInstance a, uint32_t index, RTInstance motion) {
  return CallMethod(a, kLevel, kReplaceMotion, index, motion);
}
// Attaches the scene node to the bone with the offset (a matrix in the bone's space), in place of
// a bone it was attached to.
inline RTSuccess AttachNode(RTInstance a, RTBoneNode* bone, const RTFMatrix4x4* offset, RTInstance node) {
  return CallMethod(a, kLevel, kAttachNode, bone, offset, node);
}
// Takes the node off the bone; fails when it is not attached there.
inline RTSuccess DetachNode(RTInstance a, RTBoneNode* bone, RTInstance node) {
  return CallMethod(a, kLevel, kDetachNode, bone, node);
}
// Places every attached node at its bone as the skin now poses it (called by the skin).
inline RTSuccess PlaceAttachments(RTInstance a, RTInstance skin) {
  return CallMethod(a, kLevel, kPlaceAttachments, skin);
}

}  // namespace kivo::articulated
