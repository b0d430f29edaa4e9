// The GUI skin's images: "1024_ELEMENTS" and "800_ELEMENTS" (128 x 128, every piece of the skin's
// pixel table at its two sizes; "1024_ELEMENTS" also the HUD's sprites of sheet code 18), "CHARACTER_A" (512 x 512, its single-size pieces over a numbered
// grid), "XRAY_OVERLAY" and numbered-grid placeholders for the other images the skin loads.
//
// Element pieces: a frame's corner is drawn as the frame's top-left corner, a border band along
// its top and left sides around the frame's fill, with a white 2 x 2 marker in its top-left
// pixels; its top edge is the column (its side edge the row) that its half-pixel coordinate names,
// with the same band across it, so that the stretched edges continue the corner's border and
// fill. The frames' fills are those the frame operations draw their centres with, so a frame shows
// no seam. Images are stored upright: row 0 is the image's top (v = 1).
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace tesk::art {

struct NamedImage {
  std::string name;
  Canvas image;
};

std::vector<NamedImage> GuiImages();

}  // namespace tesk::art
