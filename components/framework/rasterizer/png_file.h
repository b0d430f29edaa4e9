// Screenshots: RGBA pixels written as a PNG file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace rasterizer {

// `rgba` holds rows from the bottom up, as GL reads them; the file gets them top row first.
bool WritePng(const std::filesystem::path& file, int width, int height, const std::vector<uint8_t>& rgba);

}  // namespace rasterizer
