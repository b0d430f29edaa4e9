// RTMemoryStream: a growable byte buffer in core memory, its level at word 10. A stream opened
// with mode 3, or mode 2 as the mesh's writer opens it, is empty, readable and writable, and
// keeps its bytes and position until it is closed or released. It overrides the RTStream level's
// data methods.
#include <algorithm>
#include <cstring>

#include "kivo/slots.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/stream_calls.h"

namespace {

using namespace kivo;

constexpr uint32_t kStateWord = memory_stream::kObjectSize - 4;

struct State {
  uint8_t* data;
  uint32_t size;
  uint32_t capacity;
  uint32_t position;
  bool open;
};

State* StateOf(RTInstance self) { return static_cast<State*>(Word(ComponentObject(self), kStateWord)); }

RTSuccess Construct(RTInstance self) {
  auto* state = static_cast<State*>(CoreAlloc(sizeof(State)));
  if (!state) return kRTFailure;
  *state = State{};
  Word(ComponentObject(self), kStateWord) = state;
  return kRTSuccess;
}

RTSuccess Destroy(RTInstance self) {
  State* state = StateOf(self);
  if (!state) return kRTSuccess;
  CoreFree(state->data);
  CoreFree(state);
  Word(ComponentObject(self), kStateWord) = nullptr;
  return kRTSuccess;
}

bool Reserve(State* state, uint64_t needed) {
  if (needed <= state->capacity) return true;
  if (needed > UINT32_MAX / 2) return false;
  const auto capacity = static_cast<uint32_t>(std::max<uint64_t>({needed, uint64_t{state->capacity} * 2, 256}));
  void* grown = nullptr;
  if (!ModuleCore()->MemRealloc(nullptr, capacity, state->data, &grown)) return false;
  state->data = static_cast<uint8_t*>(grown);
  state->capacity = capacity;
  return true;
}

RTSuccess Open(RTInstance self, uint32_t mode) {
  State* state = StateOf(self);
  if (!state || (mode != memory_stream::kReadWrite && mode != memory_stream::kEmptyReadWrite)) return kRTFailure;
  state->size = 0;
  state->position = 0;
  state->open = true;
  return kRTSuccess;
}

RTSuccess Close(RTInstance self) {
  State* state = StateOf(self);
  if (!state) return kRTFailure;
  CoreFree(state->data);
  *state = State{};
  return kRTSuccess;
}

RTSuccess Write(RTInstance self, const void* data, uint32_t count, uint32_t* written) {
  State* state = StateOf(self);
  if (written) *written = 0;
  if (!state || !state->open || (count && !data)) return kRTFailure;
  const uint64_t end = uint64_t{state->position} + count;
  if (!Reserve(state, end)) return kRTFailure;
  if (count) std::memcpy(state->data + state->position, data, count);
  state->position = static_cast<uint32_t>(end);
  state->size = std::max(state->size, state->position);
  if (written) *written = count;
  return kRTSuccess;
}

RTSuccess Read(RTInstance self, void* data, uint32_t count, uint32_t* read) {
  State* state = StateOf(self);
  if (read) *read = 0;
  if (!state || !state->open || (count && !data)) return kRTFailure;
  const uint32_t available = std::min(count, state->size - state->position);
  if (available) std::memcpy(data, state->data + state->position, available);
  state->position += available;
  if (read) *read = available;
  return kRTSuccess;
}

RTSuccess Seek(RTInstance self, uint32_t position) {
  State* state = StateOf(self);
  if (!state || !state->open || position > state->size) return kRTFailure;
  state->position = position;
  return kRTSuccess;
}

RTSuccess GetPosition(RTInstance self, uint32_t* position) {
  State* state = StateOf(self);
  if (!state || !state->open || !position) return kRTFailure;
  *position = state->position;
  return kRTSuccess;
}

RTSuccess GetSize(RTInstance self, uint32_t* size) {
  State* state = StateOf(self);
  if (!state || !state->open || !size) return kRTFailure;
  *size = state->size;
  return kRTSuccess;
}

RTSuccess Flush(RTInstance self) { return StateOf(self) ? kRTSuccess : kRTFailure; }

RTSuccess GetBuffer(RTInstance self, const uint8_t** data) {
  State* state = StateOf(self);
  if (!state || !state->open || !data) return kRTFailure;
  *data = state->data;
  return kRTSuccess;
}

RTSuccess ReadPointer(RTInstance self, uint32_t count, const uint8_t** data) {
  State* state = StateOf(self);
  if (!state || !state->open || !data || state->size - state->position < count) return kRTFailure;
  *data = state->data + state->position;
  state->position += count;
  return kRTSuccess;
}

constexpr bool kOverrides = true;

RTMethodRecord gMethods[] = {
    Method(u"Open", Open, memory_stream::kOpen, u"RTSuccess", u"uint anMode"),
    Method(u"Close", Close, memory_stream::kClose, u"RTSuccess", u"", kOverrides),
    Method(u"GetBuffer", GetBuffer, memory_stream::kGetBuffer, u"RTSuccess", u"ubyte[] out oppBuffer"),
    Method(u"ReadPointer", ReadPointer, memory_stream::kReadPointer, u"RTSuccess",
           u"uint anBytes, ubyte[] out oppBytes"),
    Method(u"Seek", Seek, memory_stream::kSeek, u"RTSuccess", u"uint anPosition", kOverrides),
    Method(u"GetPosition", GetPosition, memory_stream::kGetPosition, u"RTSuccess", u"uint out opPosition",
           kOverrides),
    Method(u"GetSize", GetSize, memory_stream::kGetSize, u"RTSuccess", u"uint out opSize", kOverrides),
    Method(u"Write", Write, OverrideAt(stream::kWrite, 0x1C), u"RTSuccess", u"ubyte[] apBuffer, uint anBytes, uint out opWritten", kOverrides),
    Method(u"Read", Read, OverrideAt(stream::kRead, 0x20), u"RTSuccess", u"ubyte[] apBuffer, uint anBytes, uint out opRead", kOverrides),
    Method(u"Flush", Flush, OverrideAt(stream::kFlush, 0x24), u"RTSuccess", u"", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = u"RTMemoryStream",
    .parentClassName = u"RTStream",
    .description = u"A stream over a growable buffer in memory",
    .objectSize = memory_stream::kObjectSize,
    .slotTableSize = 0x28,
    .firstSlotTableOffset = memory_stream::kLevel,
    .secondSlotTableOffset = memory_stream::kLevel + 4,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
