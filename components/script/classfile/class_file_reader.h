// Reading a compiled class file (".varnoc") into a type table.
#pragma once

#include "kivo/types.h"

namespace varno {

struct RTVarnoType;
struct RTVarnoTypeTable;

// Reads the class of `file` into `table` and hands out its record: the class is registered with
// its code generated and its parent not yet resolved; its parent and every type it names that the
// table lacks are found on the search paths and compiled or read first. Each method takes the
// class's file name as its source file name. A method whose name the class has already is
// reported and left out, and so is a constant whose name the class holds.
//
// The whole file is read and checked before anything is registered; when it is damaged, or when
// registering the class or a class it needs fails, the failure is reported and the table is left
// as it was: the class and every class registered on its behalf are removed again.
RTSuccess ReadClassFile(const char16_t* file, RTVarnoTypeTable* table, RTVarnoType** out);

}  // namespace varno
