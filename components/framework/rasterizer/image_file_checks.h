// Checks of an image file's own sizes before stb_image reads it: a size in a header that sizes a
// buffer must fit the bytes the file has, so that a few damaged bytes cannot make the decoder
// allocate far more than the file could fill.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace rasterizer {

// PNG: every chunk up to IEND fits the bytes after its header. TGA and BMP without compression:
// the palette and the pixels the header declares fit the file. Other files pass unchecked (the
// decoder refuses what it cannot read). False with the reason.
bool ImageFileSizesFit(std::span<const uint8_t> file, std::string* why);

}  // namespace rasterizer
