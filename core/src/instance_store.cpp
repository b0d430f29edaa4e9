#include "instance_store.h"

namespace kivo::core {

// The sweep record comes with the instance store; nothing to create before it.
void CreateStoreSweep() {}
void FreeStoreSweep() {}

}  // namespace kivo::core
