// The light of scene-view's picture: the stencil shadows of the rooms' meshes from a light drawn
// over it (the rooms' lightmaps are baked before it is drawn by lightmap_bake.h).
#pragma once

#include <string>

#include "kivo/core_table.h"

namespace sceneview {

// After the tree's frame: the camera's view pushed again (the frame popped it), the shadow volume
// of every mesh of the enabled rooms' nodes cast from the light node's position, and the picture
// darkened where the stencil counts a volume (not 0), with one half-transparent screen quad.
bool DrawShadows(CoreTable& core, RTInstance tree, RTInstance rasterizer, RTInstance cameraNode,
                 const std::string& lightNode, std::string* error);

}  // namespace sceneview
