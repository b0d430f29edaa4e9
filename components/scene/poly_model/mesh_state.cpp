#include "mesh_state.h"

#include "kivo/support/component_kit.h"

namespace kivo::mesh {

namespace r = kivo::rasterizer;

PolyModelState* StateOf(RTInstance self) { return StateIn<PolyModelState>(self, poly_model::kStateWord); }

InstanceRef TakeRasterizer() {
  InstanceRef rasterizer;
  ModuleCore()->GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr);
  return rasterizer;
}

void DestroyPrimitives(RTInstance rasterizer, RTPrimitive**& primitives, uint32_t& count) {
  for (uint32_t i = 0; rasterizer && primitives && i < count; ++i) r::DestroyPrimitive(rasterizer, primitives[i]);
  FreeArray(primitives);
  count = 0;
}

void DropGroups(PolyModelState& state, RTInstance rasterizer) {
  for (uint32_t i = 0; state.groups && i < state.materialCount; ++i) {
    MaterialGroup& group = state.groups[i];
    DestroyPrimitives(rasterizer, group.strips, group.stripCount);
    DestroyPrimitives(rasterizer, group.lists, group.listCount);
  }
  FreeArray(state.groups);
}

void FreeShadowGeometry(ShadowGeometry& geometry, RTInstance rasterizer) {
  if (geometry.flatTriangles && rasterizer) r::DestroyPrimitive(rasterizer, geometry.flatTriangles);
  FreeArray(geometry.triangles);
  FreeArray(geometry.edges);
  FreeArray(geometry.openEdges);
  FreeArray(geometry.sharedEdges);
  geometry = ShadowGeometry{};
}

void ReplaceShadowGeometry(PolyModelState& state, ShadowGeometry& geometry, RTInstance rasterizer) {
  ShadowGeometry old{state.triangleCount, state.triangles,       state.flatTriangles,
                     state.edgeCount,     state.edges,           state.openEdgeCount,
                     state.openEdges,     state.sharedEdgeCount, state.sharedEdges};
  FreeShadowGeometry(old, rasterizer);
  state.triangleCount = geometry.triangleCount;
  state.triangles = geometry.triangles;
  state.flatTriangles = geometry.flatTriangles;
  state.edgeCount = geometry.edgeCount;
  state.edges = geometry.edges;
  state.openEdgeCount = geometry.openEdgeCount;
  state.openEdges = geometry.openEdges;
  state.sharedEdgeCount = geometry.sharedEdgeCount;
  state.sharedEdges = geometry.sharedEdges;
  geometry = ShadowGeometry{};
}

}  // namespace kivo::mesh
