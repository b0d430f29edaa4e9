#include "compiler/dotted_name.h"

#include "compiler/report.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

char16_t Fold(char16_t unit) {
  const char16_t low = unit & 0xFF;
  return (low >= u'A' && low <= u'Z') ? low + 32 : low;
}

RTSuccess SplitAt(const char16_t* name, const char16_t* dot, char16_t* head, size_t capacity,
                  const char16_t** rest) {
  const size_t length = dot ? static_cast<size_t>(dot - name) : kivo::WideStrLen(name);
  if (!head || length >= capacity) {
    Raise(u"[VARNO] Name too long (limit is %d characters): %s", capacity ? static_cast<int>(capacity - 1) : 0, name);
    if (head && capacity) head[0] = 0;
    return kRTFailure;
  }
  for (size_t i = 0; i < length; ++i) head[i] = name[i];
  head[length] = 0;
  if (rest) *rest = dot ? dot + 1 : nullptr;
  return kRTSuccess;
}

}  // namespace

bool NamesEqual(const char16_t* a, const char16_t* b) {
  if (!a || !b) return a == b;
  return kivo::WideStrEqualNoCase(a, b) == 0;
}

bool FirstPartsEqual(const char16_t* a, const char16_t* b) {
  if (!a || !b) return a == b;
  for (size_t i = 0;; ++i) {
    const char16_t x = (a[i] & 0xFF) == u'.' ? 0 : Fold(a[i]);
    const char16_t y = (b[i] & 0xFF) == u'.' ? 0 : Fold(b[i]);
    if (x != y) return false;
    if (x == 0) return true;
  }
}

RTSuccess NameSplitFirst(const char16_t* name, char16_t* head, size_t capacity, const char16_t** rest) {
  if (!name) return kRTFailure;
  const char16_t* dot = name;
  while (*dot && *dot != u'.') ++dot;
  return SplitAt(name, *dot ? dot : nullptr, head, capacity, rest);
}

RTSuccess NameSplitLast(const char16_t* name, char16_t* head, size_t capacity, const char16_t** rest) {
  if (!name) return kRTFailure;
  const char16_t* dot = nullptr;
  for (const char16_t* at = name; *at; ++at) {
    if (*at == u'.') dot = at;
  }
  return SplitAt(name, dot, head, capacity, rest);
}

RTSuccess NameCutFirst(char16_t* name, char16_t** rest, int32_t* position, char16_t* saved) {
  if (!name) return kRTFailure;
  char16_t* dot = name;
  while (*dot && *dot != u'.') ++dot;
  if (!*dot) {
    if (rest) *rest = nullptr;
    if (position) *position = -1;
    if (saved) *saved = 0;
    return kRTSuccess;
  }
  if (saved) *saved = *dot;
  if (position) *position = static_cast<int32_t>(dot - name);
  *dot = 0;
  if (rest) *rest = dot + 1;
  return kRTSuccess;
}

}  // namespace varno
