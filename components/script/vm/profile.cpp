#include "vm/profile.h"

#include <x86intrin.h>

#include <algorithm>

#include "compiler/core_records.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "vm/call_frame.h"
#include "vm/vm.h"

namespace varno {

namespace {

template <class Visit>
void ForEachMethod(const RTVarnoVM* vm, Visit visit) {
  const RTVarnoTypeTable* table = vm ? vm->types : nullptr;
  for (uint32_t i = 0; table && i < table->count; ++i) {
    RTVarnoType* type = table->types[i];
    if (!type) continue;
    for (RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(type->methods)) visit(type, method);
  }
}

const char16_t* NameOf(const RTVarnoMethod* method) {
  return method->displayName ? method->displayName : (method->keyName ? method->keyName : u"");
}

}  // namespace

uint64_t ProfileTicks() { return __rdtsc(); }

RTSuccess VMBeginProfile(RTVarnoVM* vm) {
  if (!vm) return kRTFailure;
  ForEachMethod(vm, [](RTVarnoType*, RTVarnoMethod* method) {
    method->profileTicks = 0;
    method->profileCalls = 0;
    method->profileStart = 0;
  });
  vm->profiling = 1;
  return kRTSuccess;
}

RTSuccess VMEndProfile(RTVarnoVM* vm) {
  if (!vm) return kRTFailure;
  vm->profiling = 0;
  return kRTSuccess;
}

RTSuccess VMGetProfile(RTVarnoVM* vm, uint32_t* count, VarnoProfileEntry** entries) {
  if (!vm || !count || !entries) return kRTFailure;
  *count = 0;
  *entries = nullptr;
  uint32_t methods = 0;
  ForEachMethod(vm, [&](RTVarnoType*, RTVarnoMethod*) { ++methods; });
  if (!methods) return kRTSuccess;
  void* block = nullptr;
  if (!kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(VarnoProfileEntry), methods, &block, 1) || !block) {
    return kRTFailure;
  }
  auto* array = static_cast<VarnoProfileEntry*>(block);
  uint32_t made = 0;
  bool copied = true;
  ForEachMethod(vm, [&](RTVarnoType* type, RTVarnoMethod* method) {
    VarnoProfileEntry& entry = array[made++];
    entry.className = CopyText(type->name);
    entry.methodName = CopyText(NameOf(method));
    entry.method = method;
    entry.ticks = method->profileTicks;
    entry.calls = method->profileCalls;
    copied = copied && entry.className && entry.methodName;
  });
  if (!copied) {
    VMDestroyProfile(made, array);
    return kRTFailure;
  }
  std::stable_sort(array, array + made,
                   [](const VarnoProfileEntry& a, const VarnoProfileEntry& b) { return a.ticks > b.ticks; });
  *count = made;
  *entries = array;
  return kRTSuccess;
}

RTSuccess VMDestroyProfile(uint32_t count, VarnoProfileEntry* entries) {
  if (!entries) return count ? kRTFailure : kRTSuccess;
  for (uint32_t i = 0; i < count; ++i) {
    FreeText(entries[i].className);
    FreeText(entries[i].methodName);
  }
  kivo::ModuleCore()->ArrayFree(nullptr, entries);
  return kRTSuccess;
}

void ProfiledEnterFrame(CallFrame* frame) {
  frame->startTicks = ProfileTicks();
  if (frame->method) ++frame->method->profileCalls;
}

void ProfiledRestartFrame(CallFrame* frame) { frame->startTicks = ProfileTicks(); }

void ProfiledLeaveFrame(CallFrame* frame) {
  if (!frame->method || !frame->startTicks) return;
  frame->method->profileTicks += ProfileTicks() - frame->startTicks;
  frame->startTicks = 0;
}

}  // namespace varno
