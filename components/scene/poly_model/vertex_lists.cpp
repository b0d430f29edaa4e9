// The mesh's per-vertex lists, its bounds, colour multiplier and display switches. Setters copy
// into new arrays and free the old ones afterwards, so a caller may hand back an array it got
// from the mesh; the mesh's own array handed back whole is taken as it is.
#include <algorithm>
#include <cmath>

#include "kivo/support/raise.h"
#include "mesh_state.h"
#include "poly_model_methods.h"

namespace kivo::mesh {

namespace {

constexpr float kEmptyBound = 1e6f;
constexpr RTFColorRGB kOpaqueWhite{1.0f, 1.0f, 1.0f, 1.0f};

// x, y and z of each vector into a new array with w = 0.
bool CopyVectors(const RTFVector3D* vectors, uint32_t n, RTFVector3D** out) {
  if (!NewArray(n, out)) return false;
  for (uint32_t i = 0; i < n; ++i) (*out)[i] = RTFVector3D{vectors[i].x, vectors[i].y, vectors[i].z, 0.0f};
  return true;
}

// The list and its count, or failure with null and 0 when it is empty.
template <class T>
RTSuccess HandOut(T* list, uint32_t count, T** out, uint32_t* n) {
  if (!out || !n) return kRTFailure;
  const bool held = list && count;
  *out = held ? list : nullptr;
  *n = held ? count : 0;
  return held ? kRTSuccess : kRTFailure;
}

}  // namespace

uint32_t FirstNonFinite(const RTFVector3D* vectors, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i)
    if (!std::isfinite(vectors[i].x) || !std::isfinite(vectors[i].y) || !std::isfinite(vectors[i].z)) return i;
  return n;
}

// A vertex that is not a finite point is refused with the whole list: nothing changes.
RTSuccess SetVectorListF(RTInstance self, const RTFVector3D* vectors, uint32_t n) {
  PolyModelState* state = StateOf(self);
  if (!state || (n && !vectors)) return kRTFailure;
  if (const uint32_t bad = FirstNonFinite(vectors, n); bad < n) {
    RaiseFormatted(kLevelError, u"RTPolyModel::SetVectorListF(): vertex %u of %u is not a finite point; the mesh is left "
                                u"as it was",
                   bad, n);
    return kRTFailure;
  }
  state->boundsDirty = 1;
  if (vectors == state->vertices) return kRTSuccess;
  RTFVector3D* copy = nullptr;
  RTFColorRGB* colours = nullptr;
  if (!CopyVectors(vectors, n, &copy) || !NewArray(n, &colours)) {
    FreeArray(copy);
    return kRTFailure;
  }
  float largest = -kEmptyBound;
  for (uint32_t i = 0; i < n; ++i) {
    const RTFVector3D& v = copy[i];
    largest = std::max(largest, v.x * v.x + v.y * v.y + v.z * v.z);
    colours[i] = kOpaqueWhite;
  }
  FreeArray(state->vertices);
  state->vertices = copy;
  state->vertexCount = n;
  state->boundingRadius = n ? std::sqrt(largest) : 0.0f;
  FreeArray(state->colors);
  state->colors = colours;
  state->colorCount = n;
  return kRTSuccess;
}

RTSuccess GetVectorListF(RTInstance self, RTFVector3D** vectors, uint32_t* n) {
  PolyModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->boundsDirty = 1;
  return HandOut(state->vertices, state->vertexCount, vectors, n);
}

RTSuccess SetUVListF(RTInstance self, uint32_t layer, const RTFVector2D* coordinates, uint32_t n) {
  PolyModelState* state = StateOf(self);
  if (!state || layer >= kUVLayerCount || (n && !coordinates)) return kRTFailure;
  UVLayer& uv = state->uvLayers[layer];
  if (coordinates == uv.coordinates) return kRTSuccess;
  RTFVector2D* copy = nullptr;
  if (!CopyArray(coordinates, n, &copy)) return kRTFailure;
  FreeArray(uv.coordinates);
  uv = UVLayer{n, copy};
  state->uvLayerMask |= 1u << layer;
  return kRTSuccess;
}

RTSuccess GetUVListF(RTInstance self, uint32_t layer, RTFVector2D** coordinates, uint32_t* n) {
  PolyModelState* state = StateOf(self);
  if (!state || !coordinates || !n) return kRTFailure;
  if (layer >= kUVLayerCount) {
    *coordinates = nullptr;
    *n = 0;
    return kRTFailure;
  }
  return HandOut(state->uvLayers[layer].coordinates, state->uvLayers[layer].count, coordinates, n);
}

RTSuccess SetNormalListF(RTInstance self, const RTFVector3D* normals, uint32_t n) {
  PolyModelState* state = StateOf(self);
  if (!state || (n && !normals)) return kRTFailure;
  if (normals == state->normals) return kRTSuccess;
  RTFVector3D* copy = nullptr;
  if (!CopyVectors(normals, n, &copy)) return kRTFailure;
  FreeArray(state->normals);
  state->normals = copy;
  state->normalCount = n;
  return kRTSuccess;
}

RTSuccess GetNormalListF(RTInstance self, RTFVector3D** normals, uint32_t* n) {
  PolyModelState* state = StateOf(self);
  return state ? HandOut(state->normals, state->normalCount, normals, n) : kRTFailure;
}

RTSuccess GetTangentListF(RTInstance self, RTFVector3D** tangents, uint32_t* n) {
  PolyModelState* state = StateOf(self);
  return state ? HandOut(state->tangents, state->tangentCount, tangents, n) : kRTFailure;
}

RTSuccess GetColorListF(RTInstance self, RTFColorRGB** colours, uint32_t* n) {
  PolyModelState* state = StateOf(self);
  return state ? HandOut(state->colors, state->colorCount, colours, n) : kRTFailure;
}

RTSuccess GetBoundingBox(RTInstance self, RTFVector3D* min, RTFVector3D* max) {
  PolyModelState* state = StateOf(self);
  if (!state || !min || !max) return kRTFailure;
  if (state->boundsDirty) {
    RTFVector3D low{kEmptyBound, kEmptyBound, kEmptyBound, 0.0f};
    RTFVector3D high{-kEmptyBound, -kEmptyBound, -kEmptyBound, 0.0f};
    for (uint32_t i = 0; i < state->vertexCount; ++i) {
      const RTFVector3D& v = state->vertices[i];
      if (v.x < low.x) low.x = v.x;
      if (v.y < low.y) low.y = v.y;
      if (v.z < low.z) low.z = v.z;
      if (v.x > high.x) high.x = v.x;
      if (v.y > high.y) high.y = v.y;
      if (v.z > high.z) high.z = v.z;
    }
    state->boxMin = low;
    state->boxMax = high;
    state->boundsDirty = 0;
  }
  *min = state->boxMin;
  *max = state->boxMax;
  return kRTSuccess;
}

RTSuccess GetBoundingSphere(RTInstance self, float* radius) {
  PolyModelState* state = StateOf(self);
  if (!state || !radius) return kRTFailure;
  *radius = state->boundingRadius;
  return kRTSuccess;
}

RTSuccess SetColorMultiplierFVRGBA(RTInstance self, const RTFColorRGB* colour) {
  PolyModelState* state = StateOf(self);
  if (!state || !colour) return kRTFailure;
  state->colorMultiplier = *colour;
  return kRTSuccess;
}

RTSuccess GetColorMultiplierFVRGBA(RTInstance self, RTFColorRGB* colour) {
  PolyModelState* state = StateOf(self);
  if (!state || !colour) return kRTFailure;
  *colour = state->colorMultiplier;
  return kRTSuccess;
}

RTSuccess DisplayNormals(RTInstance self, RTBool enable) {
  PolyModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->displayNormals = enable ? 1 : 0;
  return kRTSuccess;
}

RTSuccess DisplayTangents(RTInstance self, RTBool enable) {
  PolyModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->displayTangents = enable ? 1 : 0;
  return kRTSuccess;
}

RTSuccess DisplayNormalLength(RTInstance self, float length) {
  PolyModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->normalLength = length;
  return kRTSuccess;
}

}  // namespace kivo::mesh
