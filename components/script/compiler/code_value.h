// Compiled code as a value: a counted record holding the memory stream with the code bytes and
// the code's line table.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace varno {

struct LineTable;

struct VNcode {
  uint32_t references;
  RTInstance stream;     // RTMemoryStream holding the code bytes
  LineTable* lineTable;  // owned; may be null
};

// A new code value with one reference and a new, open, empty memory stream; fails (out null)
// when the stream cannot be created.
RTSuccess CodeValueFactory(VNcode** out);
RTSuccess CodeValueReference(VNcode* code);
// Drops one reference; the last one releases the stream, frees the line table and the record.
RTSuccess CodeValueRelease(VNcode* code);

}  // namespace varno
