// Events raised by native code through the slot table: queued with copies of the pushed arguments,
// delivered one per loop back-edge oldest first, a full queue dropping the 129th, a count mismatch
// reported with nothing left behind, names in any case, listeners after their handler.
#include <gtest/gtest.h>

#include "tests/component/component_fixture.h"
#include "vm/symbol.h"

namespace {

using varno::testing::ComponentTest;
namespace calls = varno::scripting;

constexpr std::string_view kGuard =
    "Guard is Thing;\n"
    "listener Heard(text is string, k is number) { print(\"heard \" + text + \" \" + k); print(speaker); }\n";

constexpr std::string_view kPinger =
    "Pinger is Thing;\n"
    "attributes { n is number; g is Guard; last is number; }\n"
    "method Constructor() { name = \"pinger\"; }\n"
    "method number Raise(which is string, text is string, k is number) implemented \"RTVarnoTestNative.Raise\";\n"
    "event OnPing(text is string, k is number) { print(\"ping \" + text + \" \" + k); }\n"
    "state Switchboard { n = n + 1; print(\"pass \" + n); if (n == last) exit(); }\n";

class EventTest : public ComponentTest {
 protected:
  void SetUp() override {
    ComponentTest::SetUp();
    WriteClass("Guard", kGuard);
    ASSERT_GE(Compile("Pinger", kPinger), 0);
    pinger_ = Start("Pinger");
    ASSERT_NE(pinger_, nullptr);
    SetLast(5);
  }

  void SetLast(int32_t passes) {
    calls::Symbol last = nullptr;
    ASSERT_TRUE(calls::SymbolRetrieveAttributeByName(varno(), vm(), pinger_, u"last", &last));
    last->value.value.number = passes;
  }

  // Pushes the event's two arguments (the last pushed binds to the first parameter) and raises it.
  RTSuccess Ping(const char16_t* name, const char16_t* text, int32_t k) {
    calls::ArgPushNumber(varno(), vm(), k);
    calls::ArgPushString(varno(), vm(), text);
    const RTSuccess raised = calls::TriggerEvent(varno(), vm(), pinger_, name);
    EXPECT_TRUE(calls::ArgPopStack(varno(), vm()));
    return raised;
  }

  calls::Symbol pinger_ = nullptr;
};

TEST_F(EventTest, EventsFromTheHostRunOnePerBackEdgeOldestFirstWhateverTheCaseOfTheirNames) {
  OnPass([this](int pass) {
    if (pass == 1) {
      std::u16string text = u"first";
      EXPECT_EQ(Ping(u"onping", text.c_str(), 1), kRTSuccess);
      text = u"changed";  // the queued event has a copy of its own
      EXPECT_EQ(Ping(u"ONPING", u"second", 2), kRTSuccess);
      EXPECT_EQ(Ping(u"OnPing", u"third", 3), kRTSuccess);
    }
    return 1;
  });
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"pass 1", "ping first 1", "pass 2", "ping second 2", "pass 3",
                                                    "ping third 3", "pass 4", "pass 5"}));
}

TEST_F(EventTest, TheEventAfter128QueuedOnesIsDroppedAndTheRaiseStillSucceeds) {
  OnPass([this](int pass) {
    if (pass == 1) {
      for (int i = 1; i <= 129; ++i) EXPECT_EQ(Ping(u"OnPing", u"x", i), kRTSuccess) << i;
    }
    return 1;
  });
  SetLast(2);
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(MessagesWith("****Dropping event"),
            std::vector<std::string>{"****Dropping event: ONPING. Number of events in the queue: 128"});
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"pass 1", "ping x 1", "pass 2"}));
  // The 127 events still queued go with their object (and their strings with them).
}

TEST_F(EventTest, ARefusedRaiseReportsAndLeavesNoArgumentsBehind) {
  OnPass([this](int pass) {
    if (pass == 1) {
      calls::ArgPushString(varno(), vm(), u"only one");
      EXPECT_EQ(calls::TriggerEvent(varno(), vm(), pinger_, u"OnPing"), kRTFailure);
      EXPECT_TRUE(calls::ArgPopStack(varno(), vm()));
      EXPECT_EQ(calls::TriggerEvent(varno(), vm(), pinger_, u"Switchboard"), kRTFailure);
      EXPECT_EQ(calls::TriggerEvent(varno(), vm(), pinger_, u"OnNothing"), kRTFailure);
      // Had the refused argument stayed, this raise would see three.
      EXPECT_EQ(Ping(u"OnPing", u"after", 7), kRTSuccess);
    }
    return 1;
  });
  SetLast(2);
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"pass 1", "ping after 7", "pass 2"}));
  const std::vector<std::string> mismatch = MessagesWith("Event Factory");
  ASSERT_EQ(mismatch.size(), 2u);
  EXPECT_EQ(mismatch[0].rfind("[VARNO VM] Event Factory -- Stack mismatch with # of parameters to event. In file: ", 0),
            0u);
  EXPECT_NE(mismatch[0].find("Pinger.varno, event: ONPING"), std::string::npos) << mismatch[0];
  EXPECT_EQ(mismatch[1], "[VARNO VM] Event Factory -- Expecting: 2 parameters. Got: 1");
  EXPECT_EQ(MessagesWith("[VARNO VM] Method specified must be an event!").size(), 1u);
  EXPECT_EQ(MessagesWith("[VARNO VM] Cannot find event specified in object.").size(), 1u);
}

// The one raise native code uses: whatever becomes of the event, the stack is left empty, which
// the two-argument ping after each case shows.
TEST_F(EventTest, TheNativeRaiseLeavesTheArgumentStackEmptyWhateverBecomesOfTheEvent) {
  const struct {
    const char* what;
    calls::Symbol object;
    const char16_t* event;
    std::initializer_list<calls::EventArgument> arguments;
    RTSuccess raised;
  } cases[] = {
      {"queued", pinger_, u"OnPing", {int32_t{4}, u"sent"}, kRTSuccess},
      {"too few arguments", pinger_, u"OnPing", {u"alone"}, kRTFailure},
      {"too many arguments", pinger_, u"OnPing", {int32_t{1}, u"x", RTFVector3D{1, 2, 3, 0}}, kRTFailure},
      {"no such event", pinger_, u"OnNothing", {int32_t{1}}, kRTFailure},
      {"not an event", pinger_, u"Switchboard", {}, kRTFailure},
      {"no object", nullptr, u"OnPing", {int32_t{2}, u"lost"}, kRTFailure},
  };
  OnPass([&](int pass) {
    if (pass == 1)
      for (const auto& c : cases) {
        EXPECT_EQ(calls::RaiseEvent(varno(), vm(), c.object, c.event, c.arguments), c.raised) << c.what;
        EXPECT_EQ(Ping(u"OnPing", u"after", 7), kRTSuccess) << c.what;
      }
    return 1;
  });
  // One event runs a pass: the queued one, then the pings.
  const int32_t passes = static_cast<int32_t>(std::size(cases)) + 2;
  SetLast(passes);
  EXPECT_EQ(Run(), calls::kRunExit);
  std::vector<std::string> expected{"pass 1", "ping sent 4"};
  for (int32_t pass = 2; pass < passes; ++pass) {
    expected.push_back("pass " + std::to_string(pass));
    expected.push_back("ping after 7");
  }
  expected.push_back("pass " + std::to_string(passes));
  EXPECT_EQ(TakeOutput(), expected);
}

TEST_F(EventTest, AListenerRunsAfterTheHandlerWithItsArgumentsAndSpeaker) {
  ASSERT_GE(Compile("Watch", "Watch is Thing;\nattributes { p is Pinger; g is Guard; n is number; }\n"
                             "method Constructor() { name = \"watch\"; g.name = \"guard\"; p.OnPing = g.Heard;"
                             " p.last = 3; }\n"
                             "state Switchboard { n = n + 1; if (n == 1) { start(p); p.Raise(\"OnPing\", \"native\", 9); }"
                             " if (n == 9) exit(); }\n"),
            0);
  calls::VM other = NewVM();
  ASSERT_NE(Start("Watch", other), nullptr);
  EXPECT_EQ(Run(other), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"pass 1", "ping native 9", "heard native 9", "pinger", "pass 2",
                                                    "pass 3"}));
}

}  // namespace
