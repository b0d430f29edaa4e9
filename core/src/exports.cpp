// The core library's exports: the host's only entry points.
#include "kivo/core_table.h"
#include "startup.h"

KIVO_EXPORT RTSuccess _StartupKivo(CoreTable* table) { return kivo::core::StartupKivo(table); }

KIVO_EXPORT RTSuccess _ShutdownKivo() { return kivo::core::ShutdownKivo(); }

KIVO_EXPORT RTSuccess _RegisterEventsKivo() { return kRTSuccess; }
