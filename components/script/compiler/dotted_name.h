// Names: case-insensitive comparison and the splitting of dotted names ("obj.pos.x").
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/types.h"

namespace varno {

// Whole names compared the system's way (ASCII letters without regard to case, only the low byte
// of each unit counts); null equals only null.
bool NamesEqual(const char16_t* a, const char16_t* b);
// The parts of two names before their first "." compared the same way ("a.b" matches "A").
bool FirstPartsEqual(const char16_t* a, const char16_t* b);

// Copies the text before the first "." into the head buffer (`capacity` units with the
// terminator) and points `rest` after the dot; without a "." the whole name is the head and
// `rest` is null. Fails for a null name, and with a report when the head does not fit.
RTSuccess NameSplitFirst(const char16_t* name, char16_t* head, size_t capacity, const char16_t** rest);
// The same at the last ".".
RTSuccess NameSplitLast(const char16_t* name, char16_t* head, size_t capacity, const char16_t** rest);
// Writes a terminator over the first "." in place and gives the rest after it, the dot's position
// and the unit that stood there (so that the caller can put it back); without a "." the rest is
// null and the position -1.
RTSuccess NameCutFirst(char16_t* name, char16_t** rest, int32_t* position, char16_t* saved);

}  // namespace varno
