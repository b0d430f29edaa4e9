#include "frustum.h"

#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"

namespace tesk::scene_tree::frustum {

using namespace kivo;

Plane PlaneFromPoints(const RTFVector3D& p, const RTFVector3D& q, const RTFVector3D& r) {
  Plane plane{};
  Vec3Cross(Vec3Subtract(q, p), Vec3Subtract(r, p), &plane.normal);
  Vec3Normalize(&plane.normal);
  plane.d = Vec3Dot(plane.normal, p);
  return plane;
}

void Build(const RTFMatrix4x4& camera, const ViewVolume& v, bool parallel, Plane planes[kPlanes]) {
  const auto world = [&](float x, float y, float z) {
    RTFVector3D out{};
    Mat4TransformPoint(camera, RTFVector3D{x, y, z, 1.0f}, &out);
    return out;
  };
  const RTFVector3D eye{camera.m[3][0], camera.m[3][1], camera.m[3][2], 0.0f};
  if (parallel) {
    planes[0] = PlaneFromPoints(world(v.x1, v.y2, v.farZ), world(v.x1, v.y1, v.nearZ), world(v.x1, v.y2, v.nearZ));
    planes[1] = PlaneFromPoints(world(v.x2, v.y1, v.farZ), world(v.x2, v.y2, v.nearZ), world(v.x2, v.y1, v.nearZ));
    planes[2] = PlaneFromPoints(world(v.x1, v.y1, v.farZ), world(v.x2, v.y1, v.nearZ), world(v.x1, v.y1, v.nearZ));
    planes[3] = PlaneFromPoints(world(v.x2, v.y2, v.farZ), world(v.x1, v.y2, v.nearZ), world(v.x2, v.y2, v.nearZ));
  } else {
    planes[0] = PlaneFromPoints(eye, world(v.x1, v.y2, v.nearZ), world(v.x1, v.y1, v.nearZ));
    planes[1] = PlaneFromPoints(eye, world(v.x2, v.y1, v.nearZ), world(v.x2, v.y2, v.nearZ));
    planes[2] = PlaneFromPoints(eye, world(v.x1, v.y1, v.nearZ), world(v.x2, v.y1, v.nearZ));
    planes[3] = PlaneFromPoints(eye, world(v.x2, v.y2, v.nearZ), world(v.x1, v.y2, v.nearZ));
  }
  planes[4] = PlaneFromPoints(world(v.x2, v.y1, v.nearZ), world(v.x1, v.y2, v.nearZ), world(v.x1, v.y1, v.nearZ));
  planes[5] = PlaneFromPoints(world(v.x1, v.y2, v.farZ), world(v.x2, v.y2, v.farZ), world(v.x1, v.y1, v.farZ));
}

bool BoxCulled(const Plane planes[kPlanes], const RTFVector3D& a, const RTFVector3D& b) {
  for (int p = 0; p < kPlanes; ++p) {
    bool allOutside = true;
    for (int corner = 0; corner < 8 && allOutside; ++corner) {
      const RTFVector3D point{corner & 1 ? b.x : a.x, corner & 2 ? b.y : a.y, corner & 4 ? b.z : a.z, 0.0f};
      allOutside = PlaneDistance(planes[p], point) > 0.0f;
    }
    if (allOutside) return true;
  }
  return false;
}

bool SphereCulled(const Plane planes[kPlanes], const RTFVector3D& centre, float radius) {
  for (int p = 0; p < kPlanes; ++p)
    if (radius <= PlaneDistance(planes[p], centre)) return true;
  return false;
}

}  // namespace tesk::scene_tree::frustum
