// Lighting a lightmap's texels from one light, with the light's way to each texel tested against
// the triangles of the baked room's mesh and of its further rooms' meshes.
#pragma once

#include <vector>

#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "kivo/support/instance_ref.h"
#include "tesk/scene/scene_tree_state.h"

namespace tesk::scene_tree {

// A light node's entity, when it is an RTLight, and the node's world matrix.
struct BakingLight {
  kivo::InstanceRef entity;
  const RTFMatrix4x4* world = nullptr;
};
// False when the node has no world matrix or no RTLight.
bool TakeLight(RTInstance node, BakingLight* light);

bool LightReaches(const BakingLight& light, const Lightmap& lightmap);

// Adds the light to every texel of the lightmap's width and height that it reaches unoccluded:
// one sample from the light's position, or, when the tree's stochastic-samples word is set, six
// from 0.1 either way along each of the light's axes (lightmap_texels.h).
void LightTexels(const SceneTreeState& tree, RTInstance room, const std::vector<RTInstance>& furtherRooms,
                 Lightmap& lightmap, const BakingLight& light, float stepScale);

// Whether the segment hits the room's geometry, or that of a further room neither out of the quad
// tree nor disabled.
bool IsLightOccluded(RTInstance room, const std::vector<RTInstance>& furtherRooms, const RTFVector3D& from,
                     const RTFVector3D& to);

// Whether a triangle of the room's mesh (its bounds node's entity) that the segment crosses from
// its front lies strictly between 0.001 and 0.999 along it.
bool SegmentHitsRoomGeometry(RTInstance room, const RTFVector3D& from, const RTFVector3D& to);

// Whether the room is out of the quad tree (0x10) or disabled (0x40): no baking reaches it.
bool IsDummyRoom(RTInstance room);

}  // namespace tesk::scene_tree
