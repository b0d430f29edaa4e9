// Reading a snapshot: the header, the type map (compiling classes the table does not hold), the
// contexts and the objects into new records; then every reference is resolved; only then do the
// new records replace the VM's state. A snapshot refused at any point leaves the VM as it was: what
// was made for it is destroyed and the classes compiled for it leave the type table again.
#include <unordered_set>
#include <utility>
#include <vector>

#include "classfile/type_rollback.h"
#include "codegen/generate_code.h"
#include "compiler/compile_driver.h"
#include "compiler/core_records.h"
#include "compiler/listener_list.h"
#include "compiler/report.h"
#include "compiler/search_paths.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/format.h"
#include "kivo/support/stream_calls.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/collector.h"
#include "vm/call_path.h"
#include "vm/context.h"
#include "vm/decoded_code.h"
#include "vm/event.h"
#include "vm/snapshot.h"
#include "vm/snapshot_format.h"
#include "vm/snapshot_input.h"
#include "vm/snapshot_tables.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace varno {

namespace {

constexpr uint32_t kClassPathUnits = 512;
constexpr uint32_t kTagUnits = 15;

void CallLoadingCallback() {
  if (VarnoLoadingCallback callback = LoadingCallback()) callback();
}

uint32_t CoreTime() {
  uint32_t now = 0;
  kivo::ModuleCore()->GetTime(nullptr, &now);
  return now;
}

uint32_t StreamSize(RTInstance stream) {
  uint32_t size = 0;
  if (stream) kivo::stream::GetSize(stream, &size);
  return size;
}

// A name the class finder may look for: letters, digits and "_", not starting with a digit.
bool IsClassName(const std::u16string& name) {
  if (name.empty() || (name[0] >= u'0' && name[0] <= u'9')) return false;
  for (char16_t c : name) {
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    if (!letter && !(c >= u'0' && c <= u'9')) return false;
  }
  return true;
}

// Holds records made while a context is read until they are handed to it.
template <class T, void (*Free)(T*)>
class Holder {
 public:
  Holder() = default;
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;
  ~Holder() {
    for (T* item : items_) Free(item);
  }
  void Add(T* item) { items_.push_back(item); }
  // Hands the records over from the last read to the first.
  template <class Push>
  bool PushLastFirst(Push push) {
    while (!items_.empty()) {
      if (!push(items_.back())) return false;
      items_.pop_back();
    }
    return true;
  }

 private:
  std::vector<T*> items_;
};

void FreeFrame(CallFrame* frame) { DestroyCallFrame(frame); }
using FrameHolder = Holder<CallFrame, FreeFrame>;
using EvalHolder = Holder<EvalReturn, EvalReturnFree>;

// An object read: the record read into, and what references to it resolve to (the same record, or
// the singleton of its class that exists already, which gets the record's contents).
struct LoadedObject {
  RTVarnoSymbol* object;
  RTVarnoSymbol* target;
};

class Reader {
 public:
  Reader(RTInstance stream, RTVarnoVM* vm)
      : in_(stream, vm->types), vm_(vm), typesBefore_(vm->types->count), replaceTypes_(ReplaceTypesEnabled()) {}
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  ~Reader() {
    if (!committed_) Discard();
  }

  bool Read();

 private:
  bool Header();
  bool Types();
  bool MapType(const std::u16string& name, uint32_t place, RTVarnoType** out);
  bool CompileClass(const std::u16string& name);
  bool Context();
  bool Frame(FrameHolder& frames);
  bool Evals(RTVarnoContext* context);
  bool CallKinds(RTVarnoContext* context);
  bool Object();
  bool Listeners(RTVarnoSymbol* object);
  bool Events(RTVarnoSymbol* object);
  bool Resolve();
  void Commit();
  void Discard();

  SnapshotInput in_;
  RTVarnoVM* vm_;
  const uint32_t typesBefore_;
  const bool replaceTypes_;
  std::vector<std::u16string> typeNames_;
  std::vector<RTVarnoContext*> contexts_;
  std::vector<LoadedObject> objects_;
  std::unordered_set<const RTVarnoType*> singletons_;
  bool resolving_ = false;
  bool committed_ = false;
};

bool Reader::Read() {
  if (!Header() || !Types()) return false;
  uint32_t count = 0;
  if (!in_.Count(&count, kMinContextBytes, u"the context count")) return false;
  for (uint32_t i = 0; i < count; ++i) {
    if (!Context()) return false;
  }
  if (!in_.Count(&count, kMinObjectBytes, u"the object count")) return false;
  for (uint32_t i = 0; i < count; ++i) {
    if (!Object()) return false;
  }
  if (!Resolve()) return false;
  Commit();
  return true;
}

bool Reader::Header() {
  char16_t* tag = nullptr;
  const bool read = in_.Text(&tag, kTagUnits, u"the tag");
  const bool tagged = read && tag && std::u16string_view(tag) == kSnapshotTag;
  FreeText(tag);
  if (!tagged) {
    Raise(u"VNStreamIn() -- Stream not tagged as a VARNO snapshot!");
    return false;
  }
  uint32_t version = 0;
  if (!in_.Word(&version, u"the version")) return false;
  if (version > kSnapshotVersion) {
    Raise(u"VNStreamIn() -- Version of stream is newer than reader!");
    return false;
  }
  if (version < kSnapshotVersion) {
    Raise(u"VNStreamIn() -- Version of stream is older than reader!");
    return false;
  }
  return true;
}

bool Reader::Types() {
  uint32_t count = 0;
  if (!in_.Count(&count, kMinTypeNameBytes, u"the type count")) return false;
  if (count < kFirstClassType) return in_.Damaged(u"the snapshot has %u types, fewer than the built-in ones", count);
  CallLoadingCallback();
  for (uint32_t i = 0; i < count; ++i) {
    std::u16string name;
    RTVarnoType* type = nullptr;
    if (!in_.Name(&name, u"a type name", true) || !MapType(name, i, &type)) return false;
    typeNames_.push_back(std::move(name));
    in_.types().push_back(type);
  }
  return true;
}

bool Reader::MapType(const std::u16string& name, uint32_t place, RTVarnoType** out) {
  RTVarnoTypeTable* table = vm_->types;
  *out = nullptr;
  if (!TypeTableRetrieveTypeByName(table, name.c_str(), out) || !*out) {
    if (!CompileClass(name)) return false;
    if (!TypeTableRetrieveTypeByName(table, name.c_str(), out) || !*out) {
      return in_.Damaged(u"the class %s was compiled but is not in the type table", name);
    }
  }
  // The built-in types have their places.
  if ((place < kFirstClassType || (*out)->index < kFirstClassType) && (*out)->index != place) {
    return in_.Damaged(u"type %u is %s, which is the built-in type %u", place, name, (*out)->index);
  }
  return true;
}

bool Reader::CompileClass(const std::u16string& name) {
  char16_t path[kClassPathUnits];
  if (!IsClassName(name) || !VarnoFindClass(name.c_str(), path, kClassPathUnits)) {
    Raise(u"[VARNO VM] (StreamIn): Cannot locate class (%s) on system", name);
    return false;
  }
  // The class must not replace one of the same name while it is compiled.
  VarnoEnableReplaceTypes(0);
  uint32_t index = kNoType;
  const bool compiled = VarnoParseBrellinAnsiFile(path, &index, nullptr, vm_->types);
  VarnoEnableReplaceTypes(replaceTypes_ ? 1 : 0);
  if (!compiled) {
    Raise(u"[VARNO VM] (StreamIn): Cannot dynamically parse class specified (%s)", name);
    return false;
  }
  return TypeTableGenerateCode(vm_->types);
}

bool Reader::Context() {
  CallLoadingCallback();
  uint32_t version = 0;
  if (!in_.Word(&version, u"a context's version")) return false;
  if (version > kContextVersion) {
    Raise(u"RTVarnoVMContextStreamIn() -- version of context is newer than reader!");
    return false;
  }
  if (version < kOldestContextVersion) {
    Raise(u"RTVarnoVMContextStreamIn() -- obsolete version found. Delete this game!");
    return false;
  }
  RTVarnoContext* context = nullptr;
  if (!CreateContextRecord(&context)) return in_.NoMemory();
  contexts_.push_back(context);
  uint32_t position = 0;
  RTInstance code = nullptr;
  if (!in_.Word(&context->word, u"a context's word") || !in_.Element(&context->element, u"a context's element") ||
      !in_.Word(&position, u"a context's code position") || !in_.Code(&code, u"a context's code")) {
    if (code) kivo::ModuleCore()->ReleaseInstance(nullptr, code);
    return false;
  }
  const uint32_t size = StreamSize(code);
  if (position > size) {
    if (code) kivo::ModuleCore()->ReleaseInstance(nullptr, code);
    return in_.Damaged(u"a context's code position %u lies beyond its %u bytes of code", position, size);
  }
  if (code && !AdoptContextCode(context, code, position)) return in_.NoMemory();
  context->savedPosition = position;

  uint32_t capacity = 0;
  uint32_t top = 0;
  if (!in_.Word(&capacity, u"an operand stack's capacity") || !in_.Word(&top, u"an operand stack's top")) return false;
  // Index 0 is unused and index 1 the empty bottom: a top of at least 1, below the stack's size.
  if (top < 1 || top >= kOperandStackSize) {
    return in_.Damaged(u"an operand stack's top %u lies outside 1 to %u", top, kOperandStackSize - 1);
  }
  if ((uint64_t{top} + 1) * kMinElementBytes > in_.Left()) return in_.Damaged(u"the snapshot ends inside an operand stack");
  for (uint32_t i = 0; i <= top; ++i) {
    if (i > 1) context->operandTop = i;  // the context owns the element from here on
    const bool read = in_.Element(&context->operands[i], u"an operand");
    // The two bottom places are not the context's: what was read into them goes here.
    if (i <= 1 && (!read || context->operands[i].tag != kTagEmpty)) {
      StackElementRelease(&context->operands[i]);
      return read ? in_.Damaged(u"the bottom of an operand stack holds a value") : false;
    }
    if (!read) return false;
  }

  uint32_t count = 0;
  FrameHolder frames;
  if (!in_.Count(&count, kMinFrameBytes, u"a context's frame count")) return false;
  if (count > kMaxCallDepth) {
    return in_.Damaged(u"a context holds %u call frames, more than the %u it may have", count, kMaxCallDepth);
  }
  for (uint32_t i = 0; i < count; ++i) {
    if (!Frame(frames)) return false;
  }
  // Read from the top down: the last one read is pushed first.
  if (!frames.PushLastFirst([context](CallFrame* frame) { return PushCallFrame(context, frame) != 0; })) {
    return in_.NoMemory();
  }
  if (!Evals(context) || !CallKinds(context)) return false;

  uint32_t inEvent = 0;
  uint32_t inListener = 0;
  uint32_t sleep = 0;
  uint32_t linked = 0;
  uint32_t deafened = 0;
  if (!in_.Flag(&inEvent, u"a context's event flag") || !in_.Flag(&inListener, u"a context's listener flag") ||
      !in_.Reference(&context->object, u"a context's object") || !in_.Word(&sleep, u"a context's sleep counter") ||
      !in_.Word(&linked, u"a context's linked flag") || !in_.Flag(&deafened, u"a context's deafened flag")) {
    return false;
  }
  context->inEvent = inEvent;
  context->inListener = inListener;
  context->sleep = static_cast<int32_t>(sleep);
  context->deafened = deafened;
  context->state = kContextIdle;
  return true;
}

bool Reader::Frame(FrameHolder& frames) {
  uint32_t version = 0;
  if (!in_.Word(&version, u"a call frame's version")) return false;
  if (version > kFrameVersion) {
    Raise(u"RTVarnoVMCallFrameStreamIn() -- version of call frame is newer than reader!");
    return false;
  }
  CallFrame* frame = nullptr;
  if (!CreateEmptyCallFrame(&frame)) return in_.NoMemory();
  frames.Add(frame);
  // The file name is the method's (below).
  char16_t* file = nullptr;
  const bool named = in_.Text(&file, kSnapshotFileNameUnits, u"a call frame's file name");
  FreeText(file);
  if (!named || !in_.Reference(&frame->object, u"a call frame's object")) return false;
  if (!AttributeTableFactory(kAttributeBucketsDefault, &frame->locals)) return in_.NoMemory();
  if (!in_.Attributes(frame->locals, u"a call frame's local count") ||
      !in_.Word(&frame->returnPosition, u"a call frame's return position") ||
      !in_.Code(&frame->returnStream, u"a call frame's return code") ||
      !in_.Word(&frame->frameWord, u"a call frame's word")) {
    return false;
  }
  if (frame->returnPosition > StreamSize(frame->returnStream)) {
    return in_.Damaged(u"a call frame's return position %u lies beyond its %u bytes of code", frame->returnPosition,
                       StreamSize(frame->returnStream));
  }
  uint32_t top = 0;
  if (!in_.Word(&top, u"an argument stack's top")) return false;
  if (top >= kArgumentStackSize) {
    return in_.Damaged(u"an argument stack's top %u lies beyond its %u places", top, kArgumentStackSize - 1);
  }
  if ((uint64_t{top} + 1) * kMinElementBytes > in_.Left()) return in_.Damaged(u"the snapshot ends inside an argument stack");
  frame->argumentTop = top;  // the frame owns its elements from here on
  for (uint32_t i = 0; i <= top; ++i) {
    if (!in_.Element(&frame->arguments[i], u"an argument")) return false;
  }
  RTVarnoType* owner = nullptr;
  std::u16string name;
  uint32_t balance = 0;
  if (!in_.ClassType(&owner, u"the class of a call frame's method") || !in_.Name(&name, u"a call frame's method")) {
    return false;
  }
  RTVarnoMethod* method = nullptr;
  if (!TypeRetrieveMethodByName(owner, name.c_str(), &method, kRetrieveWithAncestors) || !method) {
    Raise(u"Couldn't retrieve method that code is in (for scope)");
    return false;
  }
  if (!in_.Word(&balance, u"a call frame's balance mark")) return false;
  if (balance >= kOperandStackSize) return in_.Damaged(u"a call frame's balance mark %u lies beyond the operand stack", balance);
  frame->balanceMark = balance;
  frame->method = method;
  frame->fileName = method->sourceFileName;
  frame->lineTable = method->lineTable;
  return true;
}

bool Reader::Evals(RTVarnoContext* context) {
  uint32_t count = 0;
  EvalHolder evals;
  if (!in_.Count(&count, kMinEvalBytes, u"a context's eval count")) return false;
  for (uint32_t i = 0; i < count; ++i) {
    EvalReturn* record = NewRecord<EvalReturn>();
    if (!record) return in_.NoMemory();
    evals.Add(record);
    if (!in_.Code(&record->stream, u"an eval's code") || !in_.Word(&record->position, u"an eval's position")) {
      return false;
    }
    if (record->position > StreamSize(record->stream)) {
      return in_.Damaged(u"an eval's position %u lies beyond its %u bytes of code", record->position,
                         StreamSize(record->stream));
    }
  }
  if (!evals.PushLastFirst([context](EvalReturn* record) { return kivo::StackPush(context->evalReturns, record) != 0; })) {
    return in_.NoMemory();
  }
  return true;
}

bool Reader::CallKinds(RTVarnoContext* context) {
  uint32_t count = 0;
  if (!in_.Count(&count, 4, u"a context's call kind count")) return false;
  std::vector<CallKind> kinds;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t kind = 0;
    if (!in_.Word(&kind, u"a call kind")) return false;
    if (kind != kCallMethod && kind != kCallEval) return in_.Damaged(u"a call kind is %u, not 0 or 1", kind);
    kinds.push_back(static_cast<CallKind>(kind));
  }
  for (auto kind = kinds.rbegin(); kind != kinds.rend(); ++kind) {
    if (!PushCallKind(context, *kind)) return in_.NoMemory();
  }
  return true;
}

bool Reader::Object() {
  CallLoadingCallback();
  uint32_t identity = 0;
  RTVarnoType* type = nullptr;
  if (!in_.Word(&identity, u"an object's identity") || !in_.ClassType(&type, u"an object's class")) return false;
  RTVarnoSymbol* object = nullptr;
  RTVarnoSymbol* target = nullptr;
  if (type->singleton) {
    if (!singletons_.insert(type).second) {
      return in_.Damaged(u"a second object of the singleton class %s", type->name ? type->name : u"");
    }
    // Read into a record of its own: the singleton that exists gets it only when all is read.
    if (!SymbolFactoryDetached(vm_->types, type->index, &object)) return in_.NoMemory();
    target = type->singletonObject ? type->singletonObject : object;
  } else {
    if (!SymbolFactory(vm_->types, type->index, &object, kSymbolOrdinary, true)) return in_.NoMemory();
    target = object;
  }
  objects_.push_back({object, target});
  if (!object->attributes && !AttributeTableFactory(kAttributeBucketsDefault, &object->attributes)) {
    return in_.NoMemory();
  }
  uint32_t stored = 0;
  if (!in_.Attributes(object->attributes, u"an object's attribute count") ||
      !in_.Flag(&stored, u"an object's stored flag")) {
    return false;
  }
  object->stored = static_cast<uint8_t>(stored);
  return Listeners(object) && Events(object);
}

bool Reader::Listeners(RTVarnoSymbol* object) {
  uint32_t count = 0;
  if (!in_.Count(&count, kMinListenerBytes, u"an object's listener count")) return false;
  for (uint32_t i = 0; i < count; ++i) {
    std::u16string event;
    if (!in_.Name(&event, u"a listener's event")) return false;
    ListenerEntry* listener = ListenerEntryCreate(event.c_str(), nullptr, nullptr);
    if (!listener || !kivo::ListAppend(object->listeners, listener)) {
      ListenerEntryFree(listener);
      return in_.NoMemory();
    }
    RTVarnoType* owner = nullptr;
    std::u16string name;
    if (!in_.Reference(&listener->object, u"a listening object") ||
        !in_.ClassType(&owner, u"the class of a listener method") || !in_.Name(&name, u"a listener method")) {
      return false;
    }
    if (!TypeRetrieveMethodByName(owner, name.c_str(), &listener->method, kRetrieveWithAncestors) ||
        !listener->method) {
      Raise(u"[VARNO VM] (StreamIn): Cannot find the listener method (%s) of class (%s)", name,
            owner->name ? owner->name : u"");
      return false;
    }
  }
  return true;
}

bool Reader::Events(RTVarnoSymbol* object) {
  uint32_t count = 0;
  if (!in_.Count(&count, kMinEventBytes, u"an object's event count", kMaxQueuedEvents)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    std::u16string name;
    uint32_t parameters = 0;
    if (!in_.Name(&name, u"an event's name") || !in_.Word(&parameters, u"an event's parameter count")) return false;
    if (parameters >= kArgumentStackSize) {
      return in_.Damaged(u"an event has %u parameters, more than the %u an argument stack holds", parameters,
                         kArgumentStackSize - 1);
    }
    if ((uint64_t{parameters} + 1) * kMinElementBytes > in_.Left()) {
      return in_.Damaged(u"the snapshot ends inside an event's arguments");
    }
    RTVarnoEvent* event = NewRecord<RTVarnoEvent>();
    void* block = nullptr;
    if (event) {
      event->name = CopyText(name.c_str());
      if (kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(RTVarnoStackElement), parameters + 1, &block, 1)) {
        event->arguments = static_cast<RTVarnoStackElement*>(block);
      }
      event->count = parameters;
    }
    if (!event || !event->name || !event->arguments || !kivo::ListAppend(object->events, event)) {
      EventFree(event);
      return in_.NoMemory();
    }
    for (uint32_t k = 0; k <= parameters; ++k) {
      if (!in_.Element(&event->arguments[k], u"an event's argument")) return false;
    }
  }
  return true;
}

bool Reader::Resolve() {
  resolving_ = true;
  for (size_t i = 0; i < objects_.size() + contexts_.size(); ++i) CallLoadingCallback();
  const auto objects = static_cast<uint32_t>(objects_.size());
  for (const PendingReference& reference : in_.pending()) {
    CallLoadingCallback();
    RTVarnoSymbol* object = nullptr;
    if (reference.number > objects) {
      return in_.DamagedAt(reference.at, kivo::Format(u"a reference to object %u, but the snapshot holds %u objects",
                                                      reference.number, objects));
    }
    if (reference.number) object = objects_[reference.number - 1].target;
    if (reference.symbol) {
      *reference.symbol = object;
    } else {
      reference.value->value.pointer = object;
      if (object) reference.value->type = object->typeIndex;
    }
  }
  std::unordered_set<const RTVarnoSymbol*> running;
  for (const RTVarnoContext* context : contexts_) {
    if (context->object && !running.insert(context->object).second) {
      Raise(u"VNStreamIn() -- The snapshot is damaged: two contexts run on one object");
      return false;
    }
  }
  return true;
}

void Reader::Commit() {
  RemoveAllContexts(vm_);
  for (LoadedObject& loaded : objects_) {
    RTVarnoType* type = loaded.object->type;
    if (!type->singleton) continue;
    if (loaded.target != loaded.object) {
      // The singleton that exists takes what was read; its old contents go with the record.
      std::swap(loaded.target->attributes, loaded.object->attributes);
      std::swap(*loaded.target->events, *loaded.object->events);
      std::swap(*loaded.target->listeners, *loaded.object->listeners);
      loaded.target->stored = loaded.object->stored;
      SymbolDestroyForced(loaded.object);
      loaded.object = loaded.target;
    } else {
      type->singletonObject = loaded.object;
    }
    // Its constructor ran before the snapshot was written.
    MarkSingletonConstructed(type);
  }
  for (RTVarnoContext* context : contexts_) {
    if (!LinkContext(vm_, context)) {
      Raise(u"VNStreamIn() -- Out of memory while linking a context!");
      DestroyContextRecord(context);
      continue;
    }
    if (context->object) context->object->hasContext = 1;
    if (context->inListener && context->element.tag == kTagObject) {
      context->speaker = context->element.value.object;
      context->element = RTVarnoStackElement{};
    }
  }
  contexts_.clear();
  // The next scheduler step starts a new pass at the first context, with no time gone by.
  ContextList* list = vm_->contexts;
  if (list->contexts->last) {
    list->current = list->contexts->last;
    vm_->current = static_cast<RTVarnoContext*>(list->current->data);
  }
  list->lastTime = CoreTime();
  CollectorForgetNativeReferences();

  SnapshotTables& tables = SnapshotTablesOfComponent();
  for (const LoadedObject& loaded : objects_) tables.objects.push_back(loaded.target);
  for (size_t i = 0; i < typeNames_.size(); ++i) tables.types.push_back({typeNames_[i], in_.types()[i]});
  objects_.clear();
  committed_ = true;
  kivo::ModuleCore()->DebugPrint(nullptr, kivo::Format(u"Memory blocks: Used %d blocks, %d heap", in_.codeBlocks,
                                                       in_.codeBytes)
                                              .c_str());
}

void Reader::Discard() {
  // Resolved references may point at records about to go: they are emptied first.
  if (resolving_) {
    for (const PendingReference& reference : in_.pending()) {
      if (reference.symbol) {
        *reference.symbol = nullptr;
      } else {
        reference.value->value.pointer = nullptr;
      }
    }
  }
  for (RTVarnoContext* context : contexts_) DestroyContextRecord(context);
  contexts_.clear();
  for (const LoadedObject& loaded : objects_) {
    AttributeForEach(loaded.object->attributes, [](AttributeEntry* entry) {
      if (entry->symbol && entry->symbol->typeIndex < kFirstClassType) RTVarnoSymbolDestructor(entry->symbol);
      entry->symbol = nullptr;
    });
    SymbolDestroyForced(loaded.object);
  }
  objects_.clear();
  TypeTableRemoveFrom(vm_->types, typesBefore_);
}

}  // namespace

RTSuccess VNStreamIn(RTInstance stream, RTVarnoVM* vm) {
  if (!stream || !vm || !vm->types || !vm->contexts) {
    Raise(u"VNStreamIn() -- No stream or no VM with a type table to read into!");
    return kRTFailure;
  }
  // A second snapshot read starts a new patch table; a refused one leaves it empty.
  SnapshotTablesClear();
  // The objects read are reached by no root until they are in place.
  CollectorHold(true);
  bool read = false;
  {
    Reader reader(stream, vm);
    read = reader.Read();
  }
  CollectorHold(false);
  // Entries of laid-out tables were bound to the symbols read, and contexts run code read.
  NoteRebinding();
  NoteCodeWrite();
  return read ? kRTSuccess : kRTFailure;
}

}  // namespace varno
