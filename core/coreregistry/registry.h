// The component registry: every component class of the installation, read from "kivoreg.db" or
// found by scanning the component folders.
#pragma once

#include "kivo/types.h"

namespace kivo::core {

// The framework root directory (registry value Root, ending with a separator). `byteLength` is
// the buffer's size as handed to the registry query; a longer value fails.
RTSuccess GetRootPath(RTInstance ctx, char16_t* buffer, uint32_t byteLength);

void StartupRegistry();
void FreeRegistry();

}  // namespace kivo::core
