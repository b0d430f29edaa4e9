// Calls on a material (class RTMaterial): how a mesh draws the triangles of its groups that use
// it. Every call returns 1 on success and 0 on failure. A material holds a colour, a
// self-illumination amount, three switches (visible, alpha, two-sided) and up to two images (a
// diffuse texture and a normal map, PNG, TGA or BMP files as they are stored), from which it makes
// its textures through the rasterizer when they are first asked for.
//
// The slots below 0x100 are those that callers number; the others are the framework's own.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

namespace kivo::material {

inline constexpr char16_t kClassName[] = u"RTMaterial";

using Texture = uint32_t;

inline constexpr MethodSlot<float*> kGetSelfIllumination{0x24};
inline constexpr MethodSlot<RTFColorRGB*> kGetColor{0x34};
inline constexpr MethodSlot<uint32_t*> kGetTextureFlags{0x38};
inline constexpr MethodSlot<Texture*> kGetDiffuseTexture{0x58};
inline constexpr MethodSlot<Texture*> kGetNormalMapTexture{0x60};
inline constexpr MethodSlot<RTBool*> kIsVisible{0x80};
inline constexpr MethodSlot<uint32_t*> kHasAlpha{0x84};
inline constexpr MethodSlot<RTBool*> kIsTwoSided{0x94};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x100};

// The framework's own.
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x104};
inline constexpr MethodSlot<float> kSetSelfIllumination{0x108};
inline constexpr MethodSlot<const RTFColorRGB*> kSetColor{0x10c};
inline constexpr MethodSlot<uint32_t, const uint8_t*, uint32_t> kSetImage{0x110};
inline constexpr MethodSlot<RTBool> kSetVisible{0x114};
inline constexpr MethodSlot<RTBool> kSetAlpha{0x118};
inline constexpr MethodSlot<RTBool> kSetTwoSided{0x11c};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;
inline constexpr uint32_t kSlotTableSize = kSetTwoSided + 4;
inline constexpr uint32_t kStreamVersion = 1;

// Groups of a material whose self-illumination is above this draw in constant white.
inline constexpr float kSelfLitAbove = 0.01f;
// The images a material holds, and the bits of the texture flags that say it holds them.
enum Image : uint32_t {
  kDiffuseImage = 0,
  kNormalMapImage = 1,
};
inline constexpr uint32_t kImageCount = 2;
inline constexpr uint32_t kDiffuseTextureFlag = 0x1;
inline constexpr uint32_t kNormalMapTextureFlag = 0x4;
// The most bytes an image may take.
inline constexpr uint32_t kMaxImageBytes = 16u << 20;

inline RTSuccess GetSelfIllumination(RTInstance m, float* amount) {
  return CallMethod(m, kLevel, kGetSelfIllumination, amount);
}
// Red, green, blue and alpha; a new material is opaque white.
inline RTSuccess GetColor(RTInstance m, RTFColorRGB* colour) { return CallMethod(m, kLevel, kGetColor, colour); }
inline RTSuccess GetTextureFlags(RTInstance m, uint32_t* flags) {
  return CallMethod(m, kLevel, kGetTextureFlags, flags);
}
// The texture of the image, made on the first call with the rasterizer singleton (repeated,
// linear, mipmapped) and kept until the image changes or the material goes; fails when the
// material holds no such image or the rasterizer cannot make the texture.
inline RTSuccess GetDiffuseTexture(RTInstance m, Texture* texture) {
  return CallMethod(m, kLevel, kGetDiffuseTexture, texture);
}
inline RTSuccess GetNormalMapTexture(RTInstance m, Texture* texture) {
  return CallMethod(m, kLevel, kGetNormalMapTexture, texture);
}
// A new material is visible, opaque (no alpha) and one-sided.
inline RTSuccess IsVisible(RTInstance m, RTBool* visible) { return CallMethod(m, kLevel, kIsVisible, visible); }
// Whether its groups draw in the deferred, blended stage.
inline RTSuccess HasAlpha(RTInstance m, uint32_t* alpha) { return CallMethod(m, kLevel, kHasAlpha, alpha); }
inline RTSuccess IsTwoSided(RTInstance m, RTBool* twoSided) { return CallMethod(m, kLevel, kIsTwoSided, twoSided); }

inline RTSuccess SetSelfIllumination(RTInstance m, float amount) {
  return CallMethod(m, kLevel, kSetSelfIllumination, amount);
}
inline RTSuccess SetColor(RTInstance m, const RTFColorRGB* colour) {
  return CallMethod(m, kLevel, kSetColor, colour);
}
// Copies the bytes of an image file as the material's image of that kind (count 0 removes it);
// at most kMaxImageBytes.
inline RTSuccess SetImage(RTInstance m, uint32_t image, const uint8_t* bytes, uint32_t count) {
  return CallMethod(m, kLevel, kSetImage, image, bytes, count);
}
inline RTSuccess SetVisible(RTInstance m, RTBool visible) { return CallMethod(m, kLevel, kSetVisible, visible); }
inline RTSuccess SetAlpha(RTInstance m, RTBool alpha) { return CallMethod(m, kLevel, kSetAlpha, alpha); }
inline RTSuccess SetTwoSided(RTInstance m, RTBool twoSided) {
  return CallMethod(m, kLevel, kSetTwoSided, twoSided);
}

}  // namespace kivo::material
