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
  // The error log is the one step whose failure fails the start; the steps before it stay done.
  if (!StartupErrorLog()) return kRTFailure;
  StartupRegistry();
  CreateStoreSweep();
  if (!RegisterTypeTable()) return kRTFailure;
  CreateRoot();
  gStarted = true;
  return kRTSuccess;
}

// Stops the services in reverse order. Component libraries stay loaded and instances other than
// Root are not destroyed; the memory report shows what is left.
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
