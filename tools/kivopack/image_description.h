// Images in pack descriptions: "image": "head.tga" on an RTImage instance names an encoded image
// file (PNG, TGA or BMP, as the rasterizer decodes it), kept as it is, or an image description
// ending in ".json" (image_pattern.h), drawn into a PNG.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "kivo/types.h"

namespace kivopack {

// The encoded bytes of an image file or image description; nothing, with `error` set, when the
// file cannot be read or describes no image.
std::optional<std::vector<uint8_t>> ReadImageFile(const std::filesystem::path& file, std::string* error);

// The image's stream form (image_calls.h) with the file's bytes.
bool WriteImageStream(const std::filesystem::path& file, RTInstance stream, std::string* error);

}  // namespace kivopack
