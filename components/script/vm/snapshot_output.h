// The snapshot writer's items: the typed wire values, stream copies of code, references through
// the object index, tagged values (lists and databases to any depth, without recursion), stack
// elements and attribute tables. Each returns false when an item could not be written; the item
// that knows what failed reports it.
#pragma once

#include <cstdint>
#include <string_view>

#include "compiler/constant_value.h"
#include "kivo/types.h"
#include "vm/snapshot_tables.h"
#include "vm/stack_element.h"

namespace varno {

struct AttributeTable;
struct RTVarnoType;

class SnapshotOutput {
 public:
  SnapshotOutput(RTInstance stream, const SnapshotTables& tables) : stream_(stream), tables_(tables) {}

  bool Word(uint32_t value);
  bool Byte(uint32_t value);
  bool Float(float value);
  // An empty or missing text is the single u32 0.
  bool Text(const char16_t* text);
  // A stream copy of the code stream; no stream is a count of 0.
  bool Code(RTInstance code);
  // The object's reference; no object is 0. An object outside the index is reported.
  bool Reference(const RTVarnoSymbol* object);
  // The type's index in its table; no type is 0.
  bool TypeIndex(const RTVarnoType* type);

  // A tagged value: the type code and what follows it.
  bool Value(const RTVarnoConstantValue& value);
  bool Element(const RTVarnoStackElement& element);
  bool Attributes(const AttributeTable* table);

 private:
  // The value's code (unless `withCode` is false) and its contents; a list or a database is
  // written without recursion, and one that holds itself is refused.
  bool ValueTree(const RTVarnoConstantValue& value, bool withCode);

  RTInstance stream_;
  const SnapshotTables& tables_;
};

}  // namespace varno
