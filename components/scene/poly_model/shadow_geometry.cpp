// Shadow geometry: the groups' strips and lists turned into one array of welded triangles with
// their planes, smooth vertex normals, the flat triangle list, and the triangles' edges matched
// into shared and open ones. Everything is built aside and taken in whole at the end; a primitive
// that indexes past the vertices leaves the mesh as it was.
#include "shadow_geometry.h"

#include <algorithm>
#include <deque>
#include <unordered_map>
#include <vector>

#include "kivo/scene/mesh_triangles.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "kivo/support/vector.h"
#include "poly_model_methods.h"

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;

constexpr float kDegenerate = 1e-8f;
constexpr float kSamePosition = 1e-10f;  // corners nearer than this share a vertex normal
constexpr float kWeldDistance = 1e-5f;   // vertices this near or nearer are one in the shadow geometry

struct Corners {
  uint32_t c[3];
};

float LengthSquared(const RTFVector3D& v) { return Vec3Dot(v, v); }

// Step 1 and 2: every list's triangles, then every strip's, group by group.
struct Gathered {
  std::vector<Corners> triangles;
  uint32_t fromLists = 0;
  uint32_t fromStrips = 0;
};

Gathered Gather(const PolyModelState& state) {
  Gathered gathered;
  for (uint32_t g = 0; g < state.materialCount; ++g)
    poly_model::ForEachTriangle(state.groups[g], [&](uint32_t c0, uint32_t c1, uint32_t c2, const RTPrimitive& from) {
      gathered.triangles.push_back(Corners{{c0, c1, c2}});
      ++(from.kind == r::kTriangleStrip ? gathered.fromStrips : gathered.fromLists);
    });
  return gathered;
}

// Step 4: each vertex's normal is the mean of the face normals of the corners at its position,
// normalised; (0, 0, 0) where no corner lies.
std::vector<RTFVector3D> SmoothNormals(const PolyModelState& state, const std::vector<Corners>& triangles,
                                       const std::vector<RTFVector3D>& faceNormals) {
  std::vector<RTFVector3D> normals(state.vertexCount, RTFVector3D{});
  for (uint32_t v = 0; v < state.vertexCount; ++v) {
    RTFVector3D sum{};
    uint32_t corners = 0;
    for (size_t t = 0; t < triangles.size(); ++t)
      for (uint32_t corner : triangles[t].c)
        if (Vec3Distance(state.vertices[corner], state.vertices[v]) < kSamePosition) {
          sum = RTFVector3D{sum.x + faceNormals[t].x, sum.y + faceNormals[t].y, sum.z + faceNormals[t].z, 0};
          ++corners;
        }
    if (corners == 0) continue;
    const auto n = static_cast<float>(corners);
    normals[v] = RTFVector3D{sum.x / n, sum.y / n, sum.z / n, 0};
    Vec3Normalize(&normals[v]);
  }
  return normals;
}

// Step 5: the lowest index at the vertex's position (within kWeldDistance), worked out once per
// vertex that a corner names.
class Welder {
 public:
  explicit Welder(const PolyModelState& state) : state_(state), welded_(state.vertexCount, kNotYet) {}
  uint32_t operator()(uint32_t v) {
    if (welded_[v] != kNotYet) return welded_[v];
    welded_[v] = v;
    for (uint32_t u = 0; u < v; ++u)
      if (Vec3Distance(state_.vertices[u], state_.vertices[v]) <= kWeldDistance) {
        welded_[v] = u;
        break;
      }
    return welded_[v];
  }

 private:
  static constexpr uint32_t kNotYet = 0xFFFFFFFFu;
  const PolyModelState& state_;
  std::vector<uint32_t> welded_;
};

// Step 6: one triangle list of every welded triangle.
bool MakeFlatList(RTInstance rasterizer, const RTPolyModelTriangle* triangles, uint32_t count,
                  RTTriangleList3D** list) {
  if (!r::CreatePrimitive(rasterizer, r::kTriangleList, list)) return false;
  if (!r::ResizePrimitiveList(rasterizer, *list, count)) {
    r::DestroyPrimitive(rasterizer, *list);
    *list = nullptr;
    return false;
  }
  for (uint32_t t = 0; t < count; ++t)
    for (uint32_t k = 0; k < 3; ++k) (*list)->indices[size_t{t} * 3 + k] = triangles[t].corners[k];
  return true;
}

// The first corner that names no vertex, as a message; empty when every corner names one.
std::u16string FindStrayIndex(const PolyModelState& state, const std::vector<Corners>& triangles) {
  for (size_t t = 0; t < triangles.size(); ++t)
    for (uint32_t corner : triangles[t].c)
      if (corner >= state.vertexCount)
        return Format(u"triangle %u indexes vertex %u of %u", static_cast<uint64_t>(t), corner, state.vertexCount);
  return {};
}

}  // namespace

bool PlaneFromPoints(const RTFVector3D& p0, const RTFVector3D& p1, const RTFVector3D& p2, Plane* plane) {
  const RTFVector3D e1 = Vec3Subtract(p1, p0);
  const RTFVector3D e2 = Vec3Subtract(p2, p0);
  if (LengthSquared(e1) < kDegenerate || LengthSquared(e2) < kDegenerate) return false;
  RTFVector3D n{};
  Vec3Cross(e1, e2, &n);
  if (LengthSquared(n) < kDegenerate) return false;
  Vec3Normalize(&n);
  *plane = Plane{n, Vec3Dot(p0, n)};
  return true;
}

bool BuildEdges(const RTPolyModelTriangle* triangles, uint32_t count, ShadowGeometry* geometry) {
  if (!NewArray(count * 3, &geometry->edges)) return false;
  // The open edges of each (a, b), in the order they were made: the first is matched first.
  std::unordered_map<uint64_t, std::deque<uint32_t>> open;
  auto key = [](uint32_t a, uint32_t b) { return (uint64_t{a} << 32) | b; };
  uint32_t made = 0;
  for (uint32_t t = 0; t < count; ++t) {
    const uint32_t* c = triangles[t].corners;
    for (const auto& [from, to] : {std::pair{c[2], c[0]}, std::pair{c[0], c[1]}, std::pair{c[1], c[2]}}) {
      auto match = open.find(key(to, from));
      if (match != open.end() && !match->second.empty()) {
        geometry->edges[match->second.front()].secondTriangle = t;
        match->second.pop_front();
        continue;
      }
      geometry->edges[made] = ShadowEdge{t, kNoTriangle, from, to, {}};
      open[key(from, to)].push_back(made++);
    }
  }
  geometry->edgeCount = made;
  auto isOpen = [](const ShadowEdge& edge) { return edge.secondTriangle == kNoTriangle; };
  geometry->openEdgeCount = static_cast<uint32_t>(std::count_if(geometry->edges, geometry->edges + made, isOpen));
  geometry->sharedEdgeCount = made - geometry->openEdgeCount;
  if (!NewArray(geometry->openEdgeCount, &geometry->openEdges) ||
      !NewArray(geometry->sharedEdgeCount, &geometry->sharedEdges))
    return false;
  uint32_t opened = 0, shared = 0;
  for (uint32_t e = 0; e < made; ++e) {
    ShadowEdge* edge = &geometry->edges[e];
    if (isOpen(*edge)) {
      geometry->openEdges[opened++] = edge;
    } else {
      geometry->sharedEdges[shared++] = edge;
    }
  }
  return true;
}

RTSuccess ComputeShadowGeometry(RTInstance self) {
  PolyModelState* state = StateOf(self);
  InstanceRef rasterizer = TakeRasterizer();
  if (!state || !rasterizer.get()) return kRTFailure;
  const Gathered gathered = Gather(*state);
  std::u16string refused = FindStrayIndex(*state, gathered.triangles);
  if (gathered.triangles.size() > kMaxTriangles) refused = Format(u"more than %u triangles", kMaxTriangles);
  if (!refused.empty()) {
    RaiseFormatted(kLevelError, u"RTPolyModel::ComputeShadowGeometry(): %s; the shadow geometry is left as it was",
                   refused);
    return kRTFailure;
  }
  const auto total = static_cast<uint32_t>(gathered.triangles.size());

  std::vector<RTFVector3D> faceNormals(total, RTFVector3D{});
  for (uint32_t t = 0; t < total; ++t) {
    const uint32_t* c = gathered.triangles[t].c;
    Plane plane{};
    if (PlaneFromPoints(state->vertices[c[0]], state->vertices[c[1]], state->vertices[c[2]], &plane))
      faceNormals[t] = plane.normal;
  }
  const std::vector<RTFVector3D> normals = SmoothNormals(*state, gathered.triangles, faceNormals);

  ShadowGeometry geometry;
  geometry.triangleCount = total;
  RTFVector3D* normalArray = state->normals;
  bool built = state->normalCount >= state->vertexCount || NewArray(state->vertexCount, &normalArray);
  built = built && NewArray(total, &geometry.triangles);
  Welder weld(*state);
  for (uint32_t t = 0; built && t < total; ++t) {
    RTPolyModelTriangle& triangle = geometry.triangles[t];
    for (uint32_t k = 0; k < 3; ++k) triangle.corners[k] = weld(gathered.triangles[t].c[k]);
    const uint32_t* c = triangle.corners;
    PlaneFromPoints(state->vertices[c[0]], state->vertices[c[1]], state->vertices[c[2]], &triangle.plane);
  }
  built = built && MakeFlatList(rasterizer.get(), geometry.triangles, total, &geometry.flatTriangles) &&
          BuildEdges(geometry.triangles, total, &geometry);
  if (!built) {
    if (normalArray != state->normals) FreeArray(normalArray);
    FreeShadowGeometry(geometry, rasterizer.get());
    return kRTFailure;
  }

  for (uint32_t v = 0; v < state->vertexCount; ++v) normalArray[v] = normals[v];
  if (normalArray != state->normals) {
    FreeArray(state->normals);
    state->normals = normalArray;
    state->normalCount = state->vertexCount;
  }
  ReplaceShadowGeometry(*state, geometry, rasterizer.get());
  ModuleCore()->DebugPrint(
      nullptr, Format(u"[RTPolyModel] Computed shadow geometry, %d open edges, %d triangles from lists, %d triangles "
                      u"from strips [total = %d], %d shared edges\n",
                      state->openEdgeCount, gathered.fromLists, gathered.fromStrips, total, state->sharedEdgeCount)
                   .c_str());
  return kRTSuccess;
}

RTSuccess CleanGeometry(RTInstance self) {
  ModuleCore()->DebugPrint(nullptr, u"CLEAN GEOMETRY!");
  return CallMethod(self, poly_model::kLevel, poly_model::kComputeShadowGeometry);
}

RTSuccess GetTriangles(RTInstance self, uint32_t* n, RTPolyModelTriangle** triangles) {
  PolyModelState* state = StateOf(self);
  if (!state || !n || !triangles) return kRTFailure;
  *n = state->triangleCount;
  *triangles = state->triangles;
  return kRTSuccess;
}

RTSuccess GetFlatTriangleList(RTInstance self, RTTriangleList3D** list) {
  PolyModelState* state = StateOf(self);
  if (!state || !list) return kRTFailure;
  *list = state->flatTriangles;
  return kRTSuccess;
}

}  // namespace kivo::mesh
