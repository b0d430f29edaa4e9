// Code decoded once: the instructions of a code stream read from its first byte on, with their
// names upper-cased and hashed for the variable tables, looked up by position. A decoding belongs
// to the exact bytes it was made from: every use compares the stream's bytes with the copy it
// keeps, so a patched or reused stream is decoded again. Contexts hold a decoding with a count.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kivo/types.h"
#include "vm/instruction.h"

namespace varno {

struct AttributeEntry;
struct AttributeTable;
struct DecodedCall;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoType;

// The entry a name found in one attribute table (null: the name is not there), remembered under
// the table's serial.
struct NameCacheLine {
  uint64_t serial = 0;
  AttributeEntry* entry = nullptr;
};

struct DecodedName {
  std::u16string text;   // as written
  std::u16string upper;  // the lookup key
  uint32_t hash;         // of the key, as the tables hash it
  bool dotted;           // has a "." (looked up part by part)
  bool self;             // "this"
  // The last lookups of a plain name in each of the three places it is looked up, in order.
  mutable NameCacheLine attributes;
  mutable NameCacheLine locals;
  mutable NameCacheLine constants;
  // The entry the whole lookup last found, under the serials of the object's attribute table and
  // the frame's locals that it was found with (they name the object, hence its class constants).
  mutable uint64_t resolvedAttributes = 0;
  mutable uint64_t resolvedLocals = 0;
  mutable AttributeEntry* resolved = nullptr;
  // The operand of a call: split, and its method remembered per class.
  std::unique_ptr<DecodedCall> call;
  // "holder.member" with one "." (not "this."): its two parts, each with its own caches.
  std::unique_ptr<DecodedName> holder;
  std::unique_ptr<DecodedName> member;

  // The name's entry in the table (null when it is not there); with a line, from the line when the
  // table still carries the serial it was found under.
  AttributeEntry* Find(const AttributeTable* table, NameCacheLine* line) const;
};

// A call operand split when decoded: "target.method" (split at the first ".") or a method of the
// current object, the method part upper-cased, with the method last found for a class.
struct DecodedCall {
  std::unique_ptr<DecodedName> target;  // null: a method of the current object
  std::u16string targetText;           // the target part as written
  std::u16string method;                // the upper-case method part
  mutable const RTVarnoType* type = nullptr;
  mutable uint64_t generation = 0;
  mutable RTVarnoMethod* found = nullptr;

  // The method of that name on the object's class or an ancestor, or null; remembered for the
  // object's class while no method table changes.
  RTVarnoMethod* MethodOf(const RTVarnoSymbol* object) const;
};

struct DecodedOp {
  uint8_t opcode;
  OperandKind kind;
  ReadStatus status;  // kRead, or why the instruction at this position cannot be read
  uint32_t start;
  uint32_t next;
  RTVarnoConstantValue operand;  // integer and real values; a string operand's text (kept here)
  RTFVector3D vector;
  const DecodedName* name;
  // The instruction at `next`, and for a jump the one at its target (null: none starts there).
  const DecodedOp* nextOp;
  const DecodedOp* jumpOp;
};

class DecodedCode {
 public:
  DecodedCode(const uint8_t* bytes, uint32_t size);

  bool Matches(const uint8_t* bytes, uint32_t size) const;
  // The instruction that starts at the position, or null (a position inside an instruction, or a
  // code operand, which is read afresh at every execution).
  const DecodedOp* At(uint32_t position) const {
    return position < at_.size() && at_[position] >= 0 ? &ops_[static_cast<size_t>(at_[position])] : nullptr;
  }

  uint32_t holders = 0;

 private:
  std::vector<uint8_t> bytes_;
  std::vector<int32_t> at_;
  std::vector<DecodedOp> ops_;
  std::vector<std::unique_ptr<DecodedName>> names_;
  std::vector<std::u16string> strings_;
};

// The decoding of the stream's current bytes, with one more holder; null without bytes.
DecodedCode* AcquireDecodedCode(RTInstance stream, const uint8_t* bytes, uint32_t size);
void ReleaseDecodedCode(DecodedCode* code);
// Drops every decoding nobody holds (the component's shutdown).
void ClearDecodedCode();

// The hash the attribute tables use for a key.
uint32_t NameHash(const char16_t* text);

}  // namespace varno
