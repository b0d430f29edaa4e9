// Memory from the core allocator, through the module's core table.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kivo {

// A plain block without zero-fill; null on failure or for 0 bytes.
void* CoreAlloc(size_t bytes);
void CoreFree(void* block);

// Object allocation of a library that counts its live objects: every call counts, also a failed
// allocation and the release of null.
void* ObjectNew(size_t bytes);
void ObjectDelete(void* block);
int32_t LiveObjectCount();

}  // namespace kivo
