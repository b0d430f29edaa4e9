#include "vm/instruction.h"

#include <cstring>

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/line_table.h"
#include "compiler/type_codes.h"
#include "kivo/support/format.h"
#include "kivo/support/stream_calls.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

// Reads little-endian words from a bounded buffer.
class Reader {
 public:
  Reader(const uint8_t* bytes, uint32_t size, uint32_t position) : bytes_(bytes), size_(size), position_(position) {}

  uint32_t position() const { return position_; }
  uint32_t left() const { return size_ - position_; }

  bool Bytes(void* out, uint32_t count) {
    if (count > left()) return false;
    if (count) std::memcpy(out, bytes_ + position_, count);
    position_ += count;
    return true;
  }
  bool Word(uint32_t* out) { return Bytes(out, 4); }
  bool Skip(uint32_t count) {
    if (count > left()) return false;
    position_ += count;
    return true;
  }
  const uint8_t* Here() const { return bytes_ + position_; }

 private:
  const uint8_t* bytes_;
  uint32_t size_;
  uint32_t position_;
};

ReadStatus ReadName(Reader& reader, char16_t* name) {
  uint32_t count = 0;
  if (!reader.Word(&count)) return ReadStatus::kCutShort;
  name[0] = 0;
  if (count == 0) return ReadStatus::kRead;
  if (count >= kNameUnits) return ReadStatus::kNameTooLong;
  if (!reader.Bytes(name, (count + 1) * 2)) return ReadStatus::kCutShort;
  name[count] = 0;
  return ReadStatus::kRead;
}

ReadStatus ReadString(Reader& reader, char16_t** text) {
  *text = nullptr;
  uint32_t count = 0;
  if (!reader.Word(&count)) return ReadStatus::kCutShort;
  if (count == 0) return ReadStatus::kRead;
  if ((uint64_t{count} + 1) * 2 > reader.left()) return ReadStatus::kCutShort;
  void* block = nullptr;
  if (!kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(char16_t), count + 1, &block, 0)) return ReadStatus::kNoMemory;
  auto* units = static_cast<char16_t*>(block);
  reader.Bytes(units, (count + 1) * 2);
  units[count] = 0;
  *text = units;
  return ReadStatus::kRead;
}

// The line table that follows a code operand: u32 count, {first, last, line} per entry, u32 word.
ReadStatus ReadLineTable(Reader& reader, LineTable** out) {
  *out = nullptr;
  uint32_t count = 0;
  if (!reader.Word(&count)) return ReadStatus::kCutShort;
  if (uint64_t{count} * sizeof(LineEntry) + 4 > reader.left()) return ReadStatus::kCutShort;
  LineTable* table = LineTableCreate();
  if (!table) return ReadStatus::kNoMemory;
  for (uint32_t i = 0; i < count; ++i) {
    LineEntry* entry = NewRecord<LineEntry>();
    if (!entry || !kivo::ListAppend(table->entries, entry)) {
      FreeRecord(entry);
      LineTableDestroy(table);
      return ReadStatus::kNoMemory;
    }
    reader.Bytes(entry, sizeof(LineEntry));
  }
  reader.Word(&table->word);
  *out = table;
  return ReadStatus::kRead;
}

// A code operand: u32 count, the code bytes, a flag byte, and a line table when the flag is set.
ReadStatus ReadCode(Reader& reader, RTInstance codeParent, VNcode** out) {
  *out = nullptr;
  uint32_t count = 0;
  if (!reader.Word(&count) || count > reader.left()) return ReadStatus::kCutShort;
  const uint8_t* code = reader.Here();
  reader.Skip(count);
  uint8_t flag = 0;
  if (!reader.Bytes(&flag, 1)) return ReadStatus::kCutShort;
  LineTable* lines = nullptr;
  if (flag) {
    const ReadStatus status = ReadLineTable(reader, &lines);
    if (status != ReadStatus::kRead) return status;
  }
  CoreTable* core = kivo::ModuleCore();
  VNcode* value = NewRecord<VNcode>();
  RTInstance stream = nullptr;
  uint32_t written = 0;
  const bool made = value && core->CreateInstanceByString(codeParent, u"RTMemoryStream", &stream, 0, 0) && stream &&
                    kivo::memory_stream::Open(stream, kivo::memory_stream::kReadWrite) &&
                    kivo::stream::Write(stream, code, count, &written) && written == count &&
                    kivo::stream::Seek(stream, 0);
  if (!made) {
    if (stream) core->ReleaseInstance(nullptr, stream);
    FreeRecord(value);
    LineTableDestroy(lines);
    return ReadStatus::kNoMemory;
  }
  value->references = 1;
  value->stream = stream;
  value->lineTable = lines;
  *out = value;
  return ReadStatus::kRead;
}

}  // namespace

OperandKind OperandKindOf(uint8_t opcode) {
  return opcode < kOpcodeCount ? kInstructions[opcode].operand : OperandKind::kNone;
}

const char16_t* OpcodeName(uint8_t opcode) { return opcode < kOpcodeCount ? kInstructions[opcode].name : u"?"; }

ReadStatus ReadInstruction(const uint8_t* bytes, uint32_t size, uint32_t* position, RTInstance codeParent,
                           VmInstruction* out) {
  if (!bytes || *position >= size) return ReadStatus::kEnd;
  Reader reader(bytes, size, *position);
  out->start = *position;
  reader.Bytes(&out->opcode, 1);
  out->kind = OperandKindOf(out->opcode);
  out->name[0] = 0;
  out->operand = RTVarnoConstantValue{};
  out->vector = RTFVector3D{};
  ReadStatus status = ReadStatus::kRead;
  switch (out->kind) {
    case OperandKind::kNone:
      break;
    case OperandKind::kName:
      status = ReadName(reader, out->name);
      break;
    case OperandKind::kInteger:
      out->operand.type = kTypeNumber;
      if (!reader.Bytes(&out->operand.value.number, 4)) status = ReadStatus::kCutShort;
      break;
    case OperandKind::kReal:
      out->operand.type = kTypeReal;
      if (!reader.Bytes(&out->operand.value.real, 4)) status = ReadStatus::kCutShort;
      break;
    case OperandKind::kString:
      out->operand.type = kTypeString;
      status = ReadString(reader, &out->operand.value.text);
      break;
    case OperandKind::kVector3: {
      float xyz[3] = {};
      if (!reader.Bytes(xyz, sizeof xyz)) {
        status = ReadStatus::kCutShort;
        break;
      }
      out->vector.x = xyz[0];
      out->vector.y = xyz[1];
      out->vector.z = xyz[2];
      out->operand.type = kTypeVector3;
      out->operand.value.vector = &out->vector;
      break;
    }
    case OperandKind::kCode:
      out->operand.type = kTypeCode;
      status = ReadCode(reader, codeParent, &out->operand.value.code);
      break;
  }
  if (status == ReadStatus::kRead) *position = reader.position();
  return status;
}

void ReleaseOperand(VmInstruction* instruction) {
  if (instruction->kind == OperandKind::kString) {
    FreeText(instruction->operand.value.text);
  } else if (instruction->kind == OperandKind::kCode && instruction->operand.value.code) {
    CodeValueRelease(instruction->operand.value.code);
  }
  instruction->operand = RTVarnoConstantValue{};
}

void TraceOperation(const Operation& instruction) {
  const char16_t* name = OpcodeName(instruction.opcode);
  std::u16string line;
  switch (instruction.kind) {
    case OperandKind::kName:
      line = kivo::Format(u"0x%04X | %s %s\n", instruction.start, name, instruction.name);
      break;
    case OperandKind::kInteger:
      line = kivo::Format(u"0x%04X | %s 0x%08X\n", instruction.start, name,
                          static_cast<uint32_t>(instruction.operand.value.number));
      break;
    case OperandKind::kReal:
      line = kivo::Format(u"0x%04X | %s %f\n", instruction.start, name, instruction.operand.value.real);
      break;
    case OperandKind::kString:
      line = kivo::Format(u"0x%04X | %s \"%s\"\n", instruction.start, name,
                          instruction.operand.value.text ? instruction.operand.value.text : u"");
      break;
    case OperandKind::kVector3:
      line = kivo::Format(u"0x%04X | %s <%f, %f, %f>\n", instruction.start, name, instruction.vector.x,
                          instruction.vector.y, instruction.vector.z);
      break;
    default:
      line = kivo::Format(u"0x%04X | %s\n", instruction.start, name);
      break;
  }
  kivo::ModuleCore()->DebugPrint(nullptr, line.c_str());
}

}  // namespace varno
