// The parser's actions: the syntax trees it builds (precedence shown in the trees), the records it
// registers for a class, its failed actions and its parse error reports.
#include <gtest/gtest.h>

#include <string>

#include "compiler/compile_driver.h"
#include "compiler/dump.h"
#include "compiler/scanner.h"
#include "compiler/search_paths.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "tests/compiler_fixture.h"

namespace {

using namespace varno;
using varno::testing::Utf8;
using varno::testing::Wide;

struct Case {
  std::string_view text;
  std::string_view expected;
};

class ParserTest : public varno::testing::CompilerTest {
 protected:
  void SetUp() override {
    CompilerTest::SetUp();
    WriteSource("classes/Thing.varno", "Thing is nothing;\nattributes { }\n");
    AddPath("classes");
  }

  // Compiles classes/Foo.varno holding `text`.
  bool CompileFoo(std::string_view text) { return Compile(WriteSource("classes/Foo.varno", text)); }

  // The tree of method m() of class Foo whose body holds the statements (they start on line 3).
  std::string BodyTree(std::string_view statements) {
    if (!CompileFoo("Foo is Thing;\nmethod m() {\n" + std::string(statements) + "\n}\n")) return "<failed>";
    return MethodTree("Foo", u"M");
  }

  std::string FooPath() { return (dir() / "classes/Foo.varno").string(); }
  std::string At(int line) { return "[PARSE ERROR]  in file: " + FooPath() + ", on line: " + std::to_string(line); }
};

TEST_F(ParserTest, ExpressionTreesShowThePrecedences) {
  const Case cases[] = {
      {"a < b and c", "(Print (Less a (And b c)))"},
      {"a == b or c", "(Print (Equal a (Or b c)))"},
      {"a or b and c", "(Print (And (Or a b) c))"},
      {"not a and b", "(Print (And (Not a) b))"},
      {"not a == b", "(Print (Equal (Not a) b))"},
      {"not a + b", "(Print (Not (Add a b)))"},
      {"-a*b", "(Print (Negate (Multiply a b)))"},
      {"-a + b", "(Print (Add (Negate a) b))"},
      {"a - b - c", "(Print (Subtract (Subtract a b) c))"},
      {"a + b * c / d", "(Print (Add a (Divide (Multiply b c) d)))"},
      {"a + b canbe number", "(Print (CanBe (Add a b) number))"},
      {"a-1", "<failed>"},  // "-1" is one literal: two operands without an operator
      // "(" starts a database when ":" follows its first expression, else a parenthesised one.
      {"( )", "(Print (Database))"},
      {"(e)", "(Print e)"},
      {"(k: v)", "(Print (Database (DatabaseElement k v)))"},
      {"(1 : 2, \"k\" : v)", "(Print (Database (DatabaseElement 1 2) (DatabaseElement \"k\" v)))"},
      {"[ ]", "(Print (List))"},
      {"[1, 2.5, \"s\", [x]]", "(Print (List 1 2.5 \"s\" (List x)))"},
      {"<1, -2.5, 3>", "(Print <1.0, -2.5, 3.0>)"},
      {"PI", "(Print 3.1415927)"},
      {"true", "(Print true)"},
      {"false", "(Print false)"},
      {"null", "(Print null)"},
      {"a.b.c", "(Print a.b.c)"},
      {"l[1][i + 1]", "(Print (ListAccess l 1 (Add i 1)))"},
      {"f(1, g())", "(Print (Call f 1 (Call g)))"},
      {"obj.go(2)", "(Print (Call obj.go 2))"},
      {"sin(x) + cos(x) + tan(x) + abs(x) + sqr(x) + sqrt(x) + rand()",
       "(Print (Add (Add (Add (Add (Add (Add (Sin x) (Cos x)) (Tan x)) (Abs x)) (Sqr x)) (Sqrt x)) (Rand)))"},
      {"haskey(d, 1) and instate(o, S)", "(Print (And (HasKey d 1) (InState o S)))"},
      {"addkey(d, 1, 2) + retrieve(d, 1) + remove(d, 1) + keys(d) + _DEBUG(x) + exit()",
       "(Print (Add (Add (Add (Add (Add (AddKey d 1 2) (Retrieve d 1)) (Remove d 1)) (Keys d)) (Debug x)) (Exit)))"},
      {"inherited(1, 2)", "(Print (Inherited 1 2))"},
      {"inherited()", "(Print (Inherited))"},
      {"code { x = 1; y = 2; }", "(Print (Code (Statements (Assign x 1) (Assign y 2))))"},
      {"eval(c)", "(Print (Eval c))"},
      {"dnew(\"Foo\")", "(Print (DynamicNew \"Foo\"))"},
      {"speaker", "(Print (Speaker))"},
      {"x = 5", "(Assign x 5)"},
      {"x += 2", "(Assign x (Add x 2))"},
      {"x -= 2", "(Assign x (Subtract x 2))"},
      {"l[0] *= 2", "(Assign (ListAccess l 0) (Multiply (ListAccess l 0) 2))"},
      {"x /= 2", "(Assign x (Divide x 2))"},
      // Rejected as interactive programs.
      {"x = 5;", "<failed>"},
      {"print(x);", "<failed>"},
      {"a = b = c", "<failed>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(ExpressionTree(c.text), c.expected);
  }
}

TEST_F(ParserTest, StatementTrees) {
  const Case cases[] = {
      {"print(x);", "(MethodBody (Print x))"},
      {"x is number; x = 1;", "(MethodBody (Statements - (Assign x 1)))"},
      {"x is number = 5;", "(MethodBody -)"},
      {"if (a) if (b) f(); else g();", "(MethodBody (If a (IfElse b (CallStatement (Call f)) (CallStatement (Call g)))))"},
      {"if (a) { } else { g(); h(); }",
       "(MethodBody (IfElse a - (Statements (CallStatement (Call g)) (CallStatement (Call h)))))"},
      {"while (a < 10) a += 1;", "(MethodBody (While (Less a 10) (Assign a (Add a 1))))"},
      {"for (i = 0; i < 10; i = i + 1) { print(i); }",
       "(MethodBody (For (Assign i 0) (Less i 10) (Assign i (Add i 1)) (Print i)))"},
      {"again: goto again;", "(MethodBody (Statements (Label again) (Goto again)))"},
      {"priority(Idle, 5); start(Idle); stop(Idle); sleep(0.5);",
       "(MethodBody (Statements (Priority Idle 5 -) (Start Idle) (Stop Idle) (Sleep 0.5)))"},
      {"switch(Idle); switch(a == 1, Busy);", "(MethodBody (Statements (Switch Idle) (Switch Busy (Equal a 1))))"},
      {"copylisten(a, b); listen(); deafen();", "(MethodBody (Statements (CopyListen a b) (Listen) (Deafen)))"},
      {"eval(c); inherited(1); return;",
       "(MethodBody (Statements (Eval c) (InheritedStatement (Inherited 1)) (Return)))"},
      {"return x + 1;", "(MethodBody (Return (Add x 1)))"},
      {"l[0] = 5;", "(MethodBody (Assign (ListAccess l 0) 5))"},
      {"o = new Foo; t = new Thing;", "(MethodBody (Statements (Assign o (New Foo)) (Assign t (New Thing))))"},
      {"rand(); exit(); _DEBUG(x);",
       "(MethodBody (Statements (CallStatement (Rand)) (CallStatement (Exit)) (CallStatement (Debug x))))"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(BodyTree(c.text), c.expected);
  }
}

TEST_F(ParserTest, NodesCarryTheirFields) {
  ASSERT_TRUE(CompileFoo("Foo is Thing;\nmethod m() {\n  l[1] = x canbe Foo;\n  o = dnew(n);\n}\n"));
  RTVarnoMethod* method = nullptr;
  ASSERT_EQ(TypeRetrieveMethodByName(Type("Foo"), u"M", &method, kRetrieveThisType), kRTSuccess);
  const SyntaxNode* body = method->tree;
  ASSERT_EQ(body->kind, eSNMethodBody);
  EXPECT_EQ(body->method, method);
  EXPECT_EQ(body->line, 5);
  const SyntaxNode* list = body->children[0];
  ASSERT_EQ(list->kind, eSNStatementList);
  const SyntaxNode* assign = list->children[0];
  EXPECT_EQ(assign->line, 3);
  const SyntaxNode* access = assign->children[0];
  EXPECT_EQ(access->readFlag, 1u) << "the parser marks every element access as read";
  EXPECT_EQ(access->component, -1);
  const SyntaxNode* canBe = assign->children[1];
  EXPECT_EQ(canBe->targetType, Type("Foo")->index);
  const SyntaxNode* dynamicNew = list->children[1]->children[1];
  EXPECT_EQ(dynamicNew->kind, eSNDynamicNew);
  EXPECT_EQ(dynamicNew->type, kTypeAnything);
  EXPECT_EQ(list->children[1]->line, 4);
}

TEST_F(ParserTest, ClassMembersAreRegistered) {
  ASSERT_TRUE(CompileFoo(
      "Foo is Thing, singleton;\n"
      "attributes { a is number; b is Foo = new Foo; v is vector3; d is database; c is code; t is Thing; }\n"
      "constants { MAX = -5; NAME = \"n\"; VEC = <1, 2.5, -3>; P = PI; YES = true; N = null; R = 1.5; }\n"
      "method number Get(out first is number, second is list) { local is string; again: goto again; }\n"
      "method Foo Self() { }\n"
      "method Plain(, late is real) { }\n"
      "method number Native(n is number) implemented \"RTTeskGame.Main.Part\";\n"
      "state Idle { sleep(1); }\n"
      "event Hit(by is anything) : Idle, Busy { }\n"
      "listener Heard(what is string) { }\n"));
  RTVarnoType* foo = Type("Foo");
  ASSERT_NE(foo, nullptr);
  EXPECT_EQ(foo->singleton, 1u);
  EXPECT_EQ(foo->flags, kTypeScriptClass);
  EXPECT_EQ(foo->parentIndex, Type("Thing")->index);
  EXPECT_EQ(Utf8(DumpType(table(), foo, false)),
            "class Foo (14) is Thing (15), singleton\n"
            "  file: " + FooPath() + "\n"
            "  attributes:\n"
            "    a: number\n"
            "    b: Foo\n"
            "    v: vector3\n"
            "    d: database\n"
            "    c: code\n"
            "    t: Thing\n"
            "    MAX: number, constant\n"
            "    NAME: string, constant\n"
            "    VEC: vector3, constant\n"
            "    P: real, constant\n"
            "    YES: bool, constant\n"
            "    N: null, constant\n"
            "    R: real, constant\n"
            "  constants:\n"
            "    MAX = -5\n"
            "    NAME = \"n\"\n"
            "    VEC = <1.0, 2.5, -3.0>\n"
            "    P = 3.1415927\n"
            "    YES = true\n"
            "    N = null\n"
            "    R = 1.5\n"
            "  methods:\n"
            "    listener Heard(WHAT: string)\n"
            "      declarations: what: string;\n"
            "    event Hit(BY: anything)\n"
            "      declarations: by: anything;\n"
            "    state Idle\n"
            "    method number Native(N: number) implemented \"RTTeskGame.Main.Part\"\n"
            "    method Plain(LATE: real)\n"
            "      declarations: late: real;\n"
            "    method Foo Self()\n"
            "    method number Get(out FIRST: number, SECOND: list)\n"
            "      declarations: first: number; second: list; local: string;\n"
            "      labels: again\n");
  RTVarnoMethod* method = nullptr;
  ASSERT_EQ(TypeRetrieveMethodByName(foo, u"IDLE", &method, kRetrieveThisType), kRTSuccess);
  EXPECT_EQ(method->kind, kMethodState);
  EXPECT_EQ(method->returnType, kTypeNoValue);
  ASSERT_EQ(TypeRetrieveMethodByName(foo, u"NATIVE", &method, kRetrieveThisType), kRTSuccess);
  EXPECT_EQ(method->kind, kMethodImplemented);
  EXPECT_EQ(Utf8(method->bindClass), "RTTeskGame");
  EXPECT_EQ(Utf8(method->bindMethod), "Main.Part");
  EXPECT_EQ(method->tree, nullptr);
  EXPECT_EQ(method->declarations, nullptr);
  ASSERT_EQ(TypeRetrieveMethodByName(foo, u"HIT", &method, kRetrieveThisType), kRTSuccess);
  EXPECT_EQ(method->kind, kMethodEvent);
  ASSERT_EQ(TypeRetrieveMethodByName(foo, u"HEARD", &method, kRetrieveThisType), kRTSuccess);
  EXPECT_EQ(method->kind, kMethodListener);
  EXPECT_TRUE(MessagesWith("[PARSE ERROR]").empty());
}

// Each failing member fails its action with these messages ("@N": the empty parse error report at
// line N), and the parse goes on: the "b++;" of line 5 is reported as well.
TEST_F(ParserTest, FailedActionsReportAndTheParseGoesOn) {
  const struct {
    std::string_view member;  // lines 3 and 4
    std::vector<std::string> messages;
  } cases[] = {
      {"method m() { a++;\n}", {"++(post) operator not implemented yet.", "@3"}},
      {"method m() { a--;\n}", {"--(post) operator not implemented yet.", "@3"}},
      {"method m() { ++a;\n}", {"++(pre) operator not implemented yet.", "@3"}},
      {"method m() { --a;\n}", {"--(pre) operator not implemented yet.", "@3"}},
      {"method m() { y is number; y.x is real;\n}", {"Argument name conflict [redeclaration]!", "@3"}},
      {"method m(a is number, A is real) {\n}", {"Argument name conflict [redeclaration]!", "@3"}},
      {"method m() { exit(1);\n}", {"Invalid function type detected?", "@3"}},
      {"method m() { x = new number;\n}", {"New can only create a reference type!", "@3"}},
      {"method m() { l: l:\n}", {"Label already exists (duplicate label)", "@3"}},
      {"method m() { x is orient3; y is orient2;\nz is color3; }",
       {"Orient3 unsupported currently", "@3", "Orient2 unsupported currently", "@3", "Color3 unsupported currently",
        "@4"}},
      {"attributes { a is number; A is real; }\n",
       {"[VARNO] Attribute name (A) already exists!", "Cannot add attribute to class?", "@3"}},
      {"constants { C = 1; c = 2; }\n",
       {"[VARNO] Attribute name (c) already exists!", "Cannot add constant attribute to class.", "@3"}},
      {"method f() { }\nmethod F() { }", {"[VARNO] Method redeclaration error?", "Couldn't create method!", "@4"}},
      {"method f() implemented \"NoDot\";\n", {"Couldn't create implemented method", "@3"}},
      {"state S { }\nevent S() { }", {"[VARNO] Method redeclaration error?", "Couldn't create event!", "@4"}},
      {"state S { }\nlistener S() { }", {"[VARNO] Method redeclaration error?", "Couldn't create listener!", "@4"}},
      {"event S() { }\nstate S { }", {"[VARNO] Method redeclaration error?", "Couldn't create state!", "@4"}},
  };
  CaptureParseErrors();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.member));
    const size_t before = Messages().size();
    EXPECT_FALSE(CompileFoo("Foo is Thing;\nmethod first() { }\n" + std::string(c.member) + "\nmethod n() { b++; }\n"));
    std::vector<std::string> messages = Messages();
    messages.erase(messages.begin(), messages.begin() + static_cast<std::ptrdiff_t>(before));
    std::vector<std::string> expected;
    for (const std::string& message : c.messages) expected.push_back(message[0] == '@' ? At(message[1] - '0') : message);
    expected.push_back("++(post) operator not implemented yet.");
    expected.push_back(At(5));
    EXPECT_EQ(messages, expected);
  }
  EXPECT_EQ(ParseErrors().size(), MessagesWith("[PARSE ERROR]").size()) << "every report also went to the stream";
}

TEST_F(ParserTest, ASyntaxErrorReportsTheExpectedTokensAndStopsTheParse) {
  CaptureParseErrors();
  const Case cases[] = {
      {"Foo is Thing;\nmethod m() {\n  x = 1\n}\nmethod n() { b++; }\n",
       "parse error, expecting `END_STATEMENT' in file: %s, on line: 4"},
      {"Foo is Thing attributes { }\n", "parse error, expecting `END_STATEMENT' or `COMMA' in file: %s, on line: 1"},
      {"Foo is Thing;\n\nx", "parse error in file: %s, on line: 3"},
      {"Foo is Thing;\nmethod m() { x = []; }\n", "parse error in file: %s, on line: 2"},
      {"Foo is Thing;\nconstants { MAX = - 5; }\n", "parse error in file: %s, on line: 2"},
      {"Foo is Thing;\nmethod m() { x = <1, 2>; }", "parse error, expecting `COMMA' in file: %s, on line: 2"},
      {"Foo is Thing;\nmethod m() { f(; }", "parse error in file: %s, on line: 2"},
      {"Foo is Thing;\nmethod m() { x = 1 +; }", "parse error in file: %s, on line: 2"},
      {"Foo is Thing;\nmethod m() { start(1); }", "parse error, expecting `ID' in file: %s, on line: 2"},
      {"Foo is Thing;", "parse error in file: %s, on line: 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    const size_t before = ParseErrors().size();
    EXPECT_FALSE(CompileFoo(c.text));
    std::string expected(c.expected);
    expected.replace(expected.find("%s"), 2, FooPath());
    const std::vector<std::string> errors = ParseErrors();
    ASSERT_EQ(errors.size(), before + 1) << "the parse stops at its first syntax error";
    EXPECT_EQ(errors.back(), "[PARSE ERROR] " + expected + "\n");
  }
  EXPECT_EQ(ProcessScanner().saved_buffer_count(), 0u);
}

TEST_F(ParserTest, AParseThatOutgrowsTheStacksFails) {
  const std::string deep = std::string(12000, '(') + "a" + std::string(12000, ')');
  EXPECT_EQ(ExpressionTree(deep), "<failed>");
  EXPECT_EQ(MessagesWith("[PARSE ERROR]"),
            std::vector<std::string>{"[PARSE ERROR] parser stack overflow in file: (null), on line: 1"});
  const std::string nested = std::string(4000, '(') + "a" + std::string(4000, ')');
  EXPECT_EQ(ExpressionTree(nested), "(Print a)");
}

}  // namespace
