// The light of scene-view's picture: the rooms' lightmaps baked before it is drawn, and the
// stencil shadows of the rooms' meshes from a light drawn over it.
#pragma once

#include <string>
#include <vector>

#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"

namespace sceneview {

// Bakes the lightmaps of every room in design mode, which is switched off again afterwards. The
// rooms' bounds nodes go to `held`: the store unloads a stored node, and the mesh it carries, when
// no one holds it, and the baked lightmaps with them.
bool BakeLightmaps(RTInstance tree, std::vector<kivo::InstanceRef>* held, std::string* error);

// After the tree's frame: the camera's view pushed again (the frame popped it), the shadow volume
// of every mesh of the enabled rooms' nodes cast from the light node's position, and the picture
// darkened where the stencil counts a volume (not 0), with one half-transparent screen quad.
bool DrawShadows(CoreTable& core, RTInstance tree, RTInstance rasterizer, RTInstance cameraNode,
                 const std::string& lightNode, std::string* error);

}  // namespace sceneview
