// The piece table of the skin: where each sprite lies in its image, in pixels, and the sizes the
// frame operations draw it at. The element pieces come from "1024_ELEMENTS" (variant 0) and
// "800_ELEMENTS" (variant 1), both laid out by the same table at two sizes; a few single-size
// pieces come from "CHARACTER_A".
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
