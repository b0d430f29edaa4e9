// The geometry of a mesh description before it goes into an RTPolyModel, and the shapes kivopack
// generates. Every triangle is wound counter-clockwise seen from outside, the convention the
// rasterizer's cull modes and the meshes' shadow volumes rely on; a strip's triangle j is
// (s[j], s[j+1], s[j+2]) for even j and (s[j+1], s[j], s[j+2]) for odd j.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kivo/support/math_types.h"

namespace kivopack {

using IndexList = std::vector<uint32_t>;

// The primitives of one material: one triangle list (three indices a triangle) and strips.
struct MeshGroup {
  IndexList triangles;
  std::vector<IndexList> strips;
};

struct MeshSource {
  std::vector<RTFVector3D> vertices;
  std::vector<RTFVector3D> normals;                 // none, or one per vertex
  std::vector<std::vector<RTFVector2D>> uvLayers;  // each one pair per vertex
  std::vector<MeshGroup> groups;                   // group i draws with material i
};

// A box from (-x/2, 0, -z/2) to (x/2, y, z/2): four vertices of its own for each face, with the
// face's normal and texture coordinates (0, 0) at the face's top left to (1, 1); one strip per
// face, in group 0.
MeshSource GenerateBox(const RTFVector3D& size);

// A capsule standing on y = 0 around the y axis, `height` tall from pole to pole: a cylinder of
// `radius` between two hemispheres. `segments` (3 or more) vertices go around each ring, each
// hemisphere has segments / 4 rings (at least one), the poles one vertex each; normals are smooth,
// texture coordinates run round (u) and down (v). The bands between rings are strips, the fans at
// the poles one triangle list, in group 0.
MeshSource GenerateCapsule(float radius, float height, uint32_t segments);

// Walls along a footprint (points on the ground, x-z) from the height `floor` up `height`: one quad
// for each edge i (from point i to the next, the last back to the first) that `isWall` marks and
// that has a length, with four vertices of its own, two triangles in group 0 that face the
// footprint's inside (whichever way it winds) and the normal of that side. Texture coordinates
// count units of length: u along the edge from its start, v down from the top. The footprint must
// enclose an area; a footprint of one winding (no crossing edges) has each wall face inside.
MeshSource GenerateWalls(const std::vector<RTFVector2D>& footprint, const std::vector<bool>& isWall, float floor,
                         float height);
// Twice the signed area the footprint (x-z points) encloses: positive when its inside lies left of
// each edge (dx, dz), toward (-dz, dx).
double FootprintTwiceArea(const std::vector<RTFVector2D>& footprint);

// Turns every strip of the group into triangles of its list.
void StripsToTriangles(MeshGroup* group);

// Moves the shape's vertices by the placement (row vectors) and turns its normals with it.
void PlaceShape(const RTFMatrix4x4& placement, MeshSource* shape);
// Adds the part's vertices, normals, texture coordinates and group-0 primitives to the whole's group
// `group` (made when the whole has fewer), its indices moved past the whole's vertices. Each
// texture-coordinate layer stays one pair per vertex: a layer that only one side has gets (0, 0)
// for the other side's vertices. Normals stay one per vertex: when one side has none, the whole
// keeps none (the mesh computes them).
void AppendShape(const MeshSource& part, size_t group, MeshSource* whole);

}  // namespace kivopack
