// The working records of T-junction removal: a copy of every vertex, the triangles of the groups'
// primitives and their winged edges, and the three steps that work on the edges: matching and
// linking them, splitting edges at the vertices that lie inside them, and reading each triangle's
// corners back from its edges.
#pragma once

#include <cstdint>
#include <vector>

#include "kivo/scene/poly_model_calls.h"

namespace kivo::mesh {

inline constexpr uint32_t kNoEdge = 0xFFFFFFFFu;

struct VertexRecord {
  RTFVector3D position;
  RTFVector3D normal;
  RTFVector3D tangent;
  RTFVector2D uv[kUVLayerCount];  // slot k: UV layer k
  RTFColorRGB colour;
  uint32_t unused;
};
static_assert(sizeof(VertexRecord) == 324);

struct TriangleRecord {
  uint32_t corners[3];
  uint32_t edge;      // kNoEdge
  uint32_t material;  // the material index of the primitive it came from
};
static_assert(sizeof(TriangleRecord) == 20);

// An edge between one or two triangles; a runs to b in the first triangle's winding. The links
// name edges of the same triangles, kNoEdge where there is none.
struct WingedEdge {
  uint32_t firstTriangle;
  uint32_t secondTriangle;  // kNoTriangle for an open edge
  uint32_t a;
  uint32_t b;
  uint32_t firstNext;      // the first triangle's edge leaving b
  uint32_t secondAtA;      // the second triangle's edge leaving a (it runs b to a there)
  uint32_t firstPrevious;  // the first triangle's edge reaching a
  uint32_t secondAtB;      // the second triangle's edge reaching b
};
static_assert(sizeof(WingedEdge) == 32);

struct TJunctionRun {
  std::vector<VertexRecord> vertices;
  std::vector<WingedEdge> edges;
  std::vector<TriangleRecord> triangles;
};

// Matches the triangles' edges in triangle order (an edge running b to a where an open edge of an
// earlier triangle runs a to b becomes that edge's second side) and links every edge to the edges
// of its triangles.
void BuildWingedEdges(TJunctionRun& run);

// Splits every edge, including those made on the way, at every vertex, including those added on
// the way, that lies within 0.001 of it and not within 1e-5 of its ends along it: the vertex is
// copied into a new one (texture coordinates, normal and tangent interpolated along the edge) and
// the edge's first triangle is cut in two there. Stops splitting when the triangles reach
// `maxTriangles`. Returns the number of splits.
uint32_t SplitEdges(TJunctionRun& run, uint32_t maxTriangles);

// Each triangle's corners walked from its edges, the triangles packed in order; a triangle that
// no edge names, or whose edges do not lead round it, is reported and dropped.
void RebuildCorners(TJunctionRun& run);

}  // namespace kivo::mesh
