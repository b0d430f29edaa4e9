// The interpreter on hand-assembled code: decoding, hostile code that must end in the error exit,
// the error report, loop back-edges with events, sleeping, breakpoints, eval and the developer
// instruction.
#include <gtest/gtest.h>

#include <string>

#include "compiler/core_records.h"
#include "compiler/type_codes.h"
#include "host/temp_dir.h"
#include "kivo/support/stream_calls.h"
#include "tests/vm_fixture.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/event.h"
#include "vm/interpreter.h"
#include "vm/operand_stack.h"
#include "vm/symbol.h"

namespace {

using namespace varno;
using varno::testing::CodeBuilder;

class InterpreterTest : public varno::testing::VmTest {
 protected:
  bool Reported(std::string_view text) { return !MessagesWith(std::string(text)).empty(); }
};

struct HostileCase {
  const char* what;
  void (*build)(CodeBuilder&);
  const char* message;
};

TEST_F(InterpreterTest, HostileCodeEndsInTheErrorExit) {
  const HostileCase cases[] = {
      {"add on an empty stack", [](CodeBuilder& c) { c.Op(Opcode::kAdd); },
       "[VARNO VM] Execute (add): Operand stack underflow!"},
      {"pop on an empty stack", [](CodeBuilder& c) { c.Op(Opcode::kPop); },
       "[VARNO VM] Execute (pop): Operand stack underflow!"},
      {"lstore with two operands", [](CodeBuilder& c) { c.Int(Opcode::kPushvn, 1).Int(Opcode::kPushvn, 0).Op(Opcode::kLstore); },
       "[VARNO VM] Execute (lstore): Operand stack underflow!"},
      {"jump past the end", [](CodeBuilder& c) { c.Int(Opcode::kJmp, 1000); },
       "[VARNO VM] Execute: Jump target 0x000003E8 lies outside the code!"},
      {"negative jump", [](CodeBuilder& c) { c.Op(Opcode::kPusht).Int(Opcode::kJmpe, -4); },
       "[VARNO VM] Execute: Jump target 0xFFFFFFFC lies outside the code!"},
      {"integer cut short", [](CodeBuilder& c) { c.Op(Opcode::kPushvn).Bytes({1, 0}); },
       "[VARNO VM] Execute: The instruction at 0x0000 is cut short by the end of the code!"},
      {"name cut short", [](CodeBuilder& c) { c.Op(Opcode::kPushs).Word(5).Bytes({'A', 0}); },
       "is cut short by the end of the code!"},
      {"name longer than 255", [](CodeBuilder& c) {
         c.Op(Opcode::kPushs).Word(300);
         for (int i = 0; i <= 300; ++i) c.Bytes({'A', 0});
       },
       "[VARNO VM] Execute: The name operand at 0x0000 is longer than 255 characters!"},
      {"string of 4 billion units", [](CodeBuilder& c) { c.Op(Opcode::kPushvs).Word(0xFFFFFFFFu).Bytes({'A', 0}); },
       "is cut short by the end of the code!"},
      {"code block beyond the end", [](CodeBuilder& c) { c.Op(Opcode::kPushvc).Word(100).Bytes({0, 0}); },
       "is cut short by the end of the code!"},
      {"line table beyond the end", [](CodeBuilder& c) { c.Op(Opcode::kPushvc).Word(1).Bytes({0, 1}).Word(1000); },
       "is cut short by the end of the code!"},
      {"opcode 13", [](CodeBuilder& c) { c.Op(Opcode::kRet); }, "[VARNO VM] Execute encountered invalid opcode!"},
      {"opcode 49", [](CodeBuilder& c) { c.Op(Opcode::kLreverse); }, "[VARNO VM] Execute encountered invalid opcode!"},
      {"opcode 99", [](CodeBuilder& c) { c.Bytes({99}); }, "[VARNO VM] Execute encountered invalid opcode!"},
      {"opcode 255", [](CodeBuilder& c) { c.Bytes({255}); }, "[VARNO VM] Execute encountered invalid opcode!"},
      {"balance far above the mark", [](CodeBuilder& c) { c.Op(Opcode::kPusht).Op(Opcode::kPusht).Op(Opcode::kBalance); },
       "[VARNO VM] (balance): Error! Stack Way out of balance!"},
      {"push an empty element as an argument", [](CodeBuilder& c) { c.Op(Opcode::kMlist).Op(Opcode::kLpop); },
       "[VARNO VM] (lpop): Couldn't remove element 0 of the list"},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.what);
    CodeBuilder code;
    c.build(code);
    EXPECT_EQ(RunCode(code), kRunError);
    EXPECT_TRUE(Reported(c.message));
  }
}

TEST_F(InterpreterTest, TheErrorExitReportsFileLineAndTheRunningState) {
  CodeBuilder code;
  code.Int(Opcode::kPushvn, 1).Op(Opcode::kPrintv);  // line 3: 0x0000 and 0x0005
  code.Op(Opcode::kDiv);                               // line 4: 0x0006
  EXPECT_EQ(RunCode(code, {{0, 5, 3}, {6, 6, 4}}), kRunError);
  const std::vector<std::string> messages = Messages();
  const auto at = std::find(messages.begin(), messages.end(),
                            "[VARNO VM] Last file/line information reports file (hand.varno), line (4)");
  ASSERT_NE(at, messages.end());
  const std::vector<std::string> dump(at + 1, messages.end());
  const std::vector<std::string> expected = {
      "Running contexts: 1",
      "Current file (hand.varno), line (4)",
      "Running Context's name: (no name) and type: Hand1",  // a name never assigned
      "Number of events: 0, Deafened: 0",
      "*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=",
      "Call Stack:",
      "Hand1.Switchboard. File: hand.varno",
      " ",
      " ",
  };
  EXPECT_EQ(dump, expected);
  EXPECT_EQ(vm()->current->state, kContextIdle);
}

TEST_F(InterpreterTest, WithoutALineTableTheErrorNamesTheScope) {
  CodeBuilder code;
  code.Op(Opcode::kAdd);
  EXPECT_EQ(RunCode(code), kRunError);
  EXPECT_TRUE(Reported("[VARNO VM] No debugging information available"));
  EXPECT_TRUE(Reported(
      "[VARNO VM] Couldn't retrieve file/line information to report in error. Current scope in (Switchboard)"));
}

TEST_F(InterpreterTest, ALoopBackEdgeYieldsOrDeliversTheOldestEvent) {
  RTVarnoType* type = HandClass("Pinger");
  CodeBuilder handler;
  handler.Name(Opcode::kPushs, u"WHAT").Op(Opcode::kPrintv).Op(Opcode::kReturn);
  RTVarnoMethod* event =
      AddMethod(type, u"OnPing", kMethodEvent, handler, {}, {{u"what", kTypeString}}, 1);
  ASSERT_NE(event, nullptr);
  CodeBuilder body;
  body.Str(Opcode::kPushvs, u"tick").Op(Opcode::kPrintv).Int(Opcode::kLoops, 0);
  ASSERT_NE(AddMethod(type, u"Switchboard", kMethodState, body), nullptr);
  RTVarnoSymbol* object = StartObject(type);
  ASSERT_NE(object, nullptr);

  EXPECT_EQ(ExecuteContext(vm(), kModeRun), kRunYield);
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{"tick"});

  // Two events queued from the frame's arguments, oldest first.
  CallFrame* frame = TopFrame(vm()->current);
  for (const char16_t* what : {u"first", u"second"}) {
    RTVarnoStackElement argument{};
    argument.tag = kTagString;
    argument.value.text = CopyText(what);
    ASSERT_EQ(ArgPushElement(frame, &argument), kRTSuccess);
    ASSERT_EQ(QueueEventFromFrame(object, event, frame), kRTSuccess);
  }
  EXPECT_EQ(frame->argumentTop, 0u);
  vm()->current->deafened = 1;
  EXPECT_EQ(ExecuteContext(vm(), kModeRun), kRunYield);
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{"tick"}) << "deafened: the events wait";
  vm()->current->deafened = 0;
  EXPECT_EQ(ExecuteContext(vm(), kModeRun), kRunYield);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"tick", "first"})) << "the handler's return yields";
  EXPECT_EQ(ExecuteContext(vm(), kModeRun), kRunYield);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"tick", "second"}));
  EXPECT_EQ(object->events->count, 0u);
  EXPECT_EQ(FrameCount(vm()->current), 1u);
  EXPECT_EQ(TopFrame(vm()->current)->argumentTop, 0u);
}

TEST_F(InterpreterTest, SleepSetsTheCounterInMilliseconds) {
  for (const auto& [seconds, milliseconds] : {std::pair{0.0015f, 1}, std::pair{0.0009f, 0}, std::pair{2.0f, 2000}}) {
    CodeBuilder code;
    code.Real(Opcode::kPushvr, seconds).Op(Opcode::kSleep).Op(Opcode::kExit);
    RTVarnoType* type = HandClass("Sleeper" + std::to_string(milliseconds));
    AddMethod(type, u"Switchboard", kMethodState, code);
    ASSERT_NE(StartObject(type), nullptr);
    RTVarnoContext* context = static_cast<RTVarnoContext*>(vm()->contexts->contexts->last->data);
    vm()->current = context;
    EXPECT_EQ(ExecuteContext(vm(), kModeRun), kRunYield);
    EXPECT_EQ(context->sleep, milliseconds);
    EXPECT_EQ(OperandDepth(context), 0u);
  }
}

TEST_F(InterpreterTest, ABreakpointStopsBeforeItsInstructionAndIsArmedAgainBehindIt) {
  RTVarnoType* type = HandClass("Broken");
  CodeBuilder code;
  code.Int(Opcode::kPushvn, 1).Op(Opcode::kPrintv);
  const uint32_t second = code.Position();
  code.Int(Opcode::kPushvn, 2).Op(Opcode::kPrintv).Int(Opcode::kPushvn, 3).Op(Opcode::kPrintv).Op(Opcode::kExit);
  RTVarnoMethod* method = AddMethod(type, u"Switchboard", kMethodState, code);
  ASSERT_NE(StartObject(type), nullptr);
  ASSERT_EQ(VmSetBreakpoint(vm(), method, second), kRTSuccess);
  ASSERT_EQ(VmSetBreakpoint(vm(), method, second), kRTSuccess);
  EXPECT_EQ(vm()->breakpoints->count, 1u) << "a break is patched once";

  const uint8_t* bytes = nullptr;
  kivo::memory_stream::GetBuffer(method->code, &bytes);
  EXPECT_EQ(bytes[second], static_cast<uint8_t>(Opcode::kBreak));
  EXPECT_EQ(VarnoVMRun(vm()), kRunStopped);
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{"1"});
  EXPECT_EQ(bytes[second], static_cast<uint8_t>(Opcode::kPushvn)) << "the instruction is back for the next run";
  EXPECT_EQ(VarnoVMRun(vm()), kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"2", "3"}));
  EXPECT_EQ(bytes[second], static_cast<uint8_t>(Opcode::kBreak)) << "armed again";
}

TEST_F(InterpreterTest, EvalKeepsItsCodeAliveAndResumesWhenItRunsOffTheEnd) {
  CodeBuilder nested;
  nested.Str(Opcode::kPushvs, u"inside").Op(Opcode::kPrintv);
  CodeBuilder code;
  // The code value's only reference is the one on the stack, which eval pops.
  code.Code(nested, {{0, 0, 9}}).Op(Opcode::kEval);
  code.Str(Opcode::kPushvs, u"after").Op(Opcode::kPrintv).Op(Opcode::kExit);
  EXPECT_EQ(RunCode(code), kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"inside", "after"}));
  RTVarnoContext* context = vm()->current;
  EXPECT_EQ(context->callKinds->count, 0u) << "the eval's entry is gone";
  EXPECT_EQ(context->evalReturns->count, 0u);
}

TEST_F(InterpreterTest, AnErrorInsideEvalReportsTheEvaluatedCodesLine) {
  CodeBuilder nested;
  nested.Op(Opcode::kNop).Op(Opcode::kAdd);
  CodeBuilder code;
  code.Code(nested, {{0, 0, 20}, {1, 1, 21}}).Op(Opcode::kEval);
  EXPECT_EQ(RunCode(code, {{0, 100, 5}}), kRunError);
  EXPECT_TRUE(Reported("[VARNO VM] Last file/line information reports file (hand.varno), line (21)"));
}

TEST_F(InterpreterTest, InstructionsTheGeneratorNeverEmits) {
  CodeBuilder code;
  code.Name(Opcode::kPushs, u"L").Int(Opcode::kPushvn, 0).Op(Opcode::kAppend);
  code.Int(Opcode::kPushvn, 1).Op(Opcode::kAppend).Name(Opcode::kStores, u"L");
  code.Name(Opcode::kPushs, u"L").Op(Opcode::kLpop);
  code.Name(Opcode::kPushs, u"L").Op(Opcode::kPrintv);
  const uint32_t jump = code.Position();
  // pusht (1 byte) and jmpe (5) skip pushvs "skipped" (21) and printv (1).
  code.Op(Opcode::kPusht).Int(Opcode::kJmpe, static_cast<int32_t>(jump + 28));
  code.Str(Opcode::kPushvs, u"skipped").Op(Opcode::kPrintv);
  code.Name(Opcode::kPushas, u"ANY").Op(Opcode::kNop).Op(Opcode::kExit);
  RTVarnoType* type = HandClass("Raw", {{u"l", kTypeList}});
  AddMethod(type, u"Switchboard", kMethodState, code);
  ASSERT_NE(StartObject(type), nullptr);
  EXPECT_EQ(VarnoVMRun(vm()), kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"[1]"}));
}

TEST_F(InterpreterTest, TheDeveloperInstruction) {
  // "c:" is a folder of the test's own.
  tesk::testing::TempDir drive;
  setenv("TESK_DRIVE_C", drive.path().c_str(), 1);
  CodeBuilder code;
  code.Int(Opcode::kPushvn, 5).Op(Opcode::kDebug).Int(Opcode::kPushvn, 9).Op(Opcode::kDebug);
  code.Int(Opcode::kPushvn, 0).Op(Opcode::kDebug).Int(Opcode::kPushvn, 3).Op(Opcode::kDebug);
  code.Int(Opcode::kPushvn, 7).Op(Opcode::kPrintv).Op(Opcode::kExit);
  EXPECT_EQ(RunCode(code), kRunExit);
  unsetenv("TESK_DRIVE_C");
  EXPECT_FALSE(MessagesWith("Heap: ").empty());
  const std::string snapshot = tesk::testing::ReadFile(drive.path() / "temp-varno.stream");
  EXPECT_EQ(snapshot.substr(0, 16), std::string("\x05\0\0\0V\0A\0R\0N\0O\0\0\0", 16)) << "0 wrote a snapshot";
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"DEBUG() did nothing...", "0x0018 | pushvn 0x00000007",
                                                    "0x001D | printv", "7", "0x001E | exit"}))
      << "tracing is on from the fourth";
  CodeBuilder bad;
  bad.Str(Opcode::kPushvs, u"x").Op(Opcode::kDebug);
  EXPECT_EQ(RunCode(bad), kRunError);
  EXPECT_TRUE(Reported("_DEBUG() opcode didn't encounter a numeric type!"));
}

}  // namespace
