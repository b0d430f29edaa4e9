// The posed skeleton drawn as lines in the skin's model space, after each Deform that asks.
#pragma once

#include "bone_model_state.h"

namespace kivo::skin {

// Yellow diamonds at the joints joined by lines to each child, and a tip out of each leaf.
void DrawBonesPass(const BoneModelState& state);
// A red, green and blue axis cross of length 0.25 at every joint.
void DrawBoneAxesPass(const BoneModelState& state);

}  // namespace kivo::skin
