#include "vm/debugging.h"

#include <atomic>
#include <cstring>

#include "codegen/line_table_stream.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "vm/instruction.h"
#include "vm/interpreter.h"
#include "vm/symbol_lookup.h"
#include "vm/vm.h"

namespace varno {

namespace {

constexpr char16_t kSourceExtension[] = u".varno";

// Where a line's breakpoint goes: the method, the offset in its code and the offset of the code
// literal that holds it (0 for the method's own code).
struct BreakSite {
  RTVarnoMethod* method = nullptr;
  uint32_t offset = 0;
  uint32_t base = 0;
};

bool EndsWithExtension(const char16_t* text) {
  for (size_t i = 0; kSourceExtension[i]; ++i) {
    if (kivo::WideStrUpperChar(text[i]) != kivo::WideStrUpperChar(kSourceExtension[i])) return false;
  }
  return true;
}

bool ClassOfFile(const char16_t* fileName, char16_t* name) {
  if (!fileName) return false;
  const char16_t* start = fileName;
  for (const char16_t* p = fileName; *p; ++p) {
    if (*p == u'/' || *p == u'\\') start = p + 1;
  }
  for (size_t length = 0; start[length]; ++length) {
    if (length + 1 >= kLookupNameUnits) return false;
    if (start[length] == u'.' && EndsWithExtension(start + length)) {
      for (size_t i = 0; i < length; ++i) name[i] = start[i];
      name[length] = 0;
      return length > 0;
    }
  }
  return false;
}

bool ReadWord(const uint8_t* bytes, uint64_t size, uint64_t* at, uint32_t* out) {
  if (*at + 4 > size) return false;
  std::memcpy(out, bytes + *at, 4);
  *at += 4;
  return true;
}

// The first offset of the line in the code literals of `bytes` (inner literals before the literal
// that holds them), with the literal's offset from the start of `bytes`.
bool FindInLiterals(const uint8_t* bytes, uint32_t size, uint32_t line, uint32_t* offset, uint32_t* base) {
  uint32_t position = 0;
  while (position < size) {
    if (OperandKindOf(bytes[position]) != OperandKind::kCode) {
      VmInstruction instruction;
      if (ReadInstruction(bytes, size, &position, nullptr, &instruction) != ReadStatus::kRead) return false;
      ReleaseOperand(&instruction);
      continue;
    }
    uint64_t at = uint64_t{position} + 1;
    uint32_t count = 0;
    if (!ReadWord(bytes, size, &at, &count) || at + count + 1 > size) return false;
    const uint32_t literal = static_cast<uint32_t>(at);
    at += count;
    if (FindInLiterals(bytes + literal, count, line, offset, base)) {
      *base += literal;
      return true;
    }
    const uint8_t flag = bytes[at++];
    if (flag) {
      uint32_t entries = 0;
      if (!ReadWord(bytes, size, &at, &entries) || at + uint64_t{entries} * 12 + 4 > size) return false;
      for (uint32_t i = 0; i < entries; ++i) {
        uint32_t first = 0;
        uint32_t last = 0;
        uint32_t entryLine = 0;
        ReadWord(bytes, size, &at, &first);
        ReadWord(bytes, size, &at, &last);
        ReadWord(bytes, size, &at, &entryLine);
        if (entryLine == line && first < count) {
          *offset = first;
          *base = literal;
          return true;
        }
      }
      at += 4;
    }
    position = static_cast<uint32_t>(at);
  }
  return false;
}

bool FindBreakSite(RTVarnoVM* vm, const char16_t* fileName, uint32_t line, BreakSite* site) {
  char16_t name[kLookupNameUnits];
  RTVarnoType* type = nullptr;
  if (!vm || !ClassOfFile(fileName, name) || !TypeTableRetrieveTypeByName(vm->types, name, &type) || !type) {
    return false;
  }
  for (RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(type->methods)) {
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    if (!method->code || !kivo::memory_stream::GetBuffer(method->code, &bytes) ||
        !kivo::stream::GetSize(method->code, &size) || !bytes) {
      continue;
    }
    uint32_t offset = 0;
    uint32_t base = 0;
    if (FindInLiterals(bytes, size, line, &offset, &base)) {
      *site = BreakSite{method, base + offset, base};
      return true;
    }
    uint32_t first = 0;
    uint32_t last = 0;
    uint32_t word = 0;
    if (method->lineTable && LineTableRangeOfLine(method->lineTable, line, &first, &last, &word) && first < size) {
      *site = BreakSite{method, first, 0};
      return true;
    }
  }
  return false;
}

uint32_t Step(RTVarnoVM* vm, uint32_t mode) {
  if (!vm) return kRunError;
  ComponentFlags().breakRequest = 0;
  const uint32_t result = ExecuteContext(vm, mode);
  DestroyRetiredContext(vm);
  return result;
}

}  // namespace

// May be called from another thread than the run's: the running loop reads the request atomically.
RTSuccess VarnoVMBreak(RTVarnoVM* vm) {
  if (!vm) return kRTFailure;
  std::atomic_ref<uint32_t>(ComponentFlags().breakRequest).store(1, std::memory_order_relaxed);
  return kRTSuccess;
}

uint32_t VarnoVMStepInto(RTVarnoVM* vm) { return Step(vm, kModeStepInto); }

uint32_t VarnoVMStepOver(RTVarnoVM* vm) { return Step(vm, kModeStepOver); }

RTSuccess VarnoVMAddBreak(RTVarnoVM* vm, const char16_t* fileName, uint32_t line) {
  BreakSite site;
  if (!FindBreakSite(vm, fileName, line, &site)) return kRTFailure;
  return VmSetBreakpoint(vm, site.method, site.offset, site.base);
}

RTSuccess VarnoVMRemoveBreak(RTVarnoVM* vm, const char16_t* fileName, uint32_t line) {
  BreakSite site;
  if (!FindBreakSite(vm, fileName, line, &site)) return vm ? kRTSuccess : kRTFailure;
  for (Breakpoint* breakpoint : kivo::ListItems<Breakpoint>(vm->breakpoints)) {
    if (breakpoint->method != site.method || breakpoint->offset != site.offset) continue;
    VmRemoveBreakpoint(vm, breakpoint);
    break;
  }
  return kRTSuccess;
}

}  // namespace varno
