// Code decoded once: the instructions of a code stream as operations in position order, each with
// its operand ready (numbers, reals and vectors; a string as a counted string the decoding holds; a
// name upper-cased and hashed, with a lookup cache per operation; a jump's target as the operation
// there) and the form of the interpreter's handler that runs it. A run of instructions that no
// jump enters and that a fused form covers starts with an operation of that form, whose handler
// does the whole run; the run's own operations stay for the general path.
//
// A decoding belongs to the bytes it was made from and holds a reference to their stream. Its
// holders (a method's plan, contexts, frames and eval records that resume in it) keep it with a
// count. A write into code (a breakpoint, a snapshot load) moves the component's code-write count:
// a holder then checks its decoding against the stream's bytes before it uses it again.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"
#include "vm/call_frame.h"
#include "vm/core_allocator.h"
#include "vm/instruction.h"
#include "vm/name_cache.h"

namespace varno {

// What runs an operation: its opcode's handler (forms below kFormGeneral are opcodes), the general
// path alone, or a fused run.
enum Form : uint8_t {
  kFormGeneral = 100,               // read afresh at every execution (a code operand), unreadable, or the end
  kFormCompareConstantBranch,       // pushvn C; pushs X; eq..ge; jmpne/jmpe
  kFormCompareBranch,               // pushs Y; pushs X; eq..ge; jmpne/jmpe
  kFormArithmeticStore,             // pushs Y; pushs X; add/sub/mul; stores Z
  kFormConstantArithmeticStore,     // pushvn C; pushs X; add/sub/mul; stores Z
  kFormConstantArithmeticArgument,  // pushvn C; pushs X; add/sub/mul; pusha
  kFormVariableArgument,            // pushs X; pusha
  kFormAccumulate,                  // pushs X; add; stores X
  kFormAccumulateTwo,               // pushs X; add; add; stores X
  kFormAppendValue,                 // nlist; pushs X; add; stores X
  kFormDatabaseStore,               // dbadd or dbremove; stores X
  kFormCount
};

// Counts the writes into code bytes that decodings may hold.
inline uint64_t gCodeWrites = 1;
inline void NoteCodeWrite() { ++gCodeWrites; }

struct DecodedOp {
  const void* handler;     // the dispatch loop's handler of `form` (set when the loop first runs it)
  const void* ownHandler;  // the handler of `ownForm`
  Form form;               // the fused run's form for its first operation, else `ownForm`
  Form ownForm;            // this instruction's
  uint8_t opcode;
  OperandKind kind;
  ReadStatus status;  // kRead; kEnd past the last instruction; else why it cannot be read
  uint32_t start;
  uint32_t next;
  RTVarnoConstantValue operand;  // integer, real, string (a counted string; null: missing)
  RTFVector3D vector;
  const DecodedName* name;
  mutable NameCache cache;
  const DecodedOp* jump;  // jmp, jmpne, jmpe, loops: the operation at the target (null: none)
  // The first operation of a compare-and-branch run: the ordering bits of its operands
  // (OrderingBit) for which the branch is taken.
  uint8_t takenOrderings;
};

class DecodedCode {
 public:
  DecodedCode(RTInstance stream, const uint8_t* bytes, uint32_t size);
  ~DecodedCode();
  DecodedCode(const DecodedCode&) = delete;
  DecodedCode& operator=(const DecodedCode&) = delete;

  // The operation that starts at the position (the end of the code gives its end operation), or
  // null for a position inside an instruction.
  const DecodedOp* At(uint32_t position) const {
    return position < at_.size() && at_[position] >= 0 ? &ops_[static_cast<size_t>(at_[position])] : nullptr;
  }
  RTInstance stream() const { return stream_; }
  // The bytes it was made from.
  const uint8_t* bytes() const { return bytes_.data(); }
  uint32_t size() const { return static_cast<uint32_t>(bytes_.size()); }
  // True while the decoding is its stream's bytes (compared only after a code write).
  bool Current() { return writes_ == gCodeWrites || SameBytes(); }
  // Gives every operation the dispatch loop's handler of its forms (once).
  void Label(const void* const* handlers) {
    if (!labelled_) LabelOperations(handlers);
  }
  // The epoch of the operations' name caches for the layouts of the object's attributes and the
  // frame's locals the code runs under, and the count of entries bound anew: a new one whenever
  // they are not the last ones.
  uint64_t EpochOf(uint64_t objectLayout, uint64_t frameLayout, uint64_t rebindings) {
    if (objectLayout != scopeObject_ || frameLayout != scopeFrame_ || rebindings != scopeRebindings_) {
      scopeObject_ = objectLayout;
      scopeFrame_ = frameLayout;
      scopeRebindings_ = rebindings;
      ++epoch_;
    }
    return epoch_;
  }

  uint32_t holders = 1;

 private:
  bool SameBytes();
  void LabelOperations(const void* const* handlers);
  DecodedName* Name(const CoreText& text);
  DecodedName* MakeName(const CoreText& text);
  const DecodedCall* MakeCall(const CoreText& text);

  RTInstance stream_;
  uint64_t writes_;
  bool labelled_ = false;
  uint64_t scopeObject_ = 0;
  uint64_t scopeFrame_ = 0;
  uint64_t scopeRebindings_ = 0;
  uint64_t epoch_ = 0;
  CoreVector<uint8_t> bytes_;
  CoreVector<int32_t> at_;
  CoreVector<DecodedOp> ops_;
  CoreVector<DecodedName*> names_;
  CoreVector<DecodedCall*> calls_;
};

// A table whose entries are all its layout's: what a name finds in it follows from the layout.
inline bool TableLaidOut(const AttributeTable* table) { return table && table->layout && !table->entries; }

// The scope of the frame's method (the context's object without a frame) running the decoding.
inline NameScope ScopeOf(RTVarnoSymbol* object, CallFrame* frame, DecodedCode* code) {
  NameScope scope;
  scope.object = object;
  scope.frame = frame;
  if (!code || !object || !frame) return scope;
  const AttributeTable* attributes = object->attributes;
  const AttributeTable* locals = frame->locals;
  if (!TableLaidOut(attributes) || !TableLaidOut(locals)) return scope;
  scope.tables[kAttributesTable] = attributes->slots;
  scope.tables[kLocalsTable] = locals->slots;
  scope.key = code->EpochOf(attributes->layout->serial, locals->layout->serial, gRebindings) * kPlaces;
  return scope;
}

// A new decoding of the stream's bytes, with one holder; null when the bytes cannot be read.
DecodedCode* DecodeStream(RTInstance stream);
inline DecodedCode* HoldDecodedCode(DecodedCode* code) {
  if (code) ++code->holders;
  return code;
}
// Frees a decoding nobody holds.
void DeleteDecodedCode(DecodedCode* code);
// Drops one holder; the last frees the decoding. Null is ignored.
inline void ReleaseDecodedCode(DecodedCode* code) {
  if (code && --code->holders == 0) DeleteDecodedCode(code);
}


// Marks the runs of fused forms (vm/fusion.cpp): `targets` flags the operations a jump enters.
void FuseRuns(DecodedOp* ops, size_t count, const CoreVector<bool>& targets);

}  // namespace varno
