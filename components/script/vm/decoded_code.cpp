#include "vm/decoded_code.h"

#include <cstring>
#include <unordered_map>

#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/wide_string.h"
#include "vm/attribute_table.h"
#include "vm/symbol.h"

namespace varno {

namespace {

// Decodings by stream; a stream gets a new one when its bytes no longer match. Entries nobody
// holds are dropped when the table grows past its limit.
constexpr size_t kCacheLimit = 512;

struct Cache {
  std::unordered_map<RTInstance, DecodedCode*> byStream;
  std::vector<DecodedCode*> detached;  // replaced while still held
};

Cache* gCache = nullptr;

Cache& TheCache() {
  if (!gCache) gCache = new Cache();
  return *gCache;
}

// Drops every decoded stream that nothing holds.
void DropUnheld(Cache& cache) {
  for (auto entry = cache.byStream.begin(); entry != cache.byStream.end();) {
    if (entry->second->holders == 0) {
      delete entry->second;
      entry = cache.byStream.erase(entry);
    } else {
      ++entry;
    }
  }
}

void Trim(Cache& cache) {
  if (cache.byStream.size() >= kCacheLimit) DropUnheld(cache);
}

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

std::unique_ptr<DecodedName> MakeName(const std::u16string& text) {
  auto name = std::make_unique<DecodedName>();
  name->text = text;
  name->upper = kivo::WideStrUpper(text);
  name->hash = NameHash(name->upper.c_str());
  name->dotted = text.find(u'.') != std::u16string::npos;
  name->self = kivo::WideStrEqualNoCase(text.c_str(), u"this") == 0;
  const size_t dot = text.find(u'.');
  if (dot != std::u16string::npos && text.find(u'.', dot + 1) == std::u16string::npos) {
    auto holder = MakeName(text.substr(0, dot));
    if (!holder->self) {
      name->holder = std::move(holder);
      name->member = MakeName(text.substr(dot + 1));
    }
  }
  return name;
}

std::unique_ptr<DecodedCall> MakeCall(const std::u16string& text) {
  auto call = std::make_unique<DecodedCall>();
  const size_t dot = text.find(u'.');
  if (dot == std::u16string::npos) {
    call->method = kivo::WideStrUpper(text);
  } else {
    call->targetText = text.substr(0, dot);
    call->target = MakeName(call->targetText);
    call->method = kivo::WideStrUpper(text.substr(dot + 1));
  }
  return call;
}

}  // namespace

RTVarnoMethod* DecodedCall::MethodOf(const RTVarnoSymbol* object) const {
  if (!object || !object->type || !object->type->methods) return nullptr;
  const uint64_t now = MethodTablesGeneration();
  if (type == object->type && generation == now) return found;
  RTVarnoMethod* result = nullptr;
  if (!TypeRetrieveMethodByName(object->type, method.c_str(), &result, kRetrieveWithAncestors)) result = nullptr;
  type = object->type;
  generation = now;
  found = result;
  return result;
}

AttributeEntry* DecodedName::Find(const AttributeTable* table, NameCacheLine* line) const {
  if (!table) return nullptr;
  if (line && line->serial == table->serial) return line->entry;
  AttributeEntry* entry = AttributeFindHashed(table, upper.c_str(), static_cast<uint32_t>(upper.size()), hash);
  if (line) *line = NameCacheLine{table->serial, entry};
  return entry;
}

uint32_t NameHash(const char16_t* text) {
  uint32_t hash = 0;
  kivo::HashWideString(text, &hash);
  return hash;
}

DecodedCode::DecodedCode(const uint8_t* bytes, uint32_t size) : bytes_(bytes, bytes + size), at_(size, -1) {
  std::unordered_map<std::u16string, DecodedName*> names;
  uint32_t position = 0;
  while (position < size) {
    // Code operands make a new code value at every execution: they are read then, and skipped here.
    if (bytes[position] < kOpcodeCount && OperandKindOf(bytes[position]) == OperandKind::kCode) {
      if (!SkipCodeInstruction(bytes, size, &position)) break;
      continue;
    }
    VmInstruction instruction;
    uint32_t next = position;
    DecodedOp op{};
    op.start = position;
    op.status = ReadInstruction(bytes, size, &next, nullptr, &instruction);
    if (op.status == ReadStatus::kEnd) break;
    op.opcode = instruction.opcode;
    op.kind = instruction.kind;
    at_[position] = static_cast<int32_t>(ops_.size());
    if (op.status != ReadStatus::kRead) {
      ops_.push_back(op);  // the error is met when the position is reached
      break;
    }
    op.next = next;
    op.operand = instruction.operand;
    op.vector = instruction.vector;
    if (op.kind == OperandKind::kVector3) op.operand.value.vector = nullptr;
    if (op.kind == OperandKind::kString) {
      strings_.emplace_back(instruction.operand.value.text ? instruction.operand.value.text : u"");
      op.operand.value.pointer = instruction.operand.value.text ? const_cast<char16_t*>(strings_.back().c_str()) : nullptr;
      // The texts move when the vector grows: the pointers are set once decoding is done.
      ReleaseOperand(&instruction);
    } else if (op.kind == OperandKind::kName) {
      const std::u16string text(instruction.name);
      auto found = names.find(text);
      if (found == names.end()) {
        std::unique_ptr<DecodedName> name = MakeName(text);
        found = names.emplace(text, name.get()).first;
        names_.push_back(std::move(name));
      }
      op.name = found->second;
      const auto opcode = static_cast<Opcode>(op.opcode);
      if ((opcode == Opcode::kCall || opcode == Opcode::kSwitch) && !op.name->call) {
        const_cast<DecodedName*>(op.name)->call = MakeCall(text);
      }
    }
    ops_.push_back(op);
    position = next;
  }
  // String operands point into their texts, and instructions to their successors: the places
  // are final now.
  size_t text = 0;
  for (DecodedOp& op : ops_) {
    op.nextOp = op.status == ReadStatus::kRead ? At(op.next) : nullptr;
    const auto opcode = static_cast<Opcode>(op.opcode);
    const bool jump = opcode == Opcode::kJmp || opcode == Opcode::kJmpne || opcode == Opcode::kJmpe;
    op.jumpOp = jump && op.operand.value.number >= 0 ? At(static_cast<uint32_t>(op.operand.value.number)) : nullptr;
    if (op.kind == OperandKind::kString && op.status == ReadStatus::kRead) {
      const bool missing = op.operand.value.pointer == nullptr;
      op.operand.value.text = missing ? nullptr : const_cast<char16_t*>(strings_[text].c_str());
      ++text;
    }
  }
}

bool DecodedCode::Matches(const uint8_t* bytes, uint32_t size) const {
  return size == bytes_.size() && (size == 0 || std::memcmp(bytes, bytes_.data(), size) == 0);
}

DecodedCode* AcquireDecodedCode(RTInstance stream, const uint8_t* bytes, uint32_t size) {
  if (!stream || !bytes || !size) return nullptr;
  Cache& cache = TheCache();
  auto found = cache.byStream.find(stream);
  if (found != cache.byStream.end() && found->second->Matches(bytes, size)) {
    ++found->second->holders;
    return found->second;
  }
  if (found != cache.byStream.end()) {
    if (found->second->holders) {
      cache.detached.push_back(found->second);
    } else {
      delete found->second;
    }
    cache.byStream.erase(found);
  }
  Trim(cache);
  auto* code = new DecodedCode(bytes, size);
  code->holders = 1;
  cache.byStream.emplace(stream, code);
  return code;
}

void ReleaseDecodedCode(DecodedCode* code) {
  if (!code || !code->holders) return;
  if (--code->holders) return;
  Cache& cache = TheCache();
  for (auto detached = cache.detached.begin(); detached != cache.detached.end(); ++detached) {
    if (*detached == code) {
      delete code;
      cache.detached.erase(detached);
      return;
    }
  }
}

void ClearDecodedCode() {
  if (!gCache) return;
  Cache& cache = *gCache;
  DropUnheld(cache);
  // Nothing held: the cache itself goes too (the component's library may be unloaded next).
  if (cache.byStream.empty() && cache.detached.empty()) {
    delete gCache;
    gCache = nullptr;
  }
}

}  // namespace varno
