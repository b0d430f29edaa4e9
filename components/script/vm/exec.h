// What a value instruction works on, and the value instructions themselves. Each reports its
// message and returns false when the error exit must run; true when the run goes on.
#pragma once

#include <cstdint>

#include "vm/instruction.h"

namespace varno {

struct CallFrame;
struct RTVarnoContext;
struct RTVarnoVM;

struct Exec {
  RTVarnoVM* vm;
  RTVarnoContext* context;
  Operation* operation;

  uint8_t opcode() const { return operation->opcode; }
  const char16_t* name() const { return OpcodeName(operation->opcode); }
  CallFrame* frame() const;
};

// Marks the operand stack height below the value an instruction just pushed, so that the
// `balance` after a call statement drops that value.
void MarkBalance(Exec& x);

bool ExecArithmetic(Exec& x);  // add, sub, mul, div
bool ExecCompare(Exec& x);     // eq, neq, lt, gt, le, ge
bool ExecLogic(Exec& x);       // xor, and, or, not
bool ExecNegate(Exec& x);      // neg
bool ExecMath(Exec& x);        // sin, cos, tan, abs, sqrt, sqr
bool ExecVector(Exec& x);      // vlength, vdistance, vnormalized, vclamped, vdot
bool ExecPushs(Exec& x);
bool ExecStores(Exec& x);
bool ExecVectorPush(Exec& x);   // vpushx, vpushy, vpushz
bool ExecVectorStore(Exec& x);  // vstorex, vstorey, vstorez
bool ExecList(Exec& x);      // append, nlist, lload, lstore, lremove, lpop, lcount, mlist
bool ExecDatabase(Exec& x);  // dbadd, dbremove, dbhaskey, dbretrieve, ndb, mdb, dbkeys
bool ExecPrint(Exec& x);     // printv
bool ExecRand(Exec& x);
bool ExecNew(Exec& x);       // new, dnew
bool ExecCanBe(Exec& x);

}  // namespace varno
