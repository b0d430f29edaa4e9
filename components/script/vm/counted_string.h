// The VM's strings: zero-terminated UTF-16 text behind a header (reference count, length,
// capacity, cached hash), handed around as the char16_t* of the text so that every text interface
// stays as it is. Holders share a string by counting a reference; a string held by one holder may
// grow in place. A plain text (a core array block, as native code and the compiler make them) is
// accepted wherever a string is released or shared: it is freed, or copied into a counted string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varno {

// A new string of the units, with one reference; null without memory.
char16_t* StringMake(std::u16string_view units);
// A new string of `length` units whose text the caller writes (the terminator is written), with
// room to grow to `capacity` units in place.
char16_t* StringMakeRoom(size_t length, size_t capacity);
// A new string holding a copy of any text, read as a plain zero-terminated text (a null text gives
// an empty string).
char16_t* StringCopy(const char16_t* text);
// One more holder: the same string, or a counted copy of a plain text. Null stays null; null is
// also the result when a copy finds no memory.
char16_t* StringShare(char16_t* text);
// One holder less; the last frees the string. A plain text is freed; null is ignored.
void StringRelease(const char16_t* text);

// True for a counted string that only its caller holds (it may be changed in place).
bool StringSoleHolder(const char16_t* text);
// Units before the terminator.
size_t StringLength(const char16_t* text);
// The names' hash (kivo::HashWideString) of the text, computed once per counted string.
uint32_t StringHash(const char16_t* text);
// Appends the units to a string its caller alone holds (StringSoleHolder), moving it when it must
// grow; the string to use from now on, or null without memory (the string is left as it was).
char16_t* StringAppend(char16_t* text, std::u16string_view units);

// The one shared text of a string variable that was never assigned (".!p@@p!."), with a reference
// for the caller.
char16_t* StringUnassigned();
// Lets go of the shared texts (the component's shutdown).
void StringShutdown();

}  // namespace varno
