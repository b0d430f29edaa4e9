// The skin's hold on the mesh's lists: the bind pose it keeps of each, and the mesh's own lists.
#pragma once

#include "bone_model_state.h"

namespace kivo::skin {

// A list of the mesh as its own methods hand it out: null and 0 when it has none.
struct MeshList {
  RTFVector3D* items = nullptr;
  uint32_t count = 0;
};
MeshList MeshVertices(RTInstance self);
MeshList MeshNormals(RTInstance self);
MeshList MeshTangents(RTInstance self);

// The list becomes a bind pose of the n items and a working list of the same count; the old
// arrays are freed. False (nothing changed) when memory runs out.
bool KeepBindList(BindList& list, const RTFVector3D* items, uint32_t n);

// Puts the bind pose back into the mesh's vertex and normal lists (at most the shorter count of
// each pair), so that what the mesh writes or keeps aside is the bind pose, not the last Deform.
void ShowBindPose(RTInstance self, const BoneModelState& state);

}  // namespace kivo::skin
