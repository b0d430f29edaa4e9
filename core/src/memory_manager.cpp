#include "memory_manager.h"

#include <cstdlib>
#include <cstring>

#include "error_log.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"

namespace kivo::core {

namespace {

constexpr uint32_t kArrayMagic = 0xABADFEE1;
constexpr uint32_t kPlainMagic = 0xABADFEE2;
// The system's own header size, which the statistics count per block.
constexpr uint64_t kCountedHeader = 12;
// The largest size whose counted size still fits the 32-bit counters.
constexpr uint64_t kLargestSize = UINT32_MAX - kCountedHeader;

struct alignas(16) BlockHeader {
  uint32_t one;
  uint32_t size;
  uint32_t reserved;
  uint32_t magic;
};

struct alignas(16) ArrayHeader {
  uint32_t count;
  uint32_t elementSize;
  uint32_t reserved;
  uint32_t magic;
};
static_assert(sizeof(BlockHeader) == 16 && sizeof(ArrayHeader) == 16);

struct Statistics {
  uint32_t blocks;
  uint32_t heap;
  uint32_t peakBlocks;
  uint32_t peakHeap;
};
Statistics gStats{};

void RaisePeaks() {
  if (gStats.blocks > gStats.peakBlocks) gStats.peakBlocks = gStats.blocks;
  if (gStats.heap > gStats.peakHeap) gStats.peakHeap = gStats.heap;
}

uint32_t MagicBefore(const void* data) {
  uint32_t magic;
  std::memcpy(&magic, static_cast<const char*>(data) - sizeof(uint32_t), sizeof magic);
  return magic;
}

BlockHeader* PlainHeaderOf(void* data) { return static_cast<BlockHeader*>(data) - 1; }
ArrayHeader* ArrayHeaderOf(void* data) { return static_cast<ArrayHeader*>(data) - 1; }

// Allocates a plain block counted as `size` whose data area holds `extra` + size bytes (the array
// header lives in that extra room). Only a block that exists is counted.
void* AllocatePlain(uint32_t size, size_t extra, bool zero) {
  const size_t dataBytes = extra + size;
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + dataBytes));
  if (!header) return nullptr;
  ++gStats.blocks;
  gStats.heap += size + kCountedHeader;
  RaisePeaks();
  *header = BlockHeader{1, size, 0, kPlainMagic};
  if (zero) std::memset(header + 1, 0, dataBytes);
  return header + 1;
}

// Resizes a plain block to be counted as `size` with `extra` + size bytes of data; null on
// failure, when the old block stays valid and counted as it was.
void* ResizePlain(void* data, uint32_t size, size_t extra) {
  BlockHeader* header = PlainHeaderOf(data);
  const uint32_t oldSize = header->size;
  auto* moved = static_cast<BlockHeader*>(std::realloc(header, sizeof(BlockHeader) + extra + size));
  if (!moved) return nullptr;
  gStats.heap += size - oldSize;
  RaisePeaks();
  moved->size = size;
  return moved + 1;
}

void FreePlain(void* data) {
  BlockHeader* header = PlainHeaderOf(data);
  gStats.heap -= header->size + kCountedHeader;
  --gStats.blocks;
  std::free(header);
}

void RaiseAllocationFailure(uint64_t size) {
  RaiseFormatted(kLevelError, u"Couldn't satisfy request for memory allocation of: %d bytes", size);
}

void RaiseReallocationFailure(uint64_t size) {
  RaiseFormatted(kLevelError, u"Couldn't satisfy request for memory re-allocation of: %d bytes", size);
}

}  // namespace

RTSuccess MemAlloc(RTInstance, uint32_t size, void** out, RTBool zero) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (size == 0) return kRTSuccess;
  if (size > kLargestSize) {
    RaiseAllocationFailure(size);
    return kRTFailure;
  }
  *out = AllocatePlain(size, 0, zero != 0);
  if (*out) return kRTSuccess;
  RaiseAllocationFailure(size);
  return kRTFailure;
}

RTSuccess MemRealloc(RTInstance ctx, uint32_t newSize, void* block, void** out) {
  if (!out) return kRTFailure;
  if (!block) return MemAlloc(ctx, newSize, out, 0);
  if (MagicBefore(block) != kPlainMagic) {
    RaiseFormatted(kLevelError, u"Cannot resize an array block!");
    return kRTFailure;
  }
  if (newSize > kLargestSize) return kRTFailure;
  void* moved = ResizePlain(block, newSize, 0);
  if (!moved) return kRTFailure;
  *out = moved;
  return kRTSuccess;
}

RTSuccess MemFree(RTInstance ctx, void* block) {
  if (!block) return kRTSuccess;
  switch (MagicBefore(block)) {
    case kPlainMagic:
      FreePlain(block);
      return kRTSuccess;
    case kArrayMagic:
      return ArrayFree(ctx, block);
    default:
      return kRTFailure;
  }
}

RTSuccess ArrayAlloc(RTInstance, uint32_t elementSize, uint32_t count, void** out, RTBool zero) {
  if (!out) return kRTFailure;
  *out = nullptr;
  const uint64_t size = uint64_t{elementSize} * count + kCountedHeader;
  if (size > kLargestSize) {
    RaiseAllocationFailure(size);
    return kRTFailure;
  }
  void* plain = AllocatePlain(static_cast<uint32_t>(size), sizeof(ArrayHeader) - kCountedHeader, zero != 0);
  if (!plain) {
    RaiseAllocationFailure(size);
    return kRTFailure;
  }
  auto* header = static_cast<ArrayHeader*>(plain);
  *header = ArrayHeader{count, elementSize, 0, kArrayMagic};
  *out = header + 1;
  return kRTSuccess;
}

RTSuccess ArrayFree(RTInstance ctx, void* block) {
  if (!block) return kRTSuccess;
  switch (MagicBefore(block)) {
    case kArrayMagic:
      FreePlain(ArrayHeaderOf(block));
      return kRTSuccess;
    case kPlainMagic:
      return MemFree(ctx, block);
    default:
      return kRTFailure;
  }
}

RTSuccess ArrayResize(RTInstance, uint32_t count, void* block, void** out) {
  if (!block || !out) return kRTFailure;
  if (MagicBefore(block) != kArrayMagic) {
    RaiseFormatted(kLevelError, u"Cannot size a memory block!");
    return kRTFailure;
  }
  ArrayHeader* header = ArrayHeaderOf(block);
  const uint64_t bytes = uint64_t{header->elementSize} * count;
  if (bytes + kCountedHeader > kLargestSize) {
    RaiseReallocationFailure(bytes);
    return kRTFailure;
  }
  void* plain = ResizePlain(header, static_cast<uint32_t>(bytes + kCountedHeader),
                            sizeof(ArrayHeader) - kCountedHeader);
  if (!plain) {
    RaiseReallocationFailure(bytes);
    return kRTFailure;
  }
  header = static_cast<ArrayHeader*>(plain);
  header->count = count;
  *out = header + 1;
  return kRTSuccess;
}

RTSuccess ArrayGetCount(RTInstance, void* block, uint32_t* count) {
  const bool isArray = block && MagicBefore(block) == kArrayMagic;
  if (count) *count = isArray ? ArrayHeaderOf(block)->count : 0;
  return isArray ? kRTSuccess : kRTFailure;
}

RTSuccess GetMemoryStats(RTInstance, uint32_t* blocks, uint32_t* heapBytes) {
  if (blocks) *blocks = gStats.blocks;
  if (heapBytes) *heapBytes = gStats.heap;
  return kRTSuccess;
}

void ResetMemoryStatistics() { gStats = Statistics{}; }

void ReportMemoryStatistics() {
  const struct {
    const char16_t* label;
    uint32_t value;
  } lines[] = {
      {u"Memory Blocks Remaining on Core Shutdown: ", gStats.blocks},
      {u"Peak Number of Memory Blocks: ", gStats.peakBlocks},
      {u"Heap size on Core shutdown: ", gStats.heap},
      {u"Peak Heap Size: ", gStats.peakHeap},
  };
  for (const auto& line : lines) DebugPrint(nullptr, Format(u"%s%u", line.label, line.value).c_str());
}

}  // namespace kivo::core
