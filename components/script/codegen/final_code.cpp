#include "codegen/final_code.h"

#include "bytecode/instruction_set.h"
#include "codegen/instruction.h"
#include "codegen/line_table_stream.h"
#include "compiler/report.h"
#include "compiler/type_records.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

enum class Form { kNone, kName, kJump, kNumber, kReal, kString, kVector, kCode, kInvalid };

bool IsJump(uint8_t opcode) {
  const auto op = static_cast<Opcode>(opcode);
  return op == Opcode::kJmp || op == Opcode::kJmpne || op == Opcode::kJmpe || op == Opcode::kLoops;
}

Form FormOf(uint8_t opcode) {
  if (opcode >= kOpcodeCount) return Form::kInvalid;
  switch (static_cast<Opcode>(opcode)) {
    case Opcode::kPushas: case Opcode::kRet: case Opcode::kCreate: case Opcode::kRelease: case Opcode::kPrints:
    case Opcode::kBreak: case Opcode::kPushvl: case Opcode::kAtan: case Opcode::kAcos: case Opcode::kAsin:
    case Opcode::kPriority:
      return Form::kInvalid;
    default:
      break;
  }
  if (IsJump(opcode)) return Form::kJump;
  switch (kInstructions[opcode].operand) {
    case OperandKind::kNone: return Form::kNone;
    case OperandKind::kName: return Form::kName;
    case OperandKind::kInteger: return Form::kNumber;
    case OperandKind::kReal: return Form::kReal;
    case OperandKind::kString: return Form::kString;
    case OperandKind::kVector3: return Form::kVector;
    case OperandKind::kCode: return Form::kCode;
  }
  return Form::kInvalid;
}

// Each run of the phase stamps the instructions it writes, so that a jump can be held to targets
// in its own block (a goto into or out of a code literal has no offset to jump to).
uint32_t gPass = 0;

class FinalWriter {
 public:
  explicit FinalWriter(RTInstance stream) : stream_(stream), pass_(++gPass) {}

  RTSuccess Write(Instruction* list, LineTable** out) {
    LineTable* table = LineTableCreate();
    if (!table) return kRTFailure;
    if (!WriteAll(list, table) || !PatchJumps(list)) {
      LineTableDestroy(table);
      return kRTFailure;
    }
    *out = table;
    return kRTSuccess;
  }

 private:
  bool WriteAll(Instruction* list, LineTable* table) {
    LineEntry* open = nullptr;
    uint32_t lastLine = 0xFFFFFFFFu;
    uint32_t previous = 0;
    for (Instruction* instruction = list; instruction; instruction = instruction->next) {
      uint32_t offset = 0;
      if (!kivo::stream::GetPosition(stream_, &offset)) return false;
      instruction->offset = offset;
      instruction->pass = pass_;
      if (instruction->line != lastLine) {
        LineEntry* entry = LineTableAppend(table, offset, offset, instruction->line);
        if (!entry) return false;
        if (open) open->last = previous;
        open = entry;
        lastLine = instruction->line;
      }
      if (!kivo::StreamWriteByte(stream_, instruction->opcode) || !WriteOperand(instruction)) return false;
      previous = offset;
    }
    if (open) open->last = previous;
    return true;
  }

  bool WriteOperand(Instruction* instruction) {
    switch (FormOf(instruction->opcode)) {
      case Form::kNone:
        return true;
      case Form::kName:
        return WriteName(instruction->name);
      case Form::kJump:
        return kivo::StreamWriteUInt(stream_, 0xFFFFFFFFu);
      case Form::kNumber:
        return kivo::StreamWriteUInt(stream_, instruction->constant.value.word);
      case Form::kReal:
        return kivo::StreamWriteFloat(stream_, instruction->constant.value.real);
      case Form::kString:
        return kivo::StreamWriteWString(stream_, instruction->name);
      case Form::kVector: {
        const RTFVector3D* vector = instruction->constant.value.vector;
        return kivo::StreamWriteVector(stream_, vector ? *vector : RTFVector3D{});
      }
      case Form::kCode:
        return WriteCode(instruction);
      case Form::kInvalid:
        break;
    }
    Raise(u"[VARNO] Code Generator: Encountered invalid opcode! Instruction stream polluted!");
    return false;
  }

  // Names are upper-cased; the interpreter reads them into 256-unit buffers.
  bool WriteName(const char16_t* name) {
    char16_t upper[kNameUnits];
    const size_t length = name ? kivo::WideStrLen(name) : 0;
    if (length >= kNameUnits) {
      Raise(u"[VARNO] Name too long (limit is %d characters): %s", static_cast<int>(kNameUnits - 1), name);
      return false;
    }
    for (size_t i = 0; i < length; ++i) upper[i] = kivo::WideStrUpperChar(name[i]);
    upper[length] = 0;
    return kivo::StreamWriteWString(stream_, upper);
  }

  // The literal's code is generated into a stream of its own and copied in after its size; its
  // line table follows the flag byte.
  bool WriteCode(Instruction* instruction) {
    RTInstance nested = nullptr;
    if (!kivo::memory_stream::Create(&nested)) return false;
    LineTable* lines = nullptr;
    uint32_t size = 0;
    uint32_t copied = 0;
    bool written = GenerateFinalCode(instruction->method, instruction->nested, nested, &lines) &&
                   kivo::stream::GetSize(nested, &size) && kivo::StreamWriteUInt(stream_, size) &&
                   kivo::stream::Seek(nested, 0) && kivo::stream::WriteFromStream(stream_, nested, size, &copied) &&
                   copied == size && kivo::StreamWriteByte(stream_, 1) && LineTableWrite(stream_, lines);
    kivo::ModuleCore()->ReleaseInstance(nullptr, nested);
    RTVarnoMethod* owner = instruction->method;
    if (written && owner && owner->nestedLineTables && kivo::ListAppend(owner->nestedLineTables, lines)) return true;
    LineTableDestroy(lines);  // failed, or nobody keeps it (an interactive expression)
    return written;
  }

  bool PatchJumps(Instruction* list) {
    for (Instruction* jump = list; jump; jump = jump->next) {
      if (!IsJump(jump->opcode)) continue;
      const Instruction* target = jump->target;
      if (jump->indirect) target = jump->label ? static_cast<const Instruction*>(jump->label->target) : nullptr;
      if (!target || target->pass != pass_) {
        Raise(u"[VARNO] Code Generator: Jump target is outside the jump's code block "
              u"(goto into or out of a code literal?)");
        return false;
      }
      if (!kivo::stream::Seek(stream_, jump->offset) || !kivo::StreamWriteByte(stream_, jump->opcode) ||
          !kivo::StreamWriteUInt(stream_, target->offset)) {
        return false;
      }
    }
    uint32_t end = 0;
    return kivo::stream::GetSize(stream_, &end) && kivo::stream::Seek(stream_, end);
  }

  RTInstance stream_;
  uint32_t pass_;
};

}  // namespace

// The nested line tables go to the method of each code literal, which the checker set to `method`
// for the literals of a method.
RTSuccess GenerateFinalCode(RTVarnoMethod*, Instruction* list, RTInstance stream, LineTable** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!stream) return kRTFailure;
  FinalWriter writer(stream);
  return writer.Write(list, out);
}

}  // namespace varno
