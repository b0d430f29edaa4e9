// The compiled class file (".varnoc"): one class after code generation, little-endian, every value
// in the form of the typed stream helpers:
//
//   u32 version (0x10000), wide class name, wide file name, u32 flags, u32 class word,
//   u32 own attribute count A, byte singleton, byte has parent, [wide parent name],
//   A attribute entries, u32 method count M, M method entries (in method list order),
//   u32 own constant count, u32 constant count K, K constant entries.
//
//   attribute (and declaration): wide type name, wide name, u32 flag (the byte sign-extended).
//   method: u32 kind (sign-extended), wide key name, wide display name, u32 code size N and N
//     bytes, byte has declarations [u32 D, D declaration entries], u32 parameter count P and P
//     parameters {wide name, wide type name}, wide return type name, the line table
//     (u32 entries, {u32 first, u32 last, u32 line} each, u32 word), and for an implemented
//     method its wide class part and wide method part.
//   constant: wide name, u32 tag, then 1 number: u32; 2 real: float; 3 string: wide string;
//     6 bool: byte; 8 vector3: three floats.
//
// Types are stored by their names in the type table; reading maps each name back to its index.
#pragma once

#include <cstdint>

namespace varno {

inline constexpr uint32_t kClassFileVersion = 0x10000;

// Longest name (class, type, attribute, method, parameter, constant, binding part) and longest
// file name a class file may hold, in UTF-16 units. String constants are bounded by the file.
inline constexpr uint32_t kClassFileMaxNameUnits = 1024;
inline constexpr uint32_t kClassFileMaxPathUnits = 4096;

// The smallest encodings of the repeated entries, to refuse a count the file cannot hold.
inline constexpr uint32_t kMinAttributeBytes = 4 + 4 + 4;
inline constexpr uint32_t kMinMethodBytes = 4 + 4 + 4 + 4 + 1 + 4 + 4 + 4 + 4;
inline constexpr uint32_t kMinParameterBytes = 4 + 4;
inline constexpr uint32_t kMinConstantBytes = 4 + 4 + 1;
inline constexpr uint32_t kLineEntryBytes = 4 + 4 + 4;

}  // namespace varno
