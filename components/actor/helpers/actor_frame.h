// The rows of an actor's frame (a 4x4 matrix of row vectors: side, up, forward, position) as
// vectors, copied out and in with all four floats, and the frame's orientation rebuilt from its
// heading.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "kivo/support/math_types.h"
#include "kivo/support/vector.h"

namespace tesk::actor {

enum FrameRow : int { kSideRow = 0, kUpRow = 1, kForwardRow = 2, kPositionRow = 3 };

inline RTFVector3D Row(const RTFMatrix4x4& m, FrameRow row) {
  return RTFVector3D{m.m[row][0], m.m[row][1], m.m[row][2], m.m[row][3]};
}

// An actor's position and facing, read from its frame.
inline RTFVector3D PositionOf(const RTTeskActorWrapper& w) { return Row(w.Frame, kPositionRow); }
inline RTFVector3D ForwardOf(const RTTeskActorWrapper& w) { return Row(w.Frame, kForwardRow); }
// The velocity others meet an actor with: none while it is not moving, as no integrator moves it
// then, whatever velocity a contact has left it until its own next step clears it.
inline RTFVector3D MotionOf(const RTTeskActorWrapper& w) { return w.Moving ? w.Velocity : RTFVector3D{}; }

inline void SetRow(RTFMatrix4x4* m, FrameRow row, const RTFVector3D& v) {
  m->m[row][0] = v.x;
  m->m[row][1] = v.y;
  m->m[row][2] = v.z;
  m->m[row][3] = v.w;
}

// The orientation rows from a heading: forward normalised (fourth float 0), up (0, 1, 0), side the
// normalised up x forward; the position row is kept.
inline void SetHeading(RTFMatrix4x4* m, RTFVector3D forward) {
  forward.w = 0.0f;
  kivo::Vec3Normalize(&forward);
  const RTFVector3D up{0.0f, 1.0f, 0.0f, 0.0f};
  RTFVector3D side{0.0f, 0.0f, 0.0f, 0.0f};
  kivo::Vec3Cross(up, forward, &side);
  kivo::Vec3Normalize(&side);
  SetRow(m, kSideRow, side);
  SetRow(m, kUpRow, up);
  SetRow(m, kForwardRow, forward);
}

}  // namespace tesk::actor
