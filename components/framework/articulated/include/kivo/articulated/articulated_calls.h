// Calls on RTArticulated, the motion player of a character's skin: an RTRigid (rigid_calls.h, the
// level that plays the motions) whose own level adds motions to the set or puts them in place of
// others, and carries scene nodes on the skin's bones.
//
// A node attached to a bone follows it: each time the skin deforms to the player's motion
// (tesk_skin_calls.h) it places the player's attached nodes, each at its offset times the bone's
// world matrix, as its local matrix (the skin's model space: the space of the node that draws the
// skin, whose child the attached node is). The player holds each attached node with a reference;
// the bones are the skin's, which whoever attaches keeps alive while they are attached.
//
// A skin is shared by every character drawn with it, so what one character does with its arms and
// body beyond the motion is kept on its own player: the inverse-kinematics chains it reaches with
// (each on or off, toward its target) and a bone turned by a matrix. The skin poses a player's
// reaches and turn only while it deforms for that player's node (PoseSkin), so no other character
// of the skin takes them.
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
inline constexpr MethodSlot<int32_t, RTBool> kSetReachActive{0x14};  // (chain, active)
inline constexpr MethodSlot<int32_t, const RTFMatrix4x4*> kSetReachTarget{0x18};  // (chain, target)
inline constexpr MethodSlot<int32_t, RTBool*, RTFMatrix4x4*> kGetReach{0x1c};  // (chain, out active, out target)
inline constexpr MethodSlot<RTBoneNode*, const RTFMatrix4x4*> kSetBoneTurn{0x20};  // (bone or null, turn)
inline constexpr MethodSlot<RTInstance, RTBool> kPoseSkin{0x24};  // (skin, on)
inline constexpr uint32_t kLevel = rigid::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kOwnTable + 8;
inline constexpr uint32_t kSlotTableSize = kPoseSkin + 4;

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

// The chain (of the skin, numbered from 0) on or off for this player; an unknown chain starts off,
// at the identity.
inline RTSuccess SetReachActive(RTInstance a, int32_t chain, RTBool active) {
  return CallMethod(a, kLevel, kSetReachActive, chain, active);
}
// The chain's target in the skin's model space.
inline RTSuccess SetReachTarget(RTInstance a, int32_t chain, const RTFMatrix4x4* target) {
  return CallMethod(a, kLevel, kSetReachTarget, chain, target);
}
// Fails for a chain the player was never given.
inline RTSuccess GetReach(RTInstance a, int32_t chain, RTBool* active, RTFMatrix4x4* target) {
  return CallMethod(a, kLevel, kGetReach, chain, active, target);
}
// The bone's turn (its custom matrix while posed); a null bone takes the turn away.
inline RTSuccess SetBoneTurn(RTInstance a, RTBoneNode* bone, const RTFMatrix4x4* turn) {
  return CallMethod(a, kLevel, kSetBoneTurn, bone, turn);
}
// On: the skin takes the player's active reaches (chain active, target set) and bone turn; off:
// those chains go off again and the bone back to its motion. The skin calls it around its deform.
inline RTSuccess PoseSkin(RTInstance a, RTInstance skin, RTBool on) {
  return CallMethod(a, kLevel, kPoseSkin, skin, on);
}

}  // namespace kivo::articulated
