// The run loop under a controllable core clock: contexts take turns round robin, the host callback
// runs once per pass and can end the run, sleeping contexts wake at the pass their time is up, the
// collector runs after 15 s of core time, and contexts end by exit and stop.
#include <gtest/gtest.h>

#include "tests/component/component_fixture.h"

namespace {

using varno::testing::ComponentTest;
namespace calls = varno::scripting;

class SchedulerTest : public ComponentTest {
 protected:
  // The host callback writes "pass N" among the script's lines.
  void Print(const std::string& line) {
    const std::u16string wide = varno::testing::Wide(line);
    core().DebugPrint(nullptr, wide.c_str());
  }
};

constexpr std::string_view kWorker =
    "Worker is Thing;\nattributes { k is number; }\n"
    "state Switchboard { k = k + 1; print(name + \" \" + k); }\n";

TEST_F(SchedulerTest, ThreeContextsTakeTurnsAndTheCallbackRunsOncePerPass) {
  WriteClass("Worker", kWorker);
  ASSERT_GE(Compile("Boss", "Boss is Thing;\nattributes { b is Worker; c is Worker; n is number; }\n"
                            "method Constructor() { name = \"A\"; b.name = \"B\"; c.name = \"C\"; }\n"
                            "state Switchboard { if (n == 0) { start(b); start(c); } n = n + 1;"
                            " print(\"A \" + n); }\n"),
            0);
  ASSERT_NE(Start("Boss"), nullptr);
  OnPass([this](int pass) {
    Print("pass " + std::to_string(pass));
    return pass < 3 ? 1 : 0;
  });
  EXPECT_EQ(Run(), calls::kRunStopped) << "a 0 from the callback ends the run";
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"pass 1", "A 1", "B 1", "C 1", "pass 2", "A 2", "B 2", "C 2",
                                                    "pass 3"}));
  EXPECT_EQ(ContextCount(), 3u);
}

TEST_F(SchedulerTest, ASleepingContextWakesAtThePassItsTimeIsUp) {
  WriteClass("Sleeper", "Sleeper is Thing;\nattributes { k is number; }\n"
                        "state Switchboard { k = k + 1; print(\"B \" + k); sleep(0.25); }\n");
  ASSERT_GE(Compile("Waker", "Waker is Thing;\nattributes { s is Sleeper; n is number; }\n"
                             "state Switchboard { if (n == 0) start(s); n = n + 1; print(\"A \" + n); }\n"),
            0);
  ASSERT_NE(Start("Waker"), nullptr);
  // 100 ms of core time go by in each pass.
  OnPass([this](int pass) {
    Print("pass " + std::to_string(pass));
    Advance(100);
    return pass < 8 ? 1 : 0;
  });
  EXPECT_EQ(Run(), calls::kRunStopped);
  // B sleeps from 100 ms to 350 ms: the first slice after that (at 400 ms) only takes it past its
  // state's back-edge, which yields; it prints in its next slice.
  EXPECT_EQ(TakeOutput(),
            (std::vector<std::string>{"pass 1", "A 1", "B 1", "pass 2", "A 2", "pass 3", "A 3", "pass 4", "A 4", "pass 5",
                                      "A 5", "B 2", "pass 6", "A 6", "pass 7", "A 7", "pass 8"}));
}

TEST_F(SchedulerTest, WhileEveryContextSleepsTheCallbackKeepsRunning) {
  ASSERT_GE(Compile("Napper", "Napper is Thing;\nattributes { k is number; }\n"
                              "state Switchboard { k = k + 1; print(\"tick \" + k); sleep(2); }\n"),
            0);
  ASSERT_NE(Start("Napper"), nullptr);
  OnPass([this](int pass) {
    Print("pass " + std::to_string(pass));
    Advance(500);
    return pass < 10 ? 1 : 0;
  });
  EXPECT_EQ(Run(), calls::kRunStopped);
  // Asleep from 500 ms to 2500 ms; the slice at 2000 ms + 500 ms goes to the back-edge, the next
  // one prints.
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"pass 1", "tick 1", "pass 2", "pass 3", "pass 4", "pass 5",
                                                    "pass 6", "tick 2", "pass 7", "pass 8", "pass 9", "pass 10"}));
}

TEST_F(SchedulerTest, TheCollectorRunsOnceMoreThan15SecondsOfCoreTimeHavePassed) {
  ASSERT_GE(Compile("Litter", "Litter is Thing;\nattributes { t is Thing; }\nstate Switchboard { t = new Thing; }\n"),
            0);
  ASSERT_NE(Start("Litter"), nullptr);
  std::vector<uint32_t> counts;
  std::vector<uint32_t> times;
  OnPass([&](int pass) {
    counts.push_back(SymbolCount());
    times.push_back(CoreTime());
    Advance(1000);
    return pass < 18 ? 1 : 0;
  });
  EXPECT_EQ(Run(), calls::kRunStopped);
  ASSERT_EQ(counts.size(), 18u);
  // Pass k runs at (k - 1) s: through 15 s every slice only adds objects.
  for (size_t i = 1; i < 16; ++i) EXPECT_GT(counts[i], counts[i - 1]) << "pass " << i + 1 << " at " << times[i];
  EXPECT_EQ(times[16], 16000u);
  EXPECT_LT(counts[16], counts[15]) << "the run at 16 s collects";
  EXPECT_GT(counts[17], counts[16]) << "and the next run waits another 15 s";
}

TEST_F(SchedulerTest, ExitAndStopEndTheirContexts) {
  WriteClass("Quitter", "Quitter is Thing;\nattributes { k is number; }\n"
                        "state Switchboard { k = k + 1; print(\"Q \" + k); if (k == 2) stop(this); }\n");
  ASSERT_GE(Compile("Stayer", "Stayer is Thing;\nattributes { q is Quitter; n is number; }\n"
                              "state Switchboard { if (n == 0) start(q); n = n + 1; print(\"S \" + n);"
                              " if (n == 4) exit(); }\n"),
            0);
  ASSERT_NE(Start("Stayer"), nullptr);
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"S 1", "Q 1", "S 2", "Q 2", "S 3", "S 4"}));
  EXPECT_EQ(ContextCount(), 1u) << "the stopped context went";

  // The last context stopping itself ends the run.
  ASSERT_GE(Compile("Alone", "Alone is Thing;\nstate Switchboard { print(\"alone\"); stop(this); }\n"), 0);
  calls::VM other = NewVM();
  ASSERT_NE(Start("Alone", other), nullptr);
  EXPECT_EQ(Run(other), calls::kRunStopped);
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{"alone"});
  EXPECT_EQ(ContextCount(other), 0u);
  uint8_t state = 0;
  EXPECT_TRUE(calls::VarnoVMGetState(varno(), other, &state));
  EXPECT_EQ(state, 1) << "no current context";
}

TEST_F(SchedulerTest, StoppingAllButTheFirstContextDestroysEachOnce) {
  WriteClass("Worker", kWorker);
  WriteClass("Stopper", "Stopper is Thing;\nattributes { k is number; }\n"
                        "method StopOthers() implemented \"RTVarnoTestNative.StopOthers\";\n"
                        "state Switchboard { k = k + 1; print(name + \" \" + k); if (k == 2) StopOthers();"
                        " print(name + \" goes on\"); }\n");
  ASSERT_GE(Compile("Chief", "Chief is Thing;\nattributes { b is Worker; c is Stopper; d is Worker; n is number; }\n"
                             "method Constructor() { b.name = \"B\"; c.name = \"C\"; d.name = \"D\"; }\n"
                             "state Switchboard { if (n == 0) { start(b); start(c); start(d); } n = n + 1;"
                             " print(\"A \" + n); if (n == 4) exit(); }\n"),
            0);
  ASSERT_NE(Start("Chief"), nullptr);
  // C stops every context but A's while it runs itself: it goes when its slice has ended.
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"A 1", "B 1", "C 1", "C goes on", "D 1", "A 2", "B 2", "C 2",
                                                    "A 3", "A 4"}));
  EXPECT_EQ(ContextCount(), 1u);

  // From the host callback, between slices.
  ASSERT_GE(Compile("Chief2", "Chief2 is Thing;\nattributes { b is Worker; c is Worker; n is number; }\n"
                              "method Constructor() { b.name = \"B\"; c.name = \"C\"; }\n"
                              "state Switchboard { if (n == 0) { start(b); start(c); } n = n + 1;"
                              " print(\"A \" + n); if (n == 3) exit(); }\n"),
            0);
  calls::VM other = NewVM();
  ASSERT_NE(Start("Chief2", other), nullptr);
  OnPass([&](int pass) {
    if (pass == 2) {
      EXPECT_TRUE(calls::VMStopAllButFirstContext(varno(), other));
    }
    return 1;
  });
  EXPECT_EQ(Run(other), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"A 1", "B 1", "C 1", "A 2", "A 3"}));
  EXPECT_EQ(ContextCount(other), 1u);
}

}  // namespace
