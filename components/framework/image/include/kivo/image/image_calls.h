// Images of the instance store (class RTImage): a memory stream holding an encoded image (PNG, TGA
// or BMP) that the rasterizer decodes into a texture (rasterizer_calls.h, CreateTextureFromImage).
// Loaded from the store, an image stands at the start of its bytes. Fill one by writing the bytes
// through the stream calls (stream_calls.h) and seeking back to 0.
#pragma once

#include "kivo/support/stream_calls.h"

namespace kivo::image {

inline constexpr char16_t kClassName[] = u"RTImage";
inline constexpr uint32_t kStreamVersion = 1;

}  // namespace kivo::image
