// RTVarnoTestNative: a component whose methods scripts call through `implemented` declarations.
// It writes what it receives to the debug output, returns a value of whatever type the script
// declared, and calls back into the scripting component through its slot table.
#include <new>
#include <string>

#include "kivo/support/component_kit.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"
#include "varno/scripting_calls.h"

namespace {

using namespace varno;
namespace calls = varno::scripting;

uint32_t gConstructions = 0;

// The scripting component for one call (the reference goes when the call ends).
class Varno {
 public:
  Varno() { kivo::ModuleCore()->GetFirstInstanceByString(nullptr, calls::kClassName, &instance_, 0, nullptr); }
  ~Varno() {
    if (instance_) kivo::ModuleCore()->ReleaseInstance(nullptr, instance_);
  }
  Varno(const Varno&) = delete;
  Varno& operator=(const Varno&) = delete;
  RTInstance get() const { return instance_; }

 private:
  RTInstance instance_ = nullptr;
};

void Print(const std::u16string& line) { kivo::ModuleCore()->DebugPrint(nullptr, line.c_str()); }

std::u16string Describe(const Varno& varno, RTVarnoSymbol* self, const RTVarnoCallArg& cell) {
  switch (cell.type) {
    case kTypeNumber:
      return kivo::Format(u"number %d", cell.value.number);
    case kTypeReal:
      return kivo::Format(u"real %f", cell.value.real);
    case kTypeString:
      return cell.value.text ? u"string \"" + std::u16string(cell.value.text) + u"\"" : u"string missing";
    case kTypeBool:
      return kivo::Format(u"bool %u", cell.value.word);
    case kTypeVector3:
      return kivo::Format(u"vector3 <%f, %f, %f>", cell.value.vector->x, cell.value.vector->y, cell.value.vector->z);
    case kTypeList: {
      auto* list = static_cast<VNlist*>(cell.value.pointer);
      uint32_t count = 0;
      RTVarnoConstantValue* first = nullptr;
      calls::ListGetElementCount(varno.get(), list, &count);
      if (count) calls::ListRetrieveElementN(varno.get(), list, 0, &first);
      return kivo::Format(u"list of %u, first %d", count, first ? first->value.number : 0);
    }
    case kTypeDatabase:
      return cell.value.pointer ? u"database" : u"database missing";
    default:
      if (cell.type >= kFirstClassType) return cell.value.pointer == self ? u"object self" : u"object other";
      return kivo::Format(u"type %u", cell.type);
  }
}

// Writes "Describe(n): cell, cell, ..." and returns the count.
RTSuccess DescribeCells(RTInstance, RTVarnoSymbol* self, uint32_t count, RTVarnoCallArg* cells,
                        RTVarnoCallArg* result, RTVarnoVM*) {
  const Varno varno;
  std::u16string line = kivo::Format(u"Describe(%u):", count);
  for (uint32_t i = 0; i < count; ++i) line += (i ? u", " : u" ") + Describe(varno, self, cells[i]);
  Print(line);
  if (result->type == kTypeNumber) result->value.number = static_cast<int32_t>(count);
  return kRTSuccess;
}

// A value of the declared result type.
RTSuccess Give(RTInstance, RTVarnoSymbol* self, uint32_t, RTVarnoCallArg*, RTVarnoCallArg* result, RTVarnoVM*) {
  switch (result->type) {
    case kTypeNumber:
      result->value.number = 42;
      return kRTSuccess;
    case kTypeReal:
      result->value.real = 2.5f;
      return kRTSuccess;
    case kTypeString:
      return kivo::WideStrDup(u"native text", &result->value.text);
    case kTypeBool:
      result->value.word = 1;
      return kRTSuccess;
    case kTypeVector3:
      *result->value.vector = RTFVector3D{1, 2, 3, 0};
      return kRTSuccess;
    case kTypeList: {
      const Varno varno;
      VNlist* list = nullptr;
      if (!calls::ListFactory(varno.get(), &list)) return kRTFailure;
      calls::ListAppendNumber(varno.get(), list, 7, &list);
      calls::ListAppendNumber(varno.get(), list, 8, &list);
      result->value.pointer = list;  // the VM releases this reference after pushing the list
      return kRTSuccess;
    }
    case kTypeNoValue:
      return kRTSuccess;
    default:
      if (result->type < kFirstClassType) return kRTFailure;
      result->value.pointer = self;
      return kRTSuccess;
  }
}

// Fails without writing the result.
RTSuccess Fail(RTInstance, RTVarnoSymbol*, uint32_t, RTVarnoCallArg*, RTVarnoCallArg*, RTVarnoVM*) {
  return kRTFailure;
}

RTSuccess SymbolCount(RTInstance, RTVarnoSymbol*, uint32_t, RTVarnoCallArg*, RTVarnoCallArg* result, RTVarnoVM* vm) {
  const Varno varno;
  uint32_t count = 0;
  const RTSuccess done = calls::VMCollectorGetSymbolCount(varno.get(), vm, &count);
  result->value.number = static_cast<int32_t>(count);
  return done;
}

RTSuccess Constructions(RTInstance, RTVarnoSymbol*, uint32_t, RTVarnoCallArg*, RTVarnoCallArg* result, RTVarnoVM*) {
  result->value.number = static_cast<int32_t>(gConstructions);
  return kRTSuccess;
}

// (event name, text, number): raises the event on the calling object with the text and the
// number as its two arguments; the result is TriggerEvent's.
RTSuccess Raise(RTInstance, RTVarnoSymbol* self, uint32_t count, RTVarnoCallArg* cells, RTVarnoCallArg* result,
                RTVarnoVM* vm) {
  if (count != 3) return kRTFailure;
  const Varno varno;
  calls::ArgPushNumber(varno.get(), vm, cells[2].value.number);
  calls::ArgPushString(varno.get(), vm, cells[1].value.text);
  const RTSuccess raised = calls::TriggerEvent(varno.get(), vm, self, cells[0].value.text);
  calls::ArgPopStack(varno.get(), vm);
  result->value.number = static_cast<int32_t>(raised);
  return raised;
}

RTSuccess StopOthers(RTInstance, RTVarnoSymbol*, uint32_t, RTVarnoCallArg*, RTVarnoCallArg*, RTVarnoVM* vm) {
  const Varno varno;
  return calls::VMStopAllButFirstContext(varno.get(), vm);
}

// Stands for a native method whose allocation fails while the VM runs it.
[[noreturn]] RTSuccess RunOutOfMemory(RTInstance, RTVarnoSymbol*, uint32_t, RTVarnoCallArg*, RTVarnoCallArg*,
                                      RTVarnoVM*) {
  throw std::bad_alloc();
}

// A method of another type than a script's call: scripts that name it are refused before it runs.
RTSuccess Typed(RTInstance, uint32_t value) {
  Print(kivo::Format(u"Typed(%u)", value));
  return kRTSuccess;
}

RTSuccess Construct(RTInstance) {
  ++gConstructions;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    kivo::Method(u"Describe", DescribeCells, NativeMethodSlot{0x00}, u"RTSuccess", u""),
    kivo::Method(u"Give", Give, NativeMethodSlot{0x04}, u"RTSuccess", u""),
    kivo::Method(u"Fail", Fail, NativeMethodSlot{0x08}, u"RTSuccess", u""),
    kivo::Method(u"SymbolCount", SymbolCount, NativeMethodSlot{0x0C}, u"RTSuccess", u""),
    kivo::Method(u"Constructions", Constructions, NativeMethodSlot{0x10}, u"RTSuccess", u""),
    kivo::Method(u"Raise", Raise, NativeMethodSlot{0x14}, u"RTSuccess", u""),
    kivo::Method(u"StopOthers", StopOthers, NativeMethodSlot{0x18}, u"RTSuccess", u""),
    kivo::Method(u"RunOutOfMemory", RunOutOfMemory, NativeMethodSlot{0x1C}, u"RTSuccess", u""),
    kivo::Method(u"Typed", Typed, kivo::MethodSlot<uint32_t>{0x20}, u"RTSuccess", u"uint anValue"),
    kivo::kEndOfMethods,
};

const RTComponentDef gDefinition = kivo::MakeComponentDef({
    .className = u"RTVarnoTestNative",
    .parentClassName = u"RTComponent",
    .description = u"Native methods for the scripting component's tests",
    .objectSize = 0x10,
    .slotTableSize = 0x24,
    .firstSlotTableOffset = 0x08,
    .secondSlotTableOffset = 0x0C,
    .methods = gMethods,
    .construct = Construct,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
