// RTPolyModel: the mesh (see poly_model_calls.h). Its class level follows RTRenderable's, whose
// stream part comes first in the mesh's stream and whose drawing and measuring methods it
// overrides. The state record lives in the object word after the level's two table words.
// AddPrimitiveList is declared and has no function: calls through its slot fail.
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"
#include "kivo/support/scalar_math.h"
#include "kivo/support/version_part.h"
#include "mesh_state.h"
#include "poly_model_methods.h"
#include "program_loading.h"

namespace kivo::mesh {

namespace {

namespace slot = kivo::poly_model;

constexpr bool kInherited = true;
// Packed type words of the properties.
constexpr uint32_t kBoolProperty = 0xA0404;
constexpr uint32_t kFloatProperty = 0x70404;
constexpr float kUnmeasuredRadius = 1e6f;

// Shared by every mesh of the library: the first construction reports the processor's SSE and
// loads the vertex and fragment programs.
bool gFirstConstruction = true;

RTSuccess Construct(RTInstance self) {
  PolyModelState* state = MakeState<PolyModelState>(self, slot::kStateWord);
  if (!state) return kRTFailure;
  const InstanceRef rasterizer = TakeRasterizer();
  if (!rasterizer.get()) {
    RaiseFormatted(kLevelError, u"RTPolyModel::PolyModelConstruct(): there is no RTRasterizer; the mesh is not made");
    EndState<PolyModelState>(self, slot::kStateWord);
    return kRTFailure;
  }
  state->normalLength = 1.0f;
  state->boundingRadius = kUnmeasuredRadius;
  state->colorMultiplier = RTFColorRGB{1.0f, 1.0f, 1.0f, 1.0f};
  state->boundsDirty = 1;
  if (gFirstConstruction) {
    ModuleCore()->RaiseError(nullptr,
                             HasSSE() ? u"RTPolyModel -- SSE extensions detected"
                                      : u"RTPolyModel -- SSE extensions not detected",
                             kLevelError);
    LoadPrograms(rasterizer.get());
    gFirstConstruction = false;
  }
  return kRTSuccess;
}

// Gives back everything the mesh holds. Its primitives go back to the rasterizer when there still
// is one; without one they went with it.
RTSuccess Destruct(RTInstance self) {
  PolyModelState* state = StateOf(self);
  if (!state) return kRTSuccess;
  InstanceRef rasterizer;
  ModuleCore()->GetFirstInstanceByString(nullptr, rasterizer::kClassName, rasterizer.out(), 0, nullptr);
  for (uint32_t i = 0; i < state->materialCount; ++i) ModuleCore()->ReleaseInstance(nullptr, state->materials[i]);
  FreeArray(state->materials);
  DropGroups(*state, rasterizer.get());
  DestroyPrimitives(rasterizer.get(), state->primitives, state->primitiveCount);
  ShadowGeometry geometry;
  ReplaceShadowGeometry(*state, geometry, rasterizer.get());
  FreeArray(state->vertices);
  FreeArray(state->tangents);
  FreeArray(state->normals);
  FreeArray(state->planes);
  FreeArray(state->colors);
  for (UVLayer& layer : state->uvLayers) FreeArray(layer.coordinates);
  EndState<PolyModelState>(self, slot::kStateWord);
  return kRTSuccess;
}

RTSuccess GetStageCount(RTInstance, uint32_t* count) { return SingleStageCount(count); }
RTSuccess DoesNothing(RTInstance) { return kRTSuccess; }
RTSuccess SetTangentListF(RTInstance, const RTFVector3D*, uint32_t) { return kRTSuccess; }

// Property accessors: setters go through the instance's own slots, so a derived class's methods
// serve them too; getters read the stored values.
RTSuccess SetDisplayNormals(RTInstance self, const RTBool* value) {
  return value ? CallMethod(self, slot::kLevel, slot::kDisplayNormals, *value) : kRTFailure;
}
RTSuccess SetDisplayTangents(RTInstance self, const RTBool* value) {
  return value ? CallMethod(self, slot::kLevel, slot::kDisplayTangents, *value) : kRTFailure;
}
RTSuccess SetNormalLength(RTInstance self, const float* value) {
  return value ? CallMethod(self, slot::kLevel, slot::kDisplayNormalLength, *value) : kRTFailure;
}

template <class Value, Value PolyModelState::*kField>
RTSuccess GetStored(RTInstance self, Value* value) {
  const PolyModelState* state = StateOf(self);
  if (!state || !value) return kRTFailure;
  *value = state->*kField;
  return kRTSuccess;
}

template <class F>
RTMethodFunc Accessor(F* function) {
  return reinterpret_cast<RTMethodFunc>(function);
}

constexpr char16_t kSuccess[] = u"RTSuccess";

RTMethodRecord gMethods[] = {
    Method(u"GetStageCount", GetStageCount, slot::kGetStageCount, kSuccess, u"uint out opCount", kInherited),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, kSuccess, u"uint aStage, RTInstance ahStream", kInherited),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, kSuccess, u"uint aStage, RTInstance ohStream", kInherited),
    Method(u"ProcessFrame", ProcessFrame, slot::kProcessFrame, kSuccess,
           u"uint aMSTime, RTSceneNodeEntityFrameInformation in apNodeInformation", kInherited),
    Method(u"SetVectorListF", SetVectorListF, slot::kSetVectorListF, kSuccess,
           u"RTFVector3D[] apVectors, uint anVectors", kInherited),
    Method(u"GetVectorListF", GetVectorListF, slot::kGetVectorListF, kSuccess,
           u"RTFVector3D[] out oppVectors, uint out opnVectors", kInherited),
    Method(u"SetUVListF", SetUVListF, slot::kSetUVListF, kSuccess,
           u"uint aLayer, RTFVector2D[] apVectors, uint anVectors", kInherited),
    Method(u"GetUVListF", GetUVListF, slot::kGetUVListF, kSuccess,
           u"uint aLayer, RTFVector2D[] out oppVectors, uint out opnVectors", kInherited),
    Method(u"UpdatedVectorList", DoesNothing, slot::kUpdatedVectorList, kSuccess, u"", kInherited),
    Method(u"SetPrimitiveListCount", SetPrimitiveListCount, slot::kSetPrimitiveListCount, kSuccess,
           u"RTPrimitiveID aPrimitiveID, uint anPrimitives", kInherited),
    Method(u"GetPrimitiveList", GetPrimitiveList, slot::kGetPrimitiveList, kSuccess,
           u"RTPrimitiveID aPrimitiveID, RTPrimitive[] out oppPrimitives, uint out opnPrimitives", kInherited),
    Method(u"SetMaterialList", SetMaterialList, slot::kSetMaterialList, kSuccess,
           u"RTInstance[] aphMaterials, uint anMaterials", kInherited),
    Method(u"AddPrimitive", AddPrimitive, slot::kAddPrimitive, kSuccess,
           u"RTPrimitiveID aPrimitiveID, RTPrimitive aPrimitive", kInherited),
    Method(u"ComputePlanes", DoesNothing, slot::kComputePlanes, kSuccess, u"", kInherited),
    DeclaredMethod(u"AddPrimitiveList", slot::kAddPrimitiveList, kSuccess,
                   u"RTPrimitiveID aPrimitiveID, uint anPrimitives, RTPrimitive array appPrimitives", kInherited),
    Method(u"SetTangentListF", SetTangentListF, slot::kSetTangentListF, kSuccess,
           u"RTFVector3D[] apTangents, uint anTangents", kInherited),
    Method(u"GetTangentListF", GetTangentListF, slot::kGetTangentListF, kSuccess,
           u"RTFVector3D[] out oppTangents, uint out opnTangents", kInherited),
    Method(u"SetNormalListF", SetNormalListF, slot::kSetNormalListF, kSuccess,
           u"RTFVector3D[] apNormals, uint anNormals", kInherited),
    Method(u"GetNormalListF", GetNormalListF, slot::kGetNormalListF, kSuccess,
           u"RTFVector3D[] out oppNormals, uint out opnNormals", kInherited),
    Method(u"DisplayNormals", DisplayNormals, slot::kDisplayNormals, kSuccess, u"RTBool abEnable"),
    Method(u"DisplayTangents", DisplayTangents, slot::kDisplayTangents, kSuccess, u"RTBool abEnable"),
    Method(u"DisplayNormalLength", DisplayNormalLength, slot::kDisplayNormalLength, kSuccess, u"float aLength"),
    Method(u"CastShadowVolume", CastShadowVolume, slot::kCastShadowVolume, kSuccess,
           u"RTSceneNodeEntityFrameInformation in apNodeInformation, RTFVector3D in apLightPosition", kInherited),
    Method(u"ComputeShadowGeometry", ComputeShadowGeometry, slot::kComputeShadowGeometry, kSuccess, u""),
    Method(u"GetBoundingSphere", GetBoundingSphere, slot::kGetBoundingSphere, kSuccess, u"float out opRadius",
           kInherited),
    Method(u"GetTriangles", GetTriangles, slot::kGetTriangles, kSuccess,
           u"uint out opnTriangles, RTPolyModelTriangle* out oppTriangles"),
    Method(u"GetFlatTriangleList", GetFlatTriangleList, slot::kGetFlatTriangleList, kSuccess,
           u"RTTriangleList3D* out oppTriangleList"),
    Method(u"GetMaterialList", GetMaterialList, slot::kGetMaterialList, kSuccess,
           u"uint out opnTriangles, RTPolyModelTriangle* out oppTriangles", kInherited),
    Method(u"CleanGeometry", CleanGeometry, slot::kCleanGeometry, kSuccess, u""),
    Method(u"GetPrimitiveListByMaterialIndex", GetPrimitiveListByMaterialIndex, slot::kGetPrimitiveListByMaterialIndex,
           kSuccess,
           u"uint aiMaterial, RTPrimitiveID aPrimitiveID, RTPrimitive array out oppPrimitives, uint out opnPrimitives",
           kInherited),
    Method(u"GetColorListF", GetColorListF, slot::kGetColorListF, kSuccess,
           u"RTFVector3D[] out oppNormals, uint out opnNormals", kInherited),
    Method(u"GetBoundingBox", GetBoundingBox, slot::kGetBoundingBox, kSuccess,
           u"RTFVector3D out opMin, RTFVector3D out opMax", kInherited),
    Method(u"SetColorMultiplierFVRGBA", SetColorMultiplierFVRGBA, slot::kSetColorMultiplierFVRGBA, kSuccess,
           u"RTFColorRGB in apColor"),
    Method(u"GetColorMultiplierFVRGBA", GetColorMultiplierFVRGBA, slot::kGetColorMultiplierFVRGBA, kSuccess,
           u"RTFColorRGB out opColor"),
    Method(u"HasAlpha", HasAlpha, slot::kHasAlpha, kSuccess, u"RTBool out opbHasAlpha", kInherited),
    Method(u"EliminateTJunctions", EliminateTJunctions, slot::kEliminateTJunctions, kSuccess, u""),
    Method(u"UpdateAlphaInfo", UpdateAlphaInfo, slot::kUpdateAlphaInfo, kSuccess, u""),
    kEndOfMethods,
};

RTPropertyRecord gProperties[] = {
    {u"DisplayNormals", kBoolProperty, Accessor(SetDisplayNormals),
     Accessor(GetStored<RTBool, &PolyModelState::displayNormals>)},
    {u"DisplayTangents", kBoolProperty, Accessor(SetDisplayTangents),
     Accessor(GetStored<RTBool, &PolyModelState::displayTangents>)},
    {u"NormalLength", kFloatProperty, Accessor(SetNormalLength),
     Accessor(GetStored<float, &PolyModelState::normalLength>)},
    {},
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = renderable::kClassName,
    .description = u"Contains the base functionality that all Meshs inherit.",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .properties = gProperties,
    .construct = Construct,
    .destroy = Destruct,
});

}  // namespace

}  // namespace kivo::mesh

KIVO_COMPONENT(kivo::mesh::gDefinition)
