// The tagged value of constants, call arguments and results: a type code and one value word. The
// word is pointer-sized so that it can hold the owned string, vector block or counted value.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/types.h"
#include "varno/call_cells.h"  // the record itself

namespace varno {

// Frees what the value owns by its type code (string and vector blocks, code references) and
// clears it. A null value is reported and still counts as success.
RTSuccess RTVarnoConstantValueDestructor(RTVarnoConstantValue* value);
// Copies the tag, then a fresh string or vector block, a shared code value with one more
// reference, and the plain word for every other tag; a database is reported and left unset.
RTSuccess ConstantValueCopy(RTVarnoConstantValue* destination, const RTVarnoConstantValue* source);

// A new 16-byte vector block in core memory, or null.
RTFVector3D* NewVectorBlock(float x, float y, float z);

}  // namespace varno
