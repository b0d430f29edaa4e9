// Fonts in pack descriptions: the metrics file that glyph-sheet writes beside its sheet, written
// in the font's stream form.
#pragma once

#include <filesystem>
#include <string>

#include "kivo/types.h"

namespace kivopack {

// The "font" of an RTFont instance entry names a metrics file (relative to the description):
//   {"sheet": "Verdana17.png", "size": 17, "cell": [32, 32], "texture": [512, 512],
//    "origin": [x, y], "ascent": a, "lineHeight": h, "advances": [256 numbers]}
// The sheet is read from beside it. Writes the font's stream to `stream`.
bool WriteFontStream(const std::filesystem::path& metrics, RTInstance stream, std::string* error);

}  // namespace kivopack
