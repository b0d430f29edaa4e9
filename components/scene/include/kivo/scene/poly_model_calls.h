// RTPolyModel, the mesh, as its callers see it: its records, the level and method slots of the
// class, and one calling wrapper per method.
//
// A mesh holds a static triangle mesh in object space: vertices, normals, up to 32 texture
// coordinate layers and per-vertex colours; a list of materials (RTMaterial) with one group of
// rasterizer primitives (triangle strips and lists) per material; shadow geometry derived from the
// primitives (welded triangles with their planes, and the edges between them); a bounding sphere
// and box. Its class level follows RTRenderable's, whose drawing and measuring methods it
// overrides. List getters hand out the mesh's own arrays, valid until the next change; a caller
// may edit them in place and hand the same array back to the setter, which then copies nothing.
// The primitives live in the RTRasterizer singleton, which the mesh takes only for each call: the
// host keeps it while meshes live (the program does for the whole run).
//
// Drawing: ProcessFrame (on the RTRenderable level) draws the mesh for the frame record's node,
// under the node's world matrix, through the record's rasterizer. Each vertex colour is the
// record's ambient colour plus what the record's lights add (RTLight's LightVertices, in the
// mesh's space), times the colour multiplier, clamped into [0, 1]; the lights are left out when
// the mesh lacks a normal for any vertex, so a mesh without normals draws in the ambient colour.
// The normal stage draws the groups whose material has no alpha, the deferred stage those with
// alpha, blended; a group streamed in without primitives is never drawn. A material whose
// self-illumination is above 0.01 draws its group in opaque white; its diffuse texture is drawn
// over UV layer 0 when that layer covers every vertex. Normals, tangents and, when the record asks,
// the bounding box follow as lines. A mesh without vertices draws nothing; a diffuse texture that
// cannot be made ends the draw with failure, the rasterizer's state put back. The first mesh of
// the process hands the rasterizer its vertex and fragment programs, but meshes draw through the
// fixed-function path only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/slots.h"
#include "kivo/support/math_types.h"

// A welded triangle of the shadow geometry: three vertex indices and the plane through them.
struct RTPolyModelTriangle {
  uint32_t corners[3];
  kivo::Plane plane;  // a degenerate triangle has the plane (0, 0, 0, 0)
  uint32_t facing;    // set by shadow casting: 1 when the light lies on or behind the plane
  uint32_t unused[2];
};
static_assert(sizeof(RTPolyModelTriangle) == 44);

// The one triangle-list primitive that holds every welded triangle.
using RTTriangleList3D = RTPrimitive;

namespace kivo {

inline constexpr uint32_t kNoTriangle = 0xFFFFFFFFu;

// An edge of the shadow geometry; a runs to b in its first triangle's winding.
struct ShadowEdge {
  uint32_t firstTriangle;
  uint32_t secondTriangle;  // kNoTriangle for an open edge
  uint32_t a;
  uint32_t b;
  uint32_t unused[5];
};
static_assert(sizeof(ShadowEdge) == 36);

// The primitives of one material: group i draws with material i.
struct MaterialGroup {
  RTInstance material;  // the handle of the materials array (the reference is held there)
  uint32_t stripCount;
  uint32_t listCount;
  RTPrimitive** strips;  // kind 0x102; the mesh owns them (destroyed through the rasterizer)
  RTPrimitive** lists;   // kind 0x104
  uint32_t hasAlpha;     // the material's alpha state
  uint32_t empty;        // 1 when the group was streamed in without primitives
};

struct UVLayer {
  uint32_t count;
  RTFVector2D* coordinates;
};

inline constexpr uint32_t kUVLayerCount = 32;

// The private record of a mesh. Every array is a core array block of its count, or null.
struct PolyModelState {
  uint32_t vertexCount;
  uint32_t planeCount;  // always 0: the planes read from a stream are kept but not counted
  uint32_t primitiveCount;
  uint32_t materialCount;  // also the number of groups
  uint32_t tangentCount;
  uint32_t normalCount;
  uint32_t colorCount;
  uint32_t uvLayerMask;  // bit i set when layer i holds a list
  uint32_t triangleCount;
  uint32_t edgeCount;
  uint32_t openEdgeCount;
  uint32_t sharedEdgeCount;
  RTFVector3D* vertices;  // w = 0
  RTFVector3D* tangents;
  RTFVector3D* normals;
  Plane* planes;
  RTPrimitive** primitives;  // kind 0x100, made by SetPrimitiveListCount
  RTInstance* materials;     // one reference held on each
  RTFColorRGB* colors;       // per vertex
  RTTriangleList3D* flatTriangles;  // null until shadow geometry exists
  RTPolyModelTriangle* triangles;
  ShadowEdge* edges;
  ShadowEdge** openEdges;
  ShadowEdge** sharedEdges;
  UVLayer uvLayers[kUVLayerCount];
  MaterialGroup* groups;  // null until SetMaterialList
  RTBool displayNormals;
  RTBool displayTangents;
  float normalLength;
  float boundingRadius;
  RTFColorRGB colorMultiplier;
  RTBool boundsDirty;
  RTFVector3D boxMin;
  RTFVector3D boxMax;
};

namespace poly_model {

inline constexpr char16_t kClassName[] = u"RTPolyModel";

inline constexpr MethodSlot<uint32_t*> kGetStageCount{0x00};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x04};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x08};
inline constexpr MethodSlot<uint32_t, const RTSceneNodeEntityFrameInformation*> kProcessFrame{0x0c};
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetVectorListF{0x10};
inline constexpr MethodSlot<RTFVector3D**, uint32_t*> kGetVectorListF{0x14};
inline constexpr MethodSlot<uint32_t, const RTFVector2D*, uint32_t> kSetUVListF{0x18};
inline constexpr MethodSlot<uint32_t, RTFVector2D**, uint32_t*> kGetUVListF{0x1c};
inline constexpr MethodSlot<> kUpdatedVectorList{0x20};
inline constexpr MethodSlot<uint32_t, uint32_t> kSetPrimitiveListCount{0x24};
inline constexpr MethodSlot<uint32_t, RTPrimitive**, uint32_t*> kGetPrimitiveList{0x28};
inline constexpr MethodSlot<const RTInstance*, uint32_t> kSetMaterialList{0x2c};
inline constexpr MethodSlot<uint32_t, RTPrimitive*> kAddPrimitive{0x30};
inline constexpr MethodSlot<> kComputePlanes{0x34};
inline constexpr MethodSlot<uint32_t, uint32_t, RTPrimitive**> kAddPrimitiveList{0x38};  // declared, not built
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetTangentListF{0x3c};
inline constexpr MethodSlot<RTFVector3D**, uint32_t*> kGetTangentListF{0x40};
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetNormalListF{0x44};
inline constexpr MethodSlot<RTFVector3D**, uint32_t*> kGetNormalListF{0x48};
inline constexpr MethodSlot<RTBool> kDisplayNormals{0x4c};
inline constexpr MethodSlot<RTBool> kDisplayTangents{0x50};
inline constexpr MethodSlot<float> kDisplayNormalLength{0x54};
inline constexpr MethodSlot<const RTSceneNodeEntityFrameInformation*, const RTFVector3D*> kCastShadowVolume{0x58};
inline constexpr MethodSlot<> kComputeShadowGeometry{0x5c};
inline constexpr MethodSlot<float*> kGetBoundingSphere{0x60};
inline constexpr MethodSlot<uint32_t*, RTPolyModelTriangle**> kGetTriangles{0x64};
inline constexpr MethodSlot<RTTriangleList3D**> kGetFlatTriangleList{0x68};
inline constexpr MethodSlot<RTInstance**, uint32_t*> kGetMaterialList{0x6c};
inline constexpr MethodSlot<> kCleanGeometry{0x70};
inline constexpr MethodSlot<uint32_t, uint32_t, RTPrimitive***, uint32_t*> kGetPrimitiveListByMaterialIndex{0x74};
inline constexpr MethodSlot<RTFColorRGB**, uint32_t*> kGetColorListF{0x78};
inline constexpr MethodSlot<RTFVector3D*, RTFVector3D*> kGetBoundingBox{0x7c};
inline constexpr MethodSlot<const RTFColorRGB*> kSetColorMultiplierFVRGBA{0x80};
inline constexpr MethodSlot<RTFColorRGB*> kGetColorMultiplierFVRGBA{0x84};
inline constexpr MethodSlot<RTBool*> kHasAlpha{0x88};
inline constexpr MethodSlot<> kEliminateTJunctions{0x8c};
inline constexpr MethodSlot<> kUpdateAlphaInfo{0x90};
inline constexpr uint32_t kLevel = renderable::kObjectSize;  // first slot table: reaches a derived class's overrides
inline constexpr uint32_t kOwnTable = kLevel + 4;            // second slot table: the mesh's own functions
inline constexpr uint32_t kStateWord = kLevel + 8;           // the PolyModelState
inline constexpr uint32_t kObjectSize = kStateWord + 4;      // published bytes: a derived level starts here
inline constexpr uint32_t kSlotTableSize = kUpdateAlphaInfo + 4;
inline constexpr uint32_t kStreamVersion = 1798;

inline const PolyModelState* StateOf(RTInstance mesh) {
  return static_cast<const PolyModelState*>(Word(ComponentObject(mesh), kStateWord));
}

// Copies x, y and z of the vectors (w = 0); the bounding radius becomes that of the farthest
// vertex from the origin (0 for none), and the colours n entries of opaque white.
inline RTSuccess SetVectorListF(RTInstance m, const RTFVector3D* vectors, uint32_t n) {
  return CallMethod(m, kLevel, kSetVectorListF, vectors, n);
}
// The mesh's own vertices (the box is measured again on the next request); fails with null and 0
// when there are none.
inline RTSuccess GetVectorListF(RTInstance m, RTFVector3D** vectors, uint32_t* n) {
  return CallMethod(m, kLevel, kGetVectorListF, vectors, n);
}
// Layers 0 to 31.
inline RTSuccess SetUVListF(RTInstance m, uint32_t layer, const RTFVector2D* coordinates, uint32_t n) {
  return CallMethod(m, kLevel, kSetUVListF, layer, coordinates, n);
}
inline RTSuccess GetUVListF(RTInstance m, uint32_t layer, RTFVector2D** coordinates, uint32_t* n) {
  return CallMethod(m, kLevel, kGetUVListF, layer, coordinates, n);
}
// Makes n primitives of kind 0x100 (the only kind taken), destroying those made before.
inline RTSuccess SetPrimitiveListCount(RTInstance m, uint32_t kind, uint32_t n) {
  return CallMethod(m, kLevel, kSetPrimitiveListCount, kind, n);
}
// Copies of the records of every strip (kind 0x102) or list (0x104) of the groups in order, in a
// new core array block that the caller frees.
inline RTSuccess GetPrimitiveList(RTInstance m, uint32_t kind, RTPrimitive** copies, uint32_t* n) {
  return CallMethod(m, kLevel, kGetPrimitiveList, kind, copies, n);
}
// The materials (each an RTMaterial; the mesh takes a reference on each), one empty group each;
// the old groups' primitives are destroyed.
inline RTSuccess SetMaterialList(RTInstance m, const RTInstance* materials, uint32_t n) {
  return CallMethod(m, kLevel, kSetMaterialList, materials, n);
}
// Takes a strip (0x102) or list (0x104) of the rasterizer singleton, whose own kind it must be,
// into the group of its material index; the mesh owns it from then on.
inline RTSuccess AddPrimitive(RTInstance m, uint32_t kind, RTPrimitive* primitive) {
  return CallMethod(m, kLevel, kAddPrimitive, kind, primitive);
}
// Stores nothing.
inline RTSuccess SetTangentListF(RTInstance m, const RTFVector3D* tangents, uint32_t n) {
  return CallMethod(m, kLevel, kSetTangentListF, tangents, n);
}
inline RTSuccess GetTangentListF(RTInstance m, RTFVector3D** tangents, uint32_t* n) {
  return CallMethod(m, kLevel, kGetTangentListF, tangents, n);
}
inline RTSuccess SetNormalListF(RTInstance m, const RTFVector3D* normals, uint32_t n) {
  return CallMethod(m, kLevel, kSetNormalListF, normals, n);
}
inline RTSuccess GetNormalListF(RTInstance m, RTFVector3D** normals, uint32_t* n) {
  return CallMethod(m, kLevel, kGetNormalListF, normals, n);
}
inline RTSuccess DisplayNormals(RTInstance m, RTBool enable) { return CallMethod(m, kLevel, kDisplayNormals, enable); }
inline RTSuccess DisplayTangents(RTInstance m, RTBool enable) {
  return CallMethod(m, kLevel, kDisplayTangents, enable);
}
inline RTSuccess DisplayNormalLength(RTInstance m, float length) {
  return CallMethod(m, kLevel, kDisplayNormalLength, length);
}
// Rebuilds the shadow geometry from the groups' primitives: the welded triangles with their
// planes, smooth vertex normals, the flat triangle list and the open and shared edges.
inline RTSuccess ComputeShadowGeometry(RTInstance m) { return CallMethod(m, kLevel, kComputeShadowGeometry); }
// Marks each triangle as facing away from the light (1: the light lies on or behind its plane)
// and draws the mesh's shadow volume from the light (world space) into the stencil buffer, under
// the frame's node, through the frame's rasterizer: the silhouette and open edges stretched away
// from the light, counted depth-pass (incremented where the eye enters, decremented where it
// leaves), with colour and depth writes off. Builds the shadow geometry first when there is none.
// The states are put back but for the cull mode, left at kCullFront: set kCullBack again before
// drawing meshes. Fails, drawing nothing, when the node's placement has no inverse.
inline RTSuccess CastShadowVolume(RTInstance m, const RTSceneNodeEntityFrameInformation* frame,
                                  const RTFVector3D* lightPosition) {
  return CallMethod(m, kLevel, kCastShadowVolume, frame, lightPosition);
}
inline RTSuccess GetBoundingSphere(RTInstance m, float* radius) {
  return CallMethod(m, kLevel, kGetBoundingSphere, radius);
}
inline RTSuccess GetTriangles(RTInstance m, uint32_t* n, RTPolyModelTriangle** triangles) {
  return CallMethod(m, kLevel, kGetTriangles, n, triangles);
}
inline RTSuccess GetFlatTriangleList(RTInstance m, RTTriangleList3D** list) {
  return CallMethod(m, kLevel, kGetFlatTriangleList, list);
}
// The mesh's own array; fails with null and 0 when it has no materials.
inline RTSuccess GetMaterialList(RTInstance m, RTInstance** materials, uint32_t* n) {
  return CallMethod(m, kLevel, kGetMaterialList, materials, n);
}
// Writes "CLEAN GEOMETRY!" to the debug output and rebuilds the shadow geometry.
inline RTSuccess CleanGeometry(RTInstance m) { return CallMethod(m, kLevel, kCleanGeometry); }
// The group's own strips (0x102) or lists (0x104); any other kind leaves the outputs as they were.
inline RTSuccess GetPrimitiveListByMaterialIndex(RTInstance m, uint32_t material, uint32_t kind,
                                                 RTPrimitive*** primitives, uint32_t* n) {
  return CallMethod(m, kLevel, kGetPrimitiveListByMaterialIndex, material, kind, primitives, n);
}
inline RTSuccess GetColorListF(RTInstance m, RTFColorRGB** colours, uint32_t* n) {
  return CallMethod(m, kLevel, kGetColorListF, colours, n);
}
// Over the vertices; with none, (1e6, 1e6, 1e6) to (-1e6, -1e6, -1e6).
inline RTSuccess GetBoundingBox(RTInstance m, RTFVector3D* min, RTFVector3D* max) {
  return CallMethod(m, kLevel, kGetBoundingBox, min, max);
}
inline RTSuccess SetColorMultiplierFVRGBA(RTInstance m, const RTFColorRGB* colour) {
  return CallMethod(m, kLevel, kSetColorMultiplierFVRGBA, colour);
}
inline RTSuccess GetColorMultiplierFVRGBA(RTInstance m, RTFColorRGB* colour) {
  return CallMethod(m, kLevel, kGetColorMultiplierFVRGBA, colour);
}
// 1 when any group's material has alpha, as last asked.
inline RTSuccess HasAlpha(RTInstance m, RTBool* hasAlpha) { return CallMethod(m, kLevel, kHasAlpha, hasAlpha); }
// Splits every triangle that has a vertex lying inside one of its edges (within 0.001 of it, not
// within 1e-5 of its ends along it), so that neighbouring triangles meet at shared vertices; the
// new vertices interpolate texture coordinates, normals and tangents along the split edge. The
// groups are made again, each with one triangle list of its material's triangles (the old strips
// and lists are destroyed); the shadow geometry is left as it was. Writes the triangle counts
// before and after and the number of splits to the debug output. Fails, changing nothing, when a
// primitive indexes past the vertices.
inline RTSuccess EliminateTJunctions(RTInstance m) { return CallMethod(m, kLevel, kEliminateTJunctions); }
// Asks every material for its alpha state again.
inline RTSuccess UpdateAlphaInfo(RTInstance m) { return CallMethod(m, kLevel, kUpdateAlphaInfo); }

}  // namespace poly_model

}  // namespace kivo
