// Writing a compiled class file (".varnoc") from a class of a type table.
#pragma once

#include "kivo/types.h"

namespace varno {

struct RTVarnoType;
struct RTVarnoTypeTable;

// Writes the class, its code generated, to `file`, replacing it. Types are written by their names
// in `table`. The file is replaced only when every value was written: after a failure the stream
// is released unclosed and an earlier file of that name stays as it was. Failures are reported
// ("Couldn't open the file specified to compile to", "Couldn't identify constant type!", a type
// index the table does not hold, a failed write).
RTSuccess StreamOutClass(const char16_t* file, RTVarnoTypeTable* table, RTVarnoType* type);

}  // namespace varno
