// The interpreter's dispatch loop. The running code's decoding is an array of operations, each run
// by the handler its form names (computed goto), its operand ready and its name found through the
// operation's cache. A handler does the common case inline; every other case it hands to the
// general path (vm/general_path.h) before it has changed anything. While the run's slow-path flag is
// set (a single step, tracing, a breakpoint to re-arm, a break request, or the general path asked
// for everywhere) every instruction takes the general path. The operation, the frame and its object
// live in locals, reloaded after a call, a return, and anything that may have run other code.
#include <atomic>
#include <new>

#include "bytecode/instruction_set.h"
#include "codegen/line_table_stream.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "kivo/support/stream_calls.h"
#include "vm/call_frame.h"
#include "vm/call_path.h"
#include "vm/context.h"
#include "vm/counted_string.h"
#include "vm/decoded_code.h"
#include "vm/element_value.h"
#include "vm/event.h"
#include "vm/fast_values.h"
#include "vm/frame_pool.h"
#include "vm/general_path.h"
#include "vm/interpreter.h"
#include "vm/list_value.h"
#include "vm/native_call.h"
#include "vm/profile.h"
#include "vm/vm.h"
#include "vm/vm_plans.h"

namespace varno {

namespace {

bool SlowPath(const RTVarnoVM* vm, uint32_t mode) {
  const VarnoComponentFlags& flags = ComponentFlags();
  return mode == kModeStepOver || flags.traceInstructions || flags.traceCalls || flags.breakRequest ||
         flags.generalPathOnly || vm->pendingBreakpoint;
}

// The variable of an operation's name of a built-in type (found and remembered when it was not);
// null when the name is something else (a member, a constant, an object) or nowhere.
[[gnu::always_inline]] inline RTVarnoSymbol* Variable(RTVarnoVM* vm, const DecodedOp& op, const NameScope& scope) {
  if (RTVarnoSymbol* variable = CachedVariable(op.cache, scope)) return variable;
  return CachedEntry(vm, *op.name, op.cache, scope) ? CachedVariable(op.cache, scope) : nullptr;
}

// Whether a branch whose tested value is zero or not takes its jump: jmpne on zero, jmpe on
// anything else.
[[gnu::always_inline]] inline bool Takes(const DecodedOp& branch, bool zero) {
  return zero == (branch.opcode == static_cast<uint8_t>(Opcode::kJmpne));
}

// A jump to an earlier operation (a loop's back-edge) with a break requested, perhaps from another
// thread (a watchdog): a loop of quick operations never reaches the general path on its own.
[[gnu::always_inline]] inline bool BreakAtBackEdge(const DecodedOp* to, const DecodedOp* from) {
  return to <= from && std::atomic_ref<uint32_t>(ComponentFlags().breakRequest).load(std::memory_order_relaxed) != 0;
}

// The method's code becomes current at its start.
bool EnterCode(RTVarnoContext* c, VmPlan* plan, RTVarnoMethod* method) {
  DecodedCode* code = PlanCode(plan, method);
  if (code && c->code == method->code && c->decoded == code) {
    c->position = 0;
    return true;
  }
  return SetContextCode(c, method->code, 0, code);
}

// The caller's code becomes current where it made its call.
bool ResumeCaller(RTVarnoContext* c, CallFrame* caller) {
  DecodedCode* code = caller->returnCode;
  if (code && c->code == caller->returnStream && c->decoded == code && code->Current()) {
    c->position = caller->returnPosition;
    return true;
  }
  return SetContextCode(c, caller->returnStream, caller->returnPosition, code);
}

// A script method called from `caller`'s frame on the object: as `call` does it after the method is
// found. False after a report when the error exit must run.
bool CallScriptMethod(Run& run, RTVarnoMethod* method, RTVarnoSymbol* object, CallFrame* caller) {
  RTVarnoContext* c = run.context;
  PushCallKind(c, kCallMethod);
  SaveReturnPoint(c, caller);
  VmPlan* plan = PlanOfMethod(run.vm->types, method);
  CallFrame* frame = nullptr;
  if (!plan || !AcquirePlannedFrame(c, plan, method, object, &frame)) return false;
  frame->fileName = method->sourceFileName;
  frame->lineTable = method->lineTable;
  if (!PushCallFrame(c, frame)) {
    KeepFrame(c->framePool, frame);
    return false;
  }
  ProfileEnterFrame(run.vm, frame);
  bool bound = false;
  const bool planned = BindPlannedCall(plan, method, caller, frame, &bound);
  return (planned ? bound : SetupScriptCall(run.vm, caller, frame, method)) && EnterCode(c, plan, method);
}

enum class Returned { kNot, kToCaller, kTrapEnded };

// `return` from a method called by another one: as the general handler does it in the cases it
// covers, the end of a trapped run (the method the run waits for returns) included. kNot (nothing
// changed) for an eval's return, an event's and the end of the context.
Returned ReturnToCaller(Run& run) {
  RTVarnoContext* c = run.context;
  CallFrame* finished = TopFrame(c);
  CallKind kind = kCallEval;
  if (!PeekCallKind(c, &kind) || kind != kCallMethod || !finished || FrameCount(c) < 2 ||
      (finished->method && finished->method->kind == kMethodEvent)) {
    return Returned::kNot;
  }
  const bool trapEnded = run.mode == kModeTrap && finished == run.waitFrame;
  PopCallKind(c, nullptr);
  ProfileLeaveFrame(run.vm, finished);
  c->inEvent = 0;
  PopCallFrame(c);
  CallFrame* caller = TopFrame(c);
  ResumeCaller(c, caller);
  // The trapped run's caller keeps its arguments.
  if (!trapEnded) PopArguments(caller, caller->argumentTop);
  c->inListener = 0;
  return trapEnded ? Returned::kTrapEnded : Returned::kToCaller;
}

}  // namespace

uint32_t ExecuteContext(RTVarnoVM* vm, uint32_t mode) {
  static const void* handlers[kFormCount];
  static bool labelled = false;
  if (!labelled) {
    for (const void*& handler : handlers) handler = &&general_at_op;
    const auto set = [](uint8_t form, const void* handler) { handlers[form] = handler; };
    set(static_cast<uint8_t>(Opcode::kNop), &&nop);
    set(static_cast<uint8_t>(Opcode::kPushas), &&nop);
    set(static_cast<uint8_t>(Opcode::kPushs), &&pushs);
    set(static_cast<uint8_t>(Opcode::kStores), &&stores);
    set(static_cast<uint8_t>(Opcode::kPop), &&pop);
    set(static_cast<uint8_t>(Opcode::kAdd), &&arithmetic);
    set(static_cast<uint8_t>(Opcode::kSub), &&arithmetic);
    set(static_cast<uint8_t>(Opcode::kMul), &&arithmetic);
    set(static_cast<uint8_t>(Opcode::kDiv), &&arithmetic);
    for (Opcode compare : {Opcode::kEq, Opcode::kNeq, Opcode::kLt, Opcode::kGt, Opcode::kLe, Opcode::kGe}) {
      set(static_cast<uint8_t>(compare), &&compare);
    }
    set(static_cast<uint8_t>(Opcode::kJmp), &&jmp);
    set(static_cast<uint8_t>(Opcode::kJmpne), &&branch);
    set(static_cast<uint8_t>(Opcode::kJmpe), &&branch);
    set(static_cast<uint8_t>(Opcode::kPushvn), &&push_word);
    set(static_cast<uint8_t>(Opcode::kPushvr), &&push_word);
    set(static_cast<uint8_t>(Opcode::kPusht), &&push_bool);
    set(static_cast<uint8_t>(Opcode::kPushf), &&push_bool);
    set(static_cast<uint8_t>(Opcode::kPushvs), &&push_string);
    set(static_cast<uint8_t>(Opcode::kPushvv3), &&push_vector);
    set(static_cast<uint8_t>(Opcode::kPusha), &&pusha);
    set(static_cast<uint8_t>(Opcode::kBalance), &&balance);
    set(static_cast<uint8_t>(Opcode::kCall), &&call);
    set(static_cast<uint8_t>(Opcode::kSwitch), &&call);
    set(static_cast<uint8_t>(Opcode::kReturn), &&return_);
    set(static_cast<uint8_t>(Opcode::kLload), &&lload);
    set(static_cast<uint8_t>(Opcode::kDbretrieve), &&dbretrieve);
    set(kFormCompareConstantBranch, &&compare_constant_branch);
    set(kFormCompareBranch, &&compare_branch);
    set(kFormArithmeticStore, &&arithmetic_store);
    set(kFormConstantArithmeticStore, &&constant_arithmetic_store);
    set(kFormConstantArithmeticArgument, &&constant_arithmetic_argument);
    set(kFormVariableArgument, &&variable_argument);
    set(kFormAccumulate, &&accumulate);
    set(kFormAccumulateTwo, &&accumulate_two);
    set(kFormAppendValue, &&append_value);
    set(kFormDatabaseStore, &&database_store);
    labelled = true;
  }

  if (!vm || !vm->current) return kRunError;
  RTVarnoContext* const c = vm->current;
  Run run{vm, c, mode, nullptr, 0, 0};
  c->state = kContextRunning;
  if (c->code) {
    uint32_t position = 0;
    if (kivo::stream::GetPosition(c->code, &position)) c->position = position;
  }
  RefreshContextCode(c);
  if (!TopFrame(c)) {
    Raise(u"[VARNO VM] Execute has no scope in which to execute!");
    return ErrorExit(run, c->position);
  }
  run.waitFrame = TopFrame(c);
  ProfileRestartFrame(vm, run.waitFrame);
  if (mode == kModeStepInto) {
    Raise(u"[VARNO VM] Step into is not currently supported!!");
    return ErrorExit(run, c->position);
  }
  if (mode == kModeStepOver &&
      !LineTableRangeOfOffset(run.waitFrame->lineTable, c->position, &run.lineFirst, &run.lineLast)) {
    run.lineFirst = run.lineLast = c->position;
  }

  CallFrame* frame = nullptr;
  NameScope scope;
  const DecodedOp* op = nullptr;

// The next operation's handler; or the general path for the instruction where `op` starts.
#define DISPATCH() goto * op->handler
#define GENERAL()            \
  do {                       \
    c->position = op->start; \
    goto general;            \
  } while (0)
#define OWN() goto * op->ownHandler
// A jump taken, which may be a loop's back-edge: with a break requested the general path stops
// the run at the jumping operation, which nothing has started yet.
#define TAKE(target)                                     \
  do {                                                   \
    const DecodedOp* const to = (target);                \
    if (BreakAtBackEdge(to, op)) GENERAL();              \
    op = to;                                             \
    DISPATCH();                                          \
  } while (0)

  try {
  reload:
    if (c->decoded && !c->decoded->Current()) RefreshContextCode(c);
    op = c->decoded ? c->decoded->At(c->position) : nullptr;
    if (!op || SlowPath(vm, mode)) goto general;
    frame = TopFrame(c);
    scope = ScopeOf(frame ? frame->object : c->object, frame, c->decoded);
    c->decoded->Label(handlers);
    DISPATCH();

  general_at_op:
    GENERAL();

  general : {
    const int step = GeneralStep(run);
    if (step != kNext) return static_cast<uint32_t>(step);
    goto reload;
  }

  nop:
    ++op;
    DISPATCH();

  pushs : {
    if (const int32_t* number = CachedNumber(op->cache, scope)) {
      if (!Room(c, 1)) GENERAL();
      PushWord(c, kTagNumber, static_cast<uint32_t>(*number));
      ++op;
      DISPATCH();
    }
    const AttributeEntry* entry = CachedEntry(vm, *op->name, op->cache, scope);
    if (!entry || !PushVariable(c, entry)) GENERAL();
    ++op;
    DISPATCH();
  }

  stores : {
    if (int32_t* number = CachedNumber(op->cache, scope); number && Holds(c, 1) && Top(c, 0).tag == kTagNumber) {
      *number = Top(c, 0).value.number;
      --c->operandTop;
      ++op;
      DISPATCH();
    }
    AttributeEntry* entry = CachedEntry(vm, *op->name, op->cache, scope);
    if (!entry || !StoreVariable(c, entry)) GENERAL();
    ++op;
    DISPATCH();
  }

  pop:
    if (!Holds(c, 1)) GENERAL();
    Pop(c);
    ++op;
    DISPATCH();

  arithmetic : {
    uint8_t tag = 0;
    uint32_t word = 0;
    if (!Holds(c, 2)) GENERAL();
    if (!NumericResult(static_cast<Opcode>(op->opcode), Top(c, 0), Top(c, 1), &tag, &word)) {
      // Strings and numbers joined by `add`.
      bool joined = false;
      if (op->opcode != static_cast<uint8_t>(Opcode::kAdd) || !JoinPlainTexts(c, &joined) || !joined) GENERAL();
      ++op;
      DISPATCH();
    }
    --c->operandTop;
    Top(c, 0).tag = tag;
    Top(c, 0).value.word = word;
    ++op;
    DISPATCH();
  }

  compare : {
    bool result = false;
    if (!Holds(c, 2) || !NumericOrder(static_cast<Opcode>(op->opcode), Top(c, 0), Top(c, 1), &result)) GENERAL();
    --c->operandTop;
    Top(c, 0).tag = kTagBool;
    Top(c, 0).value.word = result ? 1 : 0;
    ++op;
    DISPATCH();
  }

  jmp:
    if (!op->jump) GENERAL();
    TAKE(op->jump);

  branch : {
    if (!op->jump || !Holds(c, 1)) GENERAL();
    const RTVarnoStackElement& tos = Top(c, 0);
    if (tos.tag != kTagBool && tos.tag != kTagNumber) GENERAL();
    const bool taken = Takes(*op, tos.value.word == 0);
    if (taken && BreakAtBackEdge(op->jump, op)) GENERAL();
    --c->operandTop;
    op = taken ? op->jump : op + 1;
    DISPATCH();
  }

  push_word:
    if (!Room(c, 1)) GENERAL();
    PushWord(c, op->opcode == static_cast<uint8_t>(Opcode::kPushvn) ? kTagNumber : kTagReal, op->operand.value.word);
    ++op;
    DISPATCH();

  push_bool:
    if (!Room(c, 1)) GENERAL();
    PushWord(c, kTagBool, op->opcode == static_cast<uint8_t>(Opcode::kPusht) ? 1 : 0);
    ++op;
    DISPATCH();

  push_string : {
    if (!Room(c, 1)) GENERAL();
    RTVarnoStackElement& element = c->operands[++c->operandTop];
    element.tag = kTagString;
    element.value.text = StringShare(op->operand.value.text);
    ++op;
    DISPATCH();
  }

  push_vector : {
    if (!Room(c, 1)) GENERAL();
    RTVarnoStackElement& element = c->operands[++c->operandTop];
    element.tag = kTagVector3;
    element.value.vector = op->vector;
    ++op;
    DISPATCH();
  }

  pusha:
    if (!Holds(c, 1) || frame->argumentTop + 1 >= kArgumentStackSize || !ArgumentKind(Top(c, 0).tag)) GENERAL();
    frame->arguments[++frame->argumentTop] = Top(c, 0);
    --c->operandTop;
    ++op;
    DISPATCH();

  balance:
    // Drops the value a call statement left, or nothing when it left none.
    if (c->operandTop != frame->balanceMark) {
      if (c->operandTop != frame->balanceMark + 1 || !Holds(c, 1)) GENERAL();
      Pop(c);
    }
    ++op;
    DISPATCH();

  call : {
    frame->balanceMark = c->operandTop;
    const DecodedCall& call = *op->name->call;
    RTVarnoSymbol* target = scope.object;
    if (call.target && !call.target->self) {
      const AttributeEntry* entry = CachedEntry(vm, *call.target, call.targetCache, scope);
      if (!entry || !entry->bound || !(target = entry->symbol)) GENERAL();
    }
    RTVarnoMethod* method = call.MethodOf(target);
    if (!method || (method->kind != kMethodImplemented && method->kind != kMethodEvent && !method->code)) GENERAL();
    if (method->kind == kMethodEvent) {
      // Queued for the target's next loop back-edge; a refused event leaves no arguments behind.
      if (!QueueEventFromFrame(target, method, frame)) ArgPopN(frame, frame->argumentTop);
      ++op;
      DISPATCH();
    }
    c->position = op->next;
    if (method->kind == kMethodImplemented) {
      if (!CallImplementedMethod(vm, method, target)) return ErrorExit(run, op->start);
      c->nativeMethod = nullptr;
      // The native method stopped this context: it goes as soon as the interpreter has returned.
      if (vm->retired == c) return static_cast<uint32_t>(Finish(run, kRunYield));
      goto reload;
    }
    if (!CallScriptMethod(run, method, target, frame)) return ErrorExit(run, op->start);
    frame = TopFrame(c);
    scope = ScopeOf(frame->object, frame, c->decoded);
    op = c->decoded->At(0);
    c->decoded->Label(handlers);
    DISPATCH();
  }

  return_ : {
    const Returned returned = ReturnToCaller(run);
    if (returned == Returned::kNot) GENERAL();
    if (returned == Returned::kTrapEnded) return static_cast<uint32_t>(Finish(run, kRunStopped));
    frame = TopFrame(c);
    scope = ScopeOf(frame->object, frame, c->decoded);
    if (!c->decoded || !(op = c->decoded->At(c->position))) goto general;
    c->decoded->Label(handlers);
    DISPATCH();
  }

  lload : {
    if (!Holds(c, 2)) GENERAL();
    const RTVarnoStackElement& index = Top(c, 0);
    RTVarnoStackElement& list = Top(c, 1);
    RTVarnoConstantValue* element = nullptr;
    RTVarnoStackElement loaded;
    if (list.tag != kTagList || !list.value.list || index.tag != kTagNumber || index.value.number < 0 ||
        !ListRetrieveElementN(list.value.list, static_cast<uint32_t>(index.value.number), &element) ||
        !ElementFromValue(*element, false, &loaded)) {
      GENERAL();
    }
    --c->operandTop;
    StackElementRelease(&list);
    list = loaded;
    ++op;
    DISPATCH();
  }

  dbretrieve:
    if (!RetrieveFromDatabase(c, frame)) GENERAL();
    ++op;
    DISPATCH();

  compare_constant_branch : {
    // pushvn C; pushs X; compare; branch
    if (const int32_t* x = CachedNumber(op[1].cache, scope); x && Room(c, 2)) {
      if (op->takenOrderings & OrderingBit(*x, op->operand.value.number)) TAKE(op[3].jump);
      op += 4;
      DISPATCH();
    }
    RTVarnoStackElement a;
    RTVarnoStackElement b;
    bool result = false;
    b.tag = kTagNumber;
    b.value.word = op->operand.value.word;
    if (!Room(c, 2) || !NumericVariable(Variable(vm, op[1], scope), &a) ||
        !NumericOrder(static_cast<Opcode>(op[2].opcode), a, b, &result)) {
      OWN();
    }
    if (Takes(op[3], !result)) TAKE(op[3].jump);
    op += 4;
    DISPATCH();
  }

  compare_branch : {
    // pushs Y; pushs X; compare; branch
    const int32_t* x = CachedNumber(op[1].cache, scope);
    const int32_t* y = CachedNumber(op->cache, scope);
    if (x && y && Room(c, 2)) {
      if (op->takenOrderings & OrderingBit(*x, *y)) TAKE(op[3].jump);
      op += 4;
      DISPATCH();
    }
    RTVarnoStackElement a;
    RTVarnoStackElement b;
    bool result = false;
    if (!Room(c, 2) || !NumericVariable(Variable(vm, op[1], scope), &a) ||
        !NumericVariable(Variable(vm, *op, scope), &b) ||
        !NumericOrder(static_cast<Opcode>(op[2].opcode), a, b, &result)) {
      OWN();
    }
    if (Takes(op[3], !result)) TAKE(op[3].jump);
    op += 4;
    DISPATCH();
  }

  arithmetic_store : {
    // pushs Y; pushs X; add, sub or mul; stores Z
    const int32_t* x = CachedNumber(op[1].cache, scope);
    const int32_t* y = CachedNumber(op->cache, scope);
    if (int32_t* z = CachedNumber(op[3].cache, scope); x && y && z && Room(c, 2)) {
      *z = WrappingOp(static_cast<Opcode>(op[2].opcode), *x, *y);
      op += 4;
      DISPATCH();
    }
    RTVarnoStackElement a;
    RTVarnoStackElement b;
    uint8_t tag = 0;
    uint32_t word = 0;
    if (!Room(c, 2) || !NumericVariable(Variable(vm, op[1], scope), &a) ||
        !NumericVariable(Variable(vm, *op, scope), &b) ||
        !NumericResult(static_cast<Opcode>(op[2].opcode), a, b, &tag, &word) ||
        !StoreNumeric(Variable(vm, op[3], scope), tag, word)) {
      OWN();
    }
    op += 4;
    DISPATCH();
  }

  constant_arithmetic_store : {
    // pushvn C; pushs X; add, sub or mul; stores Z
    const int32_t* x = CachedNumber(op[1].cache, scope);
    if (int32_t* z = CachedNumber(op[3].cache, scope); x && z && Room(c, 2)) {
      *z = WrappingOp(static_cast<Opcode>(op[2].opcode), *x, op->operand.value.number);
      op += 4;
      DISPATCH();
    }
    RTVarnoStackElement a;
    RTVarnoStackElement b;
    uint8_t tag = 0;
    uint32_t word = 0;
    b.tag = kTagNumber;
    b.value.word = op->operand.value.word;
    if (!Room(c, 2) || !NumericVariable(Variable(vm, op[1], scope), &a) ||
        !NumericResult(static_cast<Opcode>(op[2].opcode), a, b, &tag, &word) ||
        !StoreNumeric(Variable(vm, op[3], scope), tag, word)) {
      OWN();
    }
    op += 4;
    DISPATCH();
  }

  constant_arithmetic_argument : {
    // pushvn C; pushs X; add, sub or mul; pusha
    const int32_t* x = CachedNumber(op[1].cache, scope);
    if (x && Room(c, 2) && frame->argumentTop + 1 < kArgumentStackSize) {
      RTVarnoStackElement& argument = frame->arguments[++frame->argumentTop];
      argument.tag = kTagNumber;
      argument.value.number = WrappingOp(static_cast<Opcode>(op[2].opcode), *x, op->operand.value.number);
      op += 4;
      DISPATCH();
    }
    RTVarnoStackElement a;
    RTVarnoStackElement b;
    uint8_t tag = 0;
    uint32_t word = 0;
    b.tag = kTagNumber;
    b.value.word = op->operand.value.word;
    if (!Room(c, 2) || frame->argumentTop + 1 >= kArgumentStackSize ||
        !NumericVariable(Variable(vm, op[1], scope), &a) ||
        !NumericResult(static_cast<Opcode>(op[2].opcode), a, b, &tag, &word)) {
      OWN();
    }
    RTVarnoStackElement& argument = frame->arguments[++frame->argumentTop];
    argument.tag = tag;
    argument.value.word = word;
    op += 4;
    DISPATCH();
  }

  variable_argument : {
    // pushs X; pusha
    const int32_t* x = CachedNumber(op->cache, scope);
    if (x && Room(c, 1) && frame->argumentTop + 1 < kArgumentStackSize) {
      RTVarnoStackElement& argument = frame->arguments[++frame->argumentTop];
      argument.tag = kTagNumber;
      argument.value.number = *x;
      op += 2;
      DISPATCH();
    }
    RTVarnoStackElement argument;
    if (!Room(c, 1) || frame->argumentTop + 1 >= kArgumentStackSize ||
        !CopyVariable(CachedEntry(vm, *op->name, op->cache, scope), &argument)) {
      OWN();
    }
    if (!ArgumentKind(argument.tag)) {
      StackElementRelease(&argument);
      OWN();
    }
    frame->arguments[++frame->argumentTop] = argument;
    op += 2;
    DISPATCH();
  }

  accumulate : {
    // pushs X; add; stores X
    int32_t* x = CachedNumber(op->cache, scope);
    if (x && Holds(c, 1) && Room(c, 1) && Top(c, 0).tag == kTagNumber) {
      *x = WrappingOp(Opcode::kAdd, *x, Top(c, 0).value.number);
      --c->operandTop;
      op += 3;
      DISPATCH();
    }
    if (!AccumulateInPlace(c, CachedEntry(vm, *op->name, op->cache, scope), 1)) OWN();
    op += 3;
    DISPATCH();
  }

  accumulate_two:
    // pushs X; add; add; stores X
    if (!AccumulateInPlace(c, CachedEntry(vm, *op->name, op->cache, scope), 2)) OWN();
    op += 4;
    DISPATCH();

  append_value:
    // nlist; pushs X; add; stores X
    if (!AppendInPlace(c, CachedEntry(vm, *op[1].name, op[1].cache, scope))) OWN();
    op += 4;
    DISPATCH();

  database_store : {
    // dbadd or dbremove; stores X
    AttributeEntry* entry = CachedEntry(vm, *op[1].name, op[1].cache, scope);
    if (!ChangeDatabaseInPlace(c, frame, static_cast<Opcode>(op->opcode), entry)) OWN();
    op += 2;
    DISPATCH();
  }
  } catch (const std::bad_alloc&) {
    // A failed allocation takes the error exit like any other VM error.
    Raise(u"[VARNO VM] Out of memory: an allocation failed while the script ran!");
    return ErrorExit(run, op ? op->start : c->position);
  }
#undef DISPATCH
#undef GENERAL
#undef OWN
#undef TAKE
}

}  // namespace varno
