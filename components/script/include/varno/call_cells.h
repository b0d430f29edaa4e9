// The values that cross the scripting component's boundary: the language's type codes, the 16-byte
// tagged value of constants, native call arguments and results, and the signatures of a native
// method that a script calls and of the host callback of a VM.
#pragma once

#include <cstdint>

#include "kivo/slots.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoSymbol;  // a script object or variable
struct RTVarnoVM;
struct VNcode;

// A type code is an index into the type table. The parser and every value path read 11 as "no
// value", 12 as code and 13 as database, whatever names the table holds at those indexes.
enum TypeCode : uint32_t {
  kTypeUnused = 0,
  kTypeNumber = 1,
  kTypeReal = 2,
  kTypeString = 3,
  kTypePercent = 4,
  kTypeRank = 5,
  kTypeBool = 6,
  kTypeVector2 = 7,
  kTypeVector3 = 8,
  kTypeList = 9,
  kTypeAnything = 10,
  kTypeNoValue = 11,
  kTypeCode = 12,
  kTypeDatabase = 13,
  kFirstClassType = 14,
};

// A type code and one value word. The word is pointer-sized so that it can hold an owned string,
// a vector block, a counted value or an object.
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

// A cell of a native call: the parameter's (or for the result, the method's return) type code and
// the value. A string cell holds a fresh copy, a vector3 cell a fresh 16-byte block, a list or
// database cell a reference of its own and an object cell the script object; the VM frees and
// releases all of it after the call. For a vector3 result the VM lays a zeroed block in the result
// cell, which the method fills; for any other result the method writes the value word (a string
// result as a core array block of its own, which the VM frees after copying it).
using RTVarnoCallArg = RTVarnoConstantValue;
inline constexpr uint32_t kMaxNativeArguments = 17;

// A native method that a script calls: (component instance, calling script object, argument
// count, cells, result cell, VM). Every component declares the slots of such methods with this
// type, so their functions have the one signature the VM calls them with.
using NativeMethodSlot = kivo::MethodSlot<RTVarnoSymbol*, uint32_t, RTVarnoCallArg*, RTVarnoCallArg*, RTVarnoVM*>;
using RPVarnoNativeMethod = NativeMethodSlot::Function;

}  // namespace varno

template <>
inline constexpr bool kivo::kScriptCallable<varno::NativeMethodSlot> = true;

namespace varno {

// Called once per full pass of the scheduler over a VM's contexts with the argument stored with
// it; 0 ends the run.
using RPVarnoVMHostCallback = int32_t (*)(RTInstance host);

// Receives the text of each `print` of a VM's scripts (the host's own output of the script).
using RPVarnoVMPrintCallback = void (*)(const char16_t* text);

// One line of a VM's profile: names (copies, freed with the profile), the method record, the
// time-stamp ticks spent in the method and its calls.
struct RTVarnoMethod;
struct VarnoProfileEntry {
  char16_t* className;
  char16_t* methodName;
  RTVarnoMethod* method;
  uint32_t word;
  uint64_t ticks;
  uint32_t calls;
};

}  // namespace varno
