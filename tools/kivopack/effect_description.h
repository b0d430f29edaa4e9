// Particle effect files in pack descriptions: "peffect": "effects/NAME.json" on an RTStoredData
// instance ("Root:FX:NAME.peffect") names an effect description, compiled into the effect file
// the game reads (components/game/world/effects/effect_file.h):
//   {"title": "Sparks", "options": "duration 1.5", "version": 1280,
//    "systems": [{"emitter": ["burst 150", "life 1 1.5"], "look": "size 0.15 0.15",
//                 "image": "spark.json", "imageClass": "RTBMPImage", "blend": 2, "space": 1,
//                 "version": 1541}]}
// Texts are a string or a list of lines; an effect's version is 0x500 and a system's 0x605 unless
// given, and a version decides which fields are written, as the reader reads them. "image" is an
// image file or description (image_description.h); "blend" and "space" are the system's modes A
// and B (1 when left out).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "kivo/types.h"

namespace kivopack {

// The effect file's bytes; nothing, with `error` set, when the description is not one.
std::optional<std::vector<uint8_t>> CompileEffect(const std::filesystem::path& file, std::string* error);

// The stored data's stream form (stored_data_calls.h) with the compiled effect.
bool WriteEffectStream(const std::filesystem::path& file, RTInstance stream, std::string* error);

}  // namespace kivopack
