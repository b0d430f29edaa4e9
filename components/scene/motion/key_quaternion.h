// The keys' 20-byte quaternion form and the support library's {w, x, y, z}.
#pragma once

#include "kivo/scene/motion_calls.h"
#include "kivo/support/math_types.h"

namespace kivo::anim_track {

inline Quaternion ToQuat(const KeyQuaternion& q) { return Quaternion{q.w, q.v.x, q.v.y, q.v.z}; }

// Writes w, x, y and z; the vector's fourth float is kept.
inline void StoreQuat(const Quaternion& q, KeyQuaternion* out) {
  out->w = q.w;
  out->v.x = q.x;
  out->v.y = q.y;
  out->v.z = q.z;
}

}  // namespace kivo::anim_track
