// UTF-16 text helpers. A text is a pointer to units ending with a 0 unit.
//
// WideStrCopy, WideStrCat and WideStrToNarrow write without a bound: they are for destinations
// sized from the source. Copies into fixed buffers use WideStrCopyBounded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "kivo/types.h"

namespace kivo {

// Units before the terminator; 0 for null.
size_t WideStrLen(const char16_t* text);
// Copies the source with its terminator; a null source writes an empty text; a null destination
// copies nothing and gives null.
char16_t* WideStrCopy(char16_t* destination, const char16_t* source);
// Copies the source when it fits `capacity` units with its terminator; otherwise writes an empty
// text (when capacity allows) and fails.
bool WideStrCopyBounded(char16_t* destination, size_t capacity, const char16_t* source);
// Lexical order of the units: negative, 0 or positive.
int WideStrCompare(const char16_t* a, const char16_t* b);
char16_t* WideStrCat(char16_t* destination, const char16_t* source);
// First occurrence of `part` in `text`, or null.
const char16_t* WideStrFind(const char16_t* text, const char16_t* part);

// The system's name comparison: 0 when equal, 1 when not. Only the low byte of each unit counts,
// 'A'-'Z' fold to lower case, and a unit whose low byte is 0 ends the text.
int WideStrEqualNoCase(const char16_t* a, const char16_t* b);
char16_t WideStrUpperChar(char16_t unit);
// The text with every unit upper-cased: the key form of case-insensitive name tables.
std::u16string WideStrUpper(std::u16string_view text);
// The same into a buffer of `capacity` units; false for a null text or one that does not fit.
bool WideStrUpperBounded(const char16_t* text, char16_t* buffer, size_t capacity);

// Narrow text is Latin-1: narrowing keeps the low byte of each unit, widening maps byte N to unit N.
char* WideStrToNarrow(const char16_t* text, char* buffer);
char16_t* WideFromNarrow(const char* text, char16_t* buffer);

// Leading blanks, an optional sign, decimal digits; 0 when there are none. Saturates at the
// 32-bit limits.
int32_t WideStrToInt(const char16_t* text);
// The C library's rule for reals; 0 when the text holds none.
double WideStrToFloat(const char16_t* text);

// Room for any 32-bit value in any radix with its sign and terminator.
inline constexpr size_t kWideIntTextUnits = 34;
// The value in radix 2-36 (lower-case digits); negative values are signed in radix 10 and
// written as 32-bit two's complement otherwise. An invalid radix gives an empty text.
char16_t* WideStrFromInt(int32_t value, char16_t* buffer, int radix);

// A new core array block of length + 1 units holding a copy; null gives an empty copy.
RTSuccess WideStrDup(const char16_t* text, char16_t** copy);

}  // namespace kivo
