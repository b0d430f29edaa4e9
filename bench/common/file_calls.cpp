#include "file_calls.h"

// The calls are defined here as the C library has them; its headers that declare them differently
// (struct stat64, off64_t, exception specifications) stay out.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>

#include <cstdarg>
#include <cstdio>
#include <string_view>

namespace {

bool gCounting = false;
uint64_t gCalls = 0;
uint64_t gKernelAtStart = 0;

// The C library's function of that name, found once.
template <class Function>
Function Next(Function& cached, const char* name) {
  if (!cached) cached = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
  if (gCounting) ++gCalls;
  return cached;
}

// syscr + syscw of the process so far (read with the count off).
uint64_t KernelReadsWrites() {
  FILE* io = std::fopen("/proc/self/io", "r");
  if (!io) return 0;
  uint64_t total = 0;
  char name[32];
  unsigned long long value = 0;
  while (std::fscanf(io, "%31s %llu", name, &value) == 2) {
    const std::string_view field(name);
    if (field == "syscr:" || field == "syscw:") total += value;
  }
  std::fclose(io);
  return total;
}

}  // namespace

// Stand-ins in front of the C library's calls; each counts and hands on.
#define TESK_FORWARD(result, name, params, args)                          \
  extern "C" __attribute__((visibility("default"))) result name params { \
    static result(*next) params = nullptr;                                \
    return Next(next, #name) args;                                        \
  }

TESK_FORWARD(ssize_t, read, (int file, void* data, size_t count), (file, data, count))
TESK_FORWARD(ssize_t, write, (int file, const void* data, size_t count), (file, data, count))
TESK_FORWARD(ssize_t, pread, (int file, void* data, size_t count, off_t at), (file, data, count, at))
TESK_FORWARD(ssize_t, pread64, (int file, void* data, size_t count, off_t at), (file, data, count, at))
TESK_FORWARD(ssize_t, pwrite, (int file, const void* data, size_t count, off_t at), (file, data, count, at))
TESK_FORWARD(ssize_t, pwrite64, (int file, const void* data, size_t count, off_t at), (file, data, count, at))
TESK_FORWARD(off_t, lseek, (int file, off_t at, int whence), (file, at, whence))
TESK_FORWARD(off_t, lseek64, (int file, off_t at, int whence), (file, at, whence))
TESK_FORWARD(int, fstat, (int file, void* status), (file, status))
TESK_FORWARD(int, fstat64, (int file, void* status), (file, status))
TESK_FORWARD(int, stat, (const char* path, void* status), (path, status))
TESK_FORWARD(int, stat64, (const char* path, void* status), (path, status))
TESK_FORWARD(int, lstat, (const char* path, void* status), (path, status))
TESK_FORWARD(int, lstat64, (const char* path, void* status), (path, status))
TESK_FORWARD(int, close, (int file), (file))
#undef TESK_FORWARD

// The open calls take a mode only when they create.
#define TESK_FORWARD_OPEN(name, params, args)                          \
  extern "C" __attribute__((visibility("default"))) int name params { \
    static int (*next) params = nullptr;                               \
    mode_t mode = 0;                                                   \
    if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {       \
      va_list rest;                                                    \
      va_start(rest, flags);                                           \
      mode = va_arg(rest, mode_t);                                     \
      va_end(rest);                                                    \
    }                                                                  \
    return Next(next, #name) args;                                     \
  }

TESK_FORWARD_OPEN(open, (const char* path, int flags, ...), (path, flags, mode))
TESK_FORWARD_OPEN(open64, (const char* path, int flags, ...), (path, flags, mode))
TESK_FORWARD_OPEN(openat, (int folder, const char* path, int flags, ...), (folder, path, flags, mode))
TESK_FORWARD_OPEN(openat64, (int folder, const char* path, int flags, ...), (folder, path, flags, mode))
#undef TESK_FORWARD_OPEN

namespace tesk::bench {

void StartCountingFileCalls() {
  gKernelAtStart = KernelReadsWrites();
  gCalls = 0;
  gCounting = true;
}

FileCalls StopCountingFileCalls() {
  gCounting = false;
  return {gCalls, KernelReadsWrites() - gKernelAtStart};
}

}  // namespace tesk::bench
