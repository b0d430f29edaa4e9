// RTBrellinFileStream: a stream over a file, its level at word 10. Paths go through the platform
// path function, so "c:/usr/..." and differences of letter case resolve. Mode 1 reads an existing
// file; mode 2 writes a new one into a temporary file beside it that replaces the file only when
// the stream is closed, so a write that fails or is abandoned leaves the old file as it was.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "kivo/slots.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/stream_calls.h"
#include "platform/paths.h"

namespace {

using namespace kivo;

constexpr uint32_t kStateWord = 0x30;
// The stream's own buffer: reads ahead, and gathers consecutive writes.
constexpr size_t kBufferBytes = 64 * 1024;

// The stream keeps the file's size and its position itself, so asking for either, seeking, or the
// bytes left cost no system call; the file is read and written at an offset (pread, pwrite).
struct State {
  int file = -1;
  std::filesystem::path target;     // the file being written
  std::filesystem::path temporary;  // where it is written until the stream closes
  bool failed = false;
  uint64_t size = 0;  // taken when the file opens, kept current by the writes
  uint64_t position = 0;
  std::vector<uint8_t> buffer;  // the file's bytes from bufferStart on
  uint64_t bufferStart = 0;
  bool bufferWritten = false;  // the buffer holds written bytes the file does not have yet
};

State* StateOf(RTInstance self) { return StateIn<State>(self, kStateWord); }

// Reads up to `count` bytes at `at`, fewer only at the end of the file; false on an error.
bool ReadAt(int file, uint8_t* data, size_t count, uint64_t at, size_t* moved) {
  *moved = 0;
  while (*moved < count) {
    const ssize_t got = pread(file, data + *moved, count - *moved, static_cast<off_t>(at + *moved));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got == 0;
    *moved += static_cast<size_t>(got);
  }
  return true;
}

bool WriteAt(int file, const uint8_t* data, size_t count, uint64_t at) {
  size_t moved = 0;
  while (moved < count) {
    const ssize_t put = pwrite(file, data + moved, count - moved, static_cast<off_t>(at + moved));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    moved += static_cast<size_t>(put);
  }
  return true;
}

// Hands the buffered written bytes to the file; they stay in the buffer as bytes read ahead.
bool FlushWritten(State& state) {
  if (!state.bufferWritten) return true;
  state.bufferWritten = false;
  if (WriteAt(state.file, state.buffer.data(), state.buffer.size(), state.bufferStart)) return true;
  state.failed = true;
  state.buffer.clear();
  return false;
}

// Closes the file; a written file replaces its target only when `commit` and no write failed.
bool CloseFile(State& state, bool commit) {
  if (state.file < 0) return true;
  bool ok = !commit || FlushWritten(state);
  ok = close(state.file) == 0 && ok;
  state.file = -1;
  if (!state.temporary.empty()) {
    std::error_code error;
    if (commit && ok && !state.failed) {
      std::filesystem::rename(state.temporary, state.target, error);
      ok = !error;
    } else {
      ok = false;
    }
    if (!ok) std::filesystem::remove(state.temporary, error);
    state.temporary.clear();
  }
  state.failed = false;
  state.size = 0;
  state.position = 0;
  state.buffer = {};
  state.bufferStart = 0;
  state.bufferWritten = false;
  return ok;
}

RTSuccess Construct(RTInstance self) { return MakeState<State>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (State* state = StateOf(self)) CloseFile(*state, false);
  EndState<State>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess Open(RTInstance self, const char16_t* path, uint32_t mode) {
  State* state = StateOf(self);
  if (!state || !path || state->file >= 0) return kRTFailure;
  const std::filesystem::path file = platform::NativePath(path);
  if (mode == file_stream::kReadExisting) {
    state->file = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (state->file >= 0 && (fstat(state->file, &status) != 0 || status.st_size > UINT32_MAX)) {
      CloseFile(*state, false);
    } else {
      state->size = static_cast<uint64_t>(status.st_size);
    }
  } else if (mode == file_stream::kWriteNew) {
    std::error_code error;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
    state->target = file;
    state->temporary = file.string() + ".partial";
    state->file = open(state->temporary.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (state->file < 0) state->temporary.clear();
  }
  return state->file >= 0 ? kRTSuccess : kRTFailure;
}

RTSuccess Close(RTInstance self) {
  State* state = StateOf(self);
  return state && CloseFile(*state, true) ? kRTSuccess : kRTFailure;
}

RTSuccess Write(RTInstance self, const void* data, uint32_t count, uint32_t* written) {
  State* state = StateOf(self);
  if (written) *written = 0;
  if (!state || state->file < 0 || (count && !data)) return kRTFailure;
  const auto* bytes = static_cast<const uint8_t*>(data);
  // Bytes read ahead would be stale once the file changes.
  if (!state->bufferWritten) state->buffer.clear();
  const bool follows = state->bufferWritten && state->position == state->bufferStart + state->buffer.size() &&
                       state->buffer.size() + count <= kBufferBytes;
  if (!follows) {
    if (!FlushWritten(*state)) return kRTFailure;
    state->buffer.clear();
    if (count >= kBufferBytes) {
      if (!WriteAt(state->file, bytes, count, state->position)) {
        state->failed = true;
        return kRTFailure;
      }
    } else {
      state->bufferStart = state->position;
      state->bufferWritten = true;
    }
  }
  if (state->bufferWritten) state->buffer.insert(state->buffer.end(), bytes, bytes + count);
  state->position += count;
  state->size = std::max(state->size, state->position);
  if (written) *written = count;
  return kRTSuccess;
}

// Fewer bytes than asked at the end of the file.
RTSuccess Read(RTInstance self, void* data, uint32_t count, uint32_t* read) {
  State* state = StateOf(self);
  if (read) *read = 0;
  if (!state || state->file < 0 || (count && !data) || !FlushWritten(*state)) return kRTFailure;
  auto* out = static_cast<uint8_t*>(data);
  const uint64_t wanted = std::min<uint64_t>(count, state->size > state->position ? state->size - state->position : 0);
  uint64_t done = 0;
  bool ok = true;
  while (done < wanted) {
    const uint64_t at = state->position + done;
    const uint64_t bufferEnd = state->bufferStart + state->buffer.size();
    if (at >= state->bufferStart && at < bufferEnd) {
      const uint64_t part = std::min(wanted - done, bufferEnd - at);
      std::memcpy(out + done, state->buffer.data() + (at - state->bufferStart), part);
      done += part;
      continue;
    }
    size_t moved = 0;
    if (wanted - done >= kBufferBytes) {
      ok = ReadAt(state->file, out + done, wanted - done, at, &moved);
      done += moved;
      break;
    }
    state->buffer.resize(kBufferBytes);
    ok = ReadAt(state->file, state->buffer.data(), kBufferBytes, at, &moved);
    state->buffer.resize(ok ? moved : 0);
    state->bufferStart = at;
    if (!ok || moved == 0) break;
  }
  state->position += done;
  if (read) *read = static_cast<uint32_t>(done);
  return ok ? kRTSuccess : kRTFailure;
}

RTSuccess GetPosition(RTInstance self, uint32_t* position) {
  State* state = StateOf(self);
  if (!state || state->file < 0 || !position || state->position > UINT32_MAX) return kRTFailure;
  *position = static_cast<uint32_t>(state->position);
  return kRTSuccess;
}

RTSuccess GetSize(RTInstance self, uint32_t* size) {
  State* state = StateOf(self);
  if (!state || state->file < 0 || !size || state->size > UINT32_MAX) return kRTFailure;
  *size = static_cast<uint32_t>(state->size);
  return kRTSuccess;
}

RTSuccess Seek(RTInstance self, uint32_t position) {
  State* state = StateOf(self);
  if (!state || state->file < 0 || position > state->size) return kRTFailure;
  state->position = position;
  return kRTSuccess;
}

// The written bytes go to the file (not to the disk: no sync).
RTSuccess Flush(RTInstance self) {
  State* state = StateOf(self);
  return state && state->file >= 0 && FlushWritten(*state) ? kRTSuccess : kRTFailure;
}

constexpr bool kOverrides = true;

RTMethodRecord gMethods[] = {
    Method(u"Open", Open, file_stream::kOpen, u"RTSuccess", u"wchar[] apPath, uint anMode"),
    Method(u"Close", Close, file_stream::kClose, u"RTSuccess", u"", kOverrides),
    Method(u"Write", Write, 0x08, u"RTSuccess", u"ubyte[] apBuffer, uint anBytes, uint out opWritten", kOverrides),
    Method(u"Read", Read, 0x0C, u"RTSuccess", u"ubyte[] apBuffer, uint anBytes, uint out opRead", kOverrides),
    Method(u"Seek", Seek, 0x10, u"RTSuccess", u"uint anPosition", kOverrides),
    Method(u"GetPosition", GetPosition, 0x14, u"RTSuccess", u"uint out opPosition", kOverrides),
    Method(u"GetSize", GetSize, 0x18, u"RTSuccess", u"uint out opSize", kOverrides),
    Method(u"Flush", Flush, 0x1C, u"RTSuccess", u"", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = u"RTBrellinFileStream",
    .parentClassName = u"RTStream",
    .description = u"A stream over a file",
    .objectSize = kStateWord + 4,
    .slotTableSize = 0x20,
    .firstSlotTableOffset = file_stream::kLevel,
    .secondSlotTableOffset = file_stream::kLevel + 4,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
