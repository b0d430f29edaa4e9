// Reading bytecode back as text, one instruction per line as the interpreter's instruction
// lister writes it: "0x%04X | %s" with the operand after the name (a name as it is, an integer as
// 0x%08X, a real as %f, a string between double quotes, a vector3 as <%f, %f, %f>). The code of a
// code literal follows its pushvc line, indented by four spaces, with its own offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bytecode/instruction_set.h"
#include "compiler/line_table.h"
#include "kivo/types.h"

namespace varno {

struct DecodedInstruction {
  uint32_t position = 0;
  uint8_t opcode = 0;
  OperandKind kind = OperandKind::kNone;
  uint32_t size = 0;           // bytes of the whole instruction
  std::u16string text;         // name and string operands
  uint32_t integer = 0;        // integer operands
  float real = 0;
  float vector[3] = {};
  const uint8_t* code = nullptr;  // code operands: the nested bytes
  uint32_t codeSize = 0;
  bool hasLines = false;          // the flag byte after the nested bytes
  std::vector<LineEntry> lines;
  uint32_t lineWord = 0;
};

// Decodes the instruction at `position`; false with a reason for an opcode above 98 and for an
// operand the bytes cut short (or a name longer than 255 units).
bool DecodeInstruction(const uint8_t* code, size_t size, size_t position, DecodedInstruction* out,
                       std::u16string* error);

// The lister's line for one instruction, with its line break.
std::u16string ListInstruction(const DecodedInstruction& instruction);

struct DisassemblyOptions {
  bool lineTables = false;  // list the line table of each code literal after its code
};

// Every instruction of the code; a decoding failure ends the listing with a line naming it.
std::u16string Disassemble(const uint8_t* code, size_t size, const DisassemblyOptions& options = {});
// The whole content of a memory stream.
std::u16string DisassembleStream(RTInstance stream, const DisassemblyOptions& options = {});
// "line %u: 0x%04X-0x%04X" per entry.
std::u16string ListLineTable(const LineTable* table);

}  // namespace varno
