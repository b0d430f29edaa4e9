#include "dispatch.h"

#include <ffi.h>

#include <cstring>
#include <new>
#include <vector>

#include "classes.h"
#include "error_log.h"
#include "instance_space.h"
#include "instances.h"
#include "kivo/support/raise.h"
#include "memory_manager.h"
#include "parameter_list.h"
#include "type_table.h"

namespace kivo::core {

namespace {

constexpr size_t kArgumentWord = sizeof(void*);
// By-value parameters beyond this argument word after the instance are not forwarded.
constexpr uint32_t kForwardedWords = 30;
constexpr uint32_t kMaxReceivedParameters = 32;

enum class Passing { kValue, kIn, kArray };

struct ParameterLayout {
  Passing passing;
  uint32_t size;    // bytes of the value (by value: of its type)
  uint32_t offset;  // place in the argument block
  ffi_type* type;   // how the native call passes it
};

}  // namespace

// The stubs of one method: the native signature, the block layout and the two closures.
struct MethodStub {
  uint32_t globalIndex = 0;
  uint32_t blockSize = 0;
  std::vector<ParameterLayout> parameters;
  std::vector<ffi_type*> argumentTypes;
  ffi_cif methodCif{};
  ffi_closure* forward = nullptr;
  void* forwardCode = nullptr;
  ffi_closure* receive = nullptr;
  void* receiveCode = nullptr;
  MethodStub* next = nullptr;

  ~MethodStub() {
    if (forward) ffi_closure_free(forward);
    if (receive) ffi_closure_free(receive);
  }
};

namespace {

// The libffi type of a by-value parameter of a built-in type that fits an argument word, or null.
ffi_type* ValueType(uint32_t typeId) {
  static ffi_type* const kTypes[] = {
      &ffi_type_uint32, &ffi_type_sint32, &ffi_type_uint32, &ffi_type_sint32, &ffi_type_uint16, &ffi_type_sint16,
      &ffi_type_uint8,  &ffi_type_sint8,  &ffi_type_uint16, &ffi_type_uint8,  &ffi_type_sint8,  &ffi_type_float,
      nullptr,  // double: larger than the forwarded by-value limit of 4 bytes
      &ffi_type_pointer, &ffi_type_uint32, &ffi_type_uint32,
  };
  return typeId < std::size(kTypes) ? kTypes[typeId] : nullptr;
}

RTSuccess ReceivingRefused(RTInstance, RTMethodFunc, const void*) {
  RaiseFormatted(kLevelDispatch, u"Method called which doesn't support the ReceivingDispatch() mechanism.");
  return kRTFailure;
}

// Lays the parameters out; false when a parameter cannot be described at all.
bool LayOut(const RTMethodRecord& method, MethodStub& stub) {
  uint32_t offset = 0;
  stub.argumentTypes.push_back(&ffi_type_pointer);  // the instance
  for (const RTParameterRecord* p = method.firstParameter; p; p = p->next) {
    const TypeEntry* type = GetTypeEntry(p->typeId);
    ParameterLayout layout{};
    if (p->flags == 0) {
      layout = {Passing::kValue, type ? type->size : 0, offset, type ? ValueType(p->typeId) : nullptr};
      offset += kArgumentWord;
    } else {
      layout = {p->flags == kParameterIn ? Passing::kIn : Passing::kArray, type ? type->size : 0, offset,
                &ffi_type_pointer};
      offset += layout.size;
    }
    stub.parameters.push_back(layout);
    stub.argumentTypes.push_back(layout.type ? layout.type : &ffi_type_pointer);
  }
  stub.blockSize = offset;
  return ffi_prep_cif(&stub.methodCif, FFI_DEFAULT_ABI, static_cast<unsigned>(stub.argumentTypes.size()),
                      &ffi_type_uint32, stub.argumentTypes.data()) == FFI_OK;
}

bool CanForward(const RTMethodRecord& method) {
  uint32_t word = 0;
  for (const RTParameterRecord* p = method.firstParameter; p; p = p->next, ++word) {
    const bool single = p->flags == 0 || p->flags == kParameterIn || p->flags == kParameterArray;
    if (!single || p->typeId == kUnknownType) return false;
    if (p->flags == 0 && (!ValueType(p->typeId) || word >= kForwardedWords)) return false;
  }
  return true;
}

bool CanReceive(const RTMethodRecord& method) {
  uint32_t count = 0;
  for (const RTParameterRecord* p = method.firstParameter; p; p = p->next) ++count;
  if (count > kMaxReceivedParameters) {
    RaiseFormatted(kLevelError, u"GenerateReceivingDispatch(), too many parameters in the parameter list.");
    return false;
  }
  for (const RTParameterRecord* p = method.firstParameter; p; p = p->next)
    if ((p->flags != 0 && p->flags != kParameterIn) || p->typeId == kUnknownType ||
        (p->flags == 0 && !ValueType(p->typeId)))
      return false;
  return true;
}

// Called with the method's own arguments: packs them and forwards the block. Array parameters
// keep their zeros; a null `in` pointer has no value to send, so the call fails.
void Forward(ffi_cif*, void* result, void** arguments, void* data) {
  const auto& stub = *static_cast<const MethodStub*>(data);
  RTInstance instance = *static_cast<RTInstance*>(arguments[0]);
  std::vector<uint8_t> block(stub.blockSize, 0);
  for (size_t i = 0; i < stub.parameters.size(); ++i) {
    const ParameterLayout& p = stub.parameters[i];
    if (p.passing == Passing::kValue) std::memcpy(block.data() + p.offset, arguments[i + 1], p.size);
    if (p.passing != Passing::kIn) continue;
    const void* value = *static_cast<void**>(arguments[i + 1]);
    if (!value) {
      RaiseFormatted(kLevelDispatch, u"Method called with a null in parameter, which Dispatch() cannot forward.");
      *static_cast<ffi_arg*>(result) = kRTFailure;
      return;
    }
    std::memcpy(block.data() + p.offset, value, p.size);
  }
  *static_cast<ffi_arg*>(result) = DispatchMethod(instance, stub.globalIndex, block.data(), stub.blockSize);
}

// Called with (instance, real function, block): unpacks the block into the method's arguments.
void Receive(ffi_cif*, void* result, void** arguments, void* data) {
  auto& stub = *static_cast<MethodStub*>(data);
  RTInstance instance = *static_cast<RTInstance*>(arguments[0]);
  auto function = *static_cast<RTMethodFunc*>(arguments[1]);
  auto* block = *static_cast<uint8_t**>(arguments[2]);
  std::vector<void*> values(stub.parameters.size() + 1);
  std::vector<void*> addresses(stub.parameters.size());
  values[0] = &instance;
  for (size_t i = 0; i < stub.parameters.size(); ++i) {
    addresses[i] = block + stub.parameters[i].offset;
    values[i + 1] = stub.parameters[i].passing == Passing::kValue ? addresses[i] : &addresses[i];
  }
  ffi_arg returned = 0;
  ffi_call(&stub.methodCif, function, &returned, values.data());
  *static_cast<ffi_arg*>(result) = returned;
}

ffi_cif* ReceiveCif() {
  static ffi_type* arguments[] = {&ffi_type_pointer, &ffi_type_pointer, &ffi_type_pointer};
  static ffi_cif cif;
  static const bool prepared = ffi_prep_cif(&cif, FFI_DEFAULT_ABI, 3, &ffi_type_uint32, arguments) == FFI_OK;
  return prepared ? &cif : nullptr;
}

bool MakeClosure(ffi_cif* cif, void (*handler)(ffi_cif*, void*, void**, void*), MethodStub* stub,
                 ffi_closure** closure, void** code) {
  *closure = static_cast<ffi_closure*>(ffi_closure_alloc(sizeof(ffi_closure), code));
  if (*closure && ffi_prep_closure_loc(*closure, cif, handler, stub, *code) == FFI_OK) return true;
  if (*closure) ffi_closure_free(*closure);
  *closure = nullptr;
  return false;
}

uint32_t FirstGlobalIndex(const ComponentEntry* level) {
  uint32_t first = 0;
  for (const ComponentEntry* ancestor = ParentEntry(level); ancestor; ancestor = ParentEntry(ancestor))
    first += ancestor->ownMethodCount;
  return first;
}

bool AllocateTable(const ComponentEntry* level, SlotTable* table) {
  void* block = nullptr;
  if (!MemAlloc(nullptr, static_cast<uint32_t>(BlockBytes(level->definition->slotTableSize)), &block, 1) &&
      level->definition->slotTableSize)
    return false;
  *table = static_cast<SlotTable>(block);
  return true;
}

void BuildMethodStubs(ComponentEntry* level, RTMethodRecord& method, uint32_t globalIndex) {
  RTMethodFunc& forwarding = SlotEntry(level->forwardingTable, method.slotOffset);
  RTMethodFunc& receiving = SlotEntry(level->receivingTable, method.slotOffset);
  // The record's refusal has the slot's own type (component_kit.h); a record without one has no
  // function either, and its entry stays empty as it is for an instance here.
  forwarding = method.refusal;
  receiving = reinterpret_cast<RTMethodFunc>(ReceivingRefused);
  if (!EnsureParameterList(method)) return;

  auto* stub = new (std::nothrow) MethodStub;
  if (!stub) return;
  stub->globalIndex = globalIndex;
  stub->next = level->dispatchStubs;
  level->dispatchStubs = stub;
  if (!LayOut(method, *stub)) return;
  if (CanForward(method) && MakeClosure(&stub->methodCif, Forward, stub, &stub->forward, &stub->forwardCode))
    forwarding = reinterpret_cast<RTMethodFunc>(stub->forwardCode);
  else
    DebugPrint(nullptr, method.name);
  if (CanReceive(method) && ReceiveCif() &&
      MakeClosure(ReceiveCif(), Receive, stub, &stub->receive, &stub->receiveCode))
    receiving = reinterpret_cast<RTMethodFunc>(stub->receiveCode);
}

// Builds the tables of a level and then of its ancestors, each once.
bool BuildDispatchTables(ComponentEntry* level) {
  for (; level; level = ParentEntry(level)) {
    if (level->forwardingTable) continue;
    if (!AllocateTable(level, &level->forwardingTable) || !AllocateTable(level, &level->receivingTable)) {
      FreeDispatchTables(level);
      return false;
    }
    uint32_t index = FirstGlobalIndex(level);
    for (uint32_t i = 0; i < level->ownMethodCount; ++i) BuildMethodStubs(level, level->definition->methods[i], index++);
  }
  return true;
}

const MethodStub* StubOf(const ComponentEntry* level, uint32_t globalIndex) {
  for (const MethodStub* stub = level->dispatchStubs; stub; stub = stub->next)
    if (stub->globalIndex == globalIndex) return stub;
  return nullptr;
}

}  // namespace

void FreeDispatchTables(ComponentEntry* entry) {
  while (MethodStub* stub = entry->dispatchStubs) {
    entry->dispatchStubs = stub->next;
    delete stub;
  }
  MemFree(nullptr, entry->forwardingTable);
  MemFree(nullptr, entry->receivingTable);
  entry->forwardingTable = nullptr;
  entry->receivingTable = nullptr;
}

RTSuccess InstallDispatchTables(RTInstance, RTInstance instance, uint32_t word) {
  if (!instance || !word || !instance->componentObject) return kRTFailure;
  ComponentEntry* entry = ClassOf(instance);
  if (!entry || !BuildDispatchTables(entry)) return kRTFailure;
  for (ComponentEntry* level = entry; level; level = ParentEntry(level))
    LevelTable(instance->componentObject, level->definition->firstSlotTableOffset) = level->forwardingTable;
  return kRTSuccess;
}

RTSuccess CreateInstanceFromHeader(RTInstance ctx, RTStreamHeader* header, RTInstance* out, uint32_t word) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!header || header->magic != kStreamHeaderMagic) return kRTFailure;
  RTInstance instance = nullptr;
  if (!CreateInstanceByString(nullptr, header->className, &instance, 0, 1)) return kRTFailure;
  if (!ReplaceInstanceUuid(instance, header->uuid) || !InstallDispatchTables(ctx, instance, word)) {
    ReleaseInstance(ctx, instance);
    return kRTFailure;
  }
  *out = instance;
  return kRTSuccess;
}

RTSuccess DispatchMethod(RTInstance instance, uint32_t globalIndex, void* block, uint32_t blockSize) {
  RTInstance client = nullptr;
  if (!FindISClient(false, &client)) {
    RaiseFormatted(kLevelDispatch, u"DispatchMethod: Unable to get RTISClient instance.");
    return kRTFailure;
  }
  RTUUID uuid{};
  GetInstanceUUID(nullptr, instance, &uuid);
  const RTSuccess result = ISClientDispatch(client, uuid, globalIndex, block, blockSize);
  ReleaseInstance(nullptr, client);
  return result;
}

RTSuccess FindMethodByIndex(RTInstance, RTInstance instance, uint32_t globalIndex, ComponentEntry** level,
                            RTMethodRecord** method) {
  if (!instance) return kRTFailure;
  for (ComponentEntry* entry = ClassOf(instance); entry; entry = ParentEntry(entry)) {
    const uint32_t first = FirstGlobalIndex(entry);
    if (globalIndex < first || globalIndex >= first + entry->ownMethodCount) continue;
    *level = entry;
    *method = &entry->definition->methods[globalIndex - first];
    return kRTSuccess;
  }
  return kRTFailure;
}

RTSuccess ReceiveDispatch(RTInstance ctx, RTInstance instance, uint32_t globalIndex, const void* block,
                          uint32_t blockSize) {
  ComponentEntry* level = nullptr;
  RTMethodRecord* method = nullptr;
  if (!FindMethodByIndex(ctx, instance, globalIndex, &level, &method) || !instance->componentObject)
    return kRTFailure;
  RTMethodFunc real = SlotEntry(LevelTable(instance->componentObject, level->definition->firstSlotTableOffset),
                                method->slotOffset);
  if (!BuildDispatchTables(level)) return kRTFailure;
  auto* stub = reinterpret_cast<RTSuccess (*)(RTInstance, RTMethodFunc, const void*)>(
      SlotEntry(level->receivingTable, method->slotOffset));
  if (!stub) return kRTFailure;
  // A receiving stub reads the whole block and calls the real function: both must be there.
  const MethodStub* made = StubOf(level, globalIndex);
  if (made && reinterpret_cast<void*>(stub) == made->receiveCode) {
    if (!real) {
      RaiseFormatted(kLevelDispatch, u"ReceiveDispatch: the instance has no function for method %s.", method->name);
      return kRTFailure;
    }
    if (blockSize < made->blockSize || (!block && made->blockSize)) {
      RaiseFormatted(kLevelDispatch, u"ReceiveDispatch: the argument block of method %s is too short (%u of %u bytes).",
                     method->name, blockSize, made->blockSize);
      return kRTFailure;
    }
  }
  return stub(instance, real, block);
}

}  // namespace kivo::core
