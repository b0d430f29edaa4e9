#include "coreregistry/registry.h"

namespace kivo::core {

// Registers the installation's component classes. No component library can be registered yet.
void StartupRegistry() {}

void FreeRegistry() {}

}  // namespace kivo::core
