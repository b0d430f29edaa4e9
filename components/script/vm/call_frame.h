// Call frames: one per active method call of a context, with the method's variables and the
// argument stack on which the frame lays the arguments of the calls it makes.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "vm/attribute_table.h"
#include "vm/stack_element.h"

namespace varno {

class DecodedCode;
struct LineTable;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoVM;
struct VmPlan;

inline constexpr uint32_t kArgumentStackSize = 32;  // element 0 is never used

struct CallFrame {
  const char16_t* fileName;      // the method's source file (owned by the method record)
  RTVarnoSymbol* object;         // the object the method runs on
  AttributeTable* locals;        // parameters and locals by upper-case name: `localTable`, or a
                                 // table of named entries (a frame read from a snapshot)
  uint32_t returnPosition;       // where this frame resumes after a call it made
  RTInstance returnStream;       // the code of that position (one reference)
  DecodedCode* returnCode;       // and its decoding (one holder), or null
  uint32_t frameWord;            // kept by snapshots
  uint32_t argumentTop;          // arguments on the argument stack
  LineTable* lineTable;          // the method's (owned by the method record)
  RTVarnoMethod* method;
  uint32_t balanceMark;          // operand stack top at the last call this frame made
  uint64_t startTicks;           // profiling
  // The frame's block: its room for local slots (behind the record); the frame below it on its
  // context's stack, or while the frame waits in its context's pool, the next one there.
  uint32_t room;
  CallFrame* below;
  AttributeTable localTable;     // laid out by the method's plan
  RTVarnoStackElement arguments[kArgumentStackSize];  // element 0 is never used
};

// A frame for a call of the method on the object: a value symbol for every declaration of a
// built-in type, a waiting entry for every one of a class type, and an empty argument stack.
RTSuccess CreateCallFrame(RTVarnoVM* vm, RTVarnoMethod* method, RTVarnoSymbol* object, CallFrame** out);
// A zeroed frame with only its argument stack.
RTSuccess CreateEmptyCallFrame(CallFrame** out);
// Destroys the frame's value symbols (objects are the collector's), releases its return stream and
// whatever arguments are still on its stack, and frees it.
RTSuccess DestroyCallFrame(CallFrame* frame);

// The frame block of `room` slots, with nothing in it yet; null without memory.
CallFrame* AllocateCallFrame(uint32_t room);

// The kinds `pusha` moves onto an argument stack: number, real, string, vector3, list, bool,
// database and object.
bool ArgumentKind(uint8_t tag);

// Moves an element onto the argument stack (the frame takes over what it owns); fails with the
// overflow report when 31 arguments are there.
RTSuccess ArgPushElement(CallFrame* frame, RTVarnoStackElement* element);
// Pops n arguments, releasing what they own.
RTSuccess ArgPopN(CallFrame* frame, uint32_t n);

// Binds the caller's arguments to the parameters of a script method (the argument pushed last to
// the first parameter).
RTSuccess SetupScriptCall(RTVarnoVM* vm, CallFrame* caller, CallFrame* callee, RTVarnoMethod* method);
// Gives the parameter's variable (the entry's) the argument's value by the binding rules.
bool BindArgument(AttributeEntry* entry, uint32_t parameterType, const RTVarnoStackElement& argument);

}  // namespace varno
