// The walks of RTSceneTree's Update and Render over a root's subtree (plain_scene_tree_calls.h).
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace kivo::small_scene {

// Places every node of the subtree (the root under the identity) and advances the motion player
// of every game node that carries a skin to the time.
void UpdateSubtree(RTInstance root, uint32_t milliseconds);
// Draws the subtree from the camera node at the time through the RTRasterizer singleton; false,
// drawing nothing, when the camera node carries no RTCamera or there is no rasterizer.
bool RenderSubtree(RTInstance root, RTInstance cameraNode, uint32_t milliseconds);

}  // namespace kivo::small_scene
