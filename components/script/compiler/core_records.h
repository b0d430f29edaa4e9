// Records and texts of the compiler live in core memory, so that the core's statistics account
// for them. Records are plain structs: zeroed blocks from MemAlloc; texts are array blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

#include "kivo/support/module_core.h"

namespace varno {

// A zeroed record, or null when the core has no memory for it.
template <class T>
T* NewRecord() {
  static_assert(std::is_trivially_destructible_v<T>, "records are freed without running destructors");
  void* block = nullptr;
  if (!kivo::ModuleCore()->MemAlloc(nullptr, static_cast<uint32_t>(sizeof(T)), &block, 1) || !block) return nullptr;
  return new (block) T{};
}

// Frees a record made by NewRecord; null is ignored.
void FreeRecord(void* record);

// A new copy of the text (an empty text for null), or null when there is no memory.
char16_t* CopyText(const char16_t* text);
// A copy of at most `length` units of the text.
char16_t* CopyTextPart(const char16_t* text, size_t length);
// Frees a text made by CopyText (or any core array block); null is ignored.
void FreeText(const char16_t* text);

// A copy upper-cased unit by unit (kivo::WideStrUpperChar), the key form of name tables.
char16_t* CopyTextUpper(const char16_t* text);
void UpperInPlace(char16_t* text);

}  // namespace varno
