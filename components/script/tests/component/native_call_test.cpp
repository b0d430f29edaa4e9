// Script methods implemented by a native component: the argument cells by the conversion table,
// a method of another type refused, at most 17 cells, every result type, a failing method's
// result, the one-time binding, and the native side calling the VM back through the scripting
// component's slot table.
#include <gtest/gtest.h>

#include "tests/component/component_fixture.h"

namespace {

using varno::testing::ComponentTest;
namespace calls = varno::scripting;

class NativeCallTest : public ComponentTest {
 protected:
  // A class with the implemented declarations and a Switchboard of the statements, then exit.
  std::vector<std::string> RunNative(std::string_view name, std::string_view declarations,
                                     std::string_view statements, uint32_t expected = calls::kRunExit) {
    const std::string source = std::string(name) + " is Thing;\n" +
                               "attributes { l is list; d is database; v is vector3; r is real; }\n" +
                               std::string(declarations) + "state Switchboard {\n" + std::string(statements) +
                               "\nexit();\n}\n";
    if (Compile(name, source) < 0) {
      ADD_FAILURE() << "does not compile: " << (Messages().empty() ? "" : Messages().back());
      return {};
    }
    if (!Start(name)) {
      ADD_FAILURE() << "does not start";
      return {};
    }
    EXPECT_EQ(Run(), expected);
    return TakeOutput();
  }
};

TEST_F(NativeCallTest, ArgumentsBecomeCellsByTheConversionTable) {
  EXPECT_EQ(RunNative("Converter",
                      "method number Describe(a is number, b is real, c is number, e is real, f is string,"
                      " g is vector3, h is list, i is bool, j is database, k is Thing)"
                      " implemented \"RTVarnoTestNative.Describe\";\n",
                      "l = [4, 5]; d = (\"key\": 1);\n"
                      "print(Describe(5, 5, -2.7, 1.5, \"text\", <1, 2, 3>, l, true, d, this));"),
            (std::vector<std::string>{
                "Describe(10): number 5, real 5.000000, number -2, real 1.500000, string \"text\", "
                "vector3 <1.000000, 2.000000, 3.000000>, list of 2, first 4, bool 1, database, object self",
                "10"}));
}

TEST_F(NativeCallTest, AMissingStringBecomesAnEmptyCell) {
  ASSERT_GE(Compile("Relay", "Relay is Thing;\n"
                             "method number Describe(s is string) implemented \"RTVarnoTestNative.Describe\";\n"
                             "method Pass(s is string) { Describe(s); }\n"
                             "state Switchboard { exit(); }\n"),
            0);
  calls::Symbol relay = Start("Relay");
  ASSERT_NE(relay, nullptr);
  OnPass([&](int) {
    EXPECT_TRUE(calls::ArgPushString(varno(), vm(), nullptr));
    EXPECT_TRUE(calls::RunMethodByName(varno(), vm(), relay, u"Pass", 1));
    EXPECT_TRUE(calls::ArgPopStack(varno(), vm()));
    return 1;
  });
  EXPECT_EQ(Run(), calls::kRunExit);
  EXPECT_EQ(TakeOutput(), std::vector<std::string>{"Describe(1): string missing"});
}

TEST_F(NativeCallTest, ANumberForAStringParameterIsRefused) {
  EXPECT_EQ(RunNative("Refused", "method Describe(s is string) implemented \"RTVarnoTestNative.Describe\";\n",
                      "Describe(5);", calls::kRunError),
            std::vector<std::string>{});
  EXPECT_FALSE(MessagesWith("[VARNO VM] Implemented Method Setup: Cannot coerce expression into argument type...")
                   .empty());
}

TEST_F(NativeCallTest, AMethodOfAnotherTypeThanAScriptCallIsRefusedUncalled) {
  EXPECT_EQ(RunNative("Mistyped", "method Typed(n is number) implemented \"RTVarnoTestNative.Typed\";\n", "Typed(5);",
                      calls::kRunError),
            std::vector<std::string>{});
  EXPECT_FALSE(MessagesWith("[VARNO VM] (call): Implemented method (RTVarnoTestNative.Typed) is not a script method: "
                            "a script cannot call it")
                   .empty());
}

TEST_F(NativeCallTest, SeventeenCellsAreAcceptedAndEighteenRefused) {
  std::string seventeen;
  std::string arguments;
  for (int i = 1; i <= 17; ++i) {
    seventeen += (i > 1 ? ", p" : "p") + std::to_string(i) + " is number";
    arguments += (i > 1 ? ", " : "") + std::to_string(i);
  }
  const std::vector<std::string> lines =
      RunNative("Wide17", "method number Many(" + seventeen + ") implemented \"RTVarnoTestNative.Describe\";\n",
                "print(Many(" + arguments + "));");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("Describe(17): number 1, number 2, ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(", number 17"), std::string::npos);
  EXPECT_EQ(lines[1], "17");

  EXPECT_EQ(RunNative("Wide18",
                      "method number Many(" + seventeen + ", p18 is number) implemented \"RTVarnoTestNative.Describe\";\n",
                      "print(Many(" + arguments + ", 18));", calls::kRunError),
            std::vector<std::string>{});
  EXPECT_FALSE(MessagesWith("[VARNO VM] Implemented Method Setup: Too many parameters for an implemented method (Many)!")
                   .empty());
}

TEST_F(NativeCallTest, EveryResultTypeIsPushed) {
  EXPECT_EQ(RunNative("Results",
                      "method number GiveNumber() implemented \"RTVarnoTestNative.Give\";\n"
                      "method real GiveReal() implemented \"RTVarnoTestNative.Give\";\n"
                      "method string GiveString() implemented \"RTVarnoTestNative.Give\";\n"
                      "method bool GiveBool() implemented \"RTVarnoTestNative.Give\";\n"
                      "method vector3 GiveVector() implemented \"RTVarnoTestNative.Give\";\n"
                      "method list GiveList() implemented \"RTVarnoTestNative.Give\";\n"
                      "method Thing GiveObject() implemented \"RTVarnoTestNative.Give\";\n"
                      "method GiveNothing() implemented \"RTVarnoTestNative.Give\";\n"
                      "method Constructor() { name = \"results\"; }\n",
                      "print(GiveNumber()); print(GiveReal()); print(GiveString()); print(GiveBool());\n"
                      "print(GiveVector()); l = GiveList(); print(l); print(GiveObject()); GiveNothing();\n"
                      "print(GiveNumber() + 1);"),
            (std::vector<std::string>{"42", "2.500000", "native text", "true", "<1.000000, 2.000000, 3.000000>",
                                      "[7, 8]", "results", "43"}));
  EXPECT_TRUE(MessagesWith("balance").empty()) << "a method without result leaves the stack as it was";
}

TEST_F(NativeCallTest, ADatabaseResultCannotBePushed) {
  EXPECT_EQ(RunNative("DbResult", "method database GiveDatabase() implemented \"RTVarnoTestNative.Give\";\n",
                      "d = GiveDatabase();", calls::kRunError),
            std::vector<std::string>{});
  EXPECT_FALSE(MessagesWith("[VARNO VM] PushConstantValue(): Cannot push type (13) specified onto stack!").empty());
  EXPECT_FALSE(MessagesWith("Couldn't push constant value").empty());
}

TEST_F(NativeCallTest, AFailedNativeMethodLeavesACleanResult) {
  EXPECT_EQ(RunNative("Failing",
                      "method number FailNumber() implemented \"RTVarnoTestNative.Fail\";\n"
                      "method vector3 FailVector() implemented \"RTVarnoTestNative.Fail\";\n",
                      "print(FailNumber()); print(FailVector());"),
            (std::vector<std::string>{"0", "<0.000000, 0.000000, 0.000000>"}));
}

TEST_F(NativeCallTest, TheComponentIsBoundOnceAndCallsTheVmBackThroughItsSlotTable) {
  RTInstance native = nullptr;
  EXPECT_FALSE(core().GetFirstInstanceByString(nullptr, u"RTVarnoTestNative", &native, 0, nullptr) && native)
      << "not loaded before the first call";
  const std::vector<std::string> lines =
      RunNative("Binder",
                "method number Constructions() implemented \"RTVarnoTestNative.Constructions\";\n"
                "method number Count() implemented \"RTVarnoTestNative.SymbolCount\";\n",
                "print(Constructions()); print(Constructions()); print(Count()); print(Constructions());");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "1");
  EXPECT_EQ(lines[1], "1");
  EXPECT_EQ(lines[3], "1") << "one singleton for every method of the class";
  EXPECT_EQ(lines[2], std::to_string(SymbolCount())) << "the symbol count as the VM's slot 0x110 gives it";
}

}  // namespace
