#include "lightmap_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>

#include "kivo/scene/mesh_triangles.h"
#include "kivo/support/format.h"
#include "kivo/support/numeric.h"
#include "kivo/support/vector.h"

namespace kivo::static_lit_mesh {

namespace {

constexpr float kDegenerate = 1e-8f;            // squared length of a face normal before normalising
constexpr float kSameNormal = 0.9999f;          // least cosine between the normals of one surface
constexpr float kSamePlane = 1e-4f;             // most difference between their planes' offsets
constexpr float kWhole = 1e-3f;                 // an extent this little over a whole number of texels
constexpr size_t kMaxTexels = size_t{1} << 24;  // of all the mesh's lightmaps

struct Face {
  uint32_t corners[3];
  RTFVector3D normal;
  float offset;  // dot(normal, p) on the plane
};

// The group's triangles with their planes; false when a corner names no vertex.
bool FacesOf(const PolyModelState& mesh, const MaterialGroup& group, std::vector<Face>* faces) {
  bool sound = true;
  poly_model::ForEachTriangle(group, [&](uint32_t c0, uint32_t c1, uint32_t c2, const RTPrimitive&) {
    if (c0 >= mesh.vertexCount || c1 >= mesh.vertexCount || c2 >= mesh.vertexCount) {
      sound = false;
      return;
    }
    const RTFVector3D& p0 = mesh.vertices[c0];
    RTFVector3D normal{};
    Vec3Cross(Vec3Subtract(mesh.vertices[c1], p0), Vec3Subtract(mesh.vertices[c2], p0), &normal);
    // A face too small to have a normal, or one whose normal overflows, has no lightmap.
    const float square = Vec3Dot(normal, normal);
    if (!std::isfinite(square) || square < kDegenerate) return;
    Vec3Normalize(&normal);
    faces->push_back(Face{{c0, c1, c2}, normal, Vec3Dot(normal, p0)});
  });
  return sound;
}

// A union-find over the faces.
class Joins {
 public:
  explicit Joins(size_t count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), size_t{0}); }
  size_t Root(size_t i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
  }
  void Join(size_t a, size_t b) { parent_[Root(b)] = Root(a); }

 private:
  std::vector<size_t> parent_;
};

// The faces grouped into surfaces, each surface's faces in order, surfaces by their first face.
std::vector<std::vector<Face>> Surfaces(const PolyModelState& mesh, const std::vector<Face>& faces) {
  using Position = std::array<float, 3>;
  std::map<Position, uint32_t> welded;
  auto weld = [&](uint32_t v) {
    const RTFVector3D& p = mesh.vertices[v];
    return welded.emplace(Position{p.x, p.y, p.z}, static_cast<uint32_t>(welded.size())).first->second;
  };
  std::map<std::pair<uint32_t, uint32_t>, std::vector<size_t>> edges;
  for (size_t f = 0; f < faces.size(); ++f)
    for (uint32_t k = 0; k < 3; ++k) {
      const uint32_t a = weld(faces[f].corners[k]), b = weld(faces[f].corners[(k + 1) % 3]);
      edges[std::minmax(a, b)].push_back(f);
    }
  Joins joins(faces.size());
  for (const auto& [edge, sharing] : edges)
    for (size_t i = 1; i < sharing.size(); ++i) {
      const Face& a = faces[sharing[0]];
      const Face& b = faces[sharing[i]];
      if (Vec3Dot(a.normal, b.normal) > kSameNormal && std::fabs(a.offset - b.offset) < kSamePlane)
        joins.Join(sharing[0], sharing[i]);
    }
  std::vector<std::vector<Face>> surfaces;
  std::map<size_t, size_t> surfaceOfRoot;
  for (size_t f = 0; f < faces.size(); ++f) {
    const auto [at, made] = surfaceOfRoot.emplace(joins.Root(f), surfaces.size());
    if (made) surfaces.emplace_back();
    surfaces[at->second].push_back(faces[f]);
  }
  return surfaces;
}

// Texels from the start of an extent to the first at or past its end.
uint32_t TexelsOver(float extent, float resolution) {
  return std::min(FloatToInt<uint32_t>(std::ceil(extent / resolution - kWhole)), kMaxLightmapSide) + 1;
}

// The surface's lightmap in the plane of its first face; false when it would be too large.
bool LayOut(const PolyModelState& mesh, const std::vector<Face>& surface, float resolution, ::Lightmap* map) {
  const RTFVector3D normal = surface.front().normal;
  // Two axes of the plane with rowStep x columnStep = normal.
  const RTFVector3D helper = std::fabs(normal.y) < 0.9f ? RTFVector3D{0, 1, 0, 0} : RTFVector3D{1, 0, 0, 0};
  RTFVector3D across{}, up{};
  Vec3Cross(helper, normal, &across);
  Vec3Normalize(&across);
  Vec3Cross(normal, across, &up);
  float low[2] = {INFINITY, INFINITY}, high[2] = {-INFINITY, -INFINITY};
  for (const Face& face : surface)
    for (uint32_t corner : face.corners) {
      const float along[2] = {Vec3Dot(mesh.vertices[corner], across), Vec3Dot(mesh.vertices[corner], up)};
      for (int axis = 0; axis < 2; ++axis) {
        low[axis] = std::min(low[axis], along[axis]);
        high[axis] = std::max(high[axis], along[axis]);
      }
    }
  map->origin =
      Vec3Add(Vec3Add(Vec3Scale(normal, surface.front().offset), Vec3Scale(across, low[0])), Vec3Scale(up, low[1]));
  map->rowStep = across;
  map->columnStep = up;
  map->width = map->stride = TexelsOver(high[0] - low[0], resolution);
  map->height = map->bufferRows = TexelsOver(high[1] - low[1], resolution);
  return map->width <= kMaxLightmapSide && map->height <= kMaxLightmapSide;
}

}  // namespace

bool LayOutLightmaps(const PolyModelState& mesh, float resolution, Lightmaps* out, std::u16string* why) {
  Lightmaps made;
  made.stepScale = resolution;
  size_t texels = 0;
  for (uint32_t g = 0; g < mesh.materialCount && mesh.groups; ++g) {
    std::vector<Face> faces;
    if (!FacesOf(mesh, mesh.groups[g], &faces)) {
      *why = Format(u"a triangle of group %u names no vertex of %u", g, mesh.vertexCount);
      return false;
    }
    for (const std::vector<Face>& surface : Surfaces(mesh, faces)) {
      ::Lightmap map{};
      if (!LayOut(mesh, surface, resolution, &map)) {
        *why = Format(u"a surface of group %u needs more than %u texels a side at %f units a texel", g,
                      kMaxLightmapSide, resolution);
        return false;
      }
      texels += size_t{map.stride} * map.bufferRows;
      if (texels > kMaxTexels) {
        *why = Format(u"its lightmaps need more than %u texels at %f units a texel", kMaxTexels, resolution);
        return false;
      }
      LitSurface lit;
      lit.group = g;
      for (const Face& face : surface) lit.corners.insert(lit.corners.end(), face.corners, face.corners + 3);
      lit.texels.assign(size_t{map.stride} * map.bufferRows, 0u);
      made.records.push_back(map);
      made.surfaces.push_back(std::move(lit));
    }
  }
  Connect(made, mesh);
  *out = std::move(made);
  return true;
}

}  // namespace kivo::static_lit_mesh
