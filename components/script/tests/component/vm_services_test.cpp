// The VM's services to hosts and debuggers, through the slot table: interactive expressions and
// code streams run in the current context, breakpoints by file and line, a single step, the
// profile, running a method by name with pushed arguments, emptying singletons' queues, the text
// dump, and collector roots from every VM.
#include <gtest/gtest.h>

#include <map>

#include "kivo/support/stream_calls.h"
#include "tests/component/component_fixture.h"

namespace {

using varno::testing::ComponentTest;
namespace calls = varno::scripting;

class VmServicesTest : public ComponentTest {};

TEST_F(VmServicesTest, InteractiveExpressionsAndStreamsRunInTheCurrentMethodAndReportFailure) {
  ASSERT_GE(Compile("Shell", "Shell is Thing;\nattributes { n is number; }\n"
                             "state Switchboard { n = n + 1; print(\"n is \" + n); if (n > 2) exit(); }\n"),
            0);
  ASSERT_NE(Start("Shell"), nullptr);
  std::vector<RTSuccess> results;
  OnPass([&](int pass) {
    if (pass != 2) return 1;
    results.push_back(calls::VarnoRunInteractiveExpression(varno(), vm(), "n * 10"));
    results.push_back(calls::VarnoRunInteractiveExpression(varno(), vm(), "n = 40"));
    results.push_back(calls::VarnoRunInteractiveExpression(varno(), vm(), "n / 0"));
    results.push_back(calls::VarnoRunInteractiveExpression(varno(), vm(), "n +"));
    RTInstance stream = nullptr;
    EXPECT_TRUE(kivo::memory_stream::Create(&stream));
    const uint8_t invalid = 13;  // an opcode that is never valid
    uint32_t written = 0;
    kivo::stream::Write(stream, &invalid, 1, &written);
    kivo::stream::Seek(stream, 0);
    results.push_back(calls::VarnoVMExecuteStream(varno(), vm(), stream));
    core().ReleaseInstance(nullptr, stream);
    return 1;
  });
  EXPECT_EQ(Run(), calls::kRunExit) << "the context goes on where it stood";
  EXPECT_EQ(results, (std::vector<RTSuccess>{kRTSuccess, kRTSuccess, kRTFailure, kRTFailure, kRTFailure}));
  const std::vector<std::string> output = TakeOutput();
  ASSERT_GE(output.size(), 3u);
  EXPECT_EQ(output[0], "n is 1");
  EXPECT_EQ(output[1], "10");
  EXPECT_EQ(output.back(), "n is 41");
  EXPECT_FALSE(MessagesWith("[VARNO VM] Execute encountered invalid opcode!").empty());
}

std::vector<std::string> gHandedPrints;
void CollectPrint(const char16_t* text) { gHandedPrints.push_back(varno::testing::Utf8(text)); }

// The host's print callback gets the prints alone (not the VM's other debug lines); the debug
// output keeps them all.
TEST_F(VmServicesTest, APrintCallbackGetsTheScriptsPrintsAndTheDebugOutputKeepsThem) {
  ASSERT_GE(Compile("Printer", "Printer is Thing;\nattributes { n is number; }\n"
                               "state Switchboard { n = n + 1; print(\"pass \" + n); print(n * 0.5); _DEBUG(99);\n"
                               "  if (n == 2) exit(); }\n"),
            0);
  ASSERT_NE(Start("Printer"), nullptr);
  gHandedPrints.clear();
  ASSERT_TRUE(calls::VarnoVMSetPrintCallback(varno(), vm(), CollectPrint));
  EXPECT_EQ(Run(), calls::kRunExit);
  const std::vector<std::string> printed = {"pass 1", "0.500000", "pass 2", "1.000000"};
  EXPECT_EQ(gHandedPrints, printed);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"pass 1", "0.500000", "DEBUG() did nothing...", "pass 2",
                                                    "1.000000", "DEBUG() did nothing..."}));
  EXPECT_FALSE(calls::VarnoVMSetPrintCallback(varno(), nullptr, CollectPrint)) << "no VM";
}

TEST_F(VmServicesTest, BreakpointsByLineStopBeforeTheLineAndStepOverRunsOneLine) {
  ASSERT_GE(Compile("Stepper", "Stepper is Thing;\n"              // 1
                               "attributes { n is number; }\n"    // 2
                               "state Switchboard {\n"            // 3
                               "  n = n + 1;\n"                   // 4
                               "  print(\"line 5 \" + n);\n"      // 5
                               "  if (n == 3) exit();\n"          // 6
                               "}\n"),
            0);
  ASSERT_NE(Start("Stepper"), nullptr);
  const std::u16string file = varno::testing::Wide((dir() / "classes" / "Stepper.varno").string());
  EXPECT_TRUE(calls::VarnoVMAddBreak(varno(), vm(), file.c_str(), 5));
  EXPECT_TRUE(calls::VarnoVMAddBreak(varno(), vm(), file.c_str(), 5)) << "a second break on the line is no error";
  EXPECT_FALSE(calls::VarnoVMAddBreak(varno(), vm(), file.c_str(), 2)) << "a line without code";
  EXPECT_FALSE(calls::VarnoVMAddBreak(varno(), vm(), u"Stepper.txt", 5));

  EXPECT_EQ(Run(), calls::kRunStopped) << "the break stops the run before line 5";
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{});
  char16_t where[256];
  int32_t line = 0;
  ASSERT_TRUE(calls::VarnoVMGetCurrentFileLineInfo(varno(), vm(), where, 256, &line));
  EXPECT_EQ(line, 5);
  EXPECT_NE(varno::testing::Utf8(where).find("Stepper.varno"), std::string::npos);

  EXPECT_EQ(calls::VarnoVMStepOver(varno(), vm()), calls::kRunStopped);
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{"line 5 1"});
  ASSERT_TRUE(calls::VarnoVMGetCurrentFileLineInfo(varno(), vm(), where, 256, &line));
  EXPECT_EQ(line, 6);

  EXPECT_EQ(Run(), calls::kRunStopped) << "armed again for the next time round";
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{});
  EXPECT_TRUE(calls::VarnoVMRemoveBreak(varno(), vm(), file.c_str(), 5));
  EXPECT_TRUE(calls::VarnoVMRemoveBreak(varno(), vm(), file.c_str(), 5)) << "nothing left to remove";
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"line 5 2", "line 5 3"}));
}

TEST_F(VmServicesTest, ABreakInsideACodeLiteralStopsItsEval) {
  ASSERT_GE(Compile("Literal", "Literal is Thing;\n"
                               "attributes { c is code; n is number; }\n"
                               "state Switchboard {\n"
                               "  c = code {\n"
                               "    print(\"inside\");\n"  // 5
                               "  };\n"
                               "  eval(c);\n"
                               "  n = n + 1; print(\"after \" + n); if (n == 2) exit();\n"
                               "}\n"),
            0);
  ASSERT_NE(Start("Literal"), nullptr);
  const std::u16string file = varno::testing::Wide((dir() / "classes" / "Literal.varno").string());
  ASSERT_TRUE(calls::VarnoVMAddBreak(varno(), vm(), file.c_str(), 5));
  EXPECT_EQ(Run(), calls::kRunStopped);
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{});
  EXPECT_EQ(Run(), calls::kRunStopped) << "the next literal made from the method's code breaks again";
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"inside", "after 1"}));
  ASSERT_TRUE(calls::VarnoVMRemoveBreak(varno(), vm(), file.c_str(), 5));
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"inside", "after 2"}));
}

TEST_F(VmServicesTest, TheProfileListsTheLongestRunningMethodFirst) {
  ASSERT_GE(Compile("Profiled", "Profiled is Thing;\nattributes { n is number; }\n"
                                "method number Busy() { i is number; s is number; i = 0;"
                                " while (i < 3000) { s = s + i; i = i + 1; } return s; }\n"
                                "method Idle() { }\n"
                                "state Switchboard { n = n + 1; Busy(); if (n == 3) exit(); }\n"),
            0);
  ASSERT_NE(Start("Profiled"), nullptr);
  ASSERT_TRUE(calls::VMBeginProfile(varno(), vm()));
  EXPECT_EQ(Run(), calls::kRunExit);
  ASSERT_TRUE(calls::VMEndProfile(varno(), vm()));
  uint32_t count = 0;
  varno::VarnoProfileEntry* entries = nullptr;
  ASSERT_TRUE(calls::VMGetProfile(varno(), vm(), &count, &entries));
  ASSERT_GT(count, 3u);
  for (uint32_t i = 1; i < count; ++i) EXPECT_GE(entries[i - 1].ticks, entries[i].ticks);
  std::map<std::string, const varno::VarnoProfileEntry*> byName;
  for (uint32_t i = 0; i < count; ++i) {
    byName[varno::testing::Utf8(entries[i].className) + "." + varno::testing::Utf8(entries[i].methodName)] = &entries[i];
  }
  ASSERT_TRUE(byName.count("Profiled.Busy"));
  ASSERT_TRUE(byName.count("Profiled.Idle"));
  EXPECT_EQ(byName["Profiled.Busy"]->calls, 3u);
  EXPECT_GT(byName["Profiled.Busy"]->ticks, 0u);
  EXPECT_EQ(byName["Profiled.Idle"]->calls, 0u) << "a method never called is listed";
  EXPECT_EQ(byName["Profiled.Idle"]->ticks, 0u);
  EXPECT_EQ(entries[0].ticks, byName[varno::testing::Utf8(entries[0].className) + "." +
                                     varno::testing::Utf8(entries[0].methodName)]->ticks);
  EXPECT_GE(entries[0].ticks, byName["Profiled.Busy"]->ticks);
  EXPECT_TRUE(calls::VMDestroyProfile(varno(), vm(), count, entries));
}

TEST_F(VmServicesTest, HostsRunMethodsByNameWithPushedArgumentsAndEmptySingletonQueues) {
  ASSERT_GE(Compile("Calc", "Calc is Thing, singleton;\nattributes { n is number; }\n"
                            "method Sub(a is number, b is number) { print(\"a - b = \" + (a - b)); }\n"
                            "event OnTick() { print(\"tick\"); }\n"
                            "state Switchboard { n = n + 1; if (n == 3) exit(); }\n"),
            0);
  calls::Symbol calc = Start("Calc");
  ASSERT_NE(calc, nullptr);
  OnPass([&](int pass) {
    if (pass == 1) {
      calls::ArgPushNumber(varno(), vm(), 1);
      calls::ArgPushNumber(varno(), vm(), 2);
      EXPECT_TRUE(calls::RunMethodByName(varno(), vm(), calc, u"sub", 1));
      EXPECT_TRUE(calls::ArgPopStack(varno(), vm()));
      EXPECT_FALSE(calls::RunMethodByName(varno(), vm(), calc, u"Nothing", 1));
      EXPECT_TRUE(calls::TriggerEvent(varno(), vm(), calc, u"OnTick"));
      EXPECT_TRUE(calls::TriggerEvent(varno(), vm(), calc, u"OnTick"));
      EXPECT_TRUE(calls::TypeTableResetSingletonEvents(varno(), vm(), table()));
    }
    return 1;
  });
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{"a - b = 1"}) << "the last pushed binds to the first parameter";
  EXPECT_FALSE(MessagesWith("[VARNO VM] Cannot retrieve the method specified: (Calc.NOTHING)").empty());
}

TEST_F(VmServicesTest, TheDumpAndTheStateOfAVm) {
  uint8_t state = 0;
  ASSERT_TRUE(calls::VarnoVMGetState(varno(), vm(), &state));
  EXPECT_EQ(state, 1) << "no context";
  ASSERT_GE(Compile("Idler", "Idler is Thing;\nstate Switchboard { }\n"), 0);
  ASSERT_NE(Start("Idler"), nullptr);
  ASSERT_TRUE(calls::VarnoVMGetState(varno(), vm(), &state));
  EXPECT_EQ(state, 2);
  RTInstance stream = nullptr;
  ASSERT_TRUE(kivo::memory_stream::Create(&stream));
  ASSERT_TRUE(calls::VMDumpState(varno(), vm(), stream));
  uint32_t size = 0;
  const uint8_t* bytes = nullptr;
  kivo::stream::GetSize(stream, &size);
  kivo::memory_stream::GetBuffer(stream, &bytes);
  const std::u16string text(reinterpret_cast<const char16_t*>(bytes), size / 2);
  EXPECT_EQ(varno::testing::Utf8(text), "VARNO VM dump\n-------------\n\nRunning contexts: 1\n");
  core().ReleaseInstance(nullptr, stream);
}

TEST_F(VmServicesTest, TheCollectorKeepsWhatAnotherVmReaches) {
  ASSERT_GE(Compile("Keeper", "Keeper is Thing;\nattributes { held is Thing; }\n"
                              "method Constructor() { held = new Thing; held.name = \"kept\"; }\n"
                              "state Switchboard { }\n"),
            0);
  calls::VM other = NewVM();
  calls::Symbol keeper = Start("Keeper", other);
  ASSERT_NE(keeper, nullptr);
  calls::Symbol held = nullptr;
  ASSERT_TRUE(calls::SymbolRetrieveAttributeByName(varno(), vm(), keeper, u"held", &held));
  const uint32_t before = SymbolCount();
  ASSERT_TRUE(calls::VMCollectorCollect(varno(), vm()));
  EXPECT_EQ(SymbolCount(), before);
  EXPECT_EQ(Text(held, u"name"), "kept");
}

}  // namespace
