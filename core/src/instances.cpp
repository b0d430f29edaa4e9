#include "instances.h"

namespace kivo::core {

// Root needs instance records, which this build of the core does not have yet.
void CreateRoot() {}
void ReleaseRoot() {}

}  // namespace kivo::core
