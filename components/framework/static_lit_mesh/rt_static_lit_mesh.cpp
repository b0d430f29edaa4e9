// RTStaticLitMesh: a mesh lit ahead of time, the class of rooms' geometry (see
// static_lit_mesh_calls.h). Its lightmaps are laid out by lightmap_layout.cpp, streamed by
// lit_mesh_stream.cpp and drawn by lit_mesh_draw.cpp; its state lives in the object word after the
// level's two table words.
//
// Stream form: RTPolyModel's part (through that level's own table), then
//   u32 version        2; a newer version is refused; version 1 ends here
//   the lightmaps      (lit_mesh_stream.cpp)
// A damaged lightmaps part is refused whole: the mesh keeps what it had.
#include <cmath>

#include "kivo/support/component_kit.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "lightmap_layout.h"
#include "lit_mesh_draw.h"
#include "lit_mesh_stream.h"

namespace {

using namespace kivo;
using namespace kivo::static_lit_mesh;
namespace slot = kivo::static_lit_mesh;

constexpr bool kOverrides = true;
constexpr ParentStream kParentStream{poly_model::kOwnTable, poly_model::kStreamIn, poly_model::kStreamOut};

// The rasterizer singleton when there is one; none is made for it.
InstanceRef ExistingRasterizer() {
  InstanceRef rasterizer;
  ModuleCore()->GetFirstInstanceByString(nullptr, rasterizer::kClassName, rasterizer.out(), 0, nullptr);
  return rasterizer;
}

// The lightmaps (and their textures) replaced; the mesh draws unlit until lighting is done again.
void Replace(StaticLitState& state, Lightmaps&& lightmaps, bool lit) {
  DropTextures(state.lightmaps, ExistingRasterizer().get());
  state.lightmaps = std::move(lightmaps);
  state.lit = lit;
}

RTSuccess Construct(RTInstance self) {
  return MakeState<StaticLitState>(self, slot::kStateWord) ? kRTSuccess : kRTFailure;
}

RTSuccess Destroy(RTInstance self) {
  if (StaticLitState* state = slot::StateOf(self)) DropTextures(state->lightmaps, ExistingRasterizer().get());
  EndState<StaticLitState>(self, slot::kStateWord);
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  const StaticLitState* state = slot::StateOf(self);
  return state && CallParentMethod(self, poly_model::kOwnTable, poly_model::kStreamOut, stage, stream) &&
                 StreamWriteUInt(stream, slot::kStreamVersion) && WriteLightmaps(stream, *state)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  StaticLitState* state = slot::StateOf(self);
  if (!state) return kRTFailure;
  return StreamInAfterParent(self, kParentStream, stage, stream, [&] {
    uint32_t version = 0;
    Lightmaps read;
    bool lit = false;
    std::u16string why = u"the stream holds no version of 2 or older";
    if (!StreamReadVersion(stream, slot::kStreamVersion, &version) ||
        !ReadLightmaps(stream, version, *poly_model::StateOf(self), &read, &lit, &why)) {
      RaiseFormatted(kLevelError, u"RTStaticLitMesh::StreamIn(): %s; the mesh is left as it was", why);
      return false;
    }
    Replace(*state, std::move(read), lit);
    return true;
  });
}

RTSuccess SetLightmapResolution(RTInstance self, float resolution) {
  StaticLitState* state = slot::StateOf(self);
  if (!state) return kRTFailure;
  if (!(resolution > 0.0f && std::isfinite(resolution))) {
    RaiseFormatted(kLevelError, u"RTStaticLitMesh::SetLightmapResolution(): %f units a texel is not above 0",
                   resolution);
    return kRTFailure;
  }
  state->resolution = resolution;
  return kRTSuccess;
}

RTSuccess CreateLightmaps(RTInstance self) {
  StaticLitState* state = slot::StateOf(self);
  if (!state) return kRTFailure;
  Lightmaps made;
  std::u16string why;
  if (!LayOutLightmaps(*poly_model::StateOf(self), state->resolution, &made, &why)) {
    RaiseFormatted(kLevelError, u"RTStaticLitMesh::CreateLightmaps(): %s; the lightmaps are left as they were", why);
    return kRTFailure;
  }
  Replace(*state, std::move(made), false);
  return kRTSuccess;
}

RTSuccess GetLightmaps(RTInstance self, uint32_t group, uint32_t* count, ::Lightmap** lightmaps) {
  StaticLitState* state = slot::StateOf(self);
  if (!state || !count || !lightmaps) return kRTFailure;
  *count = 0;
  *lightmaps = nullptr;
  if (group >= poly_model::StateOf(self)->materialCount) return kRTFailure;
  Lightmaps& all = state->lightmaps;
  for (size_t i = 0; i < all.surfaces.size(); ++i) {
    if (all.surfaces[i].group != group) continue;
    if (!*lightmaps) *lightmaps = &all.records[i];
    ++*count;
  }
  return kRTSuccess;
}

RTSuccess GetStepScale(RTInstance self, float* scale) {
  StaticLitState* state = slot::StateOf(self);
  if (!state || !scale) return kRTFailure;
  *scale = state->lightmaps.stepScale;
  return kRTSuccess;
}

RTSuccess ReplaceTexels(RTInstance self, const ::Lightmap* lightmap, const uint32_t* texels) {
  StaticLitState* state = slot::StateOf(self);
  if (!state || !texels) return kRTFailure;
  std::vector<::Lightmap>& records = state->lightmaps.records;
  if (records.empty() || lightmap < records.data() || lightmap >= records.data() + records.size()) return kRTFailure;
  LitSurface& surface = state->lightmaps.surfaces[lightmap - records.data()];
  surface.texels.assign(texels, texels + surface.texels.size());
  DropTexture(surface, ExistingRasterizer().get());
  return kRTSuccess;
}

RTSuccess LightingDone(RTInstance self) {
  StaticLitState* state = slot::StateOf(self);
  if (!state) return kRTFailure;
  state->lit = true;
  return kRTSuccess;
}

RTSuccess SetEnabled(RTInstance self, RTBool on) {
  StaticLitState* state = slot::StateOf(self);
  if (!state) return kRTFailure;
  state->enabled = on != 0;
  return kRTSuccess;
}

RTSuccess IsEnabled(RTInstance self, RTBool* enabled) {
  const StaticLitState* state = slot::StateOf(self);
  if (!state || !enabled) return kRTFailure;
  *enabled = state->enabled ? 1 : 0;
  return kRTSuccess;
}

RTSuccess IsLit(RTInstance self, RTBool* lit) {
  const StaticLitState* state = slot::StateOf(self);
  if (!state || !lit) return kRTFailure;
  *lit = state->lit ? 1 : 0;
  return kRTSuccess;
}

RTSuccess ProcessFrame(RTInstance self, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* frame) {
  StaticLitState* state = slot::StateOf(self);
  const PolyModelState* mesh = poly_model::StateOf(self);
  if (state && mesh && frame && DrawsLit(*state, *mesh))
    return DrawLit(*state, *mesh, *frame) ? kRTSuccess : kRTFailure;
  return CallParentMethod(self, poly_model::kOwnTable, poly_model::kProcessFrame, milliseconds, frame);
}

constexpr char16_t kResult[] = u"RTSuccess";

RTMethodRecord gMethods[] = {
    Method(u"StreamIn", StreamIn, slot::kStreamIn, kResult, u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, kResult, u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetLightmapResolution", SetLightmapResolution, slot::kSetLightmapResolution, kResult,
           u"float aResolution"),
    Method(u"CreateLightmaps", CreateLightmaps, slot::kCreateLightmaps, kResult, u""),
    Method(u"GetLightmaps", GetLightmaps, slot::kGetLightmaps, kResult,
           u"uint aGroup, uint out opnLightmaps, Lightmap* out oppLightmaps"),
    Method(u"GetStepScale", GetStepScale, slot::kGetStepScale, kResult, u"float out opScale"),
    Method(u"ReplaceTexels", ReplaceTexels, slot::kReplaceTexels, kResult, u"Lightmap* apLightmap, uint[] apTexels"),
    Method(u"LightingDone", LightingDone, slot::kLightingDone, kResult, u""),
    Method(u"ProcessFrame", ProcessFrame, slot::kProcessFrame, kResult,
           u"uint aMSTime, RTSceneNodeEntityFrameInformation in apNodeInformation", kOverrides),
    Method(u"SetEnabled", SetEnabled, slot::kSetEnabled, kResult, u"RTBool abOn"),
    Method(u"IsEnabled", IsEnabled, slot::kIsEnabled, kResult, u"RTBool out opbEnabled"),
    Method(u"IsLit", IsLit, slot::kIsLit, kResult, u"RTBool out opbLit"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = poly_model::kClassName,
    .description = u"A mesh lit ahead of time",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
