// The mesh's state record (PolyModelState, poly_model_calls.h) as the mesh's own code reaches it,
// the core array blocks it keeps its lists in, and the parts of it that several methods replace
// whole: the groups with their primitives, and the shadow geometry.
#pragma once

#include <cstring>

#include "kivo/scene/poly_model_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"

namespace kivo::mesh {

PolyModelState* StateOf(RTInstance self);

// A zeroed core array block of `count` items (null for 0); false when memory runs out.
template <class T>
bool NewArray(uint32_t count, T** out) {
  *out = nullptr;
  if (count == 0) return true;
  void* block = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(T), count, &block, 1)) return false;
  *out = static_cast<T*>(block);
  return true;
}

// A new block holding a copy of `count` items.
template <class T>
bool CopyArray(const T* items, uint32_t count, T** out) {
  if (!NewArray(count, out)) return false;
  if (count) std::memcpy(*out, items, sizeof(T) * count);
  return true;
}

template <class T>
void FreeArray(T*& array) {
  ModuleCore()->ArrayFree(nullptr, array);
  array = nullptr;
}

// The block grown by one item at its end; false (nothing changed) when memory runs out.
template <class T>
bool AppendToArray(T*& array, uint32_t& count, const T& item) {
  T* grown = nullptr;
  if (!array) {
    if (!NewArray(1, &grown)) return false;
  } else {
    void* block = nullptr;
    if (!ModuleCore()->ArrayResize(nullptr, count + 1, array, &block)) return false;
    grown = static_cast<T*>(block);
  }
  grown[count] = item;
  array = grown;
  ++count;
  return true;
}

// The RTRasterizer singleton, made when there is none; empty when it cannot be had.
InstanceRef TakeRasterizer();

// Destroys the primitives through the rasterizer (when there is one) and frees their array.
void DestroyPrimitives(RTInstance rasterizer, RTPrimitive**& primitives, uint32_t& count);
// Destroys every group's primitives and frees the groups; the materials are left alone.
void DropGroups(PolyModelState& state, RTInstance rasterizer);

// The shadow geometry: what ComputeShadowGeometry makes and a stream of version 1793 or newer
// holds.
struct ShadowGeometry {
  uint32_t triangleCount = 0;
  RTPolyModelTriangle* triangles = nullptr;
  RTTriangleList3D* flatTriangles = nullptr;
  uint32_t edgeCount = 0;
  ShadowEdge* edges = nullptr;
  uint32_t openEdgeCount = 0;
  ShadowEdge** openEdges = nullptr;
  uint32_t sharedEdgeCount = 0;
  ShadowEdge** sharedEdges = nullptr;
};
// Frees what the geometry holds (the flat list through the rasterizer).
void FreeShadowGeometry(ShadowGeometry& geometry, RTInstance rasterizer);
// The state's old shadow geometry is freed and the new one taken in whole.
void ReplaceShadowGeometry(PolyModelState& state, ShadowGeometry& geometry, RTInstance rasterizer);

}  // namespace kivo::mesh
