// The component's snapshot tables: the object index of the last snapshot written (or the patch
// table of the last one read) and the type map of the last one read. They live until
// VNDestroyPatchTable, so that a host can write and read its own references to script objects
// right after the snapshot.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "kivo/types.h"

namespace varno {

struct RTVarnoSymbol;
struct RTVarnoType;

struct SnapshotTypeEntry {
  std::u16string name;  // as read
  RTVarnoType* type;    // the type of that name in the reader's table
};

struct SnapshotTables {
  // The object at reference n is objects[n - 1].
  std::vector<RTVarnoSymbol*> objects;
  // Writer: the reference of each object of the index.
  std::unordered_map<const RTVarnoSymbol*, uint32_t> references;
  std::vector<SnapshotTypeEntry> types;
};

SnapshotTables& SnapshotTablesOfComponent();
// Empties both tables.
void SnapshotTablesClear();

// Writes the object's reference (u32) in the object index of the last snapshot written; no object
// is 0. An object that is not in the index is reported and fails.
RTSuccess VNStreamObjectReferenceOut(RTInstance stream, const RTVarnoSymbol* object);
// Reads a reference into the variable, to be resolved by VNPatchObject; a reference beyond the
// objects of the last snapshot read is reported and fails (the variable is null then).
RTSuccess VNStreamObjectReferenceIn(RTInstance stream, RTVarnoSymbol** variable);
// Replaces a reference read by VNStreamObjectReferenceIn with its object. A reference is a 32-bit
// number: a variable holding a wider value holds an object already and is left as it is.
RTSuccess VNPatchObject(RTVarnoSymbol** variable);
RTSuccess VNDestroyPatchTable();

}  // namespace varno
