// Quaternion curves for keyframe rotation: slerp, Shoemake's squad with its control points, and
// the inverse, logarithm and exponential they are built from. Quaternions are {w, x, y, z}.
// Results are computed in double and rounded once to float; every out may alias an input.
#pragma once

#include "kivo/support/math_types.h"

namespace kivo {

float QuatDot(const Quaternion& a, const Quaternion& b);
// Negates q when its dot product with `reference` is below 0, so the two lie on one hemisphere.
void QuatAlign(Quaternion* q, const Quaternion& reference);

// w0 q0 + w1 q1, not normalised and without a sign flip. With c = dot(q0, q1): when c + 1 > 1e-6
// the weights are sin((1 - t) a) / sin a and sin(t a) / sin a for a = acos c, or 1 - t and t when
// 1 - c <= 1e-6; opposite quaternions (c + 1 <= 1e-6) take sin((1 - t) h) and sin(t h) with
// h = 1.570796325, still applied to q1 itself.
void QuatSlerp(const Quaternion& q0, const Quaternion& q1, float t, Quaternion* out);
// QuatSlerp(QuatSlerp(q0, q1, t), QuatSlerp(a, b, t), 2t(1 - t)): q0 to q1 with control points a
// and b.
void QuatSquad(const Quaternion& q0, const Quaternion& a, const Quaternion& b, const Quaternion& q1, float t,
               Quaternion* out);
// The squad control point of q between its neighbours: q exp(-(log(q^-1 qp) + log(q^-1 qn)) / 4).
void SquadControl(const Quaternion& previous, const Quaternion& q, const Quaternion& next, Quaternion* out);

// The conjugate divided by the squared norm (a norm of 0 counts as 1).
void QuatInverse(const Quaternion& q, Quaternion* out);
// Of a unit quaternion: (0, v atan2(|v|, w) / |v|) with v = (x, y, z), or (0, v) when |v| is 0.
void QuatLog(const Quaternion& q, Quaternion* out);
// Of (0, v): (cos |v|, v sin |v| / |v|), with the factor 1 in place of sin |v| / |v| when
// |v| <= 1e-6. The w of q is not read.
void QuatExp(const Quaternion& q, Quaternion* out);

}  // namespace kivo
