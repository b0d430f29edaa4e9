// Scene trees described with "bake": once the pack holds every instance, the tree loads all its
// rooms, bakes their lightmaps in design mode (lightmap_bake.h), and each room's lighting result,
// its lit RTStaticLitMesh, is stored again with its lightmaps.
#pragma once

#include <string>

#include "kivo/core_table.h"

namespace kivopack {

bool StoreBakedLightmaps(CoreTable& core, RTInstance tree, std::string* error);

}  // namespace kivopack
