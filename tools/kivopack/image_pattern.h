// Images drawn from a readable description, for content that needs a picture but no artwork:
//   {"width": 64, "height": 64, "checker": {"cell": 8, "colours": [[r, g, b], [r, g, b, a]]}}
// a checkerboard of square cells, the top-left cell in the first colour; or
//   {"width": 32, "height": 32, "disc": {"colours": [[r, g, b], [r, g, b, a]]}}
// a disc filling the image, its colour going from the first at the centre to the second at the
// rim, transparent black outside. Channels from 0 to 1, alpha 1 when left out. The result is a PNG
// file's bytes.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace kivopack {

inline constexpr uint32_t kMaxPatternSide = 4096;

std::optional<std::vector<uint8_t>> DrawPattern(const nlohmann::json& description, std::string* error);

}  // namespace kivopack
