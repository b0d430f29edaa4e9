// Images for textures, decoded by stb_image (PNG, TGA, BMP). Sizes are checked from the header
// before anything is decoded, and a file that ends before its pixels do is refused: stb_image
// would fill the missing pixels in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kivo/types.h"

namespace rasterizer {

// Larger images are refused before their pixels are allocated.
inline constexpr uint32_t kMaxImageSide = 8192;
inline constexpr uint64_t kMaxImagePixels = uint64_t{4096} * 4096;

struct Image {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgba;  // rows from the bottom up, as GL takes them
};

bool ImageSizeAllowed(uint32_t width, uint32_t height);

// Decodes the stream's bytes from its position to its end, and puts the position back, so that an
// image makes as many textures as asked; false with the reason.
bool DecodeImageStream(RTInstance stream, Image* image, std::string* why);

// The size the image's header gives, reading only as far as that; the stream's position is put
// back.
bool ReadImageSize(RTInstance stream, uint32_t* width, uint32_t* height, std::string* why);

}  // namespace rasterizer
