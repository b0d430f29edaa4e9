// The file system calls of the process (of every library in it) counted while a benchmark asks:
// the POSIX file calls (open, read, write, seek, stat, close and their variants) counted as they are
// made, and the read and write system calls the kernel counted (syscr and syscw of /proc/self/io,
// which also holds the reads and writes the C library's own streams make inside it).
#pragma once

#include <cstdint>

namespace tesk::bench {

struct FileCalls {
  uint64_t posix = 0;
  uint64_t kernelReadsWrites = 0;
};

// Counts from now until StopCountingFileCalls.
void StartCountingFileCalls();
// The counts since StartCountingFileCalls.
FileCalls StopCountingFileCalls();

}  // namespace tesk::bench
