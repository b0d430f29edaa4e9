// The value instructions as scripts use them: operand order, number and real mixing, integer
// division and wrap, vectors, string texts, lists shared and copied, databases, objects, type
// tests and eval; and the run-time errors they report.
#include <gtest/gtest.h>

#include <string>

#include "tests/vm_fixture.h"

namespace {

using namespace varno;

struct Case {
  std::string_view statements;
  std::string_view printed;
};

class ValueInstructionTest : public varno::testing::VmTest {};

TEST_F(ValueInstructionTest, ArithmeticAndTexts) {
  const Case cases[] = {
      {"print(2 - 5);", "-3"},
      {"print(\"ab\" + 5);", "ab5"},
      {"print(5 + \"ab\");", "5ab"},
      {"print(7 / 2); print(-7 / 2); print(7 / -2);", "3|-3|-3"},
      {"print(1 + 2.5); print(2.5 - 1); print(3 * 0.5);", "3.500000|1.500000|1.500000"},
      {"print(2147483647 + 1); print(-2147483647 - 2); print(65536 * 65536);", "-2147483648|2147483647|0"},
      {"print(1.5 + \"x\"); print(\"x\" + 1.5);", "1.500000x|x1.500000"},
      {"print(\"v\" + <1, 2, 3>);", "v<1.000000, 2.000000, 3.000000>"},
      {"print(\"l\" + [1, \"a\"]); print(\"b\" + true);", "l[1, \"a\"]|btrue"},
      {"print(<1, 2, 3> + <1, 1, 1>); print(<1, 2, 3> - 1);",
       "<2.000000, 3.000000, 4.000000>|<0.000000, 1.000000, 2.000000>"},
      {"print(<1, 2, 3> * <4, 5, 6>); print(<2, 4, 6> / 2);", "32.000000|<1.000000, 2.000000, 3.000000>"},
      {"print(-(3)); print(-(2.5)); print(sqr(3)); print(abs(-3)); print(sqrt(16));",
       "-3|-2.500000|9.000000|3.000000|4.000000"},
      {"print(sin(0) + cos(0));", "1.000000"},
      {"print(true); print(false); print(not true);", "true|false|false"},
      {"print(true and false); print(true or false); print(true xor true);", "false|true|false"},
      {"print([1, 2.5, \"s\", [true, <1, 0, 0>]]);", "[1, 2.500000, \"s\", [true, <1.000000, 0.000000, 0.000000>]]"},
      {"print([ ]); print([1] + [2, 3]);", "[]|[1, 2, 3]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.statements));
    EXPECT_EQ(Printed("", c.statements), c.printed);
  }
}

TEST_F(ValueInstructionTest, Comparisons) {
  const Case cases[] = {
      {"print(1 < 2); print(2 < 1); print(2 <= 2); print(3 >= 4); print(5 > 4);", "true|false|true|false|true"},
      {"print(1 == 1.0); print(1 < 1.5); print(2.5 > 2);", "true|true|true"},
      {"print(\"a\" == \"a\"); print(\"a\" == \"b\");", "true|false"},
      // `neq` of two strings is the negation of `eq`.
      {"print(\"a\" != \"b\"); print(\"a\" != \"a\");", "true|false"},
      {"print(true == true); print(true != false);", "true|true"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.statements));
    EXPECT_EQ(Printed("", c.statements), c.printed);
  }
}

TEST_F(ValueInstructionTest, Variables) {
  const Case cases[] = {
      {"print(s);", ".!p@@p!."},
      {"n = 2.9; print(n); n = -2.9; print(n);", "2|-2"},
      {"s = 7; print(s); s = 1.5; print(s); s = \"t\"; print(s);", "7|1.500000|t"},
      {"r = 3; print(r);", "3.000000"},
      {"v = <1, 2, 3>; v.y = 5; print(v.y); print(v);", "5.000000|<1.000000, 5.000000, 3.000000>"},
      {"v.x = 2; print(v.length());", "2.000000"},
      {"v = <3, 0, 4>; print(v.normalized());", "<0.600000, 0.000000, 0.800000>"},
      {"v = <-1, 0.5, 2>; print(v.clamped()); print(v.dot(<1, 1, 1>)); print(v.distance(<-1, 0.5, 0>));",
       "<0.000000, 0.500000, 1.000000>|1.500000|2.000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.statements));
    EXPECT_EQ(Printed("n is number; r is real; s is string; v is vector3;", c.statements), c.printed);
  }
}

TEST_F(ValueInstructionTest, ListsAreSharedUntilAnAppendCopiesThem) {
  // Element store and removal change the list every holder shares; concatenation makes a new one.
  EXPECT_EQ(Printed("a is list; b is list;",
                    "a = [1, 2, 3]; b = a; a[0] = 10; print(b);"
                    "b = b + [4]; print(a); print(b);"
                    "a.remove(1); print(a); print(b); print(a.count()); print(a[1]);"),
            "[10, 2, 3]|[10, 2, 3]|[10, 2, 3, 4]|[10, 3]|[10, 2, 3, 4]|2|3");
  EXPECT_EQ(Printed("a is list;", "a = [[1, 2], [3]]; a[0][1] = 9; print(a); print(a[0][1]);"), "[[1, 9], [3]]|9");
}

TEST_F(ValueInstructionTest, DatabasesListTheirKeysInBucketOrder) {
  // Bucket of a key: h = h * 31 + unit over the text, modulo 19 ("a" 97 -> 2, "b" -> 3, "t" 116 -> 2).
  EXPECT_EQ(Printed("d is database;",
                    "d = (\"b\": 1, \"a\": \"two\", \"t\": 2.5);"
                    "print(d); print(keys(d)); print(retrieve(d, \"a\")); print(haskey(d, \"q\"));"),
            "(\"t\": 2.500000, \"a\": \"two\", \"b\": 1)|[\"t\", \"a\", \"b\"]|two|false");
  // An existing key gets the new value; keys of an empty database.
  EXPECT_EQ(Printed("d is database; e is database;",
                    "d = (\"a\": 1); d = addkey(d, \"a\", 2); d = addkey(d, \"b\", [1]); print(d);"
                    "d = remove(d, \"a\"); print(d); e = (); print(keys(e));"),
            "(\"a\": 2, \"b\": [1])|(\"b\": [1])|[]");
  // A database is not stored in a database: reported, and the run goes on.
  EXPECT_EQ(Printed("d is database; e is database;", "d = (\"a\": 1); e = (); addkey(d, \"e\", e); print(d);"),
            "(\"a\": 1)");
  EXPECT_FALSE(MessagesWith("[VARNO VM], Cannot add a database to a database (yet)").empty());
}

TEST_F(ValueInstructionTest, AddkeyAsAStatementLeavesTheStackBalanced) {
  // 5000 statements in a loop: with the database left on the stack it would overflow at 4096.
  EXPECT_EQ(Printed("d is database; i is number;",
                    "d = (\"k\": 0); i = 0; while (i < 5000) { addkey(d, \"k\", i); remove(d, \"k\"); rand(3); i = i + 1; }"
                    "print(d);"),
            "(\"k\": 0)");
}

TEST_F(ValueInstructionTest, ObjectsNewDnewAndTypeTests) {
  WriteClass("Pet", "Pet is Thing;\nattributes { legs is number; }\n"
                    "method Constructor() { name = \"pet\"; legs = 4; }\n");
  WriteClass("Cat", "Cat is Pet;\nmethod Constructor() { inherited(); name = \"cat\"; }\n");
  EXPECT_EQ(Printed("p is Pet; c is Thing;",
                    "p = new Pet; print(p); print(p.legs);"
                    "c = dnew(\"Cat\"); print(c); print(c canbe Pet); print(p canbe Cat);"
                    "print(5 canbe real); print(\"s\" canbe number); print([1] canbe list);"),
            "pet|4|cat|true|false|true|false|true");
}

TEST_F(ValueInstructionTest, AClassTypedAttributeIsCreatedOnFirstReach) {
  WriteClass("Box", "Box is Thing;\nattributes { size is number; }\nmethod Constructor() { size = 3; print(\"box\"); }\n");
  EXPECT_EQ(Printed("b is Box;", "print(\"start\"); print(b.size); b.size = 4; print(b.size);"), "start|box|3|4");
}

TEST_F(ValueInstructionTest, EvalRunsCodeValues) {
  EXPECT_EQ(Printed("c is code; n is number;",
                    "c = code { print(\"in code\"); n = n + 1; };"
                    "eval(c); eval(c); print(n); eval(code { print(\"literal\"); });"),
            "in code|in code|2|literal");
}

TEST_F(ValueInstructionTest, ConstantsAreFoundAndCannotBeAssigned) {
  const std::string_view limits =
      "Limits is Thing;\nconstants { LIMIT = 3; TEXT = \"t\"; }\n"
      "state Switchboard { print(LIMIT + 1); print(TEXT); eval(code { LIMIT = 4; }); exit(); }\n";
  EXPECT_EQ(RunClass("Limits", limits), kRunError);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"4", "t"}));
  EXPECT_FALSE(MessagesWith("[VARNO VM] Execute (stores): Cannot assign to a constant symbol!").empty());
}

struct ErrorCase {
  std::string_view attributes;
  std::string_view statements;
  std::string_view message;
};

TEST_F(ValueInstructionTest, RunTimeErrorsReportAndEndTheRunWithZero) {
  const ErrorCase cases[] = {
      {"n is number;", "n = 0; print(1 / n);", "[VARNO VM] Execute (div): Division by zero!"},
      {"n is number;", "n = -2147483647 - 1; print(n / -1);", "[VARNO VM] Execute (div): Integer division overflow!"},
      {"", "print(rand(-1));", "[VARNO VM] (rand): Range of rand() must be POSITIVE"},
      {"a is list;", "a = [1, 2]; print(a[2]);",
       "[VARNO VM] (lload): List element out of bounds (element to access: 2), (list size: 2)"},
      {"a is list;", "a = [1]; a[1] = 2;",
       "[VARNO VM] (lstore): List element out of bounds (element to access: 1), (list size: 1)"},
      {"a is list;", "a = [1]; a.remove(3);", "[VARNO VM] (lremove): Couldn't remove the element specified!"},
      {"d is database;", "d = (); print(retrieve(d, \"k\"));", "[VARNO VM] (dbretrieve). Cannot retrieve key!"},
      {"d is database;", "d = (); remove(d, \"k\");", "[VARNO VM] (dbremove). Cannot retrieve key to remove?"},
      // Names inside a code literal are not checked when compiling: these reach the instructions.
      {"b is bool;", "b = true; eval(code { b = 1 + b; });", "[VARNO VM] Execute (add): Unsupported operand #1 passed in"},
      {"b is bool;", "b = true; eval(code { b = b + 1; });", "[VARNO VM] Execute (add): Unsupported operand #2 passed in"},
      {"s is string;", "s = \"a\"; eval(code { s = s - 1; });", "[VARNO VM] Execute (sub): Unsupported operand #2 passed in"},
      {"s is string;", "s = \"a\"; eval(code { print(s == 1); });",
       "[VARNO VM] Execute (eq): Unsupported operand #1 passed into string compare"},
      {"v is vector3;", "eval(code { v = v + true; });", "[VARNO VM] (add): Cannot add type to vector3!"},
      {"a is list;", "eval(code { a = a + 1; });", "[VARNO VM] (add): Can only add a list to a list!"},
      {"n is number;", "eval(code { n = \"x\"; });", "[VARNO VM] Cannot store the TOS type into a number symbol!"},
      {"n is number;", "eval(code { print(n.x); });", "[VARNO VM] Execute could not find symbol (N.X) required to push onto stack!"},
      {"n is number;", "eval(code { print(nothere); });",
       "[VARNO VM] Execute could not find symbol (NOTHERE) required to push onto stack!"},
      {"t is Thing;", "t = new Thing; print(\"x\" + t);",
       "[VARNO VM] Execute (add [string concatenation]): Unsupported operand #1 passed in"},
      {"", "print(dnew(\"NoSuchClass\"));", "[VARNO VM] (dnew): Cannot locate class (NoSuchClass) on system"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(std::string(c.statements));
    const std::string printed = Printed(c.attributes, c.statements);
    EXPECT_NE(printed.find("<result 0>"), std::string::npos) << printed;
    EXPECT_FALSE(MessagesWith(std::string(c.message)).empty());
  }
}

TEST_F(ValueInstructionTest, DeepStructuresAndRunawayConstructorsEndCleanly) {
  // A list nested 200000 deep is freed without a stack frame per level.
  EXPECT_EQ(Printed("a is list; i is number;", "i = 0; while (i < 200000) { a = [a]; i = i + 1; } a = [ ]; print(a);"),
            "[]");
  // A constructor that makes another of its own class: refused at a depth, not a stack overflow.
  WriteClass("Runaway", "Runaway is Thing;\nattributes { next is Runaway; }\n"
                        "method Constructor() { next = new Runaway; }\n");
  const std::string printed = Printed("r is Runaway;", "r = new Runaway; print(\"made\");");
  EXPECT_NE(printed.find("<result 0>"), std::string::npos) << printed;
  EXPECT_FALSE(MessagesWith("[VARNO VM] Too many method runs inside each other (limit is 100)!").empty());
}

TEST_F(ValueInstructionTest, RandStaysInItsRange) {
  EXPECT_EQ(Printed("", "print(rand(0));"), "0");
  TakeOutput();
  const std::string printed = Printed("i is number;", "i = 0; while (i < 50) { print(rand(3.9)); i = i + 1; }");
  for (char c : printed) {
    if (c != '|') {
      EXPECT_GE(c, '0');
      EXPECT_LE(c, '2');
    }
  }
}

}  // namespace
