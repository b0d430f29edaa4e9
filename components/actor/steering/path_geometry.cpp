#include "path_geometry.h"

#include <cfloat>

#include "kivo/navigation/navigation_calls.h"
#include "kivo/support/vector.h"

namespace tesk::actor {

namespace {

using kivo::Vec3Distance;

// The unit ground direction of segment i (from node i - 1); zero for a segment standing on one spot.
RTFVector3D SegmentDirection(const RTFVector3D& start, const RTFVector3D& end) {
  RTFVector3D direction{end.x - start.x, 0.0f, end.z - start.z, 0.0f};
  kivo::Vec3Normalize(&direction);
  return direction;
}

SegmentProjection ProjectOnSegment(const RTTeskActorWrapper& w, uint32_t i, const RTFVector3D& point) {
  const RTFVector3D start = PathNodeAt(w, i - 1);
  const RTFVector3D end = PathNodeAt(w, i);
  return MapPointToSegment(point, start, end, SegmentDirection(start, end));
}

// along / length, 0 on a segment of zero length.
float Fraction(float along, float length) { return length > 0.0f ? along / length : 0.0f; }

}  // namespace

RTFVector3D PathNodeAt(const RTTeskActorWrapper& w, uint32_t i) {
  const kivo::PathPoint& node = w.PathPoints[i];
  return RTFVector3D{node.x, node.y, node.z, node.w};
}

bool HasPathSegment(const RTTeskActorWrapper& w) { return w.PathPoints && w.PathPointCount >= 2; }

SegmentProjection MapPointToSegment(const RTFVector3D& point, const RTFVector3D& start, const RTFVector3D& end,
                                    const RTFVector3D& direction) {
  const float length = Vec3Distance(start, end);
  const float along = kivo::Vec3Dot(direction, kivo::Vec3Subtract(point, start));
  if (along < 0.0f) return SegmentProjection{Vec3Distance(point, start), start, 0.0f};
  if (along > length) return SegmentProjection{Vec3Distance(point, end), end, length};
  const RTFVector3D inside{start.x + direction.x * along, start.y + direction.y * along,
                           start.z + direction.z * along, start.w};
  return SegmentProjection{Vec3Distance(point, inside), inside, along};
}

float MapPointToPathDistance(const RTTeskActorWrapper& w, const RTFVector3D& point) {
  if (!HasPathSegment(w)) return 0.0f;
  float best = FLT_MAX;
  float travelled = 0.0f;
  float result = 0.0f;
  for (uint32_t i = 1; i < w.PathPointCount; ++i) {
    const SegmentProjection projection = ProjectOnSegment(w, i, point);
    if (projection.distance < best) {
      best = projection.distance;
      result = travelled + projection.along;
    }
    travelled += Vec3Distance(PathNodeAt(w, i - 1), PathNodeAt(w, i));
  }
  return result;
}

bool MapPointToPath(const RTTeskActorWrapper& w, const RTFVector3D& point, float* outside, RTFVector3D* nearest,
                    uint32_t* segmentEnd) {
  if (!HasPathSegment(w)) return false;
  float best = FLT_MAX;
  SegmentProjection chosen{};
  uint32_t next = 1;
  float fraction = 0.0f;
  for (uint32_t i = 1; i < w.PathPointCount; ++i) {
    const SegmentProjection projection = ProjectOnSegment(w, i, point);
    if (!(projection.distance < best)) continue;
    best = projection.distance;
    chosen = projection;
    next = i;
    fraction = Fraction(projection.along, Vec3Distance(PathNodeAt(w, i - 1), PathNodeAt(w, i)));
  }
  const float previousWidth = w.PathPoints[next - 1].width;
  const float nextWidth = w.PathPoints[next].width;
  const float spread = previousWidth - nextWidth;
  const float radius = spread - spread * fraction + nextWidth;
  *outside = Vec3Distance(chosen.nearest, point) - radius;
  *nearest = chosen.nearest;
  *segmentEnd = next;
  return true;
}

bool MapPointToPathTracked(RTTeskActorWrapper& w, const RTFVector3D& point, float* outside, RTFVector3D* nearest,
                           PathProgress* progress) {
  uint32_t next = 0;
  if (!MapPointToPath(w, point, outside, nearest, &next)) return false;
  w.PathSegment = next - 1;
  if (w.PathSegment >= w.PathNode) {
    w.PathNode = next;
    progress->advanced = true;
  }
  if (w.PathPointCount - 1 <= w.PathNode) progress->lastSegment = true;
  return true;
}

void MapPathDistanceToPoint(const RTTeskActorWrapper& w, float distance, RTFVector3D* out) {
  if (distance < 0.0f || !w.PathPoints || w.PathPointCount == 0) return;
  const RTFVector3D last = PathNodeAt(w, w.PathPointCount - 1);
  out->x = last.x;
  out->y = 0.0f;
  out->z = last.z;
  float remaining = distance;
  for (uint32_t i = 1; i < w.PathPointCount; ++i) {
    const RTFVector3D start = PathNodeAt(w, i - 1);
    const RTFVector3D end = PathNodeAt(w, i);
    const float length = Vec3Distance(start, end);
    if (length >= remaining) {
      const float t = Fraction(remaining, length);
      out->x = start.x + (end.x - start.x) * t;
      out->z = start.z + (end.z - start.z) * t;
      return;
    }
    remaining -= length;
  }
}

float PathTotalLength(const RTTeskActorWrapper& w) {
  float length = 0.0f;
  for (uint32_t i = 1; i < w.PathPointCount; ++i) length += kivo::Vec3Distance(PathNodeAt(w, i - 1), PathNodeAt(w, i));
  return length;
}

}  // namespace tesk::actor
