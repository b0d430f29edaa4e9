// The core allocator: plain and array blocks with a header before the data, and four statistics.
//
// A plain block is one system allocation: a 16-byte header {1, size, 0, 0xABADFEE2} and the data.
// An array block is a plain block whose data starts with a 16-byte array header
// {count, element size, 0, 0xABADFEE1}. The magic word sits directly before the pointer handed
// out, which tells the kinds apart, and the data stays 16-byte aligned. The statistics count a
// plain block as size + 12 bytes and an array as element size x count + 24.
#pragma once

#include "kivo/types.h"

namespace kivo::core {

RTSuccess MemAlloc(RTInstance ctx, uint32_t size, void** out, RTBool zero);
RTSuccess MemRealloc(RTInstance ctx, uint32_t newSize, void* block, void** out);
RTSuccess MemFree(RTInstance ctx, void* block);
RTSuccess ArrayAlloc(RTInstance ctx, uint32_t elementSize, uint32_t count, void** out, RTBool zero);
RTSuccess ArrayFree(RTInstance ctx, void* block);
RTSuccess ArrayResize(RTInstance ctx, uint32_t count, void* block, void** out);
RTSuccess ArrayGetCount(RTInstance ctx, void* block, uint32_t* count);
RTSuccess GetMemoryStats(RTInstance ctx, uint32_t* blocks, uint32_t* heapBytes);

void ResetMemoryStatistics();
void ReportMemoryStatistics();

}  // namespace kivo::core
