// Several contexts under the run loop: start and stop, events raised by scripts and delivered at
// loop back-edges, listeners after their event with the speaker, calls and returns.
#include <gtest/gtest.h>

#include <string>

#include "tests/vm_fixture.h"
#include "compiler/core_records.h"
#include "compiler/type_codes.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/native_call.h"
#include "vm/tagged_value.h"

namespace {

using namespace varno;

class ContextTest : public varno::testing::VmTest {
 protected:
  std::vector<std::string> Run(std::string_view name, std::string_view source, uint32_t expected = kRunExit) {
    TakeOutput();
    const size_t reported = Messages().size();
    const int result = RunClass(name, source);
    if (result != static_cast<int>(expected)) {
      const std::vector<std::string> messages = Messages();
      ADD_FAILURE() << "result " << result << "; first report: "
                    << (messages.size() > reported ? messages[reported] : std::string("none"));
    }
    return TakeOutput();
  }
};

TEST_F(ContextTest, StartedContextsTakeTurnsAndStopEndsThem) {
  WriteClass("Worker", "Worker is Thing;\nattributes { k is number; }\n"
                       "state SwitchBoard { k = k + 1; print(\"worker \" + k); if (k == 2) stop(this); }\n");
  EXPECT_EQ(Run("Boss", "Boss is Thing;\nattributes { w is Worker; n is number; }\n"
                        "state Switchboard { if (n == 0) start(w); n = n + 1; print(\"boss \" + n);"
                        " if (n == 4) exit(); }\n"),
            (std::vector<std::string>{"boss 1", "worker 1", "boss 2", "worker 2", "boss 3", "boss 4"}));
  uint32_t count = 0;
  VMGetContextCount(vm(), &count);
  EXPECT_EQ(count, 1u);
}

TEST_F(ContextTest, StoppingTheLastContextEndsTheRun) {
  EXPECT_EQ(Run("Alone", "Alone is Thing;\nstate Switchboard { print(\"once\"); stop(this); }\n", kRunStopped),
            std::vector<std::string>{"once"});
}

TEST_F(ContextTest, AnOutermostReturnStopsTheRun) {
  EXPECT_EQ(Run("Returner", "Returner is Thing;\nstate Switchboard { print(\"r\"); return; }\n", kRunStopped),
            std::vector<std::string>{"r"});
}

TEST_F(ContextTest, EventsRunAtTheTargetsBackEdgeAndListenersFollowWithTheSpeaker) {
  WriteClass("Door", "Door is Thing;\n"
                     "method Constructor() { name = \"door\"; }\n"
                     "event Opened(by is string) { print(\"opened by \" + by); }\n"
                     "state SwitchBoard { }\n");
  WriteClass("Guard", "Guard is Thing;\n"
                      "listener Heard(by is string) { print(\"heard \" + by); print(speaker); }\n");
  EXPECT_EQ(Run("House", "House is Thing;\nattributes { d is Door; g is Guard; n is number; }\n"
                         "state Switchboard {\n"
                         "  n = n + 1;\n"
                         "  if (n == 1) { d.Opened = g.Heard; start(d); d.Opened(\"me\"); print(\"raised\"); }\n"
                         "  if (n == 4) exit();\n"
                         "}\n"),
            (std::vector<std::string>{"raised", "opened by me", "heard me", "door"}));
}

TEST_F(ContextTest, CopyListenMovesListenersToTheNewObject) {
  WriteClass("Bell", "Bell is Thing;\nmethod Constructor() { name = \"bell\"; }\n"
                     "event Rang() { print(\"rang\"); }\nstate SwitchBoard { }\n");
  WriteClass("Ear", "Ear is Thing;\nlistener Heard() { print(\"heard\"); print(speaker); }\n");
  EXPECT_EQ(Run("Tower", "Tower is Thing;\nattributes { b is Bell; e is Ear; n is number; }\n"
                         "state Switchboard {\n"
                         "  n = n + 1;\n"
                         "  if (n == 1) { b.Rang = e.Heard; copylisten(b, new Bell); b.name = \"new bell\"; start(b);"
                         " b.Rang(); }\n"
                         "  if (n == 4) exit();\n"
                         "}\n"),
            (std::vector<std::string>{"rang", "heard", "new bell"}));
}

TEST_F(ContextTest, CallsBindParametersAndReturnValues) {
  EXPECT_EQ(Run("Caller", "Caller is Thing;\n"
                          "method number Fib(n is number) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }\n"
                          "method string Join(a is string, b is number) { return a + \"-\" + b; }\n"
                          "method number Count() { return 1; }\n"
                          "state Switchboard { i is number;\n"
                          "  print(Fib(15)); print(Join(\"x\", 2.7)); print(Join(\"y\", -2.7));\n"
                          "  i = 0; while (i < 5000) { Count(); i = i + 1; }\n"
                          "  exit(); }\n"),
            (std::vector<std::string>{"610", "x-2", "y--2"}));
}

TEST_F(ContextTest, SpeakerOutsideAListenerIsAnError) {
  EXPECT_EQ(Run("Loud", "Loud is Thing;\nstate Switchboard { print(speaker); }\n", kRunError),
            std::vector<std::string>{});
  EXPECT_FALSE(
      MessagesWith("[VARNO VM] Execute (speaker): Need to be inside of a listener to use the speaker opcode!").empty());
}

}  // namespace

namespace {

using namespace varno;

class ImplementedCallTest : public varno::testing::VmTest {};

TEST_F(ImplementedCallTest, ArgumentsBecomeCellsByTheParameterTypes) {
  RTVarnoType* type = HandClass("Native");
  varno::testing::CodeBuilder none;
  RTVarnoMethod* method = AddMethod(type, u"Many", kMethodImplemented, none,
                                    {}, {{u"n", kTypeNumber}, {u"r", kTypeReal}, {u"s", kTypeString}, {u"o", 14}}, 4);
  ASSERT_NE(method, nullptr);
  CallFrame* frame = nullptr;
  ASSERT_EQ(CreateEmptyCallFrame(&frame), kRTSuccess);
  // Pushed last to first: the object, a string, a real for the real, a real for the number.
  RTVarnoStackElement elements[4] = {};
  elements[0].tag = kTagObject;
  elements[0].value.object = reinterpret_cast<RTVarnoSymbol*>(frame);  // any pointer: cells do not look at it
  elements[1].tag = kTagString;
  elements[1].value.text = CopyText(u"text");
  elements[2].tag = kTagReal;
  elements[2].value.real = 0.5f;
  elements[3].tag = kTagReal;
  elements[3].value.real = -2.7f;
  for (RTVarnoStackElement& element : elements) ASSERT_EQ(ArgPushElement(frame, &element), kRTSuccess);
  RTVarnoCallArg cells[kMaxNativeArguments] = {};
  uint32_t count = 0;
  ASSERT_EQ(SetupImplementedCall(method, frame, cells, &count), kRTSuccess);
  ASSERT_EQ(count, 4u);
  EXPECT_EQ(cells[0].type, kTypeNumber);
  EXPECT_EQ(cells[0].value.number, -2);
  EXPECT_EQ(cells[1].value.real, 0.5f);
  EXPECT_EQ(varno::testing::Utf8(cells[2].value.text), "text");
  EXPECT_NE(cells[2].value.text, elements[1].value.text) << "a copy of its own";
  EXPECT_EQ(cells[3].type, 14u);
  for (uint32_t i = 0; i < count; ++i) TaggedValueRelease(&cells[i]);
  DestroyCallFrame(frame);
}

TEST_F(ImplementedCallTest, SeventeenCellsAtMost) {
  RTVarnoType* type = HandClass("Wide");
  std::vector<std::u16string> names;
  for (int i = 0; i < 18; ++i) names.push_back(u"p" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
  varno::testing::CodeBuilder c17;
  varno::testing::CodeBuilder c18;
  RTVarnoMethod* seventeen = AddMethod(type, u"Seventeen", kMethodImplemented, c17, {}, {}, 0);
  RTVarnoMethod* eighteen = AddMethod(type, u"Eighteen", kMethodImplemented, c18, {}, {}, 0);
  for (int i = 0; i < 18; ++i) {
    if (i < 17) {
      if (!seventeen->parameters) kivo::ListCreate(&seventeen->parameters);
      kivo::ListAppend(seventeen->parameters, ParameterCreate(names[i].c_str(), kTypeNumber));
    }
    if (!eighteen->parameters) kivo::ListCreate(&eighteen->parameters);
    kivo::ListAppend(eighteen->parameters, ParameterCreate(names[i].c_str(), kTypeNumber));
  }
  CallFrame* frame = nullptr;
  ASSERT_EQ(CreateEmptyCallFrame(&frame), kRTSuccess);
  for (int i = 0; i < 18; ++i) {
    RTVarnoStackElement element{};
    element.tag = kTagNumber;
    element.value.number = i;
    ASSERT_EQ(ArgPushElement(frame, &element), kRTSuccess);
  }
  RTVarnoCallArg cells[kMaxNativeArguments] = {};
  uint32_t count = 0;
  ASSERT_EQ(SetupImplementedCall(seventeen, frame, cells, &count), kRTSuccess);
  EXPECT_EQ(count, 17u);
  EXPECT_EQ(cells[0].value.number, 17) << "the last pushed binds to the first parameter";
  EXPECT_EQ(SetupImplementedCall(eighteen, frame, cells, &count), kRTFailure);
  EXPECT_FALSE(
      MessagesWith("[VARNO VM] Implemented Method Setup: Too many parameters for an implemented method (Eighteen)!")
          .empty());
  DestroyCallFrame(frame);
}

TEST_F(ImplementedCallTest, AMissingComponentEndsTheRun) {
  EXPECT_EQ(RunClass("Caller2", "Caller2 is Thing;\nmethod number Native(n is number) implemented \"RTNoSuchThing.Go\";\n"
                                "state Switchboard { print(Native(1)); exit(); }\n"),
            static_cast<int>(kRunError));
  EXPECT_FALSE(
      MessagesWith("[VARNO VM] (call): Couldn't create an instance of an implemented component (RTNoSuchThing)").empty());
}

}  // namespace
