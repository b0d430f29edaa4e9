// The mesh's state record (PolyModelState, poly_model_calls.h) as the mesh's own code reaches it
// (its lists are core array blocks, core_arrays.h), and the parts of it that several methods
// replace whole: the groups with their primitives, and the shadow geometry.
#pragma once

#include "kivo/scene/poly_model_calls.h"
#include "kivo/support/core_arrays.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"

namespace kivo::mesh {

PolyModelState* StateOf(RTInstance self);

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

// The index of the first vector with a coordinate that is not finite; n when every one is.
uint32_t FirstNonFinite(const RTFVector3D* vectors, uint32_t n);

}  // namespace kivo::mesh
