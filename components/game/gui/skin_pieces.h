// The skin's pieces as texture coordinates, computed from the pixel table (skin_piece_table.h)
// against the sizes of the images they are cut from.
#pragma once

#include <cstdint>

#include "gui_skin.h"

namespace tesk::game::gui {

// The element pieces and sizes of variant 0 or 1, against that variant's element image size.
void ComputeElementPieces(SkinPieces* pieces, int8_t variant, uint32_t imageWidth, uint32_t imageHeight);
// The pieces of "CHARACTER_A": the two progress-bar pieces against a fixed 512 x 512, the others
// against the image's own size.
void ComputeCharacterPieces(SkinPieces* pieces, uint32_t imageWidth, uint32_t imageHeight);

}  // namespace tesk::game::gui
