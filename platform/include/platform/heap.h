// The C library's heap, set up once for a process that runs the core.
#pragma once

namespace platform {

// Freed memory at the top of the heap stays with the process instead of going back to the system,
// and the heap grows in large steps: a frame or a script run that frees and takes again the same
// blocks pays no brk call and no page fault for them. Later calls change nothing.
void KeepFreedHeap();

}  // namespace platform
