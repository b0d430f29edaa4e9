// RTMaterial: how a mesh draws the groups that use it (see material_calls.h). Its stream is read
// and written by material_stream.cpp; the state record lives in the object word after the level's
// two tables. Textures come from the rasterizer singleton, made from the held images on first
// request and destroyed when their image changes or the material goes.
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "material_state.h"

namespace material {

namespace {

using namespace kivo;
namespace slot = kivo::material;
namespace r = kivo::rasterizer;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;
constexpr bool kOverrides = true;
// Texture sampling: repeated, linear, mipmapped.
constexpr uint32_t kRepeat = 0x2901;
constexpr uint32_t kLinear = 0x2601;
constexpr uint32_t kLinearMipmapLinear = 0x2703;

MaterialState* StateOf(RTInstance self) { return StateIn<MaterialState>(self, kStateWord); }

// The texture goes back to the rasterizer, when there is one.
void DropTexture(slot::Texture& texture) {
  if (!texture) return;
  InstanceRef rasterizer;
  if (ModuleCore()->GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 0, nullptr))
    r::DestroyTexture(rasterizer.get(), texture);
  texture = 0;
}

void DropTextures(MaterialState& state) {
  for (slot::Texture& texture : state.textures) DropTexture(texture);
}

RTSuccess Construct(RTInstance self) { return MakeState<MaterialState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (MaterialState* state = StateOf(self)) DropTextures(*state);
  EndState<MaterialState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  MaterialState* state = StateOf(self);
  return state && component::IsWholeStage(stage) && WriteStoredMaterial(stream, state->stored) ? kRTSuccess
                                                                                                 : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  MaterialState* state = StateOf(self);
  if (!state || !component::IsWholeStage(stage)) return kRTFailure;
  StoredMaterial read;
  std::u16string why;
  if (!ReadStoredMaterial(stream, &read, &why)) {
    RaiseFormatted(kLevelError, u"RTMaterial::StreamIn(): %s; the material is left as it was", why);
    return kRTFailure;
  }
  DropTextures(*state);
  state->stored = std::move(read);
  return kRTSuccess;
}

template <class Value, class Field>
RTSuccess Get(RTInstance self, Value* out, Field field) {
  MaterialState* state = StateOf(self);
  if (!state || !out) return kRTFailure;
  *out = field(state->stored);
  return kRTSuccess;
}

RTSuccess GetSelfIllumination(RTInstance self, float* amount) {
  return Get(self, amount, [](const StoredMaterial& m) { return m.selfIllumination; });
}

RTSuccess GetColor(RTInstance self, RTFColorRGB* colour) {
  return Get(self, colour, [](const StoredMaterial& m) { return m.colour; });
}

RTSuccess GetTextureFlags(RTInstance self, uint32_t* flags) {
  return Get(self, flags, [](const StoredMaterial& m) {
    return (m.images[slot::kDiffuseImage].empty() ? 0 : slot::kDiffuseTextureFlag) |
           (m.images[slot::kNormalMapImage].empty() ? 0 : slot::kNormalMapTextureFlag);
  });
}

RTSuccess IsVisible(RTInstance self, RTBool* visible) {
  return Get(self, visible, [](const StoredMaterial& m) { return m.visible; });
}

RTSuccess HasAlpha(RTInstance self, uint32_t* alpha) {
  return Get(self, alpha, [](const StoredMaterial& m) { return m.alpha; });
}

RTSuccess IsTwoSided(RTInstance self, RTBool* twoSided) {
  return Get(self, twoSided, [](const StoredMaterial& m) { return m.twoSided; });
}

// The texture of an image, made from it on the first request.
RTSuccess GetTexture(RTInstance self, uint32_t which, slot::Texture* texture) {
  MaterialState* state = StateOf(self);
  if (!state || !texture || state->stored.images[which].empty()) return kRTFailure;
  if (!state->textures[which]) {
    const std::vector<uint8_t>& image = state->stored.images[which];
    InstanceRef rasterizer;
    InstanceRef stream;
    if (!ModuleCore()->GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr) ||
        !memory_stream::CreateWith(image.data(), static_cast<uint32_t>(image.size()), stream.out()) ||
        !r::CreateTextureFromImage(rasterizer.get(), stream.get(), &state->textures[which], kRepeat, kRepeat, kLinear,
                                   kLinearMipmapLinear, 1)) {
      state->textures[which] = 0;
      return kRTFailure;
    }
  }
  *texture = state->textures[which];
  return kRTSuccess;
}

RTSuccess GetDiffuseTexture(RTInstance self, slot::Texture* texture) {
  return GetTexture(self, slot::kDiffuseImage, texture);
}

RTSuccess GetNormalMapTexture(RTInstance self, slot::Texture* texture) {
  return GetTexture(self, slot::kNormalMapImage, texture);
}

template <class Change>
RTSuccess Set(RTInstance self, Change change) {
  MaterialState* state = StateOf(self);
  if (!state) return kRTFailure;
  change(state->stored);
  return kRTSuccess;
}

RTSuccess SetSelfIllumination(RTInstance self, float amount) {
  return Set(self, [&](StoredMaterial& m) { m.selfIllumination = amount; });
}

RTSuccess SetColor(RTInstance self, const RTFColorRGB* colour) {
  return colour ? Set(self, [&](StoredMaterial& m) { m.colour = *colour; }) : kRTFailure;
}

RTSuccess SetVisible(RTInstance self, RTBool visible) {
  return Set(self, [&](StoredMaterial& m) { m.visible = visible ? 1 : 0; });
}

RTSuccess SetAlpha(RTInstance self, RTBool alpha) {
  return Set(self, [&](StoredMaterial& m) { m.alpha = alpha ? 1 : 0; });
}

RTSuccess SetTwoSided(RTInstance self, RTBool twoSided) {
  return Set(self, [&](StoredMaterial& m) { m.twoSided = twoSided ? 1 : 0; });
}

RTSuccess SetImage(RTInstance self, uint32_t which, const uint8_t* bytes, uint32_t count) {
  MaterialState* state = StateOf(self);
  if (!state || which >= slot::kImageCount || (count && !bytes) || count > slot::kMaxImageBytes) return kRTFailure;
  DropTexture(state->textures[which]);
  state->stored.images[which].assign(bytes, bytes + count);
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetSelfIllumination", GetSelfIllumination, slot::kGetSelfIllumination, u"RTSuccess",
           u"float out opAmount"),
    Method(u"GetColor", GetColor, slot::kGetColor, u"RTSuccess", u"RTFColorRGB out opColor"),
    Method(u"GetTextureFlags", GetTextureFlags, slot::kGetTextureFlags, u"RTSuccess", u"uint out opFlags"),
    Method(u"GetDiffuseTexture", GetDiffuseTexture, slot::kGetDiffuseTexture, u"RTSuccess", u"uint out opTexture"),
    Method(u"GetNormalMapTexture", GetNormalMapTexture, slot::kGetNormalMapTexture, u"RTSuccess",
           u"uint out opTexture"),
    Method(u"IsVisible", IsVisible, slot::kIsVisible, u"RTSuccess", u"RTBool out opbVisible"),
    Method(u"HasAlpha", HasAlpha, slot::kHasAlpha, u"RTSuccess", u"RTBool out opbHasAlpha"),
    Method(u"IsTwoSided", IsTwoSided, slot::kIsTwoSided, u"RTSuccess", u"RTBool out opbTwoSided"),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetSelfIllumination", SetSelfIllumination, slot::kSetSelfIllumination, u"RTSuccess", u"float aAmount"),
    Method(u"SetColor", SetColor, slot::kSetColor, u"RTSuccess", u"RTFColorRGB in apColor"),
    Method(u"SetImage", SetImage, slot::kSetImage, u"RTSuccess", u"uint aImage, ubyte[] apBytes, uint anBytes"),
    Method(u"SetVisible", SetVisible, slot::kSetVisible, u"RTSuccess", u"RTBool abVisible"),
    Method(u"SetAlpha", SetAlpha, slot::kSetAlpha, u"RTSuccess", u"RTBool abHasAlpha"),
    Method(u"SetTwoSided", SetTwoSided, slot::kSetTwoSided, u"RTSuccess", u"RTBool abTwoSided"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"How a mesh draws the triangles of a material: colour, switches and textures",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

}  // namespace material

KIVO_COMPONENT(material::gDefinition)
