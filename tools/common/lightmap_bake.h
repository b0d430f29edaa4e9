// Baking a scene tree's lightmaps from a tool: the rooms' static-lit meshes lit in design mode.
#pragma once

#include <string>
#include <vector>

#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"

namespace tesk {

// Bakes the lightmaps of every room the tree has loaded, in design mode, which is switched off
// again afterwards. The rooms' bounds nodes go to `bounds`, in room order: the store unloads a
// stored node, and the mesh it carries, when no one holds it, and the baked lightmaps with them.
bool BakeLightmaps(RTInstance tree, std::vector<kivo::InstanceRef>* bounds, std::string* error);

}  // namespace tesk
