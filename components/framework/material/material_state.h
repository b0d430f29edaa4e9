// What one material keeps (rt_material.cpp), and the part of it that its stream holds
// (material_stream.cpp).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "kivo/material/material_calls.h"

namespace material {

struct StoredMaterial {
  float selfIllumination = 0.0f;
  RTFColorRGB colour{1.0f, 1.0f, 1.0f, 1.0f};
  RTBool visible = 1;
  RTBool alpha = 0;
  RTBool twoSided = 0;
  std::array<std::vector<uint8_t>, kivo::material::kImageCount> images;  // image files; empty: none
};

struct MaterialState {
  StoredMaterial stored;
  // Made from the images on first request; 0 until then.
  std::array<kivo::material::Texture, kivo::material::kImageCount> textures{};
};

// Writes the stored part; false when a write fails.
bool WriteStoredMaterial(RTInstance stream, const StoredMaterial& material);
// Reads the stored part; false with the reason when the stream is damaged (nothing is committed).
bool ReadStoredMaterial(RTInstance stream, StoredMaterial* material, std::u16string* why);

}  // namespace material
