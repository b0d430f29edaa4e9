#include "mesh_shapes.h"

#include <algorithm>
#include <cmath>

#include "kivo/support/matrix.h"

namespace kivopack {

namespace {

constexpr double kPi = 3.14159265358979323846;

RTFVector3D Vec(double x, double y, double z) {
  return RTFVector3D{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 0};
}

}  // namespace

MeshSource GenerateBox(const RTFVector3D& size) {
  // Each face of the unit cube: its outward normal and its corners in strip order (top left,
  // bottom left, top right, bottom right, seen from outside).
  struct Face {
    float normal[3];
    float corners[4][3];
  };
  static constexpr Face kFaces[] = {
      {{0, 0, 1}, {{0, 1, 1}, {0, 0, 1}, {1, 1, 1}, {1, 0, 1}}},
      {{0, 0, -1}, {{1, 1, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}}},
      {{1, 0, 0}, {{1, 1, 1}, {1, 0, 1}, {1, 1, 0}, {1, 0, 0}}},
      {{-1, 0, 0}, {{0, 1, 0}, {0, 0, 0}, {0, 1, 1}, {0, 0, 1}}},
      {{0, 1, 0}, {{0, 1, 0}, {0, 1, 1}, {1, 1, 0}, {1, 1, 1}}},
      {{0, -1, 0}, {{0, 0, 1}, {0, 0, 0}, {1, 0, 1}, {1, 0, 0}}},
  };
  static constexpr RTFVector2D kCornerUV[4] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
  MeshSource box;
  box.uvLayers.resize(1);
  box.groups.resize(1);
  for (const Face& face : kFaces) {
    const auto first = static_cast<uint32_t>(box.vertices.size());
    for (int k = 0; k < 4; ++k) {
      const float* c = face.corners[k];
      box.vertices.push_back(Vec((c[0] - 0.5) * size.x, c[1] * size.y, (c[2] - 0.5) * size.z));
      box.normals.push_back(Vec(face.normal[0], face.normal[1], face.normal[2]));
      box.uvLayers[0].push_back(kCornerUV[k]);
    }
    box.groups[0].strips.push_back({first, first + 1, first + 2, first + 3});
  }
  return box;
}

MeshSource GenerateCapsule(float radius, float height, uint32_t segments) {
  const uint32_t perHemisphere = std::max(1u, segments / 4);
  MeshSource capsule;
  capsule.uvLayers.resize(1);
  capsule.groups.resize(1);
  auto add = [&](const RTFVector3D& position, const RTFVector3D& normal, double u) {
    capsule.vertices.push_back(position);
    capsule.normals.push_back(normal);
    capsule.uvLayers[0].push_back(RTFVector2D{static_cast<float>(u), static_cast<float>(1 - position.y / height)});
  };
  add(Vec(0, 0, 0), Vec(0, -1, 0), 0.5);
  // Rings from the bottom up: the lower hemisphere's up to its equator, then the upper one's from
  // its equator. Latitude runs from -90 degrees at the bottom pole to 90 at the top.
  std::vector<std::pair<double, double>> rings;  // latitude, the centre's height
  for (uint32_t i = 1; i <= perHemisphere; ++i) rings.emplace_back(-90.0 + 90.0 * i / perHemisphere, radius);
  for (uint32_t i = 0; i < perHemisphere; ++i) rings.emplace_back(90.0 * i / perHemisphere, height - radius);
  for (const auto& [latitude, centre] : rings) {
    const double phi = latitude * kPi / 180;
    for (uint32_t c = 0; c <= segments; ++c) {  // the last column repeats the first for the texture's seam
      const double theta = 2 * kPi * (c % segments) / segments;
      const RTFVector3D normal = Vec(std::cos(phi) * std::sin(theta), std::sin(phi), std::cos(phi) * std::cos(theta));
      add(Vec(radius * normal.x, centre + radius * std::sin(phi), radius * normal.z), normal,
          static_cast<double>(c) / segments);
    }
  }
  add(Vec(0, height, 0), Vec(0, 1, 0), 0.5);

  const uint32_t ringSize = segments + 1;
  auto at = [&](size_t ring, uint32_t column) { return static_cast<uint32_t>(1 + ring * ringSize + column); };
  const auto top = static_cast<uint32_t>(capsule.vertices.size() - 1);
  MeshGroup& group = capsule.groups[0];
  for (size_t ring = 0; ring + 1 < rings.size(); ++ring) {
    IndexList strip;
    for (uint32_t c = 0; c <= segments; ++c) strip.insert(strip.end(), {at(ring + 1, c), at(ring, c)});
    group.strips.push_back(strip);
  }
  const size_t last = rings.size() - 1;
  for (uint32_t c = 0; c < segments; ++c) {
    group.triangles.insert(group.triangles.end(), {0, at(0, c + 1), at(0, c)});
    group.triangles.insert(group.triangles.end(), {at(last, c), at(last, c + 1), top});
  }
  return capsule;
}

double FootprintTwiceArea(const std::vector<RTFVector2D>& footprint) {
  double sum = 0;
  for (size_t i = 0; i < footprint.size(); ++i) {
    const RTFVector2D& a = footprint[i];
    const RTFVector2D& b = footprint[(i + 1) % footprint.size()];
    sum += double{a.x} * b.y - double{b.x} * a.y;
  }
  return sum;
}

MeshSource GenerateWalls(const std::vector<RTFVector2D>& footprint, const std::vector<bool>& isWall, float floor,
                         float height) {
  // With x and z as the plane's first and second axes, a footprint of positive area has its inside
  // on the left of each edge (dx, dz): toward (-dz, dx). The quad's corners in strip order are the
  // top and bottom of the edge's start, then of its end, which winds its triangles to face left; a
  // footprint of negative area takes each edge from its end.
  const bool insideOnTheLeft = FootprintTwiceArea(footprint) > 0;
  MeshSource walls;
  walls.uvLayers.resize(1);
  walls.groups.resize(1);
  for (size_t i = 0; i < footprint.size() && i < isWall.size(); ++i) {
    RTFVector2D from = footprint[i];
    RTFVector2D to = footprint[(i + 1) % footprint.size()];
    const double length = std::hypot(double{to.x} - from.x, double{to.y} - from.y);
    if (!isWall[i] || length == 0) continue;
    if (!insideOnTheLeft) std::swap(from, to);
    const RTFVector3D inward = Vec(-(double{to.y} - from.y) / length, 0, (double{to.x} - from.x) / length);
    const auto first = static_cast<uint32_t>(walls.vertices.size());
    const struct {
      const RTFVector2D& at;
      float y;
      RTFVector2D uv;
    } corners[] = {{from, floor + height, {0, 0}},
                   {from, floor, {0, height}},
                   {to, floor + height, {static_cast<float>(length), 0}},
                   {to, floor, {static_cast<float>(length), height}}};
    for (const auto& corner : corners) {
      walls.vertices.push_back(RTFVector3D{corner.at.x, corner.y, corner.at.y, 0});
      walls.normals.push_back(inward);
      walls.uvLayers[0].push_back(corner.uv);
    }
    walls.groups[0].triangles.insert(walls.groups[0].triangles.end(),
                                     {first, first + 1, first + 2, first + 2, first + 1, first + 3});
  }
  return walls;
}

void StripsToTriangles(MeshGroup* group) {
  for (const IndexList& s : group->strips)
    for (size_t j = 0; j + 2 < s.size(); ++j) {
      if (j % 2 == 0) {
        group->triangles.insert(group->triangles.end(), {s[j], s[j + 1], s[j + 2]});
      } else {
        group->triangles.insert(group->triangles.end(), {s[j + 1], s[j], s[j + 2]});
      }
    }
  group->strips.clear();
}

void PlaceShape(const RTFMatrix4x4& placement, MeshSource* shape) {
  for (RTFVector3D& vertex : shape->vertices) {
    kivo::Mat4TransformPoint(placement, vertex, &vertex);
    vertex.w = 0;
  }
  for (RTFVector3D& normal : shape->normals) {
    kivo::Mat4RotateVector(placement, normal, &normal);
    normal.w = 0;
  }
}

void AppendShape(const MeshSource& part, size_t group, MeshSource* whole) {
  const size_t before = whole->vertices.size();
  const size_t added = part.vertices.size();
  const auto offset = static_cast<uint32_t>(before);
  const bool normals = whole->normals.size() == before && part.normals.size() == added;
  whole->vertices.insert(whole->vertices.end(), part.vertices.begin(), part.vertices.end());
  if (normals) {
    whole->normals.insert(whole->normals.end(), part.normals.begin(), part.normals.end());
  } else {
    whole->normals.clear();
  }
  whole->uvLayers.resize(std::max(whole->uvLayers.size(), part.uvLayers.size()));
  for (size_t layer = 0; layer < whole->uvLayers.size(); ++layer) {
    std::vector<RTFVector2D>& pairs = whole->uvLayers[layer];
    pairs.resize(before, RTFVector2D{0, 0});
    if (layer < part.uvLayers.size()) {
      pairs.insert(pairs.end(), part.uvLayers[layer].begin(), part.uvLayers[layer].end());
    } else {
      pairs.resize(before + added, RTFVector2D{0, 0});
    }
  }
  if (part.groups.empty()) return;
  whole->groups.resize(std::max(whole->groups.size(), group + 1));
  MeshGroup& into = whole->groups[group];
  for (uint32_t index : part.groups[0].triangles) into.triangles.push_back(index + offset);
  for (const IndexList& strip : part.groups[0].strips) {
    into.strips.emplace_back();
    for (uint32_t index : strip) into.strips.back().push_back(index + offset);
  }
}

}  // namespace kivopack
