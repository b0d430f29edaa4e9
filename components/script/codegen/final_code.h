// The code generator's second phase: an intermediate instruction list becomes bytecode in a
// stream, with the code's debug line table; jumps are patched to byte offsets at the end.
//
// Bytecode: each instruction is its opcode byte and its operand, little-endian:
//   name (pushs, stores, call, switch, trigger, start, stop, vpushx..vstorez, new, canbe, listen,
//     copylisten): the name upper-cased unit by unit as a typed-stream wide string (u32 unit count
//     n, n units, a zero unit; an empty name is the u32 0 alone); at most 255 units;
//   jump (jmp, jmpne, jmpe, loops): u32 absolute offset in the same stream;
//   pushvn: u32; pushvr: 4-byte float; pushvs: wide string, case kept; pushvv3: three floats;
//   pushvc: u32 byte count n, n bytes of nested code (offsets start at 0 there), the byte 1, the
//     nested code's line table (line_table_stream.h).
// Every other opcode the generator makes has no operand.
#pragma once

#include "kivo/types.h"

namespace varno {

struct Instruction;
struct LineTable;
struct RTVarnoMethod;

// Writes the list into `stream` (an open memory stream) from its position. Line tables of code
// literals go to their method's nested line table list. On failure (reported where a message is
// due) no line table is handed out; the stream keeps what was written.
RTSuccess GenerateFinalCode(RTVarnoMethod* method, Instruction* list, RTInstance stream, LineTable** out);

}  // namespace varno
