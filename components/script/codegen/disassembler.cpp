#include "codegen/disassembler.h"

#include <cstring>

#include "kivo/support/format.h"
#include "kivo/support/stream_calls.h"

namespace varno {

namespace {

constexpr uint32_t kLongestName = 255;

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size, size_t position) : data_(data), size_(size), at_(position) {}

  size_t position() const { return at_; }
  bool Take(size_t count, const uint8_t** bytes) {
    if (count > size_ - at_) return false;
    *bytes = data_ + at_;
    at_ += count;
    return true;
  }
  bool U8(uint8_t* value) {
    const uint8_t* bytes = nullptr;
    if (!Take(1, &bytes)) return false;
    *value = bytes[0];
    return true;
  }
  bool U32(uint32_t* value) {
    const uint8_t* bytes = nullptr;
    if (!Take(4, &bytes)) return false;
    *value = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
    return true;
  }
  bool Float(float* value) {
    uint32_t bits = 0;
    if (!U32(&bits)) return false;
    std::memcpy(value, &bits, sizeof bits);
    return true;
  }
  // u32 unit count n, then n units and a terminator; the count 0 alone is the empty text.
  bool WideString(std::u16string* text, uint32_t longest) {
    uint32_t count = 0;
    if (!U32(&count) || count > longest) return false;
    text->clear();
    if (count == 0) return true;
    const uint8_t* bytes = nullptr;
    if (!Take((size_t{count} + 1) * 2, &bytes)) return false;
    for (uint32_t i = 0; i < count; ++i) text->push_back(static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8));
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_;
};

bool DecodeCode(ByteReader& reader, DecodedInstruction* out) {
  uint8_t flag = 0;
  if (!reader.U32(&out->codeSize) || !reader.Take(out->codeSize, &out->code) || !reader.U8(&flag)) return false;
  out->hasLines = flag != 0;
  if (!out->hasLines) return true;
  uint32_t count = 0;
  if (!reader.U32(&count)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    LineEntry entry{};
    if (!reader.U32(&entry.first) || !reader.U32(&entry.last) || !reader.U32(&entry.line)) return false;
    out->lines.push_back(entry);
  }
  return reader.U32(&out->lineWord);
}

std::u16string Indented(const std::u16string& text, const std::u16string& indent) {
  std::u16string out;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find(u'\n', start);
    const size_t stop = end == std::u16string::npos ? text.size() : end + 1;
    out += indent + text.substr(start, stop - start);
    start = stop;
  }
  return out;
}

std::u16string ListEntries(const std::vector<LineEntry>& entries) {
  std::u16string out;
  for (const LineEntry& entry : entries) {
    out += kivo::Format(u"line %u: 0x%04X-0x%04X\n", entry.line, entry.first, entry.last);
  }
  return out;
}

}  // namespace

bool DecodeInstruction(const uint8_t* code, size_t size, size_t position, DecodedInstruction* out,
                       std::u16string* error) {
  *out = DecodedInstruction{};
  out->position = static_cast<uint32_t>(position);
  ByteReader reader(code, size, position);
  if (!reader.U8(&out->opcode)) {
    *error = u"end of code";
    return false;
  }
  if (out->opcode >= kOpcodeCount) {
    *error = kivo::Format(u"invalid opcode %u", out->opcode);
    return false;
  }
  out->kind = kInstructions[out->opcode].operand;
  bool read = true;
  switch (out->kind) {
    case OperandKind::kNone: break;
    case OperandKind::kName: read = reader.WideString(&out->text, kLongestName); break;
    case OperandKind::kInteger: read = reader.U32(&out->integer); break;
    case OperandKind::kReal: read = reader.Float(&out->real); break;
    case OperandKind::kString: read = reader.WideString(&out->text, UINT32_MAX - 1); break;
    case OperandKind::kVector3:
      read = reader.Float(&out->vector[0]) && reader.Float(&out->vector[1]) && reader.Float(&out->vector[2]);
      break;
    case OperandKind::kCode: read = DecodeCode(reader, out); break;
  }
  if (!read) {
    *error = kivo::Format(u"%s: operand cut short", kInstructions[out->opcode].name);
    return false;
  }
  out->size = static_cast<uint32_t>(reader.position() - position);
  return true;
}

std::u16string ListInstruction(const DecodedInstruction& instruction) {
  const char16_t* name = kInstructions[instruction.opcode].name;
  const uint32_t at = instruction.position;
  switch (instruction.kind) {
    case OperandKind::kName: return kivo::Format(u"0x%04X | %s %s\n", at, name, instruction.text);
    case OperandKind::kInteger: return kivo::Format(u"0x%04X | %s 0x%08X\n", at, name, instruction.integer);
    case OperandKind::kReal: return kivo::Format(u"0x%04X | %s %f\n", at, name, instruction.real);
    case OperandKind::kString: return kivo::Format(u"0x%04X | %s \"%s\"\n", at, name, instruction.text);
    case OperandKind::kVector3:
      return kivo::Format(u"0x%04X | %s <%f, %f, %f>\n", at, name, instruction.vector[0], instruction.vector[1],
                          instruction.vector[2]);
    case OperandKind::kNone:
    case OperandKind::kCode:
      break;
  }
  return kivo::Format(u"0x%04X | %s\n", at, name);
}

std::u16string Disassemble(const uint8_t* code, size_t size, const DisassemblyOptions& options) {
  std::u16string out;
  size_t position = 0;
  while (position < size) {
    DecodedInstruction instruction;
    std::u16string error;
    if (!DecodeInstruction(code, size, position, &instruction, &error)) {
      out += kivo::Format(u"0x%04X | <%s>\n", static_cast<uint32_t>(position), error);
      break;
    }
    out += ListInstruction(instruction);
    if (instruction.kind == OperandKind::kCode) {
      out += Indented(Disassemble(instruction.code, instruction.codeSize, options), u"    ");
      if (options.lineTables && instruction.hasLines) out += Indented(ListEntries(instruction.lines), u"    ");
    }
    position += instruction.size;
  }
  return out;
}

std::u16string DisassembleStream(RTInstance stream, const DisassemblyOptions& options) {
  uint32_t size = 0;
  const uint8_t* data = nullptr;
  if (!stream || !kivo::stream::GetSize(stream, &size) || !kivo::memory_stream::GetBuffer(stream, &data)) return u"";
  return Disassemble(data, data ? size : 0, options);
}

std::u16string ListLineTable(const LineTable* table) {
  if (!table) return u"";
  std::vector<LineEntry> entries;
  for (const LineEntry* entry : kivo::ListItems<LineEntry>(table->entries)) entries.push_back(*entry);
  return ListEntries(entries);
}

}  // namespace varno
