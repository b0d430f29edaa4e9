// Materials in pack descriptions, set on an RTMaterial instance through its own calls.
#pragma once

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "kivo/types.h"

namespace kivopack {

// The "material" of an RTMaterial instance entry, every field optional:
//   {"color": [r, g, b] or [r, g, b, a], "selfIllumination": 0.0, "visible": true, "alpha": false,
//    "twoSided": false, "diffuse": "linen.png", "normalMap": "linen-normals.png"}
// The colour is opaque white and alpha 1 when left out; image files (PNG, TGA or BMP, or an image
// description drawn into a PNG, image_description.h; relative to the description) are stored whole
// in the material.
bool FillMaterial(RTInstance material, const nlohmann::json& description, const std::filesystem::path& folder,
                  std::string* error);

}  // namespace kivopack
