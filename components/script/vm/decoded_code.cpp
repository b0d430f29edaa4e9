#include "vm/decoded_code.h"

#include <cstring>

#include "bytecode/instruction_set.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "vm/counted_string.h"

namespace varno {

namespace {

// Moves past an instruction with a code operand: u32 count, the bytes, a flag, and when the flag is
// set a line table (u32 count, 12 bytes per entry, u32 word). False when the code ends inside it.
bool SkipCodeInstruction(const uint8_t* bytes, uint32_t size, uint32_t* position) {
  uint64_t at = uint64_t{*position} + 1;
  auto word = [&](uint32_t* out) {
    if (at + 4 > size) return false;
    std::memcpy(out, bytes + at, 4);
    at += 4;
    return true;
  };
  uint32_t count = 0;
  if (!word(&count)) return false;
  at += count;
  if (at + 1 > size) return false;
  const uint8_t flag = bytes[at++];
  if (flag) {
    uint32_t entries = 0;
    if (!word(&entries)) return false;
    at += uint64_t{entries} * 12 + 4;
    if (at > size) return false;
  }
  *position = static_cast<uint32_t>(at);
  return true;
}

bool StreamBytes(RTInstance stream, const uint8_t** bytes, uint32_t* size) {
  return stream && kivo::memory_stream::GetBuffer(stream, bytes) && kivo::stream::GetSize(stream, size) &&
         (*bytes || *size == 0);
}

bool IsJump(uint8_t opcode) {
  switch (static_cast<Opcode>(opcode)) {
    case Opcode::kJmp:
    case Opcode::kJmpne:
    case Opcode::kJmpe:
    case Opcode::kLoops:
      return true;
    default:
      return false;
  }
}

CoreText Upper(const CoreText& text) {
  CoreText upper(text);
  for (char16_t& unit : upper) unit = kivo::WideStrUpperChar(unit);
  return upper;
}

}  // namespace

DecodedCode::DecodedCode(RTInstance stream, const uint8_t* bytes, uint32_t size)
    : stream_(stream), writes_(gCodeWrites), bytes_(bytes, bytes + size), at_(size + 1, -1) {
  uint32_t position = 0;
  bool ended = true;
  while (position < size) {
    DecodedOp op{};
    op.start = position;
    op.opcode = bytes[position];
    op.kind = OperandKindOf(op.opcode);
    op.ownForm = op.opcode < kOpcodeCount ? static_cast<Form>(op.opcode) : kFormGeneral;
    at_[position] = static_cast<int32_t>(ops_.size());
    // A code operand makes a new code value at every execution: the general path reads it then.
    if (op.opcode < kOpcodeCount && op.kind == OperandKind::kCode) {
      op.status = ReadStatus::kRead;
      op.ownForm = op.form = kFormGeneral;
      ended = SkipCodeInstruction(bytes, size, &position);
      op.next = position;
      ops_.push_back(op);
      if (!ended) break;
      continue;
    }
    VmInstruction instruction;
    uint32_t next = position;
    op.status = ReadInstruction(bytes, size, &next, nullptr, &instruction);
    op.form = op.ownForm;
    if (op.status != ReadStatus::kRead) {
      op.ownForm = op.form = kFormGeneral;  // the error is met when the position is reached
      ops_.push_back(op);
      ended = false;
      break;
    }
    op.next = next;
    op.operand = instruction.operand;
    op.vector = instruction.vector;
    if (op.kind == OperandKind::kVector3) op.operand.value.vector = nullptr;
    if (op.kind == OperandKind::kString) {
      op.operand.value.text = instruction.operand.value.text ? StringCopy(instruction.operand.value.text) : nullptr;
      ReleaseOperand(&instruction);
    } else if (op.kind == OperandKind::kName) {
      DecodedName* name = Name(CoreText(instruction.name));
      const auto code = static_cast<Opcode>(op.opcode);
      if ((code == Opcode::kCall || code == Opcode::kSwitch) && !name->call) name->call = MakeCall(name->text);
      op.name = name;
    }
    ops_.push_back(op);
    position = next;
  }
  if (ended) {
    DecodedOp end{};
    end.start = end.next = size;
    end.status = ReadStatus::kEnd;
    end.ownForm = end.form = kFormGeneral;
    at_[size] = static_cast<int32_t>(ops_.size());
    ops_.push_back(end);
  }
  // Jumps point at their targets' operations: the places are final now.
  CoreVector<bool> targets(ops_.size(), false);
  for (DecodedOp& op : ops_) {
    if (op.status != ReadStatus::kRead || !IsJump(op.opcode) || op.operand.value.number < 0) continue;
    op.jump = At(static_cast<uint32_t>(op.operand.value.number));
    if (op.jump) targets[static_cast<size_t>(op.jump - ops_.data())] = true;
  }
  FuseRuns(ops_.data(), ops_.size(), targets);
}

DecodedCode::~DecodedCode() {
  kivo::ModuleCore()->ReleaseInstance(nullptr, stream_);
  for (DecodedOp& op : ops_) {
    if (op.kind == OperandKind::kString && op.status == ReadStatus::kRead) StringRelease(op.operand.value.text);
  }
  for (DecodedName* name : names_) CoreDelete(name);
  for (DecodedCall* call : calls_) CoreDelete(call);
}

DecodedName* DecodedCode::Name(const CoreText& text) {
  for (DecodedName* name : names_) {
    if (name->text == text) return name;
  }
  return MakeName(text);
}

DecodedName* DecodedCode::MakeName(const CoreText& text) {
  auto* name = CoreNew<DecodedName>();
  names_.push_back(name);
  name->text = text;
  name->upper = Upper(text);
  kivo::HashWideString(name->upper.c_str(), &name->hash);
  const size_t dot = text.find(u'.');
  name->dotted = dot != CoreText::npos;
  name->self = kivo::WideStrEqualNoCase(text.c_str(), u"this") == 0;
  if (dot != CoreText::npos && text.find(u'.', dot + 1) == CoreText::npos) {
    const DecodedName* holder = Name(text.substr(0, dot));
    if (!holder->self) {
      name->holder = holder;
      name->member = Name(text.substr(dot + 1));
    }
  }
  return name;
}

const DecodedCall* DecodedCode::MakeCall(const CoreText& text) {
  auto* call = CoreNew<DecodedCall>();
  calls_.push_back(call);
  const size_t dot = text.find(u'.');
  if (dot == CoreText::npos) {
    call->method = Upper(text);
  } else {
    call->targetText = text.substr(0, dot);
    call->target = Name(call->targetText);
    call->method = Upper(text.substr(dot + 1));
  }
  return call;
}

bool DecodedCode::SameBytes() {
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;
  if (!StreamBytes(stream_, &bytes, &size) || size != bytes_.size() ||
      (size && std::memcmp(bytes, bytes_.data(), size) != 0)) {
    return false;
  }
  writes_ = gCodeWrites;
  return true;
}

void DecodedCode::LabelOperations(const void* const* handlers) {
  for (DecodedOp& op : ops_) {
    op.handler = handlers[op.form];
    op.ownHandler = handlers[op.ownForm];
  }
  labelled_ = true;
}

DecodedCode* DecodeStream(RTInstance stream) {
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;
  if (!StreamBytes(stream, &bytes, &size) || !kivo::ModuleCore()->ResolveHandle(nullptr, stream)) return nullptr;
  try {
    return CoreNew<DecodedCode>(stream, bytes, size);
  } catch (...) {
    kivo::ModuleCore()->ReleaseInstance(nullptr, stream);
    throw;
  }
}

void DeleteDecodedCode(DecodedCode* code) { CoreDelete(code); }

}  // namespace varno
