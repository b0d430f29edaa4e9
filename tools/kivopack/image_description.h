// Images in pack descriptions: "image": "head.tga" on an RTImage instance names an encoded image
// file (PNG, TGA or BMP, as the rasterizer decodes it), kept as it is.
#pragma once

#include <filesystem>
#include <string>

#include "kivo/types.h"

namespace kivopack {

// The image's stream form (image_calls.h) with the file's bytes.
bool WriteImageStream(const std::filesystem::path& file, RTInstance stream, std::string* error);

}  // namespace kivopack
