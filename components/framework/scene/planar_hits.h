// The geometry of the rooms' hit tests: a ray and a moving circle against a line segment in the
// ground plane. A point's x is the world x and its y the world z. A hit is reported by the
// parameter t along the direction or movement given (at start + t x vector), with t from 0 to
// below the limit the caller hands; a caller that passes its nearest hit so far as the limit keeps
// the first of equal hits.
#pragma once

#include "kivo/support/math_types.h"

namespace room {

// The t at which origin + t x direction crosses the segment a-b, ends included. None when the ray
// runs parallel to the segment (so also for a direction or a segment of zero length), or crosses
// its line behind the origin or beyond the ends.
bool RayHitsSegment(const RTFVector2D& origin, const RTFVector2D& direction, const RTFVector2D& a, const RTFVector2D& b,
                    float limit, float* t);

struct CircleContact {
  float t;
  RTFVector2D point;   // the touched point of the segment
  RTFVector2D normal;  // unit length, from the point towards the circle's centre
};

// The first touch of a circle of the radius (above 0) whose centre moves as start + t x movement
// with the segment a-b: along its interior or at an end point. A circle that already overlaps the
// segment at the start (its centre nearer than the radius) touches it at t = 0 when it moves into
// it and never when it stands still, moves away or slides along it. A movement of zero length
// touches nothing.
bool CircleHitsSegment(const RTFVector2D& start, const RTFVector2D& movement, float radius, const RTFVector2D& a,
                       const RTFVector2D& b, float limit, CircleContact* contact);

}  // namespace room
