// The shadow geometry's building blocks that the stream reader shares with
// ComputeShadowGeometry.
#pragma once

#include "mesh_state.h"

namespace kivo::mesh {

// No mesh comes near this many triangles; more is damage, not data.
inline constexpr uint32_t kMaxTriangles = 1u << 24;

// The plane through three points, its normal normalised; false (the plane untouched) when two
// points coincide or the three lie on a line (squared lengths below 1e-8).
bool PlaneFromPoints(const RTFVector3D& p0, const RTFVector3D& p1, const RTFVector3D& p2, Plane* plane);

// The edges of the triangles, matched in triangle order: an edge that runs b to a where an open
// edge of an earlier triangle runs a to b becomes that edge's second side; any other edge is a new
// one. Fills the edges, open edges and shared edges of the geometry; false when memory runs out.
bool BuildEdges(const RTPolyModelTriangle* triangles, uint32_t count, ShadowGeometry* geometry);

}  // namespace kivo::mesh
