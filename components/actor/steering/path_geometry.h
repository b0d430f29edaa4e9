// How a point relates to an actor's path, a polyline of PathPoint nodes whose widths give the
// path's radius at each node: the nearest point of a segment, the nearest point of the path with
// the progress along it, the distance along the path and the point at a distance. Segments run
// from node i - 1 to node i; their directions lie in the ground plane, their lengths and the
// distances to points are three-dimensional.
//
// A path of fewer than two nodes has no segment: the path functions then answer as for no path.
// A segment of zero length (two nodes at one place) is taken at its start.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Node i of the wrapper's path (x, y, z and the fourth float).
RTFVector3D PathNodeAt(const RTTeskActorWrapper& w, uint32_t i);
// True when the wrapper's path has a segment.
bool HasPathSegment(const RTTeskActorWrapper& w);

struct SegmentProjection {
  float distance;       // from the point to `nearest`
  RTFVector3D nearest;  // an end node (all four floats) or a point inside (the start's fourth float)
  float along;          // distance along the segment from its start, 0 to its length
};
// The point's nearest point on the segment from `start` to `end`, whose ground direction is the
// unit `direction`.
SegmentProjection MapPointToSegment(const RTFVector3D& point, const RTFVector3D& start, const RTFVector3D& end,
                                    const RTFVector3D& direction);

// The distance along the path of the point's nearest path point (the first segment of equal
// distance wins); 0 without a segment.
float MapPointToPathDistance(const RTTeskActorWrapper& w, const RTFVector3D& point);

// The point's nearest path point (the first segment of equal distance wins) into *nearest, its
// distance outside the path's radius there (negative inside) into *outside, and the index of the
// nearest segment's end node into *segmentEnd. False, with nothing written, without a segment.
bool MapPointToPath(const RTTeskActorWrapper& w, const RTFVector3D& point, float* outside, RTFVector3D* nearest,
                    uint32_t* segmentEnd);

// The flags MapPointToPathTracked raises; it never clears them.
struct PathProgress {
  bool advanced = false;     // the current node moved on
  bool lastSegment = false;  // the current node is the last one
};
// MapPointToPath that tracks the progress: the segment index becomes the nearest segment's start,
// the current node moves on to its end when it lay behind (never back), and the flags tell what
// happened.
bool MapPointToPathTracked(RTTeskActorWrapper& w, const RTFVector3D& point, float* outside, RTFVector3D* nearest,
                           PathProgress* progress);

// The point at the distance along the path, y 0 (x, y and z written): the last node beyond the
// path's end; nothing written for a negative distance or an empty path.
void MapPathDistanceToPoint(const RTTeskActorWrapper& w, float distance, RTFVector3D* out);

// The sum of the path's segment lengths (three-dimensional); 0 without a segment.
float PathTotalLength(const RTTeskActorWrapper& w);

}  // namespace tesk::actor
