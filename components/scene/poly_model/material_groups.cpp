// The mesh's materials and the groups of primitives drawn with them, and the primitives made by
// SetPrimitiveListCount. The mesh owns every primitive it holds and destroys it through the
// rasterizer when it lets it go.
#include "kivo/material/material_calls.h"
#include "kivo/support/raise.h"
#include "mesh_state.h"
#include "poly_model_methods.h"

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;

bool IsMaterial(RTInstance instance) {
  return instance && ModuleCore()->IsKindOfByName(nullptr, instance, material::kClassName);
}

// The new handles with a reference each, or failure with none taken.
bool TakeMaterials(const RTInstance* materials, uint32_t n, RTInstance** out) {
  if (!NewArray(n, out)) return false;
  for (uint32_t i = 0; i < n; ++i) {
    if (!ModuleCore()->ResolveHandle(nullptr, materials[i])) {
      for (uint32_t j = 0; j < i; ++j) ModuleCore()->ReleaseInstance(nullptr, (*out)[j]);
      FreeArray(*out);
      return false;
    }
    (*out)[i] = materials[i];
  }
  return true;
}

bool Refuse(const char16_t* message) {
  ModuleCore()->RaiseError(nullptr, message, kLevelError);
  return false;
}

// The checks of AddPrimitive, with their messages.
bool Acceptable(const PolyModelState& state, uint32_t kind, const RTPrimitive* primitive) {
  if (!state.groups) return Refuse(u"No materials exist for this mesh, cannot add primitive!");
  if (kind != r::kTriangleStrip && kind != r::kTriangleList)
    return Refuse(u"Unsupported primitive type passed to RTPolyModel::AddPrimitive()");
  if (!primitive) return false;
  if (primitive->kind != kind) {
    RaiseFormatted(kLevelError, u"RTPolyModel::AddPrimitive(): a primitive of kind 0x%X is passed as kind 0x%X",
                   primitive->kind, kind);
    return false;
  }
  if (primitive->materialIndex < state.materialCount) return true;
  return Refuse(kind == r::kTriangleStrip ? u"Triangle strip indexes a material > the # of materials in the mesh"
                                          : u"Triangle list indexes a material > the # of materials in the mesh");
}

}  // namespace

RTSuccess SetMaterialList(RTInstance self, const RTInstance* materials, uint32_t n) {
  PolyModelState* state = StateOf(self);
  if (!state || (n && !materials)) return kRTFailure;
  for (uint32_t i = 0; i < n; ++i)
    if (!IsMaterial(materials[i])) {
      RaiseFormatted(kLevelError, u"RTPolyModel::SetMaterialList(): material %u of %u is no RTMaterial", i + 1, n);
      return kRTFailure;
    }
  // The new handles are taken before the old ones go: the list handed in may be the mesh's own.
  RTInstance* taken = nullptr;
  MaterialGroup* groups = nullptr;
  if (!NewArray(n, &groups)) return kRTFailure;
  if (!TakeMaterials(materials, n, &taken)) {
    FreeArray(groups);
    return kRTFailure;
  }
  for (uint32_t i = 0; i < state->materialCount; ++i) ModuleCore()->ReleaseInstance(nullptr, state->materials[i]);
  FreeArray(state->materials);
  InstanceRef rasterizer = TakeRasterizer();
  DropGroups(*state, rasterizer.get());
  state->materials = taken;
  state->groups = groups;
  state->materialCount = n;
  for (uint32_t i = 0; i < n; ++i) {
    groups[i].material = taken[i];
    material::HasAlpha(taken[i], &groups[i].hasAlpha);
  }
  return kRTSuccess;
}

RTSuccess GetMaterialList(RTInstance self, RTInstance** materials, uint32_t* n) {
  PolyModelState* state = StateOf(self);
  if (!state || !materials || !n) return kRTFailure;
  const bool held = state->materials && state->materialCount;
  *materials = held ? state->materials : nullptr;
  *n = held ? state->materialCount : 0;
  return held ? kRTSuccess : kRTFailure;
}

RTSuccess AddPrimitive(RTInstance self, uint32_t kind, RTPrimitive* primitive) {
  PolyModelState* state = StateOf(self);
  if (!state || !Acceptable(*state, kind, primitive)) return kRTFailure;
  InstanceRef rasterizer = TakeRasterizer();
  if (!rasterizer.get() || !r::RegisterPrimitive(rasterizer.get(), primitive)) return kRTFailure;
  MaterialGroup& group = state->groups[primitive->materialIndex];
  const bool added = kind == r::kTriangleStrip ? AppendToArray(group.strips, group.stripCount, primitive)
                                               : AppendToArray(group.lists, group.listCount, primitive);
  return added ? kRTSuccess : kRTFailure;
}

RTSuccess SetPrimitiveListCount(RTInstance self, uint32_t kind, uint32_t n) {
  PolyModelState* state = StateOf(self);
  if (!state || kind != r::kGeneralList) return kRTFailure;
  InstanceRef rasterizer = TakeRasterizer();
  RTPrimitive** made = nullptr;
  if (!rasterizer.get() || !NewArray(n, &made)) return kRTFailure;
  for (uint32_t i = 0; i < n; ++i)
    if (!r::CreatePrimitive(rasterizer.get(), kind, &made[i])) {
      uint32_t count = i;
      DestroyPrimitives(rasterizer.get(), made, count);
      return kRTFailure;
    }
  DestroyPrimitives(rasterizer.get(), state->primitives, state->primitiveCount);
  state->primitives = made;
  state->primitiveCount = n;
  return kRTSuccess;
}

RTSuccess GetPrimitiveList(RTInstance self, uint32_t kind, RTPrimitive** copies, uint32_t* n) {
  PolyModelState* state = StateOf(self);
  if (!state || !copies || !n || (kind != r::kTriangleStrip && kind != r::kTriangleList)) return kRTFailure;
  const bool strips = kind == r::kTriangleStrip;
  uint32_t total = 0;
  for (uint32_t g = 0; g < state->materialCount; ++g)
    total += strips ? state->groups[g].stripCount : state->groups[g].listCount;
  if (!NewArray(total, copies)) return kRTFailure;
  uint32_t at = 0;
  for (uint32_t g = 0; g < state->materialCount; ++g) {
    const MaterialGroup& group = state->groups[g];
    const uint32_t count = strips ? group.stripCount : group.listCount;
    for (uint32_t i = 0; i < count; ++i) (*copies)[at++] = *(strips ? group.strips : group.lists)[i];
  }
  *n = total;
  return kRTSuccess;
}

RTSuccess GetPrimitiveListByMaterialIndex(RTInstance self, uint32_t material, uint32_t kind, RTPrimitive*** primitives,
                                          uint32_t* n) {
  PolyModelState* state = StateOf(self);
  if (!state || !primitives || !n || material >= state->materialCount) return kRTFailure;
  const MaterialGroup& group = state->groups[material];
  if (kind == r::kTriangleStrip) {
    *primitives = group.strips;
    *n = group.stripCount;
  } else if (kind == r::kTriangleList) {
    *primitives = group.lists;
    *n = group.listCount;
  }
  return kRTSuccess;
}

RTSuccess HasAlpha(RTInstance self, RTBool* hasAlpha) {
  PolyModelState* state = StateOf(self);
  if (!state || !hasAlpha) return kRTFailure;
  *hasAlpha = 0;
  for (uint32_t g = 0; g < state->materialCount; ++g)
    if (state->groups[g].hasAlpha) *hasAlpha = 1;
  return kRTSuccess;
}

RTSuccess UpdateAlphaInfo(RTInstance self) {
  PolyModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  for (uint32_t g = 0; g < state->materialCount; ++g)
    material::HasAlpha(state->groups[g].material, &state->groups[g].hasAlpha);
  return kRTSuccess;
}

}  // namespace kivo::mesh
