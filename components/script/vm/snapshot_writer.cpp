// Writing a snapshot: the header and type names, one collector run, the object index, the contexts
// (stacks, frames, evals, call kinds) and the objects (attributes, listeners, queued events).
#include "compiler/listener_list.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "vm/call_frame.h"
#include "vm/collector.h"
#include "vm/context.h"
#include "vm/event.h"
#include "vm/snapshot.h"
#include "vm/snapshot_format.h"
#include "vm/snapshot_output.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace varno {

namespace {

const char16_t* MethodKey(const RTVarnoMethod* method) { return method && method->keyName ? method->keyName : u""; }

const RTVarnoType* MethodClass(const RTVarnoMethod* method) { return method ? method->owner : nullptr; }

class Writer {
 public:
  Writer(RTInstance stream, RTVarnoVM* vm, SnapshotTables& tables) : out_(stream, tables), vm_(vm), tables_(tables) {}

  bool Write();

 private:
  bool Failed(const char16_t* what) {
    Raise(u"VNStreamOut() -- Error writing %s", what);
    return false;
  }
  // Objects of the VM's own type table: every object of the collector's list of a script class,
  // then any natively referenced object not in it yet.
  void BuildIndex();
  bool Belongs(const RTVarnoSymbol* symbol) const;
  bool Context(const RTVarnoContext* context);
  bool Frame(const CallFrame* frame);
  bool Object(const RTVarnoSymbol* object);
  bool Listeners(const RTVarnoSymbol* object);
  bool Events(const RTVarnoSymbol* object);

  SnapshotOutput out_;
  RTVarnoVM* vm_;
  SnapshotTables& tables_;
};

bool Writer::Write() {
  RTVarnoTypeTable* table = vm_->types;
  if (!out_.Text(kSnapshotTag) || !out_.Word(kSnapshotVersion) || !out_.Word(table->count)) {
    return Failed(u"the header");
  }
  for (uint32_t i = 0; i < table->count; ++i) {
    if (!out_.Text(table->types[i] ? table->types[i]->name : nullptr)) return Failed(u"the type names");
  }
  CollectorSweep(vm_);
  BuildIndex();
  kivo::List* contexts = vm_->contexts->contexts;
  if (!out_.Word(contexts->count)) return Failed(u"the context count");
  for (const RTVarnoContext* context : kivo::ListItems<RTVarnoContext>(contexts)) {
    if (!Context(context)) return false;
  }
  if (!out_.Word(static_cast<uint32_t>(tables_.objects.size()))) return Failed(u"the object count");
  for (uint32_t i = 0; i < tables_.objects.size(); ++i) {
    // The identity word is the object's place in the index: the same state writes the same bytes.
    if (!out_.Word(i)) return Failed(u"an object");
    if (!Object(tables_.objects[i])) return false;
  }
  return true;
}

bool Writer::Belongs(const RTVarnoSymbol* symbol) const {
  const RTVarnoTypeTable* table = vm_->types;
  return symbol->typeIndex >= kFirstClassType && symbol->typeIndex < table->count &&
         table->types[symbol->typeIndex] == symbol->type;
}

void Writer::BuildIndex() {
  tables_.objects.clear();
  tables_.references.clear();
  tables_.types.clear();
  const VarnoCollector* collector = Collector();
  if (!collector) return;
  auto add = [this](RTVarnoSymbol* symbol) {
    if (!Belongs(symbol) || tables_.references.count(symbol)) return;
    tables_.objects.push_back(symbol);
    tables_.references.emplace(symbol, static_cast<uint32_t>(tables_.objects.size()));
  };
  for (RTVarnoSymbol* symbol : kivo::ListItems<RTVarnoSymbol>(collector->symbols)) add(symbol);
  for (RTVarnoSymbol* symbol : kivo::ListItems<RTVarnoSymbol>(collector->nativeReferences)) add(symbol);
}

bool Writer::Context(const RTVarnoContext* context) {
  // The embedded element carries the speaker of a listener that runs (the speaker is no field of
  // the wire form of its own).
  RTVarnoStackElement element = context->element;
  if (element.tag == kTagEmpty && context->inListener && context->speaker) {
    element.tag = kTagObject;
    element.value.object = context->speaker;
  }
  if (!out_.Word(kContextVersion) || !out_.Word(context->word) || !out_.Element(element) ||
      !out_.Word(context->position) || !out_.Code(context->code) || !out_.Word(context->operandCapacity) ||
      !out_.Word(context->operandTop)) {
    return Failed(u"a context");
  }
  for (uint32_t i = 0; i <= context->operandTop && i < context->operandCapacity; ++i) {
    if (!out_.Element(context->operands[i])) return Failed(u"an operand stack");
  }
  if (!out_.Word(FrameCount(context))) return Failed(u"a context");
  for (const CallFrame* frame = context->topFrame; frame; frame = frame->below) {
    if (!Frame(frame)) return false;
  }
  if (!out_.Word(context->evalReturns->count)) return Failed(u"a context");
  for (const kivo::StackCell* cell = context->evalReturns->top; cell; cell = cell->next) {
    const auto* record = static_cast<const EvalReturn*>(cell->data);
    if (!out_.Code(record->stream) || !out_.Word(record->position)) return Failed(u"an eval return");
  }
  if (!out_.Word(context->callKinds->count)) return Failed(u"a context");
  for (const kivo::StackCell* cell = context->callKinds->top; cell; cell = cell->next) {
    if (!out_.Word(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(cell->data)))) return Failed(u"a call kind");
  }
  if (!out_.Byte(context->inEvent ? 1 : 0) || !out_.Byte(context->inListener ? 1 : 0) ||
      !out_.Reference(context->object) || !out_.Word(static_cast<uint32_t>(context->sleep)) ||
      !out_.Word(context->linked) || !out_.Byte(context->deafened ? 1 : 0)) {
    return Failed(u"a context");
  }
  return true;
}

bool Writer::Frame(const CallFrame* frame) {
  if (!out_.Word(kFrameVersion) || !out_.Text(frame->fileName) || !out_.Reference(frame->object) ||
      !out_.Attributes(frame->locals) || !out_.Word(frame->returnPosition) || !out_.Code(frame->returnStream) ||
      !out_.Word(frame->frameWord) || !out_.Word(frame->argumentTop)) {
    return Failed(u"a call frame");
  }
  for (uint32_t i = 0; i <= frame->argumentTop && i < kArgumentStackSize; ++i) {
    if (!out_.Element(frame->arguments[i])) return Failed(u"an argument stack");
  }
  if (!out_.TypeIndex(MethodClass(frame->method)) || !out_.Text(MethodKey(frame->method)) ||
      !out_.Word(frame->balanceMark)) {
    return Failed(u"a call frame");
  }
  return true;
}

bool Writer::Object(const RTVarnoSymbol* object) {
  if (!out_.Word(object->typeIndex)) return Failed(u"an object");
  if (!out_.Attributes(object->attributes)) {
    Raise(u"VNStreamObjectOut() Error during symbol table stream");
    return false;
  }
  if (!out_.Byte(object->stored ? 1 : 0) || !Listeners(object)) return Failed(u"an object");
  if (!Events(object)) {
    Raise(u"VNStreamObjectOut() Error during event stream out");
    return false;
  }
  return true;
}

bool Writer::Listeners(const RTVarnoSymbol* object) {
  if (!out_.Word(object->listeners ? object->listeners->count : 0)) return false;
  for (const ListenerEntry* listener : kivo::ListItems<ListenerEntry>(object->listeners)) {
    if (!out_.Text(listener->eventName) || !out_.Reference(listener->object) ||
        !out_.TypeIndex(MethodClass(listener->method)) || !out_.Text(MethodKey(listener->method))) {
      return false;
    }
  }
  return true;
}

bool Writer::Events(const RTVarnoSymbol* object) {
  if (!out_.Word(object->events ? object->events->count : 0)) return false;
  for (const RTVarnoEvent* event : kivo::ListItems<RTVarnoEvent>(object->events)) {
    if (!out_.Text(event->name) || !out_.Word(event->count)) return false;
    for (uint32_t i = 0; i <= event->count; ++i) {
      if (!out_.Element(event->arguments[i])) {
        Raise(u"Event (%s) Stream error!", event->name ? event->name : u"");
        Raise(u"Parameter count: %d. Trap on: %d. Type: %d", event->count, i, event->arguments[i].tag);
        return false;
      }
    }
  }
  return true;
}

}  // namespace

RTSuccess VNStreamOut(RTInstance stream, RTVarnoVM* vm) {
  if (!stream || !vm || !vm->types || !vm->contexts) {
    Raise(u"VNStreamOut() -- No stream or no VM with a type table to write!");
    return kRTFailure;
  }
  // A second snapshot starts a new object index.
  SnapshotTables& tables = SnapshotTablesOfComponent();
  Writer writer(stream, vm, tables);
  return writer.Write() ? kRTSuccess : kRTFailure;
}

}  // namespace varno
