#include "compiler/core_records.h"

#include "kivo/support/wide_string.h"

namespace varno {

void FreeRecord(void* record) {
  if (record) kivo::ModuleCore()->MemFree(nullptr, record);
}

char16_t* CopyText(const char16_t* text) {
  char16_t* copy = nullptr;
  kivo::WideStrDup(text, &copy);
  return copy;
}

char16_t* CopyTextPart(const char16_t* text, size_t length) {
  const size_t available = kivo::WideStrLen(text);
  if (length > available) length = available;
  void* block = nullptr;
  if (length >= UINT32_MAX ||
      !kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(char16_t), static_cast<uint32_t>(length + 1), &block, 0)) {
    return nullptr;
  }
  auto* copy = static_cast<char16_t*>(block);
  for (size_t i = 0; i < length; ++i) copy[i] = text[i];
  copy[length] = 0;
  return copy;
}

void FreeText(const char16_t* text) {
  if (text) kivo::ModuleCore()->ArrayFree(nullptr, const_cast<char16_t*>(text));
}

char16_t* CopyTextUpper(const char16_t* text) {
  char16_t* copy = CopyText(text);
  UpperInPlace(copy);
  return copy;
}

void UpperInPlace(char16_t* text) {
  for (; text && *text; ++text) *text = kivo::WideStrUpperChar(*text);
}

}  // namespace varno
