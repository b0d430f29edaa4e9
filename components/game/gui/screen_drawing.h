// The pair that brackets every screen-space drawing of the game (also known as BeginScreenSpace
// and EndScreenSpace): pixel coordinates of the game's window, (0, 0) at the top left and y growing
// down, with identity view and world matrices and the depth test and depth writes off. The game's
// form takes the rasterizer and window context of its record; the "On" form, for tools and
// tests, takes them as they are.
#pragma once

#include <array>
#include <cstdint>

#include "kivo/types.h"

namespace tesk::game::gui {

// The six projection values in force before the bracket, in the order BeginScreenDrawing's
// cells hold them (the rasterizer hands them out as cells 1, 4, 2, 5, 3, 6), and the projection
// mode then in force.
struct SavedProjection {
  std::array<float, 6> box;
  uint32_t mode;
};

// Saves the projection and its mode into `saved`, switches to the orthographic mode over the window box of
// the window context, pushes identity view and world matrices and turns the depth test and depth
// writes off. The rasterizer's results are not tested. Result 1, or 0 when the game has no record.
RTSuccess BeginScreenDrawing(RTInstance game, SavedProjection* saved);
RTSuccess BeginScreenDrawingOn(RTInstance rasterizer, void* windowContext, SavedProjection* saved);
// Pops the world and view matrices, turns the depth test and writes back on, and puts the saved
// projection mode and projection back. The mode is set, not restored: the rasterizer remembers
// one mode only, so a bracket inside another would otherwise leave the outer one's end in the
// orthographic mode, and the next frame's world with it.
RTSuccess EndScreenDrawing(RTInstance game, const SavedProjection& saved);
RTSuccess EndScreenDrawingOn(RTInstance rasterizer, const SavedProjection& saved);

}  // namespace tesk::game::gui
