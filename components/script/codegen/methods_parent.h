// "Root:VNMethods": the framework instance whose children are the memory streams holding the
// methods' code. It is looked up (or created as an RTComponent named "VNMethods") on first use
// and the handle is kept for the life of the component.
#pragma once

#include "kivo/types.h"

namespace varno {

// The kept handle (no extra reference for the caller).
RTSuccess MethodsParent(RTInstance* out);
// Gives the kept handle back; the component's shutdown calls it before the core goes (and tests
// do, before they stop the core). The next use looks the instance up again.
void ReleaseMethodsParent();

}  // namespace varno
