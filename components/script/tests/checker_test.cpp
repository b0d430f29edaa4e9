// The semantic checker: a table of accepted expressions with the types and built-in numbers they
// are annotated with, and of rejected ones with their exact "[SYNTAX ERROR]" line; then the
// annotations the code generator relies on, state transitions, the error report, and the limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codegen/generate_code.h"
#include "compiler/checker.h"
#include "compiler/compile_driver.h"
#include "compiler/dump.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "tests/codegen_fixture.h"

namespace {

using namespace varno;
using varno::testing::Utf8;
using varno::testing::Wide;

struct CheckCase {
  std::string_view text;
  std::string_view expected;  // the annotation, "ok", or "!" and the message of the failure
};

constexpr std::string_view kOtherSource =
    "Other is Thing;\n"
    "attributes { pos is vector3; items is list; }\n"
    "method number Size() { return 1; }\n"
    "event Moved() { }\n"
    "listener Heard() { }\n";

// Every case is a method of Probe on a line of its own, with a parameter k (real) and m (number).
constexpr std::string_view kProbeHeader =
    "Probe is Thing;\n"
    "attributes { n is number; r is real; s is string; b is bool; v is vector3; l is list;\n"
    "  a is anything; c is code; d is database; o is Other; p is Probe; t is Thing; }\n"
    "constants { LIMIT = 5; }\n"
    "method number Count(x is number) { return x; }\n"
    "method Nothing() { }\n"
    "event Ping(x is number) { }\n"
    "listener Hear(x is number) { }\n"
    "state Idle { }\n"
    "state Busy { }\n";
constexpr int kProbeHeaderLines = 10;

// Expressions, checked as the value of "a = <expression>;" (a is anything). The annotation is the
// value's type, "const" for a constant, "#n" for a built-in member, ".n" for a vector component.
constexpr CheckCase kExpressions[] = {
    // Constants and names.
    {"1", "number const"},
    {"2.5", "real const"},
    {"-2.5", "real const"},
    {"\"hi\"", "string const"},
    {"true", "bool const"},
    {"<1, 2, 3>", "vector3 const"},
    {"null", "!Constant of type NULL is not allowed"},
    {"n", "number"},
    {"N", "number"},
    {"k", "real"},
    {"M", "number"},
    {"id", "number"},
    {"LIMIT", "number"},
    {"o.pos", "vector3"},
    {"o.pos.x", "real .0"},
    {"v.g", "real .1"},
    {"V.B", "real .2"},
    {"this", "Probe"},
    {"this.n", "Probe"},
    {"Ping", "event"},
    {"hear", "listener"},
    {"o.Moved", "event"},
    {"o.heard", "listener"},
    {"x", "!Method (X) not found."},
    {"v.w", "!V.W on type vector3: Type has no method table!"},
    {"o.Nope", "!Method (NOPE) not found."},
    {"q.Ping", "!Attribute (Q) not found."},
    {"Count", "!Only listeners and events can be used as identifiers!"},
    {"Idle", "!Only listeners and events can be used as identifiers!"},
    // Arithmetic.
    {"1 + 2", "number const"},
    {"1 + 2.5", "real const"},
    {"n + 1", "number"},
    {"1 + \"s\"", "string const"},
    {"2.5 + \"s\"", "string const"},
    {"\"s\" + 1", "string const"},
    {"n / 2.0", "real"},
    {"\"s\" - 1", "!Invalid operator for string arithmetic."},
    {"\"s\" * \"t\"", "!Invalid operator for string arithmetic."},
    {"v * v", "real"},
    {"v * 2", "vector3"},
    {"v + v", "vector3"},
    {"v - 1.5", "vector3"},
    {"2 * v", "!Cannot perform arithmetic on the right expression to the left one."},
    {"v + \"s\"", "!Cannot perform arithmetic on the right expression to the left one."},
    {"n + b", "!Cannot perform arithmetic on the right expression to the left one."},
    {"r * l", "!Cannot perform arithmetic on the right expression to the left one."},
    {"l + l", "list"},
    {"l + 1", "!Can only concatenate lists to lists"},
    {"l - l", "!Only arithmetic operator defined for lists is (+)"},
    {"b + 1", "!Cannot perform arithmetic on left expression"},
    {"o + 1", "!Cannot perform arithmetic on left expression"},
    {"a + b", "anything"},
    {"n * a", "anything"},
    {"c + 1", "anything"},
    {"-n", "number"},
    {"-k", "real"},
    {"-s", "!Negation only works on real and number types"},
    // Comparisons.
    {"n == r", "bool"},
    {"n <= 2.5", "bool"},
    {"s == \"x\"", "bool"},
    {"s == 1", "!Incompatible expressions in comparison"},
    {"b != true", "bool"},
    {"b == 1", "!Incompatible expressions in comparison"},
    {"a < s", "bool"},
    {"v == v", "!Invalid left expression type in comparison"},
    {"l == l", "!Invalid left expression type in comparison"},
    {"o == p", "bool"},
    {"o == 1", "!Incompatible types in comparison"},
    {"o == c", "!Incompatible types in comparison"},
    {"o == d", "bool"},
    {"Ping == o", "bool"},
    // Logical operators and type tests.
    {"b and true", "bool"},
    {"a or c", "bool"},
    {"b xor n", "!Logical operators can only take a boolean or anything type!"},
    {"not b", "bool"},
    {"not c", "bool"},
    {"not n", "!NOT operator can only take a boolean or anything type!"},
    {"n canbe Other", "bool"},
    // Calls of methods.
    {"Count(1)", "number"},
    {"count(1, 2)", "!Argument count mismatch in method call"},
    {"Nothing()", "null"},
    {"Answer()", "number"},
    {"Missing()", "!Cannot find specified method in class"},
    {"o.Size()", "number"},
    {"o.size(1)", "!Argument count mismatch in method call"},
    {"o.Gone()", "!Cannot retrieve method"},
    {"q.Size()", "!Attribute (Q) not found."},
    {"n.Size()", "!N.SIZE() on type number: Type has no method table!"},
    {"d.count()", "!D.COUNT() on type database: Type has no method table!"},
    {"a.count()", "!A.COUNT() on type anything: Type has no method table!"},
    {"speaker.name", "!Attribute (SPEAKER) not found."},
    // Built-in members of lists and vectors.
    {"l.count()", "number #4"},
    {"L.COUNT()", "number #4"},
    {"o.items.count()", "number #4"},
    {"l.count(1)", "!list.count() takes no parameters!"},
    {"l.remove(1)", "null #1"},
    {"l.remove(a)", "null #1"},
    {"l.remove(\"x\")", "!list.remove() needs an expression that can be resolved to a number"},
    {"l.remove()", "!list.remove() takes a single parameter!"},
    {"l.pop()", "!list.pop() is not supported, use list.remove(0) instead"},
    {"l.pop(1)", "!list.pop() takes no parameters!"},
    {"l.sort()", "!Unrecognized method for list object"},
    {"v.length()", "real #6"},
    {"o.pos.length()", "real #6"},
    {"v.length(1)", "!vector3.length() takes no parameters!"},
    {"v.distance(o.pos)", "real #5"},
    {"v.distance(1)", "!vector3.distance() takes a single parameter of type vector3!"},
    {"v.normalized()", "vector3 #8"},
    {"v.clamped()", "vector3 #9"},
    {"v.clamped(v)", "!vector3.clamped() takes no parameters!"},
    {"v.dot(a)", "real #10"},
    {"v.dot()", "!vector3.dot() takes a single vector3 parameter!"},
    {"v.spin()", "!Unrecognized method for vector3 object"},
    // Built-in functions.
    {"sin(1)", "real"},
    {"sqrt(k)", "real"},
    {"abs(\"x\")", "!Function takes either a real or number parameter!"},
    {"cos(1, 2)", "!Function must take a single parameter!"},
    {"rand(10)", "number"},
    {"rand()", "!rand() must take a single parameter!"},
    {"rand(b)", "!rand() takes either a real or number parameter!"},
    {"haskey(d, 1)", "bool"},
    {"haskey(d)", "!haskey() must take two parameters!"},
    {"addkey(d, 1, 2)", "database"},
    {"remove(d, 1)", "database"},
    {"keys(d)", "list"},
    {"retrieve(d, 1)", "anything"},
    {"retrieve(d)", "!retrieve() must take two parameters!"},
    {"instate(o, \"Idle\")", "!instate() is not supported"},
    {"instate(o)", "!instate() must take two parameters!"},
    {"eval(c)", "anything"},
    {"eval(n)", "!Evaluation Statement has to be of code or anything types!"},
    {"inherited()", "!Cannot find inherited method in ancestor(s)"},
    // Literals, element access, objects.
    {"[1, n]", "list"},
    {"(1 : \"one\")", "database"},
    {"l[0]", "anything"},
    {"l[m][1]", "anything"},
    {"a[0]", "anything"},
    {"o.items[0]", "anything"},
    {"l[\"x\"]", "!List expressions must be either a number or anything"},
    {"n[0]", "!Identifier must be either a list object or an anything object"},
    {"this[0]", "!Identifier must be either a list object or an anything object"},
    {"q[0]", "!Attribute (q) not found."},
    {"new Other", "Other"},
    {"dnew(\"Other\")", "anything"},
    {"code { undeclared = missing.call(1) + other[2]; }", "code"},
    {"speaker", "anything"},
};

// Statements, checked as the whole body.
constexpr CheckCase kStatements[] = {
    {"n = 1 + 2.5;", "ok"},
    {"s = 1 + 2.5;", "ok"},
    {"b = 1 + 2.5;", "!Incompatible types in assignment."},
    {"n = \"x\";", "!Incompatible types in assignment."},
    {"r = n; k = m; m = k; l[0] = 5; v.x = 3;", "ok"},
    {"t = o;", "ok"},
    {"o = t;", "!Incompatible types in assignment."},
    {"p = o;", "!Incompatible types in assignment."},
    {"c = n;", "!Incompatible types in assignment."},
    {"Ping = Hear; o.Moved = hear;", "ok"},
    {"Hear = Ping;", "!Cannot assign *to* a listener"},
    {"n = Ping;", "!n = PING: Syntax check unlabeled error"},
    {"this.Ping = o.heard;", "!this.Ping = O.HEARD: Syntax check unlabeled error"},
    {"1 = n;", "!Must assign to an identifier or list element."},
    {"n += 1.5; s += 1; v.x += 2; l[0] += 1;", "ok"},
    {"b += 1;", "!Cannot perform arithmetic on left expression"},
    {"print(n); print(o); print(Nothing()); print(d);", "ok"},
    {"print(c);", "!Expression incompatible with print statement."},
    {"print(Ping);", "!Couldn't retrieve type from table?"},
    {"sleep(1); sleep(k);", "ok"},
    {"sleep(\"x\");", "!Sleep takes either a real or number parameter!"},
    {"here: goto here; goto later; later:", "ok"},
    {"goto nowhere;", "!Cannot find label for goto!"},
    {"priority(n, 1);", "!INTERNAL ERROR: Invalid Syntax node type passed in!"},
    {"switch(Idle); switch(n == 1, busy); switch(Count);", "ok"},
    {"switch(Gone);", "!Cannot find state to transition to!"},
    {"return;", "ok"},
    {"return 1;", "!Cannot return a value from a method without a return type"},
    {"c = code { return 1; };", "ok"},
    {"_DEBUG(1); exit(); start(o); stop(o); listen(); deafen(); copylisten(o, p); Count(1);", "ok"},
    {"_DEBUG();", "!_DEBUG() must take a single parameter!"},
    {"if (n) { } while (s) { } for (n = 0; n < 3; n += 1) print(n);", "ok"},
};

class CheckerTest : public varno::testing::CodegenTest {
 protected:
  void SetUp() override {
    CodegenTest::SetUp();
    WriteClass("Other", kOtherSource);
    CaptureParseErrors();
  }

  // Compiles Probe with one method per case and resolves the table; the case methods are named
  // E<i> (expressions) and S<i> (statements).
  RTVarnoType* CompileProbe() {
    std::string source(kProbeHeader);
    int i = 0;
    for (const CheckCase& c : kExpressions) {
      source += "method E" + std::to_string(i++) + "(k is real, m is number) { a = " + std::string(c.text) + "; }\n";
    }
    i = 0;
    for (const CheckCase& c : kStatements) {
      source += "method S" + std::to_string(i++) + "(k is real, m is number) { " + std::string(c.text) + " }\n";
    }
    RTVarnoType* probe = CompileClass("Probe", source);
    EXPECT_NE(probe, nullptr) << ::testing::PrintToString(Messages());
    if (probe) {
      EXPECT_EQ(TypeTableResolveParents(table()), kRTSuccess);
    }
    return probe;
  }

  bool Check(RTVarnoType* type, RTVarnoMethod* method) {
    return CheckSyntaxTree(table(), method->tree, type, method->declarations, method, 0) == kRTSuccess;
  }

  std::string TypeText(uint32_t type) {
    if (type == kTypeEventName) return "event";
    if (type == kTypeListenerName) return "listener";
    return Utf8(TypeCodeName(table(), type));
  }

  std::string Annotation(const SyntaxNode* node) {
    std::string text = TypeText(node->type);
    if (node->constantFlag) text += " const";
    if (node->builtIn) text += " #" + std::to_string(node->builtIn);
    if (node->component >= 0) text += " ." + std::to_string(node->component);
    return text;
  }

  // The new parse-error texts since the last call.
  std::vector<std::string> NewErrors() {
    std::vector<std::string> all = ParseErrors();
    std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
  }

  // What checking the method gives: its annotation (`value` picks the node), "ok", or the error.
  // Nothing else may be raised: a line without the file and line would reach the user as it is.
  std::string Outcome(RTVarnoType* type, const std::string& name, const SyntaxNode* (*value)(const SyntaxNode*)) {
    RTVarnoMethod* method = Method(type, Wide(name));
    if (!method) return "<no method " + name + ">";
    const SyntaxNode* tree = method->tree;
    const size_t before = Messages().size();
    const bool accepted = Check(type, method);
    const std::vector<std::string> raised = Messages();
    for (size_t i = before; i < raised.size(); ++i) {
      if (raised[i].rfind("[SYNTAX ERROR] ", 0) != 0) return "<raised " + raised[i] + ">";
    }
    const std::vector<std::string> errors = NewErrors();
    if (!accepted) return errors.size() == 1 ? errors[0] : "<" + std::to_string(errors.size()) + " reports>";
    if (!errors.empty()) return "<accepted with a report>";
    return value ? Annotation(value(tree)) : "ok";
  }

  std::string Expected(std::string_view expected, int line) {
    if (expected.empty() || expected[0] != '!') return std::string(expected);
    return SyntaxError(expected.substr(1), "Probe", line);
  }

  size_t seen_ = 0;
};

// MethodBody -> Assign -> value.
const SyntaxNode* AssignedValue(const SyntaxNode* body) { return body->children[0]->children[1]; }

TEST_F(CheckerTest, ExpressionsGetTheirTypesOrTheirError) {
  RTVarnoType* probe = CompileProbe();
  ASSERT_NE(probe, nullptr);
  int line = kProbeHeaderLines + 1;
  int i = 0;
  for (const CheckCase& c : kExpressions) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(Outcome(probe, "E" + std::to_string(i++), AssignedValue), Expected(c.expected, line++));
  }
}

TEST_F(CheckerTest, StatementsAreAcceptedOrRejected) {
  RTVarnoType* probe = CompileProbe();
  ASSERT_NE(probe, nullptr);
  int line = kProbeHeaderLines + 1 + static_cast<int>(std::size(kExpressions));
  int i = 0;
  for (const CheckCase& c : kStatements) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(Outcome(probe, "S" + std::to_string(i++), nullptr), Expected(c.expected, line++));
  }
}

TEST_F(CheckerTest, SwitchesRecordTheirTransitionsWithTheConditionAsText) {
  RTVarnoType* machine = CompileClass("Machine",
                                      "Machine is Thing;\n"
                                      "attributes { a is number; b is bool; k is real; s is string; l is list; }\n"
                                      "state Idle {\n"
                                      "  switch(a == 1, Busy);\n"
                                      "  switch(Busy);\n"
                                      "  switch(not b, idle);\n"
                                      "  switch(k != 2.5, Busy);\n"
                                      "  switch(s == \"hi\", Busy);\n"
                                      "  switch(b or b and b, Busy);\n"
                                      "  switch(l.count() > 0, Busy);\n"
                                      "}\n"
                                      "state Busy { }\n");
  ASSERT_NE(machine, nullptr);
  ASSERT_EQ(TypeTableGenerateCode(table()), kRTSuccess);
  RTVarnoMethod* idle = Method(machine, u"IDLE");
  RTVarnoMethod* busy = Method(machine, u"BUSY");
  std::vector<std::string> recorded;
  for (const StateTransition* transition : kivo::ListItems<StateTransition>(idle->transitions)) {
    recorded.push_back(std::to_string(transition->line) + " " + Utf8(transition->condition) + " -> " +
                       Utf8(transition->target->keyName));
  }
  // A condition that cannot be rendered (a call) records "[ALWAYS]" like a switch without one.
  EXPECT_EQ(recorded, (std::vector<std::string>{"4 a == 1 -> BUSY", "5 [ALWAYS] -> BUSY", "6 not b -> IDLE",
                                                "7 k != 2.500000 -> BUSY", "8 s == hi -> BUSY",
                                                "9 b or b and b -> BUSY", "10 [ALWAYS] -> BUSY"}));
  EXPECT_EQ(busy->transitions->count, 0u);
}

TEST_F(CheckerTest, AnnotatesWhatTheCodeGeneratorReads) {
  RTVarnoType* shape = CompileClass("Shape",
                                    "Shape is Thing;\n"
                                    "attributes { pos is vector3; l is list; c is code; }\n"
                                    "event Ping() { }\n"
                                    "listener Hear() { }\n"
                                    "state Busy { }\n"
                                    "method number count(x is number) { return x; }\n"
                                    "method Run() { pos.x = 3; pos.y += 2; l[0] = 1; c = code { undeclared = 1; };\n"
                                    "  Ping = Hear; switch(busy); count(1); }\n");
  ASSERT_NE(shape, nullptr);
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  RTVarnoMethod* run = Method(shape, u"RUN");
  ASSERT_EQ(Check(shape, run), kRTSuccess);

  // Statements of the body in order (the list leans left).
  std::vector<const SyntaxNode*> statements;
  for (const SyntaxNode* list = run->tree->children[0]; list;) {
    if (list->kind != eSNStatementList) {
      statements.insert(statements.begin(), list);
      break;
    }
    statements.insert(statements.begin(), list->children[1]);
    list = list->children[0];
  }
  ASSERT_EQ(statements.size(), 7u);

  // pos.x = 3: the target names the vector, with component 0, as a real.
  const SyntaxNode* x = statements[0]->children[0];
  EXPECT_EQ(Utf8(x->name), "pos");
  EXPECT_EQ(x->component, 0);
  EXPECT_EQ(x->baseType, kTypeVector3);
  EXPECT_EQ(x->type, kTypeReal);

  // pos.y += 2: the shared target keeps the annotations of its first check.
  const SyntaxNode* compound = statements[1];
  const SyntaxNode* y = compound->children[0];
  ASSERT_EQ(compound->children[1]->children[0], y);
  EXPECT_EQ(Utf8(y->name), "pos");
  EXPECT_EQ(y->component, 1);
  EXPECT_EQ(y->type, kTypeReal);
  EXPECT_EQ(compound->children[1]->type, kTypeReal);

  // l[0] = 1: an element assigned to is not read.
  EXPECT_EQ(statements[2]->children[0]->readFlag, 0u);

  // The code literal knows its method; inside it names are left to run time.
  const SyntaxNode* literal = statements[3]->children[1];
  EXPECT_EQ(literal->type, kTypeCode);
  EXPECT_EQ(literal->method, run);
  EXPECT_EQ(literal->children[0]->children[0]->type, kTypeAnything);

  // Handler names are upper-cased, as are the names of switch targets and calls.
  EXPECT_EQ(Utf8(statements[4]->children[0]->name), "PING");
  EXPECT_EQ(statements[4]->children[0]->type, kTypeEventName);
  EXPECT_EQ(Utf8(statements[4]->children[1]->name), "HEAR");
  EXPECT_EQ(statements[4]->children[1]->type, kTypeListenerName);
  EXPECT_EQ(Utf8(statements[5]->name), "BUSY");
  EXPECT_EQ(Utf8(statements[6]->children[0]->name), "COUNT");
}

TEST_F(CheckerTest, AFailureIsRaisedTwiceWrittenOnceAndNamesTheFailingLine) {
  RTVarnoType* bad = CompileClass("Bad",
                                  "Bad is Thing;\n"
                                  "attributes { n is number; b is bool; }\n"
                                  "method Good() { n = 1; }\n"
                                  "method Wrong() {\n"
                                  "  n = 1;\n"
                                  "  n = n + 2;\n"
                                  "  b = n;\n"
                                  "  n = 3;\n"
                                  "}\n");
  ASSERT_NE(bad, nullptr);
  EXPECT_EQ(TypeTableGenerateCode(table()), kRTFailure);
  const std::string report = SyntaxError("Incompatible types in assignment.", "Bad", 7);
  const std::string logged = report.substr(0, report.size() - 1);  // the log ends the line itself
  EXPECT_EQ(MessagesWith("[SYNTAX ERROR]"), (std::vector<std::string>{logged, logged}));
  EXPECT_EQ(ParseErrors(), (std::vector<std::string>{report}));
  EXPECT_EQ(MessagesWith("[VARNO] Syntax check failed!").size(), 1u);

  // The failed method keeps its tree and has no code; the class is not marked generated.
  RTVarnoMethod* wrong = Method(bad, u"WRONG");
  EXPECT_NE(wrong->tree, nullptr);
  EXPECT_EQ(wrong->code, nullptr);
  EXPECT_EQ(bad->codeGenerated, 0u);
}

TEST_F(CheckerTest, InheritedCallsFindTheMethodFromTheParentUp) {
  RTVarnoType* kid = CompileClass("Kid",
                                  "Kid is Thing;\n"
                                  "method number Answer() { return inherited() + 1; }\n"
                                  "method Base() { inherited(1, 2); }\n");
  ASSERT_NE(kid, nullptr);
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  RTVarnoMethod* answer = Method(kid, u"ANSWER");
  ASSERT_EQ(Check(kid, answer), kRTSuccess);
  const SyntaxNode* sum = answer->tree->children[0]->children[0];
  EXPECT_EQ(sum->children[0]->kind, eSNInherited);
  EXPECT_EQ(sum->children[0]->type, kTypeNumber);
  // The argument count of an inherited call is not compared.
  EXPECT_EQ(Check(kid, Method(kid, u"BASE")), kRTSuccess);
}

TEST_F(CheckerTest, AnInteractiveExpressionHasNoMethodForGotoOrInherited) {
  RTVarnoType* shell = CompileClass("Shell", "Shell is Thing;\nattributes { n is number; }\n");
  ASSERT_NE(shell, nullptr);
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  const auto check = [&](std::string_view text) {
    SyntaxNode* tree = nullptr;
    if (!ParseInteractiveExpression(table(), shell, nullptr, text.data(), text.size(), &tree)) {
      return std::string("<parse>");
    }
    const bool accepted = CheckSyntaxTree(table(), tree, shell, nullptr, nullptr, 0) == kRTSuccess;
    std::string outcome = accepted ? "type " + TypeText(tree->children[0]->type) : "failed";
    FreeSyntaxTree(tree);
    const std::vector<std::string> errors = NewErrors();
    return errors.empty() ? outcome : outcome + ": " + errors.back();
  };
  EXPECT_EQ(check("n + 1"), "type number");
  EXPECT_EQ(check("inherited()"), "failed: " + SyntaxError("Cannot find inherited method in ancestor(s)", "Shell", 1));
  EXPECT_EQ(check("code { here: goto here; }"), "failed: " + SyntaxError("Cannot find label for goto!", "Shell", 1));
}

TEST_F(CheckerTest, RefusesNamesLongerThan255Units) {
  const std::string longest(255, 'q');
  const std::string tooLong(256, 'q');
  RTVarnoType* names = CompileClass("Names",
                                    "Names is Thing;\n"
                                    "method Fits() { " + longest + " is number; " + longest + " = 1; }\n"
                                    "method Long() { " + tooLong + " is number; " + tooLong + " = 1; }\n"
                                    "method Called() { " + tooLong + "(); }\n");
  ASSERT_NE(names, nullptr);
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  EXPECT_EQ(Check(names, Method(names, u"FITS")), kRTSuccess);
  EXPECT_EQ(Check(names, Method(names, u"LONG")), kRTFailure);
  EXPECT_EQ(Check(names, Method(names, u"CALLED")), kRTFailure);
  const std::string_view tooLongName = "Name too long (limit is 255 characters)";
  EXPECT_EQ(NewErrors(), (std::vector<std::string>{SyntaxError(tooLongName, "Names", 3),
                                                   SyntaxError(tooLongName, "Names", 4)}));
}

TEST_F(CheckerTest, RefusesTreesNestedDeeperThanTheLimit) {
  // "1 + 1 + ..." leans left: each "+" is one level under the assignment.
  const auto sum = [](int terms) {
    std::string text = "1";
    for (int i = 1; i < terms; ++i) text += " + 1";
    return text;
  };
  RTVarnoType* deep = CompileClass("Deep",
                                   "Deep is Thing;\n"
                                   "attributes { n is number; }\n"
                                   "method Fits() { n = " + sum(1998) + "; }\n"
                                   "method TooDeep() { n = " + sum(2001) + "; }\n");
  ASSERT_NE(deep, nullptr);
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  EXPECT_EQ(Check(deep, Method(deep, u"FITS")), kRTSuccess);
  EXPECT_EQ(Check(deep, Method(deep, u"TOODEEP")), kRTFailure);
  EXPECT_EQ(NewErrors(),
            (std::vector<std::string>{SyntaxError("Statements nested too deeply (limit is 2000 levels)", "Deep", 4)}));
}

}  // namespace
