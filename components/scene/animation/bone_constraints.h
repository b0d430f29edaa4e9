// The limits of a single bone: its swing ring, the twist range and the swing limit, and the split
// of a bone rotation into the swing of its x axis and the twist about it. The same limits serve the
// solver, SetCustomTM and SetIKRangeTest.
#pragma once

#include "kivo/scene/bone_model_calls.h"

namespace kivo::skin {

// The most samples a swing ring takes, whatever its radius says.
inline constexpr uint32_t kMaxConeSamples = 4096;

// Rebuilds the bone's swing ring: n = (R x 20 + 20) samples (held to 0..kMaxConeSamples, R the
// larger radius for DOF 2, radius A for DOF 3) from arc min to arc max at its cone length. A leaf
// and a bone of any other DOF keep what they have.
void BuildConeSamples(RTBoneNode* bone);

struct SwingTwist {
  Quaternion swing;  // turns the x axis where the rotation takes it
  Quaternion twist;  // the rest: about the x axis
};
// The split of q, whose rotation the bone's custom matrix holds at this point.
SwingTwist SplitSwingTwist(const RTBoneNode& bone, const Quaternion& q);

// Holds the twist's angle to the bone's twist range.
void ClampTwist(const RTBoneNode& bone, Quaternion* twist);
// For DOF 2 and 3: turns the swung x axis back within 80 degrees of the bone's cone axis, then onto
// the ring's circle (radius A around the sweep offset) when it points outside it. A swing that
// runs parallel to the ring's plane, or away from it, is left as it is.
void ApplySwingConstraint(const RTBoneNode& bone, Quaternion* swing);
// Turns a point of the bone's frame about x to the nearer end of the bone's arc when it lies in
// the excluded part; an arc of 360 degrees leaves it alone.
void LimitArc(const RTBoneNode& bone, RTFVector3D* point);

}  // namespace kivo::skin
