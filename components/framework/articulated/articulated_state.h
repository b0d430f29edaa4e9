// The articulated level's state: the scene nodes attached to the skin's bones.
#pragma once

#include <vector>

#include "kivo/articulated/articulated_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/instance_ref.h"

namespace kivo::articulated {

inline constexpr uint32_t kStateWord = kOwnTable + 4;

struct Attachment {
  RTBoneNode* bone;
  RTFMatrix4x4 offset;
  InstanceRef node;
};

// A chain the player reaches with.
struct Reach {
  int32_t chain;
  RTBool active;
  RTFMatrix4x4 target;
};

struct ArticulatedState {
  std::vector<Attachment> attachments;  // a node at most once
  std::vector<Reach> reaches;           // a chain at most once
  RTBoneNode* turnedBone = nullptr;
  RTFMatrix4x4 turn;
};

inline ArticulatedState* StateOf(RTInstance self) { return StateIn<ArticulatedState>(self, kStateWord); }

}  // namespace kivo::articulated
