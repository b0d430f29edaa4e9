// RTBrellinFileStream: a stream over a file, its level at word 10. Paths go through the platform
// path function, so "c:/usr/..." and differences of letter case resolve. Mode 1 reads an existing
// file; mode 2 writes a new one into a temporary file beside it that replaces the file only when
// the stream is closed, so a write that fails or is abandoned leaves the old file as it was.
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "kivo/slots.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/stream_calls.h"
#include "platform/paths.h"

namespace {

using namespace kivo;

constexpr uint32_t kStateWord = 0x30;

struct State {
  FILE* file = nullptr;
  std::filesystem::path target;     // the file being written
  std::filesystem::path temporary;  // where it is written until the stream closes
  bool failed = false;
  uint32_t readSize = 0;  // a read file's size, taken when it opens
  uint64_t position = 0;  // kept here: asking the file would cost a system call every time
};

State* StateOf(RTInstance self) { return StateIn<State>(self, kStateWord); }

// Closes the file; a written file replaces its target only when `commit` and no write failed.
bool CloseFile(State& state, bool commit) {
  if (!state.file) return true;
  const bool closed = std::fclose(state.file) == 0;
  state.file = nullptr;
  bool ok = closed;
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
  state.position = 0;
  return ok;
}

// The size of the open file from its status (a written file's buffered bytes flushed first). Not a
// seek to the end and back: that would drop the read buffer, and the readers that check the bytes
// left before each value would read the file again block by block.
bool FileSize(FILE* file, bool writing, uint32_t* size) {
  if (writing && std::fflush(file) != 0) return false;
  struct stat status {};
  if (fstat(fileno(file), &status) != 0 || status.st_size > UINT32_MAX) return false;
  *size = static_cast<uint32_t>(status.st_size);
  return true;
}

RTSuccess Construct(RTInstance self) { return MakeState<State>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (State* state = StateOf(self)) CloseFile(*state, false);
  EndState<State>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess Open(RTInstance self, const char16_t* path, uint32_t mode) {
  State* state = StateOf(self);
  if (!state || !path || state->file) return kRTFailure;
  const std::filesystem::path file = platform::NativePath(path);
  if (mode == file_stream::kReadExisting) {
    state->file = std::fopen(file.c_str(), "rb");
    if (state->file && !FileSize(state->file, false, &state->readSize)) CloseFile(*state, false);
  } else if (mode == file_stream::kWriteNew) {
    std::error_code error;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
    state->target = file;
    state->temporary = file.string() + ".partial";
    state->file = std::fopen(state->temporary.c_str(), "w+b");
    if (!state->file) state->temporary.clear();
  }
  return state->file ? kRTSuccess : kRTFailure;
}

RTSuccess Close(RTInstance self) {
  State* state = StateOf(self);
  return state && CloseFile(*state, true) ? kRTSuccess : kRTFailure;
}

RTSuccess Write(RTInstance self, const void* data, uint32_t count, uint32_t* written) {
  State* state = StateOf(self);
  if (written) *written = 0;
  if (!state || !state->file || (count && !data)) return kRTFailure;
  const size_t moved = std::fwrite(data, 1, count, state->file);
  state->position += moved;
  if (written) *written = static_cast<uint32_t>(moved);
  if (moved != count) state->failed = true;
  return moved == count ? kRTSuccess : kRTFailure;
}

RTSuccess Read(RTInstance self, void* data, uint32_t count, uint32_t* read) {
  State* state = StateOf(self);
  if (read) *read = 0;
  if (!state || !state->file || (count && !data)) return kRTFailure;
  const size_t moved = std::fread(data, 1, count, state->file);
  state->position += moved;
  if (read) *read = static_cast<uint32_t>(moved);
  return moved == count || std::feof(state->file) ? kRTSuccess : kRTFailure;
}

RTSuccess GetPosition(RTInstance self, uint32_t* position) {
  State* state = StateOf(self);
  if (!state || !state->file || !position) return kRTFailure;
  if (state->position > UINT32_MAX) return kRTFailure;
  *position = static_cast<uint32_t>(state->position);
  return kRTSuccess;
}

RTSuccess GetSize(RTInstance self, uint32_t* size) {
  State* state = StateOf(self);
  if (!state || !state->file || !size) return kRTFailure;
  if (state->temporary.empty()) {
    *size = state->readSize;
    return kRTSuccess;
  }
  return FileSize(state->file, true, size) ? kRTSuccess : kRTFailure;
}

RTSuccess Seek(RTInstance self, uint32_t position) {
  uint32_t size = 0;
  State* state = StateOf(self);
  if (!GetSize(self, &size) || position > size) return kRTFailure;
  if (fseeko(state->file, position, SEEK_SET) != 0) return kRTFailure;
  state->position = position;
  return kRTSuccess;
}

RTSuccess Flush(RTInstance self) {
  State* state = StateOf(self);
  return state && state->file && std::fflush(state->file) == 0 ? kRTSuccess : kRTFailure;
}

constexpr bool kOverrides = true;

RTMethodRecord gMethods[] = {
    Method(u"Open", Open, file_stream::kOpen, u"RTSuccess", u"wchar[] apPath, uint anMode"),
    Method(u"Close", Close, file_stream::kClose, u"RTSuccess", u"", kOverrides),
    Method(u"Write", Write, OverrideAt(stream::kWrite, 0x08), u"RTSuccess", u"ubyte[] apBuffer, uint anBytes, uint out opWritten", kOverrides),
    Method(u"Read", Read, OverrideAt(stream::kRead, 0x0C), u"RTSuccess", u"ubyte[] apBuffer, uint anBytes, uint out opRead", kOverrides),
    Method(u"Seek", Seek, OverrideAt(stream::kSeek, 0x10), u"RTSuccess", u"uint anPosition", kOverrides),
    Method(u"GetPosition", GetPosition, OverrideAt(stream::kGetPosition, 0x14), u"RTSuccess", u"uint out opPosition", kOverrides),
    Method(u"GetSize", GetSize, OverrideAt(stream::kGetSize, 0x18), u"RTSuccess", u"uint out opSize", kOverrides),
    Method(u"Flush", Flush, OverrideAt(stream::kFlush, 0x1C), u"RTSuccess", u"", kOverrides),
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
