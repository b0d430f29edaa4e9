#include "png_file.h"

#include <stb_image_write.h>

#include <cstring>

namespace rasterizer {

bool WritePng(const std::filesystem::path& file, int width, int height, const std::vector<uint8_t>& rgba) {
  const size_t stride = static_cast<size_t>(width) * 4;
  if (width <= 0 || height <= 0 || rgba.size() < stride * height) return false;
  std::vector<uint8_t> flipped(stride * height);
  for (int y = 0; y < height; ++y)
    std::memcpy(flipped.data() + stride * y, rgba.data() + stride * (height - 1 - y), stride);
  return stbi_write_png(file.c_str(), width, height, 4, flipped.data(), static_cast<int>(stride)) != 0;
}

}  // namespace rasterizer
