// The actor component's own vector and intersection helpers, over the support library's vector
// math: steering, avoidance, contacts and locomotion use them. Only x, y and z are read; a vector
// built from a copy keeps the fourth float it had.
#pragma once

#include <cmath>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace tesk::actor {

float Vec3LengthSquared(const RTFVector3D& v);
// Scales v to a length of at most `maxLength`; returns the length before (0 for a zero vector, which
// stays zero).
float Vec3Truncate(float maxLength, RTFVector3D* v);
// out := u dot(v, u), for a unit direction u.
RTSuccess Vec3ParallelComponent(const RTFVector3D& v, const RTFVector3D& u, RTFVector3D* out);
// out := v - u dot(v, u), for a unit direction u.
RTSuccess Vec3PerpendicularComponent(const RTFVector3D& v, const RTFVector3D& u, RTFVector3D* out);

// Whether sphere 1, moving relative to sphere 2 during the step, touches it: 1 with the distance
// along its relative movement and the centre at contact. The distance is not bounded by the step's
// movement; callers decide whether the contact falls within it. Spheres moving apart give 0 even
// when they overlap.
RTSuccess SweptSphereTest(float radius1, const RTFVector3D& centre1, const RTFVector3D& velocity1, float radius2,
                          const RTFVector3D& centre2, const RTFVector3D& velocity2, float step, float* distance,
                          RTFVector3D* contact);

// |x| + |y| + |z|, at least the length of v.
inline float Vec3SumOfMagnitudes(const RTFVector3D& v) { return std::fabs(v.x) + std::fabs(v.y) + std::fabs(v.z); }
// Whether the two points lie farther apart than `reach` along one axis, with room (a thousandth) for
// the rounding of the lengths an exact test computes. False when a coordinate is not a number.
inline bool ApartBeyond(const RTFVector3D& a, const RTFVector3D& b, float reach) {
  const float beyond = reach * 1.001f + 1e-3f;
  return std::fabs(a.x - b.x) > beyond || std::fabs(a.y - b.y) > beyond || std::fabs(a.z - b.z) > beyond;
}
// Whether SweptSphereTest surely finds no touch (nor do the spheres overlap): their centres lie
// farther apart along one axis than the two radii and both movements over the step can bridge. A
// quick test, without a square root, for ruling out the many actors far from one.
// The first sphere worked out once, for testing it against many others.
struct FirstSphere {
  float radius;
  RTFVector3D centre;
  float travel;  // the sum of the magnitudes of its velocity
};
inline FirstSphere FirstSphereOf(float radius, const RTFVector3D& centre, const RTFVector3D& velocity) {
  return FirstSphere{radius, centre, Vec3SumOfMagnitudes(velocity)};
}
inline bool SpheresCannotMeet(const FirstSphere& first, float radius2, const RTFVector3D& centre2,
                              const RTFVector3D& velocity2, float step) {
  const float bridged = (first.travel + Vec3SumOfMagnitudes(velocity2)) * std::fabs(step);
  return ApartBeyond(first.centre, centre2, first.radius + radius2 + bridged);
}
inline bool SpheresCannotMeet(float radius1, const RTFVector3D& centre1, const RTFVector3D& velocity1, float radius2,
                              const RTFVector3D& centre2, const RTFVector3D& velocity2, float step) {
  return SpheresCannotMeet(FirstSphereOf(radius1, centre1, velocity1), radius2, centre2, velocity2, step);
}

// Whether SweptSphereTest surely finds no touch between spheres whose radii add up to `reach`, the
// first moving by `movement` relative to the second over the step: the second centre lies, along
// one axis, outside the box around the first sphere's path (from its start to a reach past its end,
// as far as the exact test finds touches), with room for the rounding of the exact test. Tighter
// than SpheresCannotMeet across a long movement. False when a coordinate is not a number.
inline bool OutsideSweptPath(float reach, const RTFVector3D& centre1, const RTFVector3D& movement,
                             const RTFVector3D& centre2) {
  const float pad = 2.0f * reach;
  // Not a number (or infinite) when a movement is, which rules out nothing.
  const float spread = pad + (pad + Vec3SumOfMagnitudes(movement)) * 1e-3f + 1e-3f;
  // Beyond the span from 0 to `moved`, widened by the spread on both sides: farther from its middle
  // than half its length and the spread.
  const auto outside = [spread](float apart, float moved) {
    return std::fabs(apart - 0.5f * moved) > 0.5f * std::fabs(moved) + spread;
  };
  return outside(centre2.x - centre1.x, movement.x) || outside(centre2.y - centre1.y, movement.y) ||
         outside(centre2.z - centre1.z, movement.z);
}

// Segments a0-a1 and b0-b1 in x and y (z left out; a result point takes z from the segment it lies
// on): 0 apart, 1 one point (out point 1), 2 collinear overlap (its ends in points 1 and 2).
uint32_t IntersectSegments2D(const RTFVector3D& a0, const RTFVector3D& a1, const RTFVector3D& b0,
                             const RTFVector3D& b1, RTFVector3D* point1, RTFVector3D* point2);

// v := v + (target - v) min(t, 1).
RTSuccess Vec3LerpClamped(float t, const RTFVector3D& target, RTFVector3D* v);
// x := x + (target - x) min(t, 1).
RTSuccess LerpClamped(float t, float target, float* x);

// The fully elastic impulse along the normal of a contact at the relative velocity, between bodies
// whose inverse masses add up to `inverseMasses`: -2 (v . n) / (inverseMasses (n . n)). False, with
// *impulse untouched, for a normal too short to have a direction (which would give 0 / 0).
bool ElasticImpulse(const RTFVector3D& velocity, const RTFVector3D& normal, float inverseMasses, float* impulse);

// The point of segment a-b closest to p into *closest; returns the squared distance to it.
float ClosestPointOnSegment(const RTFVector3D& p, const RTFVector3D& a, const RTFVector3D& b, RTFVector3D* closest);

}  // namespace tesk::actor
