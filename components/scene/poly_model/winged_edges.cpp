#include "winged_edges.h"

#include <deque>
#include <unordered_map>

#include "kivo/support/format.h"
#include "kivo/support/module_core.h"
#include "kivo/support/vector.h"

namespace kivo::mesh {

namespace {

constexpr float kOnEdge = 1e-6f;   // squared distance from the edge's line
constexpr float kNearEnd = 1e-5f;  // t at either end that splits nothing
constexpr float kFarEnd = 0.99999f;

// Whether the edge leaves or reaches vertex v in triangle t's winding.
bool Leaves(const WingedEdge& edge, uint32_t t, uint32_t v) {
  return (edge.firstTriangle == t && edge.a == v) || (edge.secondTriangle == t && edge.b == v);
}
bool Reaches(const WingedEdge& edge, uint32_t t, uint32_t v) {
  return (edge.firstTriangle == t && edge.b == v) || (edge.secondTriangle == t && edge.a == v);
}

// The first edge of triangle t, other than `self`, that meets the test; kNoEdge when there is none.
template <class Test>
uint32_t FindLink(const TJunctionRun& run, const std::vector<std::vector<uint32_t>>& edgesOf, uint32_t self, uint32_t t,
                  Test test) {
  if (t >= edgesOf.size()) return kNoEdge;
  for (uint32_t j : edgesOf[t])
    if (j != self && test(run.edges[j])) return j;
  return kNoEdge;
}

void LinkEdges(TJunctionRun& run) {
  std::vector<std::vector<uint32_t>> edgesOf(run.triangles.size());
  for (uint32_t e = 0; e < run.edges.size(); ++e) {
    const WingedEdge& edge = run.edges[e];
    edgesOf[edge.firstTriangle].push_back(e);
    if (edge.secondTriangle != kNoTriangle && edge.secondTriangle != edge.firstTriangle)
      edgesOf[edge.secondTriangle].push_back(e);
  }
  for (uint32_t e = 0; e < run.edges.size(); ++e) {
    WingedEdge& edge = run.edges[e];
    const uint32_t first = edge.firstTriangle, second = edge.secondTriangle;
    const uint32_t a = edge.a, b = edge.b;
    edge.firstNext = FindLink(run, edgesOf, e, first, [&](const WingedEdge& j) { return Leaves(j, first, b); });
    edge.firstPrevious = FindLink(run, edgesOf, e, first, [&](const WingedEdge& j) { return Reaches(j, first, a); });
    edge.secondAtA = FindLink(run, edgesOf, e, second, [&](const WingedEdge& j) { return Leaves(j, second, a); });
    edge.secondAtB = FindLink(run, edgesOf, e, second, [&](const WingedEdge& j) { return Reaches(j, second, b); });
  }
}

RTFVector3D Lerp(const RTFVector3D& a, const RTFVector3D& b, float t) {
  return RTFVector3D{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z), 0.0f};
}

// The squared distance from p to the line through a and b, and the parameter t of the point on it
// nearest p (a + t (b - a), not clamped); false for an edge of no length.
bool PointSegmentDistanceSquared(const RTFVector3D& p, const RTFVector3D& a, const RTFVector3D& b, float* d2,
                                 float* t) {
  const RTFVector3D ab{b.x - a.x, b.y - a.y, b.z - a.z, 0.0f};
  const RTFVector3D ap{p.x - a.x, p.y - a.y, p.z - a.z, 0.0f};
  const float length2 = Vec3Dot(ab, ab);
  if (length2 == 0.0f) return false;
  *t = Vec3Dot(ab, ap) / length2;
  *d2 = Vec3DistanceSquared(p, Lerp(a, b, *t));
  return true;
}

// The new vertex at v's position on the edge a-b at t.
VertexRecord SplitVertex(const VertexRecord& a, const VertexRecord& b, const VertexRecord& v, float t) {
  VertexRecord made{};
  made.position = v.position;
  for (uint32_t k = 0; k < kUVLayerCount; ++k)
    made.uv[k] = RTFVector2D{a.uv[k].x + t * (b.uv[k].x - a.uv[k].x), a.uv[k].y + t * (b.uv[k].y - a.uv[k].y)};
  made.normal = Lerp(a.normal, b.normal, t);
  Vec3Normalize(&made.normal);
  made.tangent = Lerp(a.tangent, b.tangent, t);
  Vec3Normalize(&made.tangent);
  return made;
}

// Cuts the first triangle T = (a, b, c) of edge e at the new vertex n into (a, n, c) and the new
// triangle (n, b, c): e becomes a-n, the new edge m runs n-c between the two and the new open edge
// k runs n-b. False, nothing changed, when T's edges do not lead round it.
bool Split(TJunctionRun& run, uint32_t e, uint32_t v, float t) {
  const WingedEdge edge = run.edges[e];
  const uint32_t tri = edge.firstTriangle;
  const uint32_t x = edge.firstNext, y = edge.firstPrevious;
  if (x >= run.edges.size() || y >= run.edges.size()) return false;
  const uint32_t c = run.edges[x].firstTriangle == tri ? run.edges[x].b : run.edges[x].a;
  const auto n = static_cast<uint32_t>(run.vertices.size());
  const auto made = static_cast<uint32_t>(run.triangles.size());
  const auto m = static_cast<uint32_t>(run.edges.size());
  const uint32_t k = m + 1;
  run.vertices.push_back(SplitVertex(run.vertices[edge.a], run.vertices[edge.b], run.vertices[v], t));
  run.edges.push_back(WingedEdge{tri, made, n, c, y, k, e, x});
  run.edges.push_back(WingedEdge{made, kNoTriangle, n, edge.b, x, kNoEdge, m, kNoEdge});
  WingedEdge& xe = run.edges[x];
  if (xe.firstTriangle == tri) {
    xe.firstTriangle = made;
    xe.firstNext = m;
    xe.firstPrevious = k;
  } else {
    xe.secondTriangle = made;
    xe.secondAtA = m;
    xe.secondAtB = k;
  }
  run.edges[e].b = n;
  run.edges[e].firstNext = m;
  WingedEdge& ye = run.edges[y];
  (ye.firstTriangle == tri ? ye.firstPrevious : ye.secondAtB) = m;
  run.triangles.push_back(TriangleRecord{{0, 0, 0}, kNoEdge, run.triangles[tri].material});
  return true;
}

// The corners of triangle t walked from `start`, one of its edges: at each edge the vertex it
// reaches in t's winding (its b, unless that is the corner before, then its a), then on to the
// edge leaving that vertex. False when a link is missing.
bool WalkCorners(const TJunctionRun& run, uint32_t t, uint32_t start, uint32_t corners[3]) {
  const WingedEdge& first = run.edges[start];
  uint32_t previous = first.firstTriangle == t ? first.a : first.b;  // where the walk enters the edge
  uint32_t e = start;
  for (uint32_t i = 0; i < 3; ++i) {
    if (e >= run.edges.size()) return false;
    const WingedEdge& edge = run.edges[e];
    corners[i] = edge.b != previous ? edge.b : edge.a;
    previous = corners[i];
    e = edge.firstTriangle == t ? edge.firstNext : edge.secondAtA;
  }
  return true;
}

}  // namespace

void BuildWingedEdges(TJunctionRun& run) {
  // The open edges of each (a, b), in the order they were made: the first is matched first.
  std::unordered_map<uint64_t, std::deque<uint32_t>> open;
  auto key = [](uint32_t a, uint32_t b) { return (uint64_t{a} << 32) | b; };
  for (uint32_t t = 0; t < run.triangles.size(); ++t) {
    const uint32_t* c = run.triangles[t].corners;
    for (const auto& [from, to] : {std::pair{c[2], c[0]}, std::pair{c[0], c[1]}, std::pair{c[1], c[2]}}) {
      auto match = open.find(key(to, from));
      if (match != open.end() && !match->second.empty()) {
        run.edges[match->second.front()].secondTriangle = t;
        match->second.pop_front();
        continue;
      }
      open[key(from, to)].push_back(static_cast<uint32_t>(run.edges.size()));
      run.edges.push_back(WingedEdge{t, kNoTriangle, from, to, kNoEdge, kNoEdge, kNoEdge, kNoEdge});
    }
  }
  LinkEdges(run);
}

uint32_t SplitEdges(TJunctionRun& run, uint32_t maxTriangles) {
  uint32_t splits = 0;
  for (uint32_t e = 0; e < run.edges.size(); ++e) {
    for (uint32_t v = 0; v < run.vertices.size(); ++v) {
      if (run.triangles.size() >= maxTriangles) {
        ModuleCore()->DebugPrint(
            nullptr, Format(u"[RTPolyModel] More than %u triangles: no further edge is split", maxTriangles).c_str());
        return splits;
      }
      const WingedEdge& edge = run.edges[e];
      float d2 = 0.0f, t = 0.0f;
      if (PointSegmentDistanceSquared(run.vertices[v].position, run.vertices[edge.a].position,
                                      run.vertices[edge.b].position, &d2, &t) &&
          d2 < kOnEdge && t > kNearEnd && t < kFarEnd && Split(run, e, v, t))
        ++splits;
    }
  }
  return splits;
}

void RebuildCorners(TJunctionRun& run) {
  const auto count = static_cast<uint32_t>(run.triangles.size());
  std::vector<uint32_t> asFirst(count, kNoEdge), asSecond(count, kNoEdge);
  for (uint32_t e = run.edges.size(); e-- > 0;) {
    const WingedEdge& edge = run.edges[e];
    asFirst[edge.firstTriangle] = e;
    if (edge.secondTriangle != kNoTriangle) asSecond[edge.secondTriangle] = e;
  }
  std::vector<TriangleRecord> kept;
  kept.reserve(count);
  for (uint32_t t = 0; t < count; ++t) {
    const uint32_t start = asFirst[t] != kNoEdge ? asFirst[t] : asSecond[t];
    TriangleRecord triangle = run.triangles[t];
    if (start == kNoEdge || !WalkCorners(run, t, start, triangle.corners)) {
      ModuleCore()->DebugPrint(nullptr, Format(u"[RTPolyModel] Unable to find triangle: %d", t).c_str());
      continue;
    }
    kept.push_back(triangle);
  }
  run.triangles = std::move(kept);
}

}  // namespace kivo::mesh
