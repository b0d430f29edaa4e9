// The value paths of the tagged value record (list and database elements, symbol values): its full
// release and its copy, by the copy rules of the virtual machine's counted values.
#pragma once

#include "compiler/constant_value.h"
#include "kivo/types.h"

namespace varno {

struct VNlist;
struct DatabaseValue;

// Accessors of the value word by kind.
inline VNlist* ValueList(const RTVarnoConstantValue& value) { return static_cast<VNlist*>(value.value.pointer); }
inline DatabaseValue* ValueDatabase(const RTVarnoConstantValue& value) {
  return static_cast<DatabaseValue*>(value.value.pointer);
}

// Releases what the record owns by its type code: 3 the string (counted or plain) and 8 the vector
// block are freed, 9 the list, 12 the code value and 13 the database lose one reference. The record
// keeps its code with a null value word. A null record is reported and counts as success.
RTSuccess TaggedValueRelease(RTVarnoConstantValue* value);
// Copies the code and the value: a new string with the source's text (a missing string stays
// missing) and a fresh vector block; a list, code value or database is shared with one more
// reference; anything else, objects included, as it is. The source may come from anywhere (native
// code, the compiler). Fails (destination cleared) only without memory.
RTSuccess TaggedValueCopy(RTVarnoConstantValue* destination, const RTVarnoConstantValue& source);
// The same for a source the VM holds: its string is shared instead of copied.
RTSuccess TaggedValueShare(RTVarnoConstantValue* destination, const RTVarnoConstantValue& source);

}  // namespace varno
