#include "startup.h"

#include "clock.h"
#include "core_table_fill.h"
#include "coreregistry/registry.h"
#include "error_log.h"
#include "store_sweep.h"
#include "instance_store.h"
#include "instances.h"
#include "memory_manager.h"
#include "type_table.h"

namespace kivo::core {

namespace {
bool gStarted = false;
}

RTSuccess StartupKivo(CoreTable* table) {
  if (!table || table->size < kCoreTableMinBytes || table->version > kCoreVersion) return kRTFailure;
  // A second start without a shutdown would build a second registry and Root over the first.
  if (gStarted) return kRTFailure;
  FillCoreTable(*table);

  ResetMemoryStatistics();
  StartupClock();
  // A start that fails (no error log, no type table) leaves the steps before it done; a shutdown
  // undoes them.
  if (!StartupErrorLog()) return kRTFailure;
  StartupRegistry();
  CreateStoreSweep();
  if (!RegisterTypeTable()) return kRTFailure;
  CreateRoot();
  gStarted = true;
  return kRTSuccess;
}

// Stops the services in reverse order. Root's tree and every other instance still alive are
// destroyed; component libraries stay loaded. The memory report shows what is left.
RTSuccess ShutdownKivo() {
  ReleaseDebugStream();
  ReleaseResources();
  ReleaseRoot();
  FreeTypeTable();
  FreeStoreSweep();
  FreeRegistry();
  ShutdownErrorLog();
  ReportMemoryStatistics();
  gStarted = false;
  return kRTSuccess;
}

}  // namespace kivo::core
