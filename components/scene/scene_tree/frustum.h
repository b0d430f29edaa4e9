// The six planes of the camera's view volume in world space, and the tests that cull with them. A
// point lies outside a plane when PlaneDistance (n . p - d) is above 0.
#pragma once

#include "kivo/support/math_types.h"

namespace tesk::scene_tree::frustum {

inline constexpr int kPlanes = 6;

// The camera's frustum values as its entity answers them: x1, y1, near, x2, y2, far (view space).
struct ViewVolume {
  float x1, y1, nearZ, x2, y2, farZ;
};

// The planes, in the order: four sides, near, far. `camera` is the camera node's world matrix;
// `parallel` chooses the orthographic shape.
void Build(const RTFMatrix4x4& camera, const ViewVolume& volume, bool parallel, kivo::Plane planes[kPlanes]);

// n = normalize((q - p) x (r - p)), d = n . p.
kivo::Plane PlaneFromPoints(const RTFVector3D& p, const RTFVector3D& q, const RTFVector3D& r);

// True when all eight corners of the box spanned by the two points lie outside one plane.
bool BoxCulled(const kivo::Plane planes[kPlanes], const RTFVector3D& a, const RTFVector3D& b);
// True when the sphere lies wholly outside one plane (its radius at most the centre's distance).
bool SphereCulled(const kivo::Plane planes[kPlanes], const RTFVector3D& centre, float radius);

}  // namespace tesk::scene_tree::frustum
