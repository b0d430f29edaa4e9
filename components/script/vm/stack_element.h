// The element of the operand and argument stacks: a tag and 16 value bytes. A vector3 keeps its
// four floats in place; every other tag uses one word of the value (a pointer-sized one for texts,
// counted values and objects).
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/support/math_types.h"

namespace varno {

struct VNcode;
struct VNlist;
struct DatabaseValue;
struct RTVarnoSymbol;

enum StackTag : uint8_t {
  kTagEmpty = 0,
  kTagNumber = 1,
  kTagReal = 2,
  kTagString = 3,    // a counted string, one holder (null: a missing string)
  kTagVector3 = 4,   // four floats in place
  kTagList = 6,      // one reference
  kTagBool = 7,
  kTagCode = 8,      // one reference
  kTagDatabase = 9,  // one reference
  kTagObject = 32,
};

struct RTVarnoStackElement {
  uint8_t tag;
  uint8_t pad[7];
  union {
    int32_t number;
    float real;
    uint32_t word;  // bools; and the word a conditional jump tests
    char16_t* text;
    VNlist* list;
    VNcode* code;
    DatabaseValue* database;
    RTVarnoSymbol* object;
    RTFVector3D vector;
  } value;
};
static_assert(sizeof(RTVarnoStackElement::value) == 16, "16 value bytes");

// Releases the string, list, database or code value an element holds.
void ReleaseElementValue(RTVarnoStackElement* element);

// Releases what the element owns (a string is freed; a list, database or code value loses its
// reference) and leaves it empty.
inline void StackElementRelease(RTVarnoStackElement* element) {
  if (!element) return;
  const uint8_t tag = element->tag;
  if (tag == kTagString || tag == kTagList || tag == kTagDatabase || tag == kTagCode) ReleaseElementValue(element);
  *element = RTVarnoStackElement{};
}
// A copy that owns its value: one more holder of a string, list, database or code value, everything
// else as it is. Fails (destination empty) when there is no memory for the string.
bool StackElementCopy(RTVarnoStackElement* destination, const RTVarnoStackElement& source);

// The type code that the value of an element has: 1 number, 2 real, 3 string, 8 vector3, 9 list,
// 6 bool, 12 code, 13 database, the object's type index; 0 for an empty element.
uint32_t StackElementTypeCode(const RTVarnoStackElement& element);

}  // namespace varno
