#include "vm/record_pool.h"

#include <sanitizer/asan_interface.h>

#include <cstdint>

#include "kivo/support/core_memory.h"

namespace varno {

namespace {

constexpr size_t kGrain = 16;
constexpr size_t kSizeClasses = kLargestPooledRecord / kGrain;
constexpr size_t kChunkBytes = 16384;

struct Chunk;

// Before every block: the chunk it belongs to (null: a core block of its own).
struct BlockHead {
  Chunk* chunk;
};

// A freed block's record area links it into its chunk's free list.
struct FreeBlock {
  FreeBlock* next;
};

struct Chunk {
  Chunk* previous;  // in its class's list of chunks with room
  Chunk* next;
  FreeBlock* free;
  uint32_t live;      // blocks handed out and not freed
  uint32_t bumped;    // blocks handed out from the never used tail
  uint32_t capacity;  // blocks in the chunk
  uint16_t sizeClass;
  bool listed;  // on its class's list of chunks with room
};

struct SizeClass {
  Chunk* withRoom;
  Chunk* spare;  // an empty chunk kept for the next records
};

SizeClass gClasses[kSizeClasses];

size_t RecordBytes(size_t sizeClass) { return (sizeClass + 1) * kGrain; }
size_t BlockBytes(size_t sizeClass) { return sizeof(BlockHead) + RecordBytes(sizeClass); }

char* BlockAt(Chunk* chunk, uint32_t index) {
  return reinterpret_cast<char*>(chunk + 1) + index * BlockBytes(chunk->sizeClass);
}

void Link(SizeClass& owner, Chunk* chunk) {
  chunk->previous = nullptr;
  chunk->next = owner.withRoom;
  if (owner.withRoom) owner.withRoom->previous = chunk;
  owner.withRoom = chunk;
  chunk->listed = true;
}

void Unlink(SizeClass& owner, Chunk* chunk) {
  if (chunk->previous) {
    chunk->previous->next = chunk->next;
  } else {
    owner.withRoom = chunk->next;
  }
  if (chunk->next) chunk->next->previous = chunk->previous;
  chunk->listed = false;
}

void FreeChunk(Chunk* chunk) {
  if (!chunk) return;
  ASAN_UNPOISON_MEMORY_REGION(chunk, kChunkBytes);
  kivo::CoreFree(chunk);
}

// An empty chunk of the class: the spare one, or a new one.
Chunk* EmptyChunk(size_t sizeClass) {
  SizeClass& owner = gClasses[sizeClass];
  Chunk* chunk = owner.spare;
  owner.spare = nullptr;
  if (!chunk) chunk = static_cast<Chunk*>(kivo::CoreAlloc(kChunkBytes));
  if (!chunk) return nullptr;
  *chunk = Chunk{};
  chunk->capacity = static_cast<uint32_t>((kChunkBytes - sizeof(Chunk)) / BlockBytes(sizeClass));
  chunk->sizeClass = static_cast<uint16_t>(sizeClass);
  return chunk;
}

}  // namespace

void* PoolAllocate(size_t bytes) {
  if (bytes > kLargestPooledRecord) {
    auto* head = static_cast<BlockHead*>(kivo::CoreAlloc(sizeof(BlockHead) + bytes));
    if (!head) return nullptr;
    head->chunk = nullptr;
    return head + 1;
  }
  const size_t sizeClass = (bytes + kGrain - 1) / kGrain - 1;
  SizeClass& owner = gClasses[sizeClass];
  Chunk* chunk = owner.withRoom;
  if (!chunk) {
    if (!(chunk = EmptyChunk(sizeClass))) return nullptr;
    Link(owner, chunk);
  }
  char* block = nullptr;
  if (chunk->free) {
    block = reinterpret_cast<char*>(chunk->free) - sizeof(BlockHead);
    chunk->free = chunk->free->next;
  } else {
    block = BlockAt(chunk, chunk->bumped++);
  }
  ASAN_UNPOISON_MEMORY_REGION(block + sizeof(BlockHead), RecordBytes(sizeClass));
  ++chunk->live;
  if (!chunk->free && chunk->bumped == chunk->capacity) Unlink(owner, chunk);
  auto* head = reinterpret_cast<BlockHead*>(block);
  head->chunk = chunk;
  return head + 1;
}

void PoolFree(void* record) {
  if (!record) return;
  BlockHead* head = static_cast<BlockHead*>(record) - 1;
  Chunk* chunk = head->chunk;
  if (!chunk) {
    kivo::CoreFree(head);
    return;
  }
  SizeClass& owner = gClasses[chunk->sizeClass];
  if (--chunk->live == 0) {
    if (chunk->listed) Unlink(owner, chunk);
    if (owner.spare) {
      FreeChunk(chunk);
    } else {
      owner.spare = chunk;
    }
    return;
  }
  auto* block = static_cast<FreeBlock*>(record);
  block->next = chunk->free;
  chunk->free = block;
  // Under the address sanitizer a freed record is out of bounds but for its link.
  ASAN_POISON_MEMORY_REGION(block + 1, RecordBytes(chunk->sizeClass) - sizeof(FreeBlock));
  if (!chunk->listed) Link(owner, chunk);
}

void PoolReleaseSpares() {
  for (SizeClass& owner : gClasses) {
    FreeChunk(owner.spare);
    owner.spare = nullptr;
  }
}

}  // namespace varno
