// The grammar: which sources it accepts, and how it groups operators (read from the parser's trace
// of reductions; parser_test.cpp shows the same in the trees the parser builds).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "compiler/parse_context.h"
#include "compiler/parse_errors.h"
#include "compiler/type_table.h"
#include "host/core_host.h"
#include "tests/script_test_support.h"
#include "varno_grammar.hpp"

namespace {

using namespace varno;
using GrammarTest = tesk::testing::StartedCore;

struct Case {
  std::string_view text;
  std::string_view tokens;
};

// Parses with a scanner of its own into a fresh table; the actions run (and may report), only the
// parser's result counts here.
int Parse(std::string_view text) {
  RTVarnoTypeTable* table = nullptr;
  EXPECT_EQ(TypeTableFactory(&table), kRTSuccess);
  ParseContext* context = ParseContextCreate();
  context->table = table;
  const std::string copy(text);
  SetSourceText(&context->input, copy.data(), copy.size());
  SetCurrentParseContext(context);
  Scanner scanner;
  const int result = varno_parse(scanner);
  ParseContextFree(context);
  TypeTableDestructor(table);
  SetParserErrorFlag(false);
  return result;
}

// A class file whose one method holds the statements.
std::string InMethod(std::string_view statements) {
  return "Foo is Bar;\nmethod m() {\n" + std::string(statements) + "\n}\n";
}

TEST_F(GrammarTest, AcceptedClassFiles) {
  const std::string_view files[] = {
      "Foo is Bar; attributes { }",
      "Foo is Thing, singleton; constants { }",
      "Thing is nothing; attributes { }",
      "Foo is Bar;\n"
      "attributes { a is number; b is real = 2.5; c is Foo; d is Thing; }\n"
      "constants { MAX = -5; NAME = \"n\"; V = <1, 2.5, -3>; P = PI; T = true; F = false; N = null; R = 1.5; }\n"
      "method Foo Bar() { }\n"
      "method f(out a is number, b is real) { }\n"
      "method number g(a is list) implemented \"RTTeskGame.Main\";\n"
      "method h() implemented \"X.Y\";\n"
      "state Idle { sleep(1); }\n"
      "event E() : Idle, Busy { }\n"
      "event G(a is string) { }\n"
      "listener L(a is anything) { }\n"
      "attributes { t1 is vector3; t2 is vector2; t3 is orient3; t4 is orient2; t5 is color3; t6 is list; "
      "t7 is database; t8 is bool; t9 is anything; t10 is code; t11 is string; }\n",
      // An empty first parameter followed by further ones belongs to the grammar as it stands.
      "Foo is Bar; method f(, a is number) { }",
  };
  for (std::string_view file : files) {
    SCOPED_TRACE(std::string(file));
    EXPECT_EQ(Parse(file), 0);
  }
}

TEST_F(GrammarTest, AcceptedStatements) {
  const std::string_view statements[] = {
      "x is number; y is Foo = new Foo; return; return x + 1;",
      "x = 1; x += 2; x -= 3; x *= 4; x /= 5; a.b.c = <1, 2, 3>; w = <-1.5, 0, 2>;",
      "a++; a--; ++a; --a;",
      "x = [ ]; x = [1, \"two\", [3]]; x = ( ); x = (1 : 2, \"k\" : v); x = (a);",
      "x = l[1][i + 1]; l[0] = 5;",
      "if (a) f(); if (a) { } else { g(); } if (a) if (b) f(); else g();",
      "while (a < 10) a += 1; while (true) { }",
      "for (i = 0; i < 10; i++) { print(i); }",
      "priority(Idle, 5); start(Idle); stop(Idle); sleep(0.5); switch(Idle); switch(a == 1, Busy);",
      "copylisten(a, b); listen(); deafen(); eval(\"x\"); inherited(); inherited(1, 2);",
      "again: goto again; lbl:",
      "rand(); exit(); _DEBUG(); sin(x); x = cos(1) + tan(2) + abs(-3) + sqr(4) + sqrt(5) + rand(6);",
      "b = haskey(d, 1) and instate(Idle); addkey(d, 1, 2); x = retrieve(d, 1); remove(d, 1); k = keys(d);",
      "c = code { x = 1; }; o = dnew(\"Foo\"); s = speaker; b = x canbe Foo; b = not x; b = a xor b or c;",
      "x = -(a - b) * -c / d; b = a != b and a <= b and a >= b;",
  };
  for (std::string_view statement : statements) {
    SCOPED_TRACE(std::string(statement));
    EXPECT_EQ(Parse(InMethod(statement)), 0);
  }
}

TEST_F(GrammarTest, AcceptedInteractivePrograms) {
  for (std::string_view program : {"x = 5", "f(2)", "a + b * c", "x++", "[ ]", "\"text\"", "speaker"}) {
    SCOPED_TRACE(std::string(program));
    EXPECT_EQ(Parse(program), 0);
  }
}

TEST_F(GrammarTest, RejectedSources) {
  const std::string_view files[] = {
      "",
      "Foo is Bar;",
      "Foo is nothing; attributes { }",
      "Foo is Bar attributes { }",
      "Foo is Bar, singleton attributes { }",
      "Foo is Bar; constants { MAX = - 5; }",
      "Foo is Bar; constants { MAX = 2 + 3; }",
      "Foo is Bar; constants { V = <x, y, z>; }",
      "Foo is Bar; method f(a is number, out b is real) { }",
      "Foo is Bar; method f() implemented Foo.Bar;",
      "Foo is Bar; event E() : { }",
      "Foo is Bar; state S() { }",
      "Foo is Bar; method f() { } }",
      "Foo is Bar; attributes { a is number }",
      // Interactive programs are one expression or assignment without a ";".
      "x = 5;",
      "print(x);",
      "x = 5 y = 6",
  };
  for (std::string_view file : files) {
    SCOPED_TRACE(std::string(file));
    EXPECT_EQ(Parse(file), 1);
  }
}

TEST_F(GrammarTest, RejectedStatements) {
  const std::string_view statements[] = {
      "x = [];",                   // the ARRAY token
      "a = b = c;",                // an assignment is no expression
      "x;",                        // no bare expression statement
      ";",                         // no empty statement
      "{ x = 1; }",                // no nested block
      "v = <1, 2>;",               // no two-number vector
      "v = <1, 2, 3, 4>;",
      "x = 1",                     // missing ";"
      "if (a) f()",
      "if a f();",
      "f(;",
      "x = f(1,);",
      "c = code { };",
      "for (i = 0; i < 3; i = i + 1;) { }",
      "do { } while (a);",         // no do loop
      "x = a & b;",                // tokens no rule uses
      "x = .5;",
      "x = a # b;",
      "x = a ! b;",
      "x is percentage;",
      "x = atan(1); ",
      "x = acos(1);",
      "x = asin(1);",
      "public x is number;",
      "private x is number;",
      "struct S { }",
      "x = none;",
      "trigger(E);",
      "x = a in b;",
      "x = 1 +;",
      "x = (1 : 2, 3);",
      "x = l[];",
      "new Foo;",
      "exit;",
  };
  for (std::string_view statement : statements) {
    SCOPED_TRACE(std::string(statement));
    EXPECT_EQ(Parse(InMethod(statement)), 1);
  }
}

TEST_F(GrammarTest, StacksGrowUpToTenThousandEntries) {
  const auto nested = [](size_t depth) { return std::string(depth, '(') + "a" + std::string(depth, ')'); };
  EXPECT_EQ(Parse(nested(4000)), 0);
  EXPECT_EQ(Parse(nested(12000)), 2) << "a parse that needs more than 10000 entries fails as an overflow";
}

// The operators of an expression in the order the parser reduces them: operands as "x", "-" as
// NEG when it is a prefix, parentheses dropped.
std::string Reductions(std::string_view program) {
  int result = -1;
  varno_debug = 1;
  const std::string trace = varno::testing::CaptureStderr([&] { result = Parse(program); });
  varno_debug = 0;
  EXPECT_EQ(result, 0) << program;

  std::istringstream lines(trace);
  std::string line;
  std::string rule;
  std::string order;
  auto emit = [&order](std::string_view item) {
    if (!order.empty()) order += ' ';
    order += item;
  };
  while (std::getline(lines, line)) {
    if (line.rfind("Reducing stack by rule", 0) == 0) {
      rule.clear();
    } else if (line.rfind("   $", 0) == 0) {
      const size_t kind = line.find("= ") + 2;
      const size_t name = line.find(' ', kind) + 1;
      rule += " " + line.substr(name, line.find(' ', name) - name);
    } else if (line.rfind("-> $$ = nterm ", 0) == 0) {
      const std::string left = line.substr(14, line.find(' ', 14) - 14);
      if (left == "expression" && (rule == " ID" || rule == " constant")) {
        emit("x");
      } else if (left == "arithmetic_expression" && rule == " MINUS expression") {
        emit("NEG");
      } else if (left == "boolean_expression" && rule == " NOT expression") {
        emit("NOT");
      } else if (left == "arithmetic_expression" || left == "conditional_expression" ||
                 left == "boolean_expression") {
        // " expression OPERATOR expression" or " expression CANBE type"
        std::istringstream words(rule);
        std::string first;
        std::string second;
        words >> first >> second;
        if (first == "expression") emit(second);
      } else if (left == "if_statement") {
        emit(rule.find("else_statement") != std::string::npos ? "IFELSE" : "IF");
      }
    }
  }
  return order;
}

TEST_F(GrammarTest, OperatorsGroupByTheirLevels) {
  const Case cases[] = {  // program, operators in reduction order
      {"a - b - c", "x x MINUS x MINUS"},
      {"a / b / c", "x x FWDSLASH x FWDSLASH"},
      {"a == b == c", "x x EQUAL x EQUAL"},
      {"a + b * c", "x x x ASTERISK PLUS"},
      {"a * b - c", "x x ASTERISK x MINUS"},
      {"(a + b) * c", "x x PLUS x ASTERISK"},
      {"a < b and c", "x x x AND LT"},
      {"a == b or c", "x x x OR EQUAL"},
      {"a or b and c", "x x OR x AND"},
      {"a xor b or c", "x x XOR x OR"},
      {"not a and b", "x NOT x AND"},
      {"not a == b", "x NOT x EQUAL"},
      {"not a + b", "x x PLUS NOT"},
      {"-a + b", "x NEG x PLUS"},
      {"-a * b", "x x ASTERISK NEG"},
      {"a + b canbe number", "x x PLUS CANBE"},
      {"a == b canbe number", "x x EQUAL CANBE"},
      {"a canbe number and b", "x CANBE x AND"},
      {"a - -1", "x x MINUS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(Reductions(c.text), c.tokens);
  }
}

TEST_F(GrammarTest, ElseBelongsToTheNearestIf) {
  EXPECT_EQ(Reductions(InMethod("if (a) if (b) f(); else g();")), "x x IFELSE IF");
}

}  // namespace
