// The code generator: golden disassemblies of the constructs, line tables against the source,
// code literals as nested blocks, the method code streams under "Root:VNMethods", and failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codegen/disassembler.h"
#include "codegen/final_code.h"
#include "codegen/icode_generator.h"
#include "codegen/instruction.h"
#include "codegen/generate_code.h"
#include "codegen/line_table_stream.h"
#include "compiler/compile_driver.h"
#include "compiler/core_records.h"
#include "compiler/line_table.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/format.h"
#include "kivo/support/stream_calls.h"
#include "tests/codegen_fixture.h"

namespace {

using namespace varno;
using varno::testing::Utf8;

class CodeGeneratorTest : public varno::testing::CodegenTest {
 protected:
  // Compiles the class and generates the table's code.
  RTVarnoType* Generate(std::string_view name, std::string_view source) {
    RTVarnoType* type = CompileClass(name, source);
    if (!type || !TypeTableGenerateCode(table())) return nullptr;
    return type;
  }

  std::string Lines(const LineTable* table) { return Utf8(ListLineTable(table)); }
};

// One class whose methods show the constructs; each case lists the method's code and its line
// table (source lines as written in kGoldenSource, which starts on line 1).
constexpr std::string_view kGoldenSource =
    "Gen is Thing;\n"                                                                        // 1
    "attributes { n is number; r is real; v is vector3; l is list; c is code; s is string; }\n"  // 2
    "method Branch(k is number) {\n"                                                         // 3
    "  if (k < 1) {\n"                                                                       // 4
    "    n = 1;\n"                                                                           // 5
    "  } else {\n"                                                                           // 6
    "    n = 2;\n"                                                                           // 7
    "  }\n"                                                                                  // 8
    "}\n"                                                                                    // 9
    "method Loop() {\n"                                                                      // 10
    "  for (n = 0; n < 3; n += 1) {\n"                                                       // 11
    "    print(n);\n"                                                                        // 12
    "  }\n"                                                                                  // 13
    "}\n"                                                                                    // 14
    "method Spin() {\n"                                                                      // 15
    "  while (n < 3) { }\n"                                                                  // 16
    "}\n"                                                                                    // 17
    "state Plain {\n"                                                                        // 18
    "  n = 1;\n"                                                                             // 19
    "  sleep(1);\n"                                                                          // 20
    "}\n"                                                                                    // 21
    "state Begun {\n"                                                                        // 22
    "  n = 1;\n"                                                                             // 23
    "begin:\n"                                                                               // 24
    "  sleep(r);\n"                                                                          // 25
    "}\n"                                                                                    // 26
    "method Jump() {\n"                                                                      // 27
    "  goto done;\n"                                                                         // 28
    "  n = 1;\n"                                                                             // 29
    "done:\n"                                                                                // 30
    "  n = 2;\n"                                                                             // 31
    "}\n"                                                                                    // 32
    "method Compound() {\n"                                                                  // 33
    "  n += 2; r -= n; v.y *= 2.5; s += \"x\";\n"                                            // 34
    "}\n"                                                                                    // 35
    "method Elements(k is number) {\n"                                                       // 36
    "  l[k] = \"a\";\n"                                                                      // 37
    "  l[1][k] = 2;\n"                                                                       // 38
    "  l[0] += 1;\n"                                                                         // 39
    "}\n"                                                                                    // 40
    "method Literal() {\n"                                                                   // 41
    "  c = code {\n"                                                                         // 42
    "    while (n < 2) {\n"                                                                  // 43
    "      n += 1;\n"                                                                        // 44
    "    }\n"                                                                                // 45
    "  };\n"                                                                                 // 46
    "  eval(c);\n"                                                                           // 47
    "}\n";                                                                                   // 48

struct GoldenCase {
  std::u16string_view method;
  std::string_view code;
  std::string_view lines;
};

const GoldenCase kGolden[] = {
    // if/else: the condition's right operand first; jmpne to the else part, jmp over it.
    {u"BRANCH",
     "0x0000 | pushvn 0x00000001\n"
     "0x0005 | pushs K\n"
     "0x000E | lt\n"
     "0x000F | jmpne 0x00000027\n"
     "0x0014 | pushvn 0x00000001\n"
     "0x0019 | stores N\n"
     "0x0022 | jmp 0x00000035\n"
     "0x0027 | pushvn 0x00000002\n"
     "0x002C | stores N\n"
     "0x0035 | nop\n"
     "0x0036 | return\n",
     "line 4: 0x0000-0x000F\n"
     "line 5: 0x0014-0x0022\n"
     "line 7: 0x0027-0x0035\n"
     "line 9: 0x0036-0x0036\n"},
    // for: init; condition; jmpne out; body; step; jmp back to the condition. The loop's own
    // instructions take the line where the statement ends; going back to an earlier line starts a
    // new entry.
    {u"LOOP",
     "0x0000 | pushvn 0x00000000\n"
     "0x0005 | stores N\n"
     "0x000E | pushvn 0x00000003\n"
     "0x0013 | pushs N\n"
     "0x001C | lt\n"
     "0x001D | jmpne 0x00000049\n"
     "0x0022 | pushs N\n"
     "0x002B | printv\n"
     "0x002C | pushvn 0x00000001\n"
     "0x0031 | pushs N\n"
     "0x003A | add\n"
     "0x003B | stores N\n"
     "0x0044 | jmp 0x0000000E\n"
     "0x0049 | nop\n"
     "0x004A | return\n",
     "line 11: 0x0000-0x001C\n"
     "line 13: 0x001D-0x001D\n"
     "line 12: 0x0022-0x002B\n"
     "line 11: 0x002C-0x003B\n"
     "line 13: 0x0044-0x0049\n"
     "line 14: 0x004A-0x004A\n"},
    // while with an empty body: the condition, jmpne to the final nop, jmp back.
    {u"SPIN",
     "0x0000 | pushvn 0x00000003\n"
     "0x0005 | pushs N\n"
     "0x000E | lt\n"
     "0x000F | jmpne 0x00000019\n"
     "0x0014 | jmp 0x00000000\n"
     "0x0019 | nop\n"
     "0x001A | return\n",
     "line 16: 0x0000-0x0019\n"
     "line 17: 0x001A-0x001A\n"},
    // A state repeats: loops back to its first instruction...
    {u"PLAIN",
     "0x0000 | pushvn 0x00000001\n"
     "0x0005 | stores N\n"
     "0x000E | pushvn 0x00000001\n"
     "0x0013 | sleep\n"
     "0x0014 | loops 0x00000000\n",
     "line 19: 0x0000-0x0005\n"
     "line 20: 0x000E-0x0013\n"
     "line 21: 0x0014-0x0014\n"},
    // ... or to its "begin" label.
    {u"BEGUN",
     "0x0000 | pushvn 0x00000001\n"
     "0x0005 | stores N\n"
     "0x000E | nop\n"
     "0x000F | pushs R\n"
     "0x0018 | sleep\n"
     "0x0019 | loops 0x0000000E\n",
     "line 23: 0x0000-0x0005\n"
     "line 24: 0x000E-0x000E\n"
     "line 25: 0x000F-0x0018\n"
     "line 26: 0x0019-0x0019\n"},
    // A goto to a label further down is patched to the label's nop.
    {u"JUMP",
     "0x0000 | jmp 0x00000013\n"
     "0x0005 | pushvn 0x00000001\n"
     "0x000A | stores N\n"
     "0x0013 | nop\n"
     "0x0014 | pushvn 0x00000002\n"
     "0x0019 | stores N\n"
     "0x0022 | return\n",
     "line 28: 0x0000-0x0000\n"
     "line 29: 0x0005-0x000A\n"
     "line 30: 0x0013-0x0013\n"
     "line 31: 0x0014-0x0019\n"
     "line 32: 0x0022-0x0022\n"},
    // Compound assignments: the value, then the target read as the left operand, the operator and
    // the store; a vector component is read and stored by component. Four statements on one line
    // share one entry.
    {u"COMPOUND",
     "0x0000 | pushvn 0x00000002\n"
     "0x0005 | pushs N\n"
     "0x000E | add\n"
     "0x000F | stores N\n"
     "0x0018 | pushs N\n"
     "0x0021 | pushs R\n"
     "0x002A | sub\n"
     "0x002B | stores R\n"
     "0x0034 | pushvr 2.500000\n"
     "0x0039 | vpushy V\n"
     "0x0042 | mul\n"
     "0x0043 | vstorey V\n"
     "0x004C | pushvs \"x\"\n"
     "0x0055 | pushs S\n"
     "0x005E | add\n"
     "0x005F | stores S\n"
     "0x0068 | return\n",
     "line 34: 0x0000-0x005F\n"
     "line 35: 0x0068-0x0068\n"},
    // List elements: the list, the indexes but the last with lload, the value, the last index,
    // lstore.
    {u"ELEMENTS",
     "0x0000 | pushs L\n"
     "0x0009 | pushvs \"a\"\n"
     "0x0012 | pushs K\n"
     "0x001B | lstore\n"
     "0x001C | pushs L\n"
     "0x0025 | pushvn 0x00000001\n"
     "0x002A | lload\n"
     "0x002B | pushvn 0x00000002\n"
     "0x0030 | pushs K\n"
     "0x0039 | lstore\n"
     "0x003A | pushs L\n"
     "0x0043 | pushvn 0x00000001\n"
     "0x0048 | pushs L\n"
     "0x0051 | pushvn 0x00000000\n"
     "0x0056 | lload\n"
     "0x0057 | add\n"
     "0x0058 | pushvn 0x00000000\n"
     "0x005D | lstore\n"
     "0x005E | return\n",
     "line 37: 0x0000-0x001B\n"
     "line 38: 0x001C-0x0039\n"
     "line 39: 0x003A-0x005D\n"
     "line 40: 0x005E-0x005E\n"},
    // A code literal: its code is a block of its own, with offsets from 0 (its jumps too); the
    // block is 0x32 bytes, then the flag byte and its line table of four entries (56 bytes), so the
    // next instruction is at 1 + 4 + 0x32 + 1 + 56 = 0x70.
    {u"LITERAL",
     "0x0000 | pushvc\n"
     "    0x0000 | pushvn 0x00000002\n"
     "    0x0005 | pushs N\n"
     "    0x000E | lt\n"
     "    0x000F | jmpne 0x00000031\n"
     "    0x0014 | pushvn 0x00000001\n"
     "    0x0019 | pushs N\n"
     "    0x0022 | add\n"
     "    0x0023 | stores N\n"
     "    0x002C | jmp 0x00000000\n"
     "    0x0031 | nop\n"
     "0x0070 | stores C\n"
     "0x0079 | pushs C\n"
     "0x0082 | eval\n"
     "0x0083 | return\n",
     "line 46: 0x0000-0x0070\n"
     "line 47: 0x0079-0x0082\n"
     "line 48: 0x0083-0x0083\n"},
};

TEST_F(CodeGeneratorTest, GoldenDisassembliesAndLineTables) {
  RTVarnoType* type = Generate("Gen", kGoldenSource);
  ASSERT_NE(type, nullptr) << ::testing::PrintToString(Messages());
  for (const GoldenCase& golden : kGolden) {
    SCOPED_TRACE(Utf8(golden.method));
    RTVarnoMethod* method = Method(type, golden.method);
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(Disassembly(method), golden.code);
    EXPECT_EQ(Lines(method->lineTable), golden.lines);
    EXPECT_EQ(method->tree, nullptr) << "the tree is freed once the code is generated";
    EXPECT_EQ(Utf8(method->sourceFileName), ClassPath("Gen"));
  }
  EXPECT_EQ(type->codeGenerated, 1u);
}

TEST_F(CodeGeneratorTest, ACodeLiteralCarriesItsLineTableAndTheMethodKeepsACopy) {
  RTVarnoType* type = Generate("Gen", kGoldenSource);
  ASSERT_NE(type, nullptr);
  RTVarnoMethod* literal = Method(type, u"LITERAL");
  // The literal's lines (42-46 in kGoldenSource): the loop's condition on 43, its jmpne and the
  // loop's end on 45, the body on 44.
  constexpr std::string_view kNestedLines =
      "line 43: 0x0000-0x000E\n"
      "line 45: 0x000F-0x000F\n"
      "line 44: 0x0014-0x0023\n"
      "line 45: 0x002C-0x0031\n";
  ASSERT_EQ(literal->nestedLineTables->count, 1u);
  EXPECT_EQ(Lines(static_cast<LineTable*>(literal->nestedLineTables->first->data)), kNestedLines);

  // The same table follows the literal's bytes in the code: size, bytes, flag 1, table.
  const uint8_t* bytes = nullptr;
  ASSERT_EQ(kivo::memory_stream::GetBuffer(literal->code, &bytes), kRTSuccess);
  DecodedInstruction push;
  std::u16string error;
  ASSERT_TRUE(DecodeInstruction(bytes, 0x70, 0, &push, &error)) << Utf8(error);
  EXPECT_EQ(push.codeSize, 0x32u);
  EXPECT_TRUE(push.hasLines);
  std::string listed;
  for (const LineEntry& entry : push.lines) {
    listed += Utf8(kivo::Format(u"line %u: 0x%04X-0x%04X\n", entry.line, entry.first, entry.last));
  }
  EXPECT_EQ(listed, kNestedLines);
  EXPECT_EQ(push.lineWord, 0xFFFFFFFFu);
  EXPECT_EQ(push.size, 0x70u);
}

// Every other kind of node, as the operand order and the instruction forms show it.
TEST_F(CodeGeneratorTest, GoldenDisassembliesOfEveryOtherConstruct) {
  WriteClass("Other",
             "Other is Thing;\nattributes { pos is vector3; }\nevent Moved(x is number) { }\n"
             "listener Heard(x is number) { }\n");
  RTVarnoType* type = Generate(
      "Ops",
      "Ops is Thing;\n"
      "attributes { n is number; r is real; b is bool; v is vector3; l is list; d is database;\n"
      "  a is anything; o is Other; s is string; }\n"
      "event Ping(x is number) { }\n"
      "listener Hear(x is number) { }\n"
      "state Idle { }\n"
      "method number Pair(x is number, y is real) { return x; }\n"
      "method Nothing() { }\n"
      "method number Answer() { return inherited() * 2; }\n"
      "method Calls() {\n"
      "  n = Pair(1, 2.5); Pair(n, r); Nothing(); o.pos = v; n = l.count(); l.remove(n);\n"
      "  r = v.length() + v.distance(o.pos) + v.dot(v); v = v.normalized(); v = v.clamped();\n"
      "}\n"
      "method Values() {\n"
      "  b = true; b = false; v = <1, 2.5, -3>; s = \"Mixed Case\"; r = -r; a = -7;\n"
      "  l = [ ]; l = [1, \"two\", r]; d = (); d = (1 : \"one\", 2 : \"two\");\n"
      "  a = new Other; a = dnew(\"Other\"); b = a canbe Other; a = speaker;\n"
      "}\n"
      "method Logic() {\n"
      "  b = not b and (b or b xor b);\n"
      "  b = n == 1; b = n != 1; b = n < 1; b = n > 1; b = n <= 1; b = n >= 1; r = n / 2 - r * 3;\n"
      "}\n"
      "method Functions() {\n"
      "  r = sin(1) + cos(r) + tan(2) + sqrt(4) + sqr(n) + abs(r); n = rand(6);\n"
      "  b = haskey(d, 1); d = addkey(d, 2, \"x\"); d = remove(d, 2); l = keys(d); a = retrieve(d, 1);\n"
      "  _DEBUG(3); exit();\n"
      "}\n"
      "method Handlers() {\n"
      "  Ping = Hear; o.Moved = hear; copylisten(o, a); listen(); deafen(); start(o); stop(o);\n"
      "  switch(Idle); switch(n > 2, Idle); print(Nothing()); print(s); return;\n"
      "}\n");
  ASSERT_NE(type, nullptr) << ::testing::PrintToString(Messages());
  const struct {
    std::u16string_view method;
    std::string_view code;
  } cases[] = {
    {u"ANSWER",
     "0x0000 | pushvn 0x00000002\n"
     "0x0005 | calli\n"
     "0x0006 | mul\n"
     "0x0007 | return\n"
     "0x0008 | return\n"},
    {u"CALLS",
     "0x0000 | pushvr 2.500000\n"
     "0x0005 | pusha\n"
     "0x0006 | pushvn 0x00000001\n"
     "0x000B | pusha\n"
     "0x000C | call PAIR\n"
     "0x001B | stores N\n"
     "0x0024 | pushs R\n"
     "0x002D | pusha\n"
     "0x002E | pushs N\n"
     "0x0037 | pusha\n"
     "0x0038 | call PAIR\n"
     "0x0047 | balance\n"
     "0x0048 | call NOTHING\n"
     "0x005D | pushs V\n"
     "0x0066 | stores O.POS\n"
     "0x0077 | pushs L\n"
     "0x0080 | lcount\n"
     "0x0081 | stores N\n"
     "0x008A | pushs L\n"
     "0x0093 | pushs N\n"
     "0x009C | lremove\n"
     "0x009D | pushs V\n"
     "0x00A6 | pushs V\n"
     "0x00AF | vdot\n"
     "0x00B0 | pushs V\n"
     "0x00B9 | pushs O.POS\n"
     "0x00CA | vdistance\n"
     "0x00CB | pushs V\n"
     "0x00D4 | vlength\n"
     "0x00D5 | add\n"
     "0x00D6 | add\n"
     "0x00D7 | stores R\n"
     "0x00E0 | pushs V\n"
     "0x00E9 | vnormalized\n"
     "0x00EA | stores V\n"
     "0x00F3 | pushs V\n"
     "0x00FC | vclamped\n"
     "0x00FD | stores V\n"
     "0x0106 | return\n"},
    {u"VALUES",
     "0x0000 | pusht\n"
     "0x0001 | stores B\n"
     "0x000A | pushf\n"
     "0x000B | stores B\n"
     "0x0014 | pushvv3 <1.000000, 2.500000, -3.000000>\n"
     "0x0021 | stores V\n"
     "0x002A | pushvs \"Mixed Case\"\n"
     "0x0045 | stores S\n"
     "0x004E | pushs R\n"
     "0x0057 | neg\n"
     "0x0058 | stores R\n"
     "0x0061 | pushvn 0xFFFFFFF9\n"
     "0x0066 | stores A\n"
     "0x006F | mlist\n"
     "0x0070 | stores L\n"
     "0x0079 | pushvn 0x00000001\n"
     "0x007E | nlist\n"
     "0x007F | pushvs \"two\"\n"
     "0x008C | append\n"
     "0x008D | pushs R\n"
     "0x0096 | append\n"
     "0x0097 | stores L\n"
     "0x00A0 | mdb\n"
     "0x00A1 | stores D\n"
     "0x00AA | pushvn 0x00000001\n"
     "0x00AF | pushvs \"one\"\n"
     "0x00BC | ndb\n"
     "0x00BD | pushvn 0x00000002\n"
     "0x00C2 | pushvs \"two\"\n"
     "0x00CF | dbadd\n"
     "0x00D0 | stores D\n"
     "0x00D9 | new OTHER\n"
     "0x00EA | stores A\n"
     "0x00F3 | pushvs \"Other\"\n"
     "0x0104 | dnew\n"
     "0x0105 | stores A\n"
     "0x010E | pushs A\n"
     "0x0117 | canbe OTHER\n"
     "0x0128 | stores B\n"
     "0x0131 | speaker\n"
     "0x0132 | stores A\n"
     "0x013B | return\n"},
    {u"LOGIC",
     "0x0000 | pushs B\n"
     "0x0009 | pushs B\n"
     "0x0012 | pushs B\n"
     "0x001B | or\n"
     "0x001C | xor\n"
     "0x001D | pushs B\n"
     "0x0026 | not\n"
     "0x0027 | and\n"
     "0x0028 | stores B\n"
     "0x0031 | pushvn 0x00000001\n"
     "0x0036 | pushs N\n"
     "0x003F | eq\n"
     "0x0040 | stores B\n"
     "0x0049 | pushvn 0x00000001\n"
     "0x004E | pushs N\n"
     "0x0057 | neq\n"
     "0x0058 | stores B\n"
     "0x0061 | pushvn 0x00000001\n"
     "0x0066 | pushs N\n"
     "0x006F | lt\n"
     "0x0070 | stores B\n"
     "0x0079 | pushvn 0x00000001\n"
     "0x007E | pushs N\n"
     "0x0087 | gt\n"
     "0x0088 | stores B\n"
     "0x0091 | pushvn 0x00000001\n"
     "0x0096 | pushs N\n"
     "0x009F | le\n"
     "0x00A0 | stores B\n"
     "0x00A9 | pushvn 0x00000001\n"
     "0x00AE | pushs N\n"
     "0x00B7 | ge\n"
     "0x00B8 | stores B\n"
     "0x00C1 | pushvn 0x00000003\n"
     "0x00C6 | pushs R\n"
     "0x00CF | mul\n"
     "0x00D0 | pushvn 0x00000002\n"
     "0x00D5 | pushs N\n"
     "0x00DE | div\n"
     "0x00DF | sub\n"
     "0x00E0 | stores R\n"
     "0x00E9 | return\n"},
    {u"FUNCTIONS",
     "0x0000 | pushs R\n"
     "0x0009 | abs\n"
     "0x000A | pushs N\n"
     "0x0013 | sqr\n"
     "0x0014 | pushvn 0x00000004\n"
     "0x0019 | sqrt\n"
     "0x001A | pushvn 0x00000002\n"
     "0x001F | tan\n"
     "0x0020 | pushs R\n"
     "0x0029 | cos\n"
     "0x002A | pushvn 0x00000001\n"
     "0x002F | sin\n"
     "0x0030 | add\n"
     "0x0031 | add\n"
     "0x0032 | add\n"
     "0x0033 | add\n"
     "0x0034 | add\n"
     "0x0035 | stores R\n"
     "0x003E | pushvn 0x00000006\n"
     "0x0043 | rand\n"
     "0x0044 | stores N\n"
     "0x004D | pushs D\n"
     "0x0056 | pushvn 0x00000001\n"
     "0x005B | dbhaskey\n"
     "0x005C | stores B\n"
     "0x0065 | pushs D\n"
     "0x006E | pushvn 0x00000002\n"
     "0x0073 | pushvs \"x\"\n"
     "0x007C | dbadd\n"
     "0x007D | stores D\n"
     "0x0086 | pushs D\n"
     "0x008F | pushvn 0x00000002\n"
     "0x0094 | dbremove\n"
     "0x0095 | stores D\n"
     "0x009E | pushs D\n"
     "0x00A7 | dbkeys\n"
     "0x00A8 | stores L\n"
     "0x00B1 | pushs D\n"
     "0x00BA | pushvn 0x00000001\n"
     "0x00BF | dbretrieve\n"
     "0x00C0 | stores A\n"
     "0x00C9 | pushvn 0x00000003\n"
     "0x00CE | debug\n"
     "0x00CF | exit\n"
     "0x00D0 | return\n"},
    {u"HANDLERS",
     "0x0000 | pushvs \"HEAR\"\n"
     "0x000F | listen PING\n"
     "0x001E | pushvs \"HEAR\"\n"
     "0x002D | listen O.MOVED\n"
     "0x0042 | pushs A\n"
     "0x004B | copylisten O\n"
     "0x0054 | slisten\n"
     "0x0055 | sdeafen\n"
     "0x0056 | start O\n"
     "0x005F | stop O\n"
     "0x0068 | switch IDLE\n"
     "0x0077 | pushvn 0x00000002\n"
     "0x007C | pushs N\n"
     "0x0085 | gt\n"
     "0x0086 | jmpne 0x0000009A\n"
     "0x008B | switch IDLE\n"
     "0x009A | nop\n"
     "0x009B | call NOTHING\n"
     "0x00B0 | nop\n"
     "0x00B1 | pushs S\n"
     "0x00BA | printv\n"
     "0x00BB | return\n"
     "0x00BC | return\n"},
  };
  for (const auto& golden : cases) {
    SCOPED_TRACE(Utf8(golden.method));
    EXPECT_EQ(Disassembly(Method(type, golden.method)), golden.code);
  }
}

TEST_F(CodeGeneratorTest, MethodCodeLivesInMemoryStreamsUnderRootVNMethods) {
  RTVarnoType* type = Generate("Gen", kGoldenSource);
  ASSERT_NE(type, nullptr);
  RTInstance parent = nullptr;
  ASSERT_EQ(core().GetInstanceByName(nullptr, u"Root:VNMethods", &parent, 0), kRTSuccess);
  char16_t className[64] = {};
  ASSERT_EQ(core().GetClassName(nullptr, parent, className, 64), kRTSuccess);
  EXPECT_EQ(Utf8(className), "RTComponent");

  // Every method of Gen and of Thing has a stream of its own there, positioned at 0.
  uint32_t methods = 0;
  for (uint32_t i = kFirstClassType; i < table()->count; ++i) {
    for (RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(table()->types[i]->methods)) {
      SCOPED_TRACE(Utf8(method->displayName));
      ++methods;
      ASSERT_NE(method->code, nullptr);
      RTInstance owner = nullptr;
      ASSERT_EQ(core().GetParent(nullptr, method->code, &owner), kRTSuccess);
      EXPECT_EQ(owner, parent);
      core().ReleaseInstance(nullptr, owner);
      uint32_t position = 1;
      EXPECT_EQ(kivo::stream::GetPosition(method->code, &position), kRTSuccess);
      EXPECT_EQ(position, 0u);
      EXPECT_EQ(core().IsKindOfByName(nullptr, method->code, u"RTMemoryStream"), 1u);
    }
  }
  EXPECT_EQ(methods, std::size(kGolden) + 2);
  uint32_t children = 0;
  core().GetChildCount(nullptr, parent, &children);
  EXPECT_EQ(children, methods);

  // The method records own the streams: the table takes them along.
  ResetTable();
  core().GetChildCount(nullptr, parent, &children);
  EXPECT_EQ(children, 0u);

  // A second compilation uses the same instance.
  ASSERT_NE(Generate("Gen", kGoldenSource), nullptr);
  core().GetChildCount(nullptr, parent, &children);
  EXPECT_EQ(children, methods);
  core().ReleaseInstance(nullptr, parent);
}

TEST_F(CodeGeneratorTest, AnExistingVNMethodsInstanceIsUsed) {
  RTInstance made = nullptr;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, u"RTComponent", &made, 0, 1), kRTSuccess);
  ASSERT_EQ(core().SetInstanceName(nullptr, made, u"VNMethods"), kRTSuccess);
  RTVarnoType* type = Generate("Small", "Small is Thing;\nmethod Run() { }\n");
  ASSERT_NE(type, nullptr);
  RTInstance owner = nullptr;
  ASSERT_EQ(core().GetParent(nullptr, Method(type, u"RUN")->code, &owner), kRTSuccess);
  EXPECT_EQ(owner, made);
  core().ReleaseInstance(nullptr, owner);
  core().ReleaseInstance(nullptr, made);
}

TEST_F(CodeGeneratorTest, AnEmptyTreeIsASingleNop) {
  Instruction* code = nullptr;
  ASSERT_EQ(GenerateIntermediateCode(table(), nullptr, nullptr, &code), kRTSuccess);
  RTInstance stream = nullptr;
  ASSERT_EQ(kivo::memory_stream::Create(&stream), kRTSuccess);
  LineTable* lines = nullptr;
  ASSERT_EQ(GenerateFinalCode(nullptr, code, stream, &lines), kRTSuccess);
  EXPECT_EQ(Utf8(DisassembleStream(stream)), "0x0000 | nop\n");
  EXPECT_EQ(Lines(lines), "line 0: 0x0000-0x0000\n");
  FreeIntermediateCode(code);
  LineTableDestroy(lines);
  core().ReleaseInstance(nullptr, stream);
}

TEST_F(CodeGeneratorTest, AnInteractiveExpressionCompilesIntoAStreamOfItsOwn) {
  RTVarnoType* shell = CompileClass("Shell", "Shell is Thing;\nattributes { n is number; c is code; }\n");
  ASSERT_NE(shell, nullptr);
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  const auto compile = [&](std::string_view text) {
    SyntaxNode* tree = nullptr;
    if (!ParseInteractiveExpression(table(), shell, nullptr, text.data(), text.size(), &tree)) {
      return std::string("<parse>");
    }
    RTInstance stream = nullptr;
    LineTable* lines = nullptr;
    std::string listing = "<failed>";
    if (GenerateExpressionCode(table(), tree, shell, nullptr, &stream, &lines)) {
      RTInstance owner = nullptr;
      core().GetParent(nullptr, stream, &owner);
      RTInstance root = nullptr;
      core().GetRoot(nullptr, &root);
      listing = (owner == root ? "" : "<not under Root>") + Utf8(DisassembleStream(stream)) + Lines(lines);
      core().ReleaseInstance(nullptr, owner);
      core().ReleaseInstance(nullptr, root);
      core().ReleaseInstance(nullptr, stream);
      LineTableDestroy(lines);
    }
    FreeSyntaxTree(tree);
    return listing;
  };
  EXPECT_EQ(compile("n + 1"),
            "0x0000 | pushvn 0x00000001\n0x0005 | pushs N\n0x000E | add\n0x000F | printv\nline 1: 0x0000-0x000F\n");
  // A code literal of an expression has no method to keep its line table.
  EXPECT_EQ(compile("c = code { n = 2; }"),
            "0x0000 | pushvc\n    0x0000 | pushvn 0x00000002\n    0x0005 | stores N\n0x0028 | stores C\n"
            "line 1: 0x0000-0x0028\n");
  EXPECT_EQ(compile("n + \"s\" - 1"), "<failed>");
  EXPECT_EQ(MessagesWith("[VARNO] Syntax check failed!").size(), 1u);
}

// Trees the checker never lets through, built by hand.
TEST_F(CodeGeneratorTest, TheFirstPhaseRefusesWhatHasNoCode) {
  const auto node = [](uint8_t kind, uint32_t children = 0) { return NewSyntaxNode(kind, children, 7); };
  const auto named = [&](uint8_t kind, const char16_t* name) {
    SyntaxNode* made = node(kind);
    made->name = CopyText(name);
    return made;
  };
  const auto assign = [&](SyntaxNode* target) {
    SyntaxNode* made = node(eSNAssign, 2);
    made->children[0] = target;
    made->children[1] = node(eSNSpeaker);
    return made;
  };
  const auto suffixed = [&](uint8_t kind, uint32_t base, int32_t component) {
    SyntaxNode* made = named(kind, u"v");
    made->baseType = base;
    made->component = component;
    return made;
  };
  SyntaxNode* event = named(eSNIdentifier, u"PING");
  event->type = kTypeEventName;
  SyntaxNode* pop = named(eSNCall, u"L.POP");
  pop->builtIn = 2;
  SyntaxNode* list = node(eSNConstant);
  list->constant.type = kTypeList;
  const std::u16string longName(256, u'q');

  const struct {
    SyntaxNode* tree;
    std::string message;  // "" when the failure has no message of its own
  } cases[] = {
      {node(eSNStatement), "[VARNO] Hmmm, eSNStatement encountered in icode generator"},
      {node(eSNInState, 2), "[VARNO] Unrecognized syntax node sent to icode generator!"},
      {node(eSNPriority, 2), "[VARNO] Unrecognized syntax node sent to icode generator!"},
      {pop, "[VARNO ICode Generator] Invalid built-in method?"},
      {event, "[VARNO] Event type is invalid as an identifier!"},
      {suffixed(eSNIdentifier, kTypeReal, 0), "[VARNO] Invalid suffixed type sent to eSNIdentifier icode generator!"},
      {assign(suffixed(eSNIdentifier, kTypeReal, 1)), "[VARNO iCode Generator] Invalid suffix type!"},
      {assign(suffixed(eSNIdentifier, kTypeVector3, 3)), "[VARNO iCode Generator] Invalid suffix index for Vector3!"},
      {list, "[VARNO] Invalid constant type passed to icode generator!"},
      {named(eSNIdentifier, longName.c_str()),
       "[VARNO] Name too long (limit is 255 characters) in file: (null), on line: 7"},
      {named(eSNGoto, u"nowhere"), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const size_t before = Messages().size();
    Instruction* code = reinterpret_cast<Instruction*>(1);
    EXPECT_EQ(GenerateIntermediateCode(table(), nullptr, c.tree, &code), kRTFailure);
    EXPECT_EQ(code, nullptr);
    const std::vector<std::string> messages = Messages();
    EXPECT_EQ(messages.size(), before + (c.message.empty() ? 0 : 1));
    if (!c.message.empty() && !messages.empty()) {
      EXPECT_EQ(messages.back(), c.message);
    }
    FreeSyntaxTree(c.tree);
  }
}

TEST_F(CodeGeneratorTest, UnsupportedMathKindsBecomeANopWithAWarning) {
  SyntaxNode* function = NewSyntaxNode(56, 1, 3);
  function->children[0] = NewSyntaxNode(eSNConstant, 0, 3);
  function->children[0]->constant.type = kTypeNumber;
  function->children[0]->constant.value.number = 5;
  Instruction* code = nullptr;
  ASSERT_EQ(GenerateIntermediateCode(table(), nullptr, function, &code), kRTSuccess);
  RTInstance stream = nullptr;
  ASSERT_EQ(kivo::memory_stream::Create(&stream), kRTSuccess);
  LineTable* lines = nullptr;
  ASSERT_EQ(GenerateFinalCode(nullptr, code, stream, &lines), kRTSuccess);
  EXPECT_EQ(Utf8(DisassembleStream(stream)), "0x0000 | pushvn 0x00000005\n0x0005 | nop\n");
  EXPECT_NE(host_.DebugLog().find("[WARNING!!!] Unsupported function is resulting in a NOP!"), std::string::npos);
  FreeIntermediateCode(code);
  LineTableDestroy(lines);
  core().ReleaseInstance(nullptr, stream);
  FreeSyntaxTree(function);
}

TEST_F(CodeGeneratorTest, TheSecondPhaseRefusesOpcodesWithoutAnOperandForm) {
  for (const Opcode op : {Opcode::kPushas, Opcode::kRet, Opcode::kCreate, Opcode::kRelease, Opcode::kPrints,
                          Opcode::kBreak, Opcode::kPushvl, Opcode::kAtan, Opcode::kAcos, Opcode::kAsin,
                          Opcode::kPriority}) {
    SCOPED_TRACE(Utf8(kInstructions[static_cast<int>(op)].name));
    Instruction* code = NewInstruction(static_cast<uint8_t>(Opcode::kNop), 1);
    code->next = NewInstruction(static_cast<uint8_t>(op), 1);
    RTInstance stream = nullptr;
    ASSERT_EQ(kivo::memory_stream::Create(&stream), kRTSuccess);
    LineTable* lines = reinterpret_cast<LineTable*>(1);
    EXPECT_EQ(GenerateFinalCode(nullptr, code, stream, &lines), kRTFailure);
    EXPECT_EQ(lines, nullptr);
    EXPECT_EQ(Messages().back(), "[VARNO] Code Generator: Encountered invalid opcode! Instruction stream polluted!");
    FreeIntermediateCode(code);
    core().ReleaseInstance(nullptr, stream);
  }
}

TEST_F(CodeGeneratorTest, AGotoCannotLeaveOrEnterACodeLiteral) {
  for (std::string_view body : {"c = code { goto outside; }; outside:", "goto inside; c = code { inside: n = 1; };"}) {
    SCOPED_TRACE(std::string(body));
    ResetTable();
    RTVarnoType* leap = CompileClass("Leap", "Leap is Thing;\nattributes { c is code; n is number; }\nmethod Go() { " +
                                                 std::string(body) + " }\n");
    ASSERT_NE(leap, nullptr);
    const size_t before = Messages().size();
    EXPECT_EQ(TypeTableGenerateCode(table()), kRTFailure);
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), before + 2);
    EXPECT_EQ(messages[before],
              "[VARNO] Code Generator: Jump target is outside the jump's code block (goto into or out of a code "
              "literal?)");
    EXPECT_EQ(messages[before + 1], "[VARNO] Error generating final code");
    RTVarnoMethod* go = Method(leap, u"GO");
    EXPECT_EQ(go->code, nullptr);
    EXPECT_NE(go->tree, nullptr);
  }
}

TEST_F(CodeGeneratorTest, ARetryAfterAFailureKeepsTheCodeAlreadyGenerated) {
  // Methods are generated from the last declared to the first: Good before Bad.
  RTVarnoType* again = CompileClass("Again",
                                    "Again is Thing;\nattributes { c is code; }\n"
                                    "method Bad() { switch(Idle); c = code { goto later; }; later: }\n"
                                    "state Idle { }\n"
                                    "method Good() { print(1); }\n");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(TypeTableGenerateCode(table()), kRTFailure);
  RTVarnoMethod* good = Method(again, u"GOOD");
  const RTInstance code = good->code;
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(TypeTableGenerateCode(table()), kRTFailure);
  EXPECT_EQ(good->code, code);
  EXPECT_EQ(Disassembly(good), "0x0000 | pushvn 0x00000001\n0x0005 | printv\n0x0006 | return\n");
  // The failed method's transitions are those of its last check, not one set per attempt.
  EXPECT_EQ(Method(again, u"BAD")->transitions->count, 1u);
}

TEST_F(CodeGeneratorTest, NameOperandsOf255UnitsAreWritten) {
  const std::string longest(255, 'q');
  RTVarnoType* names = Generate("Names", "Names is Thing;\nmethod Fits() { " + longest + " is number; " + longest +
                                             " = 1; }\n");
  ASSERT_NE(names, nullptr);
  // The declaration is a statement without code: a nop on line 0.
  EXPECT_EQ(Disassembly(Method(names, u"FITS")),
            "0x0000 | nop\n0x0001 | pushvn 0x00000001\n0x0006 | stores " + std::string(255, 'Q') +
                "\n0x020B | return\n");
}

}  // namespace
