// The programs of program_texts.h handed to the rasterizer once, by the first mesh made in the
// process.
#pragma once

#include "kivo/types.h"

namespace kivo::mesh {

// Loads the six NV programs (three vertex programs, then three fragment programs), stopping at
// the first the rasterizer refuses; when any is refused, the ARB pair instead. Each kind that
// loads whole is switched off again afterwards. Refusals are silent here (the rasterizer reports
// them). The handles stay with the library; no draw path binds them, since every mesh draws
// through the fixed-function path.
void LoadPrograms(RTInstance rasterizer);

}  // namespace kivo::mesh
