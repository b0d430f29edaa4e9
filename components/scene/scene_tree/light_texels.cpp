#include "light_texels.h"

#include "kivo/light/light_calls.h"
#include "kivo/scene/poly_model_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/geometry.h"
#include "kivo/support/vector.h"
#include "lightmap_texels.h"
#include "scene_tree_methods.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

constexpr float kNearEnd = 0.001f;
constexpr float kFarEnd = 0.999f;
constexpr float kSampleOffset = 0.1f;

RTFVector3D Row(const RTFMatrix4x4& m, int row) { return RTFVector3D{m.m[row][0], m.m[row][1], m.m[row][2], 0.0f}; }

RTFVector3D Plus(const RTFVector3D& a, const RTFVector3D& b, float k) {
  return RTFVector3D{a.x + b.x * k, a.y + b.y * k, a.z + b.z * k, 0.0f};
}

// The light's colour at the point, 0 when it cannot say.
void ColourAt(const BakingLight& light, const RTFVector3D& point, const Lightmap& lightmap, float colour[3]) {
  colour[0] = colour[1] = colour[2] = 0.0f;
  light::ColourAtPoint(light.entity.get(), light.world, &point, &lightmap, &colour[0], &colour[1], &colour[2]);
}

uint32_t LightOneSample(const BakingLight& light, RTInstance room, const std::vector<RTInstance>& further,
                        const Lightmap& lightmap, const RTFVector3D& point, uint32_t texel) {
  if (IsLightOccluded(room, further, Row(*light.world, 3), point)) return texel;
  float colour[3];
  ColourAt(light, point, lightmap, colour);
  return AddLight(texel, colour[0], colour[1], colour[2]);
}

uint32_t LightSixSamples(const BakingLight& light, RTInstance room, const std::vector<RTInstance>& further,
                         const Lightmap& lightmap, const RTFVector3D& point, uint32_t texel) {
  const RTFVector3D position = Row(*light.world, 3);
  SampleSums sums;
  for (int axis = 0; axis < 3; ++axis)
    for (float side : {-kSampleOffset, kSampleOffset}) {
      if (IsLightOccluded(room, further, Plus(position, Row(*light.world, axis), side), point)) continue;
      float colour[3];
      ColourAt(light, point, lightmap, colour);
      sums.Add(colour[0], colour[1], colour[2]);
    }
  return AddSamples(texel, sums);
}

}  // namespace

bool TakeLight(RTInstance node, BakingLight* light) {
  return scene_node::GetWorldMatrix(node, &light->world) && light->world &&
         scene_node::GetEntity(node, light->entity.out()) && light->entity.get() &&
         Core().IsKindOfByName(nullptr, light->entity.get(), light::kClassName);
}

bool LightReaches(const BakingLight& light, const Lightmap& lightmap) {
  uint32_t reaches = 0;
  return light::ReachesLightmap(light.entity.get(), light.world, &lightmap, &reaches) && reaches != 0;
}

void LightTexels(const SceneTreeState& tree, RTInstance room, const std::vector<RTInstance>& furtherRooms,
                 Lightmap& lightmap, const BakingLight& light, float stepScale) {
  const RTFVector3D across = Plus(RTFVector3D{}, lightmap.rowStep, stepScale);
  const RTFVector3D up = Plus(RTFVector3D{}, lightmap.columnStep, stepScale);
  RTFVector3D rowStart = lightmap.origin;
  for (uint32_t j = 0; j < lightmap.height; ++j, rowStart = Plus(rowStart, up, 1.0f)) {
    RTFVector3D point = rowStart;
    for (uint32_t i = 0; i < lightmap.width; ++i, point = Plus(point, across, 1.0f)) {
      uint32_t& texel = lightmap.texels[size_t{j} * lightmap.stride + i];
      texel = tree.stochasticSamples == 0 ? LightOneSample(light, room, furtherRooms, lightmap, point, texel)
                                          : LightSixSamples(light, room, furtherRooms, lightmap, point, texel);
    }
  }
}

bool IsLightOccluded(RTInstance room, const std::vector<RTInstance>& furtherRooms, const RTFVector3D& from,
                     const RTFVector3D& to) {
  if (SegmentHitsRoomGeometry(room, from, to)) return true;
  for (RTInstance other : furtherRooms)
    if (!IsDummyRoom(other) && SegmentHitsRoomGeometry(other, from, to)) return true;
  return false;
}

bool SegmentHitsRoomGeometry(RTInstance room, const RTFVector3D& from, const RTFVector3D& to) {
  InstanceRef bounds, mesh;
  if (!room::GetBoundsNode(room, bounds.out()) || !bounds.get() || !scene_node::GetEntity(bounds.get(), mesh.out()) ||
      !mesh.get() || !Core().IsKindOfByName(nullptr, mesh.get(), poly_model::kClassName))
    return false;
  RTFVector3D* vertices = nullptr;
  uint32_t vertexCount = 0, triangleCount = 0;
  RTPolyModelTriangle* triangles = nullptr;
  if (!poly_model::GetVectorListF(mesh.get(), &vertices, &vertexCount) ||
      !poly_model::GetTriangles(mesh.get(), &triangleCount, &triangles))
    return false;
  const RTFVector3D way{to.x - from.x, to.y - from.y, to.z - from.z, 0.0f};
  for (uint32_t t = 0; t < triangleCount; ++t) {
    const RTPolyModelTriangle& triangle = triangles[t];
    const float s0 = PlaneDistance(triangle.plane, from);
    const float s1 = PlaneDistance(triangle.plane, to);
    if (!(s0 >= 0.0f && ((s0 > 0.0f && s1 <= 0.0f) || (s0 == 0.0f && s1 > 0.0f)))) continue;
    const uint32_t* c = triangle.corners;
    if (c[0] >= vertexCount || c[1] >= vertexCount || c[2] >= vertexCount) continue;
    float along = 0.0f, u = 0.0f, v = 0.0f;
    if (IntersectRayTriangle(from, way, vertices[c[0]], vertices[c[1]], vertices[c[2]], &along, &u, &v) &&
        along > kNearEnd && along < kFarEnd)
      return true;
  }
  return false;
}

bool IsDummyRoom(RTInstance room) {
  uint32_t flags = 0;
  room::GetFlags(room, &flags);
  return (flags & (room::kOutOfQuadTree | room::kDisabled)) != 0;
}

}  // namespace tesk::scene_tree
