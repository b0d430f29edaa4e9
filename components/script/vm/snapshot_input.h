// The snapshot reader's items. Every count, index, length and reference is checked against its
// bound and against the bytes left before anything is made for it; what fails is reported with the
// byte where the item starts ("VNStreamIn() -- The snapshot is damaged at byte ..."). References to
// objects are noted with the place that receives the object (which stays empty until the whole
// snapshot has been read) and resolved afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/constant_value.h"
#include "kivo/support/format.h"
#include "kivo/types.h"
#include "vm/stack_element.h"

namespace varno {

struct AttributeTable;
struct RTVarnoType;
struct RTVarnoTypeTable;
struct VNcode;

struct PendingReference {
  RTVarnoSymbol** symbol;       // a field that holds an object,
  RTVarnoConstantValue* value;  // or a tagged value of a class type
  uint32_t number;              // 1-based position in the snapshot's objects; 0 for none
  uint32_t at;                  // where it was read
};

class SnapshotInput {
 public:
  SnapshotInput(RTInstance stream, RTVarnoTypeTable* table);

  RTVarnoTypeTable* table() const { return table_; }
  uint32_t Position();
  uint64_t Left();

  // Reports the damage at the start of the item being read; false.
  template <class... Args>
  bool Damaged(std::u16string_view format, const Args&... args) {
    return DamagedAt(at_, kivo::Format(format, args...));
  }
  bool DamagedAt(uint32_t at, const std::u16string& what);
  bool NoMemory();

  bool Word(uint32_t* value, std::u16string_view what);
  // A byte that must be 0 or 1.
  bool Flag(uint32_t* value, std::u16string_view what);
  bool Float(float* value, std::u16string_view what);
  // A count of records of at least `recordBytes` each, at most `most`, which the bytes left must
  // be able to hold.
  bool Count(uint32_t* count, uint32_t recordBytes, std::u16string_view what, uint32_t most = UINT32_MAX);
  // A text of at most `limit` units (a core array block the caller frees), null when empty.
  bool Text(char16_t** text, uint32_t limit, std::u16string_view what);
  // A string value: a text made a counted string of the VM.
  bool String(char16_t** text, std::u16string_view what);
  // A name that must not be empty, at most kSnapshotNameUnits long; upper-cased unless `asWritten`.
  bool Name(std::u16string* name, std::u16string_view what, bool asWritten = false);
  // A stream copy into a new memory stream (or into `*target` when one is given); a copy of no
  // bytes gives no stream unless one was given.
  bool Code(RTInstance* target, std::u16string_view what);
  // A code value with a new memory stream; its memory is counted.
  bool CodeValue(VNcode** out, std::u16string_view what);

  // A reference read now, resolved later into the place given.
  bool Reference(RTVarnoSymbol** place, std::u16string_view what);
  bool Reference(RTVarnoConstantValue* place, std::u16string_view what);
  bool ReferenceNumber(uint32_t* number, std::u16string_view what);
  void NoteReference(RTVarnoSymbol** place, uint32_t number) { pending_.push_back({place, nullptr, number, at_}); }
  std::vector<PendingReference>& pending() { return pending_; }

  // The type map: the reader's type for each type index of the writer.
  std::vector<RTVarnoType*>& types() { return types_; }
  // A writer's type index, translated: the reader's index.
  bool Type(uint32_t* index, std::u16string_view what);
  // The same for a type that must be a script class.
  bool ClassType(RTVarnoType** type, std::u16string_view what);

  // A tagged value: a code, then what the code says.
  bool Value(RTVarnoConstantValue* value, std::u16string_view what);
  // The contents of a value whose code is known (lists and databases to any depth, without
  // recursion). `value` owns whatever was read, also after a failure.
  bool ValueOfCode(RTVarnoConstantValue* value, uint32_t code);
  bool Element(RTVarnoStackElement* element, std::u16string_view what);
  // Entries into the table: a variable gets a new symbol (the one it replaces is destroyed), an
  // object attribute a reference.
  bool Attributes(AttributeTable* table, std::u16string_view what);

  // Memory taken by the code values read.
  uint32_t codeBlocks = 0;
  uint32_t codeBytes = 0;

 private:
  // Starts an item: notes where it begins.
  void Mark() { at_ = Position(); }

  RTInstance stream_;
  RTVarnoTypeTable* table_;
  uint32_t size_ = 0;
  uint32_t at_ = 0;
  std::vector<PendingReference> pending_;
  std::vector<RTVarnoType*> types_;
};

}  // namespace varno
