// The list setters that keep the bind pose, and the mesh's methods that the skin hands on through
// the mesh level's own table.
#include "bind_lists.h"

#include <algorithm>

#include "bone_methods.h"
#include "kivo/support/core_arrays.h"
#include "kivo/support/parent_call.h"

namespace kivo::skin {

namespace {

namespace mesh = kivo::poly_model;

MeshList MeshListAt(RTInstance self, MethodSlot<RTFVector3D**, uint32_t*> slot) {
  MeshList list;
  if (!CallParentMethod(self, mesh::kOwnTable, slot, &list.items, &list.count)) return MeshList{};
  return list;
}

void CopyBind(const BindList& bind, const MeshList& mesh) {
  std::copy_n(bind.bind, std::min(bind.count, mesh.count), mesh.items);
}

// The mesh's own setter first; the skin keeps the list only when the mesh took it.
RTSuccess SetAndKeep(RTInstance self, MethodSlot<const RTFVector3D*, uint32_t> slot, BindList BoneModelState::*list, const RTFVector3D* items,
                     uint32_t n) {
  BoneModelState* state = StateOf(self);
  if (!state || (n && !items) || !CallParentMethod(self, mesh::kOwnTable, slot, items, n)) return kRTFailure;
  return KeepBindList(state->*list, items, n) ? kRTSuccess : kRTFailure;
}

}  // namespace

MeshList MeshVertices(RTInstance self) { return MeshListAt(self, mesh::kGetVectorListF); }
MeshList MeshNormals(RTInstance self) { return MeshListAt(self, mesh::kGetNormalListF); }
MeshList MeshTangents(RTInstance self) { return MeshListAt(self, mesh::kGetTangentListF); }

bool KeepBindList(BindList& list, const RTFVector3D* items, uint32_t n) {
  RTFVector3D* working = nullptr;
  RTFVector3D* bind = nullptr;
  if (!NewArray(n, &working) || !CopyArray(items, n, &bind)) {
    FreeArray(working);
    return false;
  }
  FreeBindList(list);
  list = BindList{n, working, bind};
  return true;
}

void ShowBindPose(RTInstance self, const BoneModelState& state) {
  CopyBind(state.vertices, MeshVertices(self));
  CopyBind(state.normals, MeshNormals(self));
}

RTSuccess SetVectorListF(RTInstance self, const RTFVector3D* vectors, uint32_t n) {
  return SetAndKeep(self, mesh::kSetVectorListF, &BoneModelState::vertices, vectors, n);
}

RTSuccess SetNormalListF(RTInstance self, const RTFVector3D* normals, uint32_t n) {
  return SetAndKeep(self, mesh::kSetNormalListF, &BoneModelState::normals, normals, n);
}

RTSuccess SetTangentListF(RTInstance self, const RTFVector3D* tangents, uint32_t n) {
  return SetAndKeep(self, mesh::kSetTangentListF, &BoneModelState::tangents, tangents, n);
}

RTSuccess GetVectorListF(RTInstance self, RTFVector3D** vectors, uint32_t* n) {
  return CallParentMethod(self, mesh::kOwnTable, mesh::kGetVectorListF, vectors, n);
}

RTSuccess GetNormalListF(RTInstance self, RTFVector3D** normals, uint32_t* n) {
  return CallParentMethod(self, mesh::kOwnTable, mesh::kGetNormalListF, normals, n);
}

RTSuccess ProcessFrame(RTInstance self, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* frame) {
  return CallParentMethod(self, mesh::kOwnTable, mesh::kProcessFrame, milliseconds, frame);
}

RTSuccess GetBoundingBox(RTInstance self, RTFVector3D* min, RTFVector3D* max) {
  return CallParentMethod(self, mesh::kOwnTable, mesh::kGetBoundingBox, min, max);
}

RTSuccess HasAlpha(RTInstance self, RTBool* hasAlpha) {
  return CallParentMethod(self, mesh::kOwnTable, mesh::kHasAlpha, hasAlpha);
}

}  // namespace kivo::skin
