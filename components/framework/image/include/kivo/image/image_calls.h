// Images of the instance store (class RTImage): a memory stream holding an encoded image (PNG, TGA
// or BMP) that the rasterizer decodes into a texture (rasterizer_calls.h, CreateTextureFromImage).
// Loaded from the store, an image stands at the start of its bytes. Fill one by writing the bytes
// through the stream calls (stream_calls.h) and seeking back to 0.
//
// RTBMPImage, an RTImage that also gives its pixels: it loads from the remaining bytes of any
// stream (a BMP, or whatever else stb_image decodes) and gives width, height and rows of three
// bytes a pixel (red, green, blue), the top row first. Its stream form is RTImage's; reading one,
// it decodes the bytes and refuses (with a message, keeping what it held) an image it cannot
// decode or one with a side above 8192 pixels.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"

namespace kivo::image {

inline constexpr char16_t kClassName[] = u"RTImage";
inline constexpr uint32_t kStreamVersion = 1;

// RTImage's level: its own table's stream methods, for a derived class's parent calls.
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x0};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x4};
inline constexpr uint32_t kLevel = memory_stream::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 8;
inline constexpr uint32_t kSlotTableSize = kStreamIn + 4;

// The image classes: RTImage and those derived from it. A data file that names the class of an
// image is checked by name against these before anything is made.
inline bool IsImageClassName(const char16_t* name) {
  return name && (WideStrEqualNoCase(name, kClassName) == 0 || WideStrEqualNoCase(name, u"RTBMPImage") == 0);
}

}  // namespace kivo::image

namespace kivo::bmp_image {

inline constexpr char16_t kClassName[] = u"RTBMPImage";

inline constexpr MethodSlot<RTInstance> kLoad{0x0};
inline constexpr MethodSlot<const uint8_t**, uint32_t*, uint32_t*> kGetPixels{0x4};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x8};  // overrides RTImage's
inline constexpr uint32_t kLevel = image::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 12;
inline constexpr uint32_t kSlotTableSize = kStreamIn + 4;
inline constexpr uint32_t kMaxSide = 8192;

// Keeps the stream's bytes from its position to its end when they decode; refused (with a
// message, the image unchanged) when they do not.
inline RTSuccess Load(RTInstance i, RTInstance stream) { return CallMethod(i, kLevel, kLoad, stream); }
// Rows of width x 3 bytes, the top row first, valid until the image changes; fails before any
// image was kept.
inline RTSuccess GetPixels(RTInstance i, const uint8_t** rgb, uint32_t* width, uint32_t* height) {
  return CallMethod(i, kLevel, kGetPixels, rgb, width, height);
}

}  // namespace kivo::bmp_image
