// The hand bones of a character's skin, which its hand nodes follow.
#pragma once

#include "kivo/types.h"

struct RTBoneNode;

namespace tesk::actor {

struct HandBones {
  RTBoneNode* left = nullptr;   // "Bip01 L Hand"
  RTBoneNode* right = nullptr;  // "Bip01 R Hand"
};

// True when the skin has both.
bool FindHandBones(RTInstance skin, HandBones* hands);
// The player attaches the right node to the right hand and the left node to the left hand, each
// where the bone is.
void AttachHands(RTInstance animator, const HandBones& hands, RTInstance left, RTInstance right);

}  // namespace tesk::actor
