// RTPolyModel::EliminateTJunctions: wherever a vertex lies inside an edge of a triangle, the
// triangle is cut in two there, so that neighbouring triangles meet at shared vertices. The
// vertices, the groups' triangles and their winged edges are copied into working records
// (winged_edges.h); the mesh's vertex lists and groups are then made again from them, each group
// with one triangle list. Everything new is built aside and taken in whole at the end: a mesh whose
// primitives index past its vertices is left as it was.
#include <algorithm>

#include "kivo/material/material_calls.h"
#include "kivo/scene/mesh_triangles.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "mesh_state.h"
#include "poly_model_methods.h"
#include "shadow_geometry.h"
#include "winged_edges.h"

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;

void DebugLine(const std::u16string& text) { ModuleCore()->DebugPrint(nullptr, text.c_str()); }

std::vector<VertexRecord> VertexRecords(const PolyModelState& state) {
  std::vector<VertexRecord> records(state.vertexCount, VertexRecord{});
  for (uint32_t v = 0; v < state.vertexCount; ++v) {
    VertexRecord& record = records[v];
    record.position = state.vertices[v];
    if (v < state.normalCount) record.normal = state.normals[v];
    if (v < state.tangentCount) record.tangent = state.tangents[v];
    if (v < state.colorCount) record.colour = state.colors[v];
    for (uint32_t k = 0; k < kUVLayerCount; ++k)
      if ((state.uvLayerMask & (1u << k)) && v < state.uvLayers[k].count)
        record.uv[k] = state.uvLayers[k].coordinates[v];
  }
  return records;
}

std::vector<TriangleRecord> TriangleRecords(const PolyModelState& state) {
  std::vector<TriangleRecord> triangles;
  for (uint32_t g = 0; g < state.materialCount; ++g)
    poly_model::ForEachTriangle(state.groups[g], [&](uint32_t c0, uint32_t c1, uint32_t c2, const RTPrimitive& from) {
      triangles.push_back(TriangleRecord{{c0, c1, c2}, kNoEdge, from.materialIndex});
    });
  return triangles;
}

// What makes the triangles unusable, as a message; empty when they are sound.
std::u16string FindFault(const PolyModelState& state, const std::vector<TriangleRecord>& triangles) {
  if (triangles.size() > kMaxTriangles) return Format(u"more than %u triangles", kMaxTriangles);
  for (size_t t = 0; t < triangles.size(); ++t) {
    if (triangles[t].material >= state.materialCount)
      return Format(u"triangle %u names material %u of %u", static_cast<uint64_t>(t), triangles[t].material,
                    state.materialCount);
    for (uint32_t corner : triangles[t].corners)
      if (corner >= state.vertexCount)
        return Format(u"triangle %u indexes vertex %u of %u", static_cast<uint64_t>(t), corner, state.vertexCount);
  }
  return {};
}

// The mesh's new lists and groups, each group with its material, its alpha state and one list of
// its triangles.
struct NewGroups {
  MaterialGroup* groups = nullptr;
  uint32_t count = 0;

  void Free(RTInstance rasterizer) {
    for (uint32_t g = 0; groups && g < count; ++g) DestroyPrimitives(rasterizer, groups[g].lists, groups[g].listCount);
    FreeArray(groups);
  }
};

bool MakeList(RTInstance rasterizer, const std::vector<TriangleRecord>& triangles, uint32_t material,
              MaterialGroup& group) {
  uint32_t count = 0;
  for (const TriangleRecord& triangle : triangles) count += triangle.material == material ? 1 : 0;
  RTPrimitive* list = nullptr;
  if (!r::CreatePrimitive(rasterizer, r::kTriangleList, &list)) return false;
  if (!r::ResizePrimitiveList(rasterizer, list, count) || !AppendToArray(group.lists, group.listCount, list)) {
    r::DestroyPrimitive(rasterizer, list);
    return false;
  }
  list->materialIndex = material;
  uint32_t* index = list->indices;
  for (const TriangleRecord& triangle : triangles)
    if (triangle.material == material) index = std::copy(triangle.corners, triangle.corners + 3, index);
  return true;
}

bool MakeGroups(RTInstance rasterizer, const PolyModelState& state, const std::vector<TriangleRecord>& triangles,
                NewGroups* made) {
  if (!NewArray(state.materialCount, &made->groups)) return false;
  made->count = state.materialCount;
  for (uint32_t g = 0; g < state.materialCount; ++g) {
    MaterialGroup& group = made->groups[g];
    group.material = state.materials[g];
    material::HasAlpha(group.material, &group.hasAlpha);
    if (!MakeList(rasterizer, triangles, g, group)) return false;
  }
  return true;
}

// The per-vertex arrays of the new vertex count: positions, zeroed colours, the UV layers of the
// mask, and normals and tangents where the mesh has them.
struct NewVertexArrays {
  RTFVector3D* vertices = nullptr;
  RTFColorRGB* colours = nullptr;
  RTFVector3D* normals = nullptr;
  RTFVector3D* tangents = nullptr;
  RTFVector2D* uvs[kUVLayerCount] = {};

  void Free() {
    FreeArray(vertices);
    FreeArray(colours);
    FreeArray(normals);
    FreeArray(tangents);
    for (RTFVector2D*& layer : uvs) FreeArray(layer);
  }
};

template <class T, class Field>
bool FillArray(const std::vector<VertexRecord>& records, bool wanted, T** out, Field field) {
  const auto count = static_cast<uint32_t>(records.size());
  if (!wanted) return true;
  if (!NewArray(count, out)) return false;
  for (uint32_t v = 0; v < count; ++v) (*out)[v] = field(records[v]);
  return true;
}

bool MakeVertexArrays(const PolyModelState& state, const std::vector<VertexRecord>& records, NewVertexArrays* made) {
  const auto count = static_cast<uint32_t>(records.size());
  bool built =
      FillArray(records, true, &made->vertices, [](const VertexRecord& v) { return v.position; }) &&
      NewArray(count, &made->colours) &&
      FillArray(records, state.normalCount > 0, &made->normals, [](const VertexRecord& v) { return v.normal; }) &&
      FillArray(records, state.tangentCount > 0, &made->tangents, [](const VertexRecord& v) { return v.tangent; });
  for (uint32_t k = 0; built && k < kUVLayerCount; ++k)
    built = FillArray(records, state.uvLayerMask & (1u << k), &made->uvs[k],
                      [k](const VertexRecord& v) { return v.uv[k]; });
  return built;
}

template <class T>
void Replace(T*& array, T* with) {
  FreeArray(array);
  array = with;
}

void TakeVertexArrays(PolyModelState& state, NewVertexArrays& made, uint32_t count) {
  Replace(state.vertices, made.vertices);
  Replace(state.colors, made.colours);
  state.vertexCount = count;
  state.colorCount = count;
  if (state.normalCount > 0) {
    Replace(state.normals, made.normals);
    state.normalCount = count;
  }
  if (state.tangentCount > 0) {
    Replace(state.tangents, made.tangents);
    state.tangentCount = count;
  }
  for (uint32_t k = 0; k < kUVLayerCount; ++k)
    if (state.uvLayerMask & (1u << k)) {
      Replace(state.uvLayers[k].coordinates, made.uvs[k]);
      state.uvLayers[k].count = count;
    }
  state.boundsDirty = 1;
  made = NewVertexArrays{};
}

}  // namespace

RTSuccess EliminateTJunctions(RTInstance self) {
  PolyModelState* state = StateOf(self);
  InstanceRef rasterizer = TakeRasterizer();
  if (!state || !rasterizer.get()) return kRTFailure;
  TJunctionRun run;
  run.triangles = TriangleRecords(*state);
  const std::u16string fault = FindFault(*state, run.triangles);
  if (!fault.empty()) {
    RaiseFormatted(kLevelError, u"RTPolyModel::EliminateTJunctions(): %s; the mesh is left as it was", fault);
    return kRTFailure;
  }
  run.vertices = VertexRecords(*state);
  BuildWingedEdges(run);
  DebugLine(Format(u"[RTPolyModel] Triangles before t-junction elimination: %d", run.triangles.size()));
  const uint32_t splits = SplitEdges(run, kMaxTriangles);
  DebugLine(Format(u"[RTPolyModel] Edge intersections: %d", splits));
  RebuildCorners(run);
  DebugLine(Format(u"[RTPolyModel] Triangles after t-junction elimination: %d", run.triangles.size()));

  NewGroups groups;
  NewVertexArrays arrays;
  if (!MakeGroups(rasterizer.get(), *state, run.triangles, &groups) ||
      !MakeVertexArrays(*state, run.vertices, &arrays)) {
    groups.Free(rasterizer.get());
    arrays.Free();
    return kRTFailure;
  }
  DropGroups(*state, rasterizer.get());
  state->groups = groups.groups;
  TakeVertexArrays(*state, arrays, static_cast<uint32_t>(run.vertices.size()));
  return kRTSuccess;
}

}  // namespace kivo::mesh
