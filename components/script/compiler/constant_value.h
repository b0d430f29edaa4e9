// The tagged value of constants, call arguments and results: a type code and one value word. The
// word is pointer-sized so that it can hold the owned string, vector block or counted value.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace varno {

struct VNcode;

struct RTVarnoConstantValue {
  uint32_t type;  // type code: 1 number, 2 real, 3 string, 6 bool, 8 vector3, 9 list, 12 code, ...
  uint32_t pad;
  union {
    int32_t number;
    float real;
    uint32_t word;
    void* pointer;
    char16_t* text;        // 3: owned UTF-16 copy
    RTFVector3D* vector;   // 8: owned 16-byte block
    VNcode* code;          // 12: one counted reference
  } value;
};
static_assert(sizeof(RTVarnoConstantValue) == 16);

// Frees what the value owns by its type code (string and vector blocks, code references) and
// clears it. A null value is reported and still counts as success.
RTSuccess RTVarnoConstantValueDestructor(RTVarnoConstantValue* value);
// Copies the tag, then a fresh string or vector block, a shared code value with one more
// reference, and the plain word for every other tag; a database is reported and left unset.
RTSuccess ConstantValueCopy(RTVarnoConstantValue* destination, const RTVarnoConstantValue* source);

// A new 16-byte vector block in core memory, or null.
RTFVector3D* NewVectorBlock(float x, float y, float z);

}  // namespace varno
