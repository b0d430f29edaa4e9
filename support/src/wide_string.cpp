#include "kivo/support/wide_string.h"

#include <cstdlib>
#include <limits>
#include <string>

#include "kivo/support/module_core.h"

namespace kivo {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

size_t WideStrLen(const char16_t* text) {
  if (!text) return 0;
  size_t length = 0;
  while (text[length]) ++length;
  return length;
}

char16_t* WideStrCopy(char16_t* destination, const char16_t* source) {
  if (!destination) return nullptr;
  if (!source) {
    destination[0] = 0;
    return destination;
  }
  size_t i = 0;
  do {
    destination[i] = source[i];
  } while (source[i++]);
  return destination;
}

bool WideStrCopyBounded(char16_t* destination, size_t capacity, const char16_t* source) {
  if (!destination || capacity == 0) return false;
  const size_t length = WideStrLen(source);
  if (length >= capacity) {
    destination[0] = 0;
    return false;
  }
  for (size_t i = 0; i < length; ++i) destination[i] = source[i];
  destination[length] = 0;
  return true;
}

int WideStrCompare(const char16_t* a, const char16_t* b) {
  size_t i = 0;
  while (a[i] && a[i] == b[i]) ++i;
  return static_cast<int>(a[i]) - static_cast<int>(b[i]);
}

char16_t* WideStrCat(char16_t* destination, const char16_t* source) {
  WideStrCopy(destination + WideStrLen(destination), source);
  return destination;
}

const char16_t* WideStrFind(const char16_t* text, const char16_t* part) {
  if (!text || !part) return nullptr;
  for (; ; ++text) {
    size_t i = 0;
    while (part[i] && text[i] == part[i]) ++i;
    if (!part[i]) return text;
    if (!*text) return nullptr;
  }
}

int WideStrEqualNoCase(const char16_t* a, const char16_t* b) {
  for (size_t i = 0;; ++i) {
    int x = static_cast<int8_t>(a[i] & 0xFF);
    int y = static_cast<int8_t>(b[i] & 0xFF);
    if (x == 0 || y == 0) return (x == 0 && y == 0) ? 0 : 1;
    if (x >= 'A' && x <= 'Z') x += 32;
    if (y >= 'A' && y <= 'Z') y += 32;
    if (x != y) return 1;
  }
}

char16_t WideStrUpperChar(char16_t unit) {
  if (unit >= u'a' && unit <= u'z') return unit - 32;
  if (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7) return unit - 32;  // Latin-1 letters
  return unit;
}

std::u16string WideStrUpper(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& unit : upper) unit = WideStrUpperChar(unit);
  return upper;
}

bool WideStrUpperBounded(const char16_t* text, char16_t* buffer, size_t capacity) {
  if (!text || !buffer) return false;
  size_t i = 0;
  for (; text[i]; ++i) {
    if (i + 1 >= capacity) return false;
    buffer[i] = WideStrUpperChar(text[i]);
  }
  if (capacity == 0) return false;
  buffer[i] = 0;
  return true;
}

char* WideStrToNarrow(const char16_t* text, char* buffer) {
  size_t i = 0;
  for (; text && text[i]; ++i) buffer[i] = static_cast<char>(text[i] & 0xFF);
  buffer[i] = 0;
  return buffer;
}

char16_t* WideFromNarrow(const char* text, char16_t* buffer) {
  size_t i = 0;
  for (; text && text[i]; ++i) buffer[i] = static_cast<unsigned char>(text[i]);
  buffer[i] = 0;
  return buffer;
}

int32_t WideStrToInt(const char16_t* text) {
  if (!text) return 0;
  while (IsBlank(*text)) ++text;
  const bool negative = *text == u'-';
  if (*text == u'-' || *text == u'+') ++text;
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; *text >= u'0' && *text <= u'9'; ++text) {
    value = value * 10 + (*text - u'0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<int32_t>(-value);
  return static_cast<int32_t>(value >= kLimit ? kLimit - 1 : value);
}

double WideStrToFloat(const char16_t* text) {
  if (!text) return 0.0;
  std::string narrow;
  for (; *text; ++text) narrow += static_cast<char>(*text > 0x7F ? '?' : *text);
  return std::strtod(narrow.c_str(), nullptr);
}

char16_t* WideStrFromInt(int32_t value, char16_t* buffer, int radix) {
  if (radix < 2 || radix > 36) {
    buffer[0] = 0;
    return buffer;
  }
  const bool negative = radix == 10 && value < 0;
  uint32_t magnitude = negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  char16_t digits[kWideIntTextUnits];
  size_t count = 0;
  do {
    const uint32_t digit = magnitude % static_cast<uint32_t>(radix);
    digits[count++] = static_cast<char16_t>(digit < 10 ? u'0' + digit : u'a' + digit - 10);
    magnitude /= static_cast<uint32_t>(radix);
  } while (magnitude);
  size_t out = 0;
  if (negative) buffer[out++] = u'-';
  while (count) buffer[out++] = digits[--count];
  buffer[out] = 0;
  return buffer;
}

RTSuccess WideStrDup(const char16_t* text, char16_t** copy) {
  const size_t length = WideStrLen(text);
  void* block = nullptr;
  if (length >= UINT32_MAX ||
      !ModuleCore()->ArrayAlloc(nullptr, sizeof(char16_t), static_cast<uint32_t>(length + 1), &block, 0)) {
    *copy = nullptr;
    return kRTFailure;
  }
  *copy = WideStrCopy(static_cast<char16_t*>(block), text);
  return kRTSuccess;
}

}  // namespace kivo
