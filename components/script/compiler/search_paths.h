// The class search paths and the lookup of a class's file on them.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace varno {

inline constexpr uint32_t kMaxSearchPaths = 16;
// A candidate path (search path, class name and extension) holds at most this many units.
inline constexpr uint32_t kMaxClassPathUnits = 255;

// Appends a path prefix (it ends with its separator: the class name follows it directly) and
// records it in the error log; the 17th is refused with a report.
RTSuccess AddSearchPath(const char16_t* path);
uint32_t SearchPathCount();
// Forgets every search path (the component's shutdown; tests).
void ClearSearchPaths();

// The full path of the class's ".varno" or ".varnoc" file into the buffer of `bufferSize` units:
// the search paths in the order added, in each the source before the compiled file. Fails with a
// report when there is none, and when the path found does not fit the buffer.
RTSuccess VarnoFindClass(const char16_t* className, char16_t* buffer, uint32_t bufferSize);

// Whether a file can be opened for reading (a system path).
bool SourceFileExists(const char16_t* path);

}  // namespace varno
