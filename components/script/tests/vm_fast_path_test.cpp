// The interpreter's fast paths (quick handlers, lookup caches, in-place changes, kept frames)
// against its general path: the same programs print the same lines and end the same way,
// breakpoints, single steps and tracing stop and list the same, and a snapshot taken at the same
// point holds the same bytes and goes on the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "compiler/type_codes.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "tests/vm_fixture.h"
#include "vm/collector.h"
#include "vm/debugging.h"
#include "vm/diagnostics.h"
#include "vm/snapshot.h"
#include "vm/snapshot_tables.h"
#include "vm/vm.h"

namespace {

using namespace varno;
using varno::testing::CodeBuilder;

struct Program {
  std::string_view what;
  std::string_view attributes;
  std::string_view statements;
};

class FastPathTest : public varno::testing::VmTest {
 protected:
  void TearDown() override {
    ComponentFlags().generalPathOnly = 0;
    ComponentFlags().traceInstructions = 0;
    ComponentFlags().traceCalls = 0;
    VmTest::TearDown();
  }

  // What the statements print and how their run ends, on the general path and on the fast path.
  std::pair<std::string, std::string> OnBothPaths(const Program& program) {
    ComponentFlags().generalPathOnly = 1;
    const std::string general = Printed(program.attributes, program.statements);
    Clear();
    ComponentFlags().generalPathOnly = 0;
    const std::string fast = Printed(program.attributes, program.statements);
    Clear();
    return {general, fast};
  }

  // A started object of the class (compiled before): constructed, with its context.
  RTVarnoSymbol* Start(uint32_t index) {
    RTVarnoSymbol* object = nullptr;
    EXPECT_EQ(ConstructScriptObject(vm(), index, &object), kRTSuccess);
    EXPECT_EQ(VarnoVMSetNewContext(vm(), object, u"Switchboard", 1), kRTSuccess);
    return object;
  }

  // Removes every context and what only they reached.
  void Clear() {
    RemoveAllContexts(vm());
    CollectorSweep(vm());
  }

  // Pinger, whose event OnPing prints what it got, and Guard, whose listener Heard counts.
  void WriteEventClasses() {
    WriteClass("Pinger", "Pinger is Thing;\nattributes { got is list; }\n"
                         "event OnPing(k is number, s is string) { got = got + [k];"
                         " print(\"ping \" + k + \" \" + s + \" \" + got); }\n"
                         "state Switchboard { print(\"pinger idle\"); }\n");
    WriteClass("Guard", "Guard is Thing;\nattributes { hits is number; }\n"
                        "listener Heard(k is number, s is string) { hits = hits + 1;"
                        " print(\"heard \" + k + \" \" + s + \" hits \" + hits); print(speaker); }\n");
  }

  int32_t CurrentLine() {
    char16_t file[256];
    int32_t line = -1;
    VarnoVMGetCurrentFileLineInfo(vm(), file, 256, &line);
    return line;
  }
  // A run's or a step's result and the line it stopped at, read once it has returned.
  std::string StoppedAt(uint32_t result) {
    return std::to_string(result) + " line " + std::to_string(CurrentLine());
  }
};

TEST_F(FastPathTest, ProgramsPrintTheSameOnBothPaths) {
  WriteClass("Holder", "Holder is Thing;\nattributes { l is list; d is database; }\n");
  WriteClass("Lister", "Lister is Thing;\n"
                       "method list Grow(l is list, k is number) { l = l + [k]; return l; }\n"
                       "method number Sum(l is list) { i is number; s is number; i = 0; s = 0;"
                       " while (i < l.count()) { s = s + l[i]; i = i + 1; } return s; }\n");
  WriteClass("Base", "Base is Thing;\nattributes { k is number; }\n"
                     "method number Value(n is number) { return n + k; }\n"
                     "method Constructor() { k = 1; }\n");
  WriteClass("Middle", "Middle is Base;\nmethod number Value(n is number) { return inherited(n) * 2; }\n");
  WriteClass("Leaf", "Leaf is Middle;\nmethod number Value(n is number) { return inherited(n) + 100; }\n"
                     "method Constructor() { inherited(); k = 5; }\n");
  WriteEventClasses();
  WriteClass("Item", "Item is Thing;\nconstants { LIMIT = 3; }\nattributes { value is number; base is number; next is Item; }\n"
                     "method Constructor() { base = 1; }\n");
  const Program programs[] = {
      {"members of other objects", "o is Item; i is number; s is number; t is string;",
       "i = 0; s = 0; while (i < 50) { o = new Item; o.value = i; s = s + o.value + o.base + o.LIMIT; i = i + 1; }"
       " o.name = \"item\"; t = o.name; o.next.value = 4; print(s); print(t); print(o.next.value); print(o.next.base);"},
      {"shared lists", "a is list; b is list;",
       "a = [1, 2]; b = a; a = a + [3]; b = b + [4]; a[0] = 9; print(a); print(b);"},
      {"a list added to itself", "a is list;", "a = [1]; a = a + a; a = a + a; print(a); a = a + [a]; print(a);"},
      {"a list appended into itself", "a is list; b is list;", "a = [1, 2]; b = a; a = a + [a, b]; print(a); print(b);"},
      {"lists grown in loops", "a is list; i is number; s is number;",
       "i = 0; while (i < 300) { a = a + [i]; i = i + 1; } i = 0; s = 0;"
       " while (i < 300) { s = s + a[i]; i = i + 1; } print(s); print(a.count());"},
      {"a list held by an attribute", "h is Holder; i is number;",
       "i = 0; while (i < 5) { h.l = h.l + [i * 2]; i = i + 1; } print(h.l);"},
      {"list parameters", "a is list; b is list; x is Lister;",
       "a = [1]; b = x.Grow(a, 2); b = x.Grow(b, 3); print(a); print(b); print(x.Sum(b));"},
      {"strings built in loops", "s is string; t is string; i is number; r is real;",
       "s = \"\"; i = 0; r = 0.5; while (i < 40) { s = s + i + \",\"; t = s; r = r * 1.5; i = i + 1; }"
       " print(s); print(t == s); print(r); s = 7; print(s); s = 2.5; print(s);"},
      {"variables grown by two operands in place", "n is number; r is real; s is string; l is list; i is number;",
       "i = 0; n = 0; r = 0.5; s = \"\"; while (i < 30) { n = n + i + 2147483000; r = r + i + 0.25;"
       " s = s + i + \",\";"
       " s = s + \"0123456789012345678901234567890123456789\" + \"0123456789012345678901234567890123456789\";"
       " i = i + 1; } l = [1]; s = s + l + \"!\"; n = n + 1.75 + 2; print(n); print(r); print(s);"},
      {"numbers, reals and comparisons", "i is number; n is number; r is real; b is bool;",
       "i = 0; n = 0; r = 0; while (i < 1000) { n = n + i * 3 - 7; r = r + 0.25; i = i + 1; }"
       " b = (n > 5) and (r >= 250); print(n); print(r); print(b); n = 2.9; print(n); print(0 - n < 1.5);"
       " print(2147483647 + 1); print(7 == 7.0); print(1 != 2);"},
      {"databases with colliding keys", "d is database; e is database; i is number; s is number; h is Holder;",
       "d = (\"a\": 1, \"t\": 2); e = d; i = 0; while (i < 40) { d = addkey(d, \"k\" + i, i); i = i + 1; }"
       " d = remove(d, \"a\"); d = addkey(d, \"t\", 3); print(e); print(keys(d)); i = 0; s = 0;"
       " while (i < 40) { s = s + retrieve(d, \"k\" + i); i = i + 1; } print(s);"
       " h.d = d; h.d = addkey(h.d, \"q\", 1); print(haskey(d, \"q\")); print(haskey(h.d, \"q\"));"},
      {"databases changed in place and values they refuse", "d is database; c is code; l is list;",
       "d = (\"a\": 1); c = code { print(\"c\"); }; d = addkey(d, \"c\", c); d = addkey(d, \"l\", [1, 2]);"
       " l = retrieve(d, \"l\"); l = l + [3]; print(l); print(retrieve(d, \"l\")); d = addkey(d, \"self\", d);"
       " addkey(d, \"b\", 2); d = remove(d, \"a\"); print(keys(d)); print(retrieve(d, \"c\"));"},
      {"a database read by a missing key", "d is database;",
       "d = (\"a\": 1); d = addkey(d, \"b\", 2); print(retrieve(d, \"b\")); print(retrieve(d, \"z\"));"},
      {"deep inheritance", "o is Leaf; m is Middle;",
       "o = new Leaf; m = new Middle; print(o.Value(3)); print(m.Value(3)); print(o canbe Base);"},
      {"thousands of calls", "x is Lister; l is list; i is number; t is number;",
       "l = [1, 2, 3]; i = 0; t = 0; while (i < 2000) { t = t + x.Sum(l); i = i + 1; } print(t);"},
      {"events, listeners and states", "p is Pinger; g is Guard; n is number;",
       "p.name = \"p\"; p.OnPing = g.Heard; start(p); n = 0;"
       " while (n < 3) { p.OnPing(n, \"x\"); sleep(0); n = n + 1; } print(p.got); print(g.hits);"},
      {"code literals and eval", "c is code; n is number;",
       "c = code { n = n + 1; print(\"in code \" + n); }; eval(c); eval(c);"
       " eval(code { print(\"literal \" + (n * 2)); }); print(n);"},
      {"a run-time error", "n is number; a is list;", "a = [1]; n = 3; print(n + a[0]); print(a[n]);"},
      {"a bad store", "n is number;", "n = 1; eval(code { n = \"x\"; });"},
  };
  for (const Program& program : programs) {
    SCOPED_TRACE(std::string(program.what));
    const auto [general, fast] = OnBothPaths(program);
    EXPECT_EQ(general.find("<not run"), std::string::npos) << general;
    EXPECT_EQ(fast, general);
  }
}

TEST_F(FastPathTest, CompareAndBranchRunsBranchAsTheirInstructionsDo) {
  struct Compare {
    const char* name;
    Opcode opcode;
    bool (*holds)(int32_t, int32_t);
  };
  const Compare compares[] = {
      {"eq", Opcode::kEq, [](int32_t a, int32_t b) { return a == b; }},
      {"neq", Opcode::kNeq, [](int32_t a, int32_t b) { return a != b; }},
      {"lt", Opcode::kLt, [](int32_t a, int32_t b) { return a < b; }},
      {"gt", Opcode::kGt, [](int32_t a, int32_t b) { return a > b; }},
      {"le", Opcode::kLe, [](int32_t a, int32_t b) { return a <= b; }},
      {"ge", Opcode::kGe, [](int32_t a, int32_t b) { return a >= b; }},
  };
  int classes = 0;
  for (const Compare& compare : compares) {
    for (const Opcode branch : {Opcode::kJmpne, Opcode::kJmpe}) {
      for (const bool withConstant : {true, false}) {
        for (const int32_t x : {1, 2, 3}) {
          const std::string way = compare.holds(x, 2) == (branch == Opcode::kJmpe) ? "taken" : "not taken";
          SCOPED_TRACE(std::string(compare.name) + (branch == Opcode::kJmpe ? " jmpe" : " jmpne") +
                       (withConstant ? " with 2, x " : " with Y = 2, x ") + std::to_string(x));
          for (const int general : {1, 0}) {
            ComponentFlags().generalPathOnly = general;
            // X = x; Y = 2; twice (the second time through the caches it filled the first): the
            // run "pushvn 2 (or pushs Y); pushs X; compare; branch", then a print of which way it went.
            CodeBuilder code;
            code.Int(Opcode::kPushvn, x).Name(Opcode::kStores, u"X");
            code.Int(Opcode::kPushvn, 2).Name(Opcode::kStores, u"Y");
            code.Int(Opcode::kPushvn, 0).Name(Opcode::kStores, u"N");
            const auto start = static_cast<int32_t>(code.Position());
            withConstant ? code.Int(Opcode::kPushvn, 2) : code.Name(Opcode::kPushs, u"Y");
            code.Name(Opcode::kPushs, u"X").Op(compare.opcode);
            // Sizes: a jump 5, pushvs "not taken" 25, pushvs "taken" 17, printv 1.
            const auto taken = static_cast<int32_t>(code.Position()) + 5 + 25 + 1 + 5;
            const int32_t next = taken + 17 + 1;
            code.Int(branch, taken);
            code.Str(Opcode::kPushvs, u"not taken").Op(Opcode::kPrintv).Int(Opcode::kJmp, next);
            code.Str(Opcode::kPushvs, u"taken").Op(Opcode::kPrintv);
            // N = N + 1; while N < 2 again, a nop keeping that compare out of any run.
            code.Int(Opcode::kPushvn, 1).Name(Opcode::kPushs, u"N").Op(Opcode::kAdd).Name(Opcode::kStores, u"N");
            code.Int(Opcode::kPushvn, 2).Name(Opcode::kPushs, u"N").Op(Opcode::kLt).Op(Opcode::kNop);
            code.Int(Opcode::kJmpne, static_cast<int32_t>(code.Position()) + 5 + 5).Int(Opcode::kJmp, start);
            code.Op(Opcode::kExit);
            RTVarnoType* type = HandClass("Branch" + std::to_string(++classes),
                                          {{u"x", kTypeNumber}, {u"y", kTypeNumber}, {u"n", kTypeNumber}});
            ASSERT_NE(AddMethod(type, u"Switchboard", kMethodState, code), nullptr);
            ASSERT_NE(StartObject(type), nullptr);
            EXPECT_EQ(VarnoVMRun(vm()), kRunExit);
            EXPECT_EQ(TakeOutput(), (std::vector<std::string>{way, way}));
            Clear();
          }
        }
      }
    }
  }
}

TEST_F(FastPathTest, BreakpointsStepsAndTracesStopAndListTheSameOnBothPaths) {
  uint32_t index = 0;
  ASSERT_TRUE(CompileClass("Walker", "Walker is Thing;\n"                            // 1
                                     "attributes { n is number; m is number; }\n"    // 2
                                     "method number Twice(k is number) {\n"          // 3
                                     "  return k + k;\n"                             // 4
                                     "}\n"                                           // 5
                                     "state Switchboard {\n"                         // 6
                                     "  n = n + 1; m = m + n; m = m - 1;\n"          // 7
                                     "  m = Twice(m);\n"                             // 8
                                     "  print(\"walk \" + n + \" \" + m);\n"          // 9
                                     "  if (n >= 5) exit();\n"                       // 10
                                     "}\n",
                           &index));
  const std::u16string file = varno::testing::Wide((dir() / "classes" / "Walker.varno").string());
  std::vector<std::string> runs[2];
  for (const int general : {1, 0}) {
    ComponentFlags().generalPathOnly = general;
    std::vector<std::string>& seen = runs[general];
    Start(index);
    ASSERT_EQ(VarnoVMAddBreak(vm(), file.c_str(), 7), kRTSuccess);   // over a run of quick instructions
    ASSERT_EQ(VarnoVMAddBreak(vm(), file.c_str(), 4), kRTSuccess);   // inside the called method
    for (int stop = 0; stop < 4; ++stop) {
      seen.push_back("run " + StoppedAt(VarnoVMRun(vm())));
      for (int step = 0; step < 3; ++step) {
        seen.push_back("step " + StoppedAt(VarnoVMStepOver(vm())));
      }
    }
    ASSERT_EQ(VarnoVMRemoveBreak(vm(), file.c_str(), 7), kRTSuccess);
    ASSERT_EQ(VarnoVMRemoveBreak(vm(), file.c_str(), 4), kRTSuccess);
    ComponentFlags().traceInstructions = 1;
    ComponentFlags().traceCalls = 1;
    seen.push_back("run " + std::to_string(VarnoVMRun(vm())));
    ComponentFlags().traceInstructions = 0;
    ComponentFlags().traceCalls = 0;
    for (const std::string& line : TakeOutput()) seen.push_back(line);
    Clear();
  }
  EXPECT_EQ(runs[0], runs[1]);
  EXPECT_NE(std::find(runs[0].begin(), runs[0].end(), "walk 1 0"), runs[0].end());
  EXPECT_NE(std::find(runs[0].begin(), runs[0].end(), "Returning from method: Twice"), runs[0].end());
}

int32_t gPasses = 0;
int32_t gLastPass = 0;
int32_t CountPasses(RTInstance) { return ++gPasses <= gLastPass ? 1 : 0; }

TEST_F(FastPathTest, ABreakpointInsideAFusedRunStopsThereOnBothPaths) {
  // Line 2 starts inside the run "pushvn 1; pushs X; add; stores X" (X = X + 1), which the break
  // instruction patched over its second instruction splits.
  const std::initializer_list<LineEntry> lines = {{0x00, 0x0E, 1}, {0x13, 0x1D, 2}, {0x26, 0x30, 3}};
  std::vector<std::string> runs[2];
  for (const int general : {1, 0}) {
    ComponentFlags().generalPathOnly = general;
    CodeBuilder code;
    code.Int(Opcode::kPushvn, 5).Name(Opcode::kStores, u"X");                     // 0x00, 0x05
    code.Int(Opcode::kPushvn, 1).Name(Opcode::kPushs, u"X").Op(Opcode::kAdd);     // 0x0E, 0x13, 0x1C
    code.Name(Opcode::kStores, u"X");                                             // 0x1D
    code.Name(Opcode::kPushs, u"X").Op(Opcode::kPrintv).Int(Opcode::kLoops, 0);  // 0x26, 0x2F, 0x30
    // A breakpoint's file names its class.
    const std::u16string file = general ? u"SplitGeneral.varno" : u"SplitFast.varno";
    RTVarnoType* type = HandClass(general ? "SplitGeneral" : "SplitFast", {{u"x", kTypeNumber}});
    ASSERT_NE(AddMethod(type, u"Switchboard", kMethodState, code, lines), nullptr);
    ASSERT_NE(StartObject(type), nullptr);
    std::vector<std::string>& seen = runs[general];
    // One pass of the scheduler first, so that the breakpoint is written into code already decoded;
    // a run that misses the breakpoint ends after 20 passes.
    VarnoVMSetHostCallback(vm(), CountPasses, nullptr);
    gPasses = 0;
    gLastPass = 1;
    seen.push_back("run " + std::to_string(VarnoVMRun(vm())));
    ASSERT_EQ(VarnoVMAddBreak(vm(), file.c_str(), 2), kRTSuccess);
    // Twice round the loop: the second time through the caches the first filled.
    for (int pass = 0; pass < 2; ++pass) {
      gPasses = 0;
      gLastPass = 20;
      seen.push_back("run " + StoppedAt(VarnoVMRun(vm())));
      seen.push_back("step " + StoppedAt(VarnoVMStepOver(vm())));
      seen.push_back("run " + std::to_string(VarnoVMRun(vm())));
      for (const std::string& line : TakeOutput()) seen.push_back(line);
    }
    ASSERT_EQ(VarnoVMRemoveBreak(vm(), file.c_str(), 2), kRTSuccess);
    Clear();
  }
  EXPECT_EQ(runs[0], runs[1]);
  // Each pass stops at the breakpoint (line 2) and adds 1 to 5 once.
  EXPECT_EQ(runs[1], (std::vector<std::string>{"run 1", "run 1 line 2", "step 1 line 3", "run 1", "6", "6",
                                               "run 1 line 2", "step 1 line 3", "run 1", "6", "6"}));
}

// A loop of quick operations never reaches the general path by itself: a break requested from
// another thread 100 ms into the run stops it at a back-edge, on both paths.
TEST_F(FastPathTest, ARunawayLoopIsBrokenFromAWatchdog) {
  uint32_t looping = 0;
  ASSERT_TRUE(CompileClass("Spinner", "Spinner is Thing;\n"
                                      "attributes { n is number; }\n"
                                      "state Switchboard { while (n >= 0) { n = n + 2; n = n - 1; n = n - 1; } }\n",
                           &looping));
  CodeBuilder jump;
  jump.Int(Opcode::kJmp, 0);  // five bytes that jump to themselves
  RTVarnoType* jumping = HandClass("Jumper", {});
  ASSERT_NE(AddMethod(jumping, u"Switchboard", kMethodState, jump, {}), nullptr);
  for (const int general : {0, 1}) {
    ComponentFlags().generalPathOnly = general;
    for (const char* program : {"jmp 0", "while loop"}) {
      SCOPED_TRACE(std::string(program) + (general ? " on the general path" : " on the fast path"));
      if (std::string_view(program) == "jmp 0")
        ASSERT_NE(StartObject(jumping), nullptr);
      else
        Start(looping);
      std::thread watchdog([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        VarnoVMBreak(vm());
      });
      EXPECT_EQ(VarnoVMRun(vm()), kRunStopped);
      watchdog.join();
      Clear();
    }
  }
}

TEST_F(FastPathTest, ASnapshotAtTheSamePointHasTheSameBytesAndGoesOnTheSame) {
  WriteEventClasses();
  uint32_t index = 0;
  ASSERT_TRUE(CompileClass(
      "Mix", "Mix is Thing;\n"
             "attributes { p is Pinger; g is Guard; n is number; l is list; d is database; cv is code; s is string; }\n"
             "method Constructor() { name = \"mix\"; p.name = \"p\"; g.name = \"g\"; p.OnPing = g.Heard; l = [1, \"two\"];"
             " d = (\"x\": 1); cv = code { print(\"code \" + n); }; }\n"
             "method Deeper(m is number, t is string) { sleep(0); print(\"deeper \" + m + \" \" + t); }\n"
             "method Deep(m is number) { k is number; k = m * 10; Deeper(m, \"via \" + k); print(\"deep \" + k); }\n"
             "state Switchboard {\n"
             "  if (n == 0) { start(p); }\n"
             "  n = n + 1; print(\"mix \" + n);\n"
             "  p.OnPing(n, \"first\");\n"
             "  Deep(n);\n"
             "  eval(code { print(\"eval start \" + n); sleep(0); print(\"eval end \" + n); });\n"
             "  eval(cv);\n"
             "  l = l + [n]; d = addkey(d, \"k\" + n, [n]); s = s + n; print(l); print(d); print(s);\n"
             "}\n",
      &index));
  VarnoVMSetHostCallback(vm(), CountPasses, nullptr);
  constexpr int32_t kSavedAt = 7;
  constexpr int32_t kAfter = 9;
  auto runPasses = [&](int32_t passes) {
    gPasses = 0;
    gLastPass = passes;
    return VarnoVMRun(vm());
  };
  std::string snapshots[2];
  std::vector<std::string> goesOn[2];
  for (const int general : {1, 0}) {
    ComponentFlags().generalPathOnly = general;
    Start(index);
    EXPECT_EQ(runPasses(kSavedAt), kRunStopped);
    RTInstance stream = nullptr;
    ASSERT_TRUE(kivo::memory_stream::Create(&stream));
    ASSERT_EQ(VNStreamOut(stream, vm()), kRTSuccess);
    VNDestroyPatchTable();
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(kivo::memory_stream::GetBuffer(stream, &bytes) && kivo::stream::GetSize(stream, &size));
    snapshots[general].assign(reinterpret_cast<const char*>(bytes), size);
    // Each path goes on from its snapshot, loaded in place of its run.
    Clear();
    kivo::stream::Seek(stream, 0);
    ASSERT_EQ(VNStreamIn(stream, vm()), kRTSuccess);
    VNDestroyPatchTable();
    TakeOutput();
    kivo::ModuleCore()->ReleaseInstance(nullptr, stream);
    EXPECT_EQ(runPasses(kAfter), kRunStopped);
    goesOn[general] = TakeOutput();
    Clear();
  }
  ASSERT_GT(snapshots[1].size(), 100u);
  EXPECT_TRUE(snapshots[0] == snapshots[1]) << "the snapshots differ";
  EXPECT_GT(goesOn[1].size(), 20u);
  EXPECT_EQ(goesOn[0], goesOn[1]);
}

}  // namespace
