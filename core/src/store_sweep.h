// The store sweep: while an outermost StoreInstance runs, every header it writes carries the
// sweep's stamp, which keeps an instance reached twice in one sweep from being written twice.
#pragma once

#include "kivo/support/date_stamp.h"

namespace kivo::core {

// The sweep record lives from core start-up to shutdown.
bool CreateStoreSweep();
void FreeStoreSweep();

// Opens a sweep stamped with the current local time; false when one is open already.
bool OpenStoreSweep();
void CloseStoreSweep();
// The stamp of the open sweep, or null.
const DateStamp* OpenSweepStamp();
// Whether the open sweep has written the path already, and noting that it has.
bool SweepHasWritten(const char16_t* path);
void SweepMarkWritten(const char16_t* path);

}  // namespace kivo::core
