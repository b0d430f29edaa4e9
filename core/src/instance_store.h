// The instance store hooks: storing, fetching and removing instances of the instance store.
#pragma once

namespace kivo::core {

// The store-sweep record lives from core start-up to shutdown.
void CreateStoreSweep();
void FreeStoreSweep();

}  // namespace kivo::core
