#include "vm/counted_string.h"

#include <algorithm>
#include <cstring>

#include "compiler/core_records.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/module_core.h"
#include "kivo/support/wide_string.h"
#include "vm/symbol.h"

namespace varno {

namespace {

// The word right before a counted string's text; a plain text has the core's array magic there.
constexpr uint32_t kCountedMagic = 0x5C0DE57Au;
constexpr size_t kMostUnits = 0x7FFFFFF0u;
constexpr size_t kFirstRoom = 16;

struct Header {
  uint32_t references;
  uint32_t length;
  uint32_t capacity;
  uint32_t hash;
  uint32_t hashed;
  uint32_t magic;
};
static_assert(sizeof(Header) == 24);

Header* HeaderOf(const char16_t* text) {
  return reinterpret_cast<Header*>(const_cast<char*>(reinterpret_cast<const char*>(text)) - sizeof(Header));
}

char16_t* TextOf(Header* header) { return reinterpret_cast<char16_t*>(header + 1); }

bool Counted(const char16_t* text) { return HeaderOf(text)->magic == kCountedMagic; }

uint32_t BlockBytes(size_t capacity) {
  return static_cast<uint32_t>(sizeof(Header) + (capacity + 1) * sizeof(char16_t));
}

char16_t* gUnassigned = nullptr;

}  // namespace

char16_t* StringMakeRoom(size_t length, size_t capacity) {
  capacity = std::max(capacity, length);
  if (capacity > kMostUnits) return nullptr;
  void* block = nullptr;
  if (!kivo::ModuleCore()->MemAlloc(nullptr, BlockBytes(capacity), &block, 0) || !block) return nullptr;
  auto* header = static_cast<Header*>(block);
  *header = Header{1, static_cast<uint32_t>(length), static_cast<uint32_t>(capacity), 0, 0, kCountedMagic};
  char16_t* text = TextOf(header);
  text[length] = 0;
  return text;
}

char16_t* StringMake(std::u16string_view units) {
  char16_t* text = StringMakeRoom(units.size(), units.size());
  if (text && !units.empty()) std::memcpy(text, units.data(), units.size() * sizeof(char16_t));
  return text;
}

char16_t* StringCopy(const char16_t* text) {
  if (!text) return StringMake(std::u16string_view());
  return StringMake(std::u16string_view(text, kivo::WideStrLen(text)));
}

char16_t* StringShare(char16_t* text) {
  if (!text) return nullptr;
  if (!Counted(text)) return StringCopy(text);
  ++HeaderOf(text)->references;
  return text;
}

void StringRelease(const char16_t* text) {
  if (!text) return;
  if (!Counted(text)) {
    FreeText(text);
    return;
  }
  Header* header = HeaderOf(text);
  if (--header->references == 0) kivo::ModuleCore()->MemFree(nullptr, header);
}

bool StringSoleHolder(const char16_t* text) { return text && Counted(text) && HeaderOf(text)->references == 1; }

size_t StringLength(const char16_t* text) {
  if (!text) return 0;
  return Counted(text) ? HeaderOf(text)->length : kivo::WideStrLen(text);
}

uint32_t StringHash(const char16_t* text) {
  if (text && Counted(text) && HeaderOf(text)->hashed) return HeaderOf(text)->hash;
  uint32_t hash = 0;
  kivo::HashWideString(text ? text : u"", &hash);
  if (text && Counted(text)) {
    HeaderOf(text)->hash = hash;
    HeaderOf(text)->hashed = 1;
  }
  return hash;
}

char16_t* StringAppend(char16_t* text, std::u16string_view units) {
  Header* header = HeaderOf(text);
  const size_t length = header->length + units.size();
  if (length > kMostUnits) return nullptr;
  if (length > header->capacity) {
    const size_t capacity = std::min(kMostUnits, std::max({length, size_t{header->capacity} * 2, kFirstRoom}));
    void* moved = nullptr;
    if (!kivo::ModuleCore()->MemRealloc(nullptr, BlockBytes(capacity), header, &moved) || !moved) return nullptr;
    header = static_cast<Header*>(moved);
    header->capacity = static_cast<uint32_t>(capacity);
    text = TextOf(header);
  }
  if (!units.empty()) std::memcpy(text + header->length, units.data(), units.size() * sizeof(char16_t));
  header->length = static_cast<uint32_t>(length);
  header->hashed = 0;
  text[length] = 0;
  return text;
}

char16_t* StringUnassigned() {
  if (!gUnassigned) gUnassigned = StringMake(kUnassignedString);
  return StringShare(gUnassigned);
}

void StringShutdown() {
  StringRelease(gUnassigned);
  gUnassigned = nullptr;
}

}  // namespace varno
