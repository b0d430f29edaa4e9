// The class file format byte for byte: a small class built in the table is written as the golden
// bytes below and read back from them; versions; and truncated and damaged files, which are
// refused with a message and leave the type table as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "codegen/generate_code.h"
#include "codegen/line_table_stream.h"
#include "compiler/core_records.h"
#include "compiler/line_table.h"
#include "compiler/type_codes.h"
#include "kivo/support/stream_calls.h"
#include "tests/classfile_fixture.h"

namespace {

using namespace varno;
using varno::testing::DescribeClass;
using varno::testing::PutWord;
using varno::testing::ReadBytes;
using varno::testing::Utf8;
using varno::testing::WriteBytes;

// Tiny: a singleton child of Base with two own attributes (one of them a constant), an implemented
// method and a plain one with a parameter, its local and a line table, and a constant of every
// kind a class file holds.
const std::vector<uint8_t> kGolden = {
    0x00, 0x00, 0x01, 0x00,  // version 0x10000
    // class name "Tiny"
    0x04, 0x00, 0x00, 0x00, 0x54, 0x00, 0x69, 0x00, 0x6E, 0x00, 0x79, 0x00, 0x00, 0x00,
    // file name "Tiny.varno"
    0x0A, 0x00, 0x00, 0x00, 0x54, 0x00, 0x69, 0x00, 0x6E, 0x00, 0x79, 0x00, 0x2E, 0x00, 0x76, 0x00,
    0x61, 0x00, 0x72, 0x00, 0x6E, 0x00, 0x6F, 0x00, 0x00, 0x00,
    0x08, 0x00, 0x00, 0x00,  // flags: script class
    0x0D, 0x0C, 0x0B, 0x0A,  // class word
    0x02, 0x00, 0x00, 0x00,  // own attribute count 2
    0x01, 0x01,  // singleton, has parent
    0x04, 0x00, 0x00, 0x00, 0x42, 0x00, 0x61, 0x00, 0x73, 0x00, 0x65, 0x00, 0x00, 0x00,  // parent "Base"
    // attribute: type "number"
    0x06, 0x00, 0x00, 0x00, 0x6E, 0x00, 0x75, 0x00, 0x6D, 0x00, 0x62, 0x00, 0x65, 0x00, 0x72, 0x00,
    0x00, 0x00,
    //   name "count"
    0x05, 0x00, 0x00, 0x00, 0x63, 0x00, 0x6F, 0x00, 0x75, 0x00, 0x6E, 0x00, 0x74, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00,  //   flag 0
    // attribute: type "number"
    0x06, 0x00, 0x00, 0x00, 0x6E, 0x00, 0x75, 0x00, 0x6D, 0x00, 0x62, 0x00, 0x65, 0x00, 0x72, 0x00,
    0x00, 0x00,
    //   name "LIMIT"
    0x05, 0x00, 0x00, 0x00, 0x4C, 0x00, 0x49, 0x00, 0x4D, 0x00, 0x49, 0x00, 0x54, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00,  //   flag 2 (a constant)
    0x02, 0x00, 0x00, 0x00,  // method count 2
    0x04, 0x00, 0x00, 0x00,  // method: kind 4 (implemented)
    //   key "NATIVE"
    0x06, 0x00, 0x00, 0x00, 0x4E, 0x00, 0x41, 0x00, 0x54, 0x00, 0x49, 0x00, 0x56, 0x00, 0x45, 0x00,
    0x00, 0x00,
    //   display "Native"
    0x06, 0x00, 0x00, 0x00, 0x4E, 0x00, 0x61, 0x00, 0x74, 0x00, 0x69, 0x00, 0x76, 0x00, 0x65, 0x00,
    0x00, 0x00,
    0x00, 0x00, 0x00, 0x00,  //   code: 0 bytes
    0x00,  //   no declarations
    0x00, 0x00, 0x00, 0x00,  //   parameter count 0
    //   return type "database" (the table's name of index 11, no value)
    0x08, 0x00, 0x00, 0x00, 0x64, 0x00, 0x61, 0x00, 0x74, 0x00, 0x61, 0x00, 0x62, 0x00, 0x61, 0x00,
    0x73, 0x00, 0x65, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,  //   line table: 0 entries, word
    //   bound class "RTFoo"
    0x05, 0x00, 0x00, 0x00, 0x52, 0x00, 0x54, 0x00, 0x46, 0x00, 0x6F, 0x00, 0x6F, 0x00, 0x00, 0x00,
    0x03, 0x00, 0x00, 0x00, 0x42, 0x00, 0x61, 0x00, 0x72, 0x00, 0x00, 0x00,  //   bound method "Bar"
    0x01, 0x00, 0x00, 0x00,  // method: kind 1
    0x04, 0x00, 0x00, 0x00, 0x53, 0x00, 0x54, 0x00, 0x45, 0x00, 0x50, 0x00, 0x00, 0x00,  //   key "STEP"
    0x04, 0x00, 0x00, 0x00, 0x53, 0x00, 0x74, 0x00, 0x65, 0x00, 0x70, 0x00, 0x00, 0x00,  //   display "Step"
    0x07, 0x00, 0x00, 0x00,  //   code: 7 bytes
    0x1C, 0x07, 0x00, 0x00, 0x00, 0x19, 0x1F,  //   pushvn 7, printv, return
    0x01, 0x01, 0x00, 0x00, 0x00,  //   has declarations, 1 of them
    //   declaration: type "number"
    0x06, 0x00, 0x00, 0x00, 0x6E, 0x00, 0x75, 0x00, 0x6D, 0x00, 0x62, 0x00, 0x65, 0x00, 0x72, 0x00,
    0x00, 0x00,
    0x01, 0x00, 0x00, 0x00, 0x6E, 0x00, 0x00, 0x00,  //     name "n"
    0x00, 0x00, 0x00, 0x00,  //     flag 0
    0x01, 0x00, 0x00, 0x00,  //   parameter count 1
    0x01, 0x00, 0x00, 0x00, 0x4E, 0x00, 0x00, 0x00,  //   parameter: name "N"
    //     type "number"
    0x06, 0x00, 0x00, 0x00, 0x6E, 0x00, 0x75, 0x00, 0x6D, 0x00, 0x62, 0x00, 0x65, 0x00, 0x72, 0x00,
    0x00, 0x00,
    //   return type "number"
    0x06, 0x00, 0x00, 0x00, 0x6E, 0x00, 0x75, 0x00, 0x6D, 0x00, 0x62, 0x00, 0x65, 0x00, 0x72, 0x00,
    0x00, 0x00,
    0x02, 0x00, 0x00, 0x00,  //   line table: 2 entries
    0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,  //     0x0000-0x0005 line 4
    0x06, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00,  //     0x0006-0x0006 line 5
    0xFF, 0xFF, 0xFF, 0xFF,  //     word
    0x05, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00,  // own constant count 5, constant count 5
    // constant "LIMIT"
    0x05, 0x00, 0x00, 0x00, 0x4C, 0x00, 0x49, 0x00, 0x4D, 0x00, 0x49, 0x00, 0x54, 0x00, 0x00, 0x00,
    0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,  //   tag 1: number 3
    0x04, 0x00, 0x00, 0x00, 0x52, 0x00, 0x41, 0x00, 0x54, 0x00, 0x45, 0x00, 0x00, 0x00,  // constant "RATE"
    0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x3F,  //   tag 2: real 1.5
    // constant "LABEL"
    0x05, 0x00, 0x00, 0x00, 0x4C, 0x00, 0x41, 0x00, 0x42, 0x00, 0x45, 0x00, 0x4C, 0x00, 0x00, 0x00,
    0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x68, 0x00, 0x69, 0x00, 0x00, 0x00,  //   tag 3: string "hi"
    0x02, 0x00, 0x00, 0x00, 0x4F, 0x00, 0x4E, 0x00, 0x00, 0x00,  // constant "ON"
    0x06, 0x00, 0x00, 0x00, 0x01,  //   tag 6: bool true
    0x01, 0x00, 0x00, 0x00, 0x56, 0x00, 0x00, 0x00,  // constant "V"
    //   tag 8: vector3 <1, 2, 3>
    0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x40, 0x40,
};

// Where some fields of the golden file start.
constexpr size_t kClassWordAt = 0x30;
constexpr size_t kNativeDisplayAt = 0xAE;
constexpr size_t kStepDisplayAt = 0x115;

// ASCII text over the units of the wide string whose length word is at `at`.
void PutText(std::vector<uint8_t>& bytes, size_t at, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) bytes.at(at + 4 + 2 * i) = static_cast<uint8_t>(text[i]);
}

// Tiny as read back from the golden file, before its parent is resolved. The methods keep the
// file's order; each display name is now the key name.
constexpr const char* kTinyRead =
    "class Tiny flags 8 singleton 1 parent Base own attributes 2\n"
    "attributes count:number/0 LIMIT:number/2\n"
    "method 4 NATIVE (NATIVE) returns database\n"
    "  code \n"
    "  declarations <none>\n"
    "  parameters <none>\n"
    "  lines word 4294967295\n"
    "  bound to RTFoo.Bar\n"
    "method 1 STEP (STEP) returns number\n"
    "  code 1c07000000191f\n"
    "  declarations n:number/0\n"
    "  parameters N:number/out 0\n"
    "  lines 4@0-5 5@6-6 word 4294967295\n"
    "constants own 5\n"
    "  LIMIT = tag 1 3\n"
    "  RATE = real 1.500000\n"
    "  LABEL = string \"hi\"\n"
    "  ON = tag 6 1\n"
    "  V = vector3 1.000000,2.000000,3.000000\n";

class ClassFileFormatTest : public varno::testing::ClassFileTest {
 protected:
  // Base (index 14): a script class with one attribute, resolved, its code generated.
  RTVarnoType* AddBase() {
    uint32_t index = 0;
    EXPECT_EQ(TypeTableAddType(table(), u"Base", u"Base.varno", kTypeScriptClass, &index), kRTSuccess);
    RTVarnoType* base = table()->types[index];
    TypeAddAttribute(base, kTypeNumber, u"id", 0);
    TypeResolveParent(base, table(), kNoType);
    base->codeGenerated = 1;
    return base;
  }

  RTVarnoMethod* AddHandMethod(RTVarnoType* type, const char16_t* name, uint8_t kind,
                               const std::vector<uint8_t>& code) {
    RTVarnoMethod* method = MethodCreate(name, kind);
    if (!code.empty()) {
      EXPECT_EQ(kivo::memory_stream::Create(&method->code), kRTSuccess);
      uint32_t written = 0;
      kivo::stream::Write(method->code, code.data(), static_cast<uint32_t>(code.size()), &written);
      kivo::stream::Seek(method->code, 0);
    }
    EXPECT_EQ(TypeAddMethod(type, method), kRTSuccess);
    return method;
  }

  void AddConstant(RTVarnoType* type, const char16_t* name, uint32_t tag, void (*fill)(RTVarnoConstantValue&)) {
    RTVarnoConstantValue value{};
    value.type = tag;
    fill(value);
    EXPECT_EQ(TypeAddConstant(type, name, value), kRTSuccess);
  }

  // Base and Tiny (index 15), as the golden file holds Tiny.
  RTVarnoType* BuildTiny() {
    RTVarnoType* base = AddBase();
    uint32_t index = 0;
    EXPECT_EQ(TypeTableAddType(table(), u"Tiny", u"Tiny.varno", kTypeScriptClass, &index), kRTSuccess);
    RTVarnoType* tiny = table()->types[index];
    tiny->classWord = 0x0A0B0C0D;
    tiny->singleton = 1;
    TypeAddAttribute(tiny, kTypeNumber, u"count", 0);
    TypeAddAttribute(tiny, kTypeNumber, u"LIMIT", kDeclarationConstant);

    RTVarnoMethod* step = AddHandMethod(tiny, u"Step", kMethodPlain, {0x1C, 7, 0, 0, 0, 0x19, 0x1F});
    step->returnType = kTypeNumber;
    kivo::ListCreate(&step->declarations);
    kivo::ListAppend(step->declarations, AttributeCreate(kTypeNumber, u"n", 0));
    kivo::ListCreate(&step->parameters);
    kivo::ListAppend(step->parameters, ParameterCreate(u"n", kTypeNumber));
    step->lineTable = LineTableCreate();
    LineTableAppend(step->lineTable, 0, 5, 4);
    LineTableAppend(step->lineTable, 6, 6, 5);

    RTVarnoMethod* native = AddHandMethod(tiny, u"Native", kMethodImplemented, {});
    native->bindClass = CopyText(u"RTFoo");
    native->bindMethod = CopyText(u"Bar");

    AddConstant(tiny, u"LIMIT", kTypeNumber, [](RTVarnoConstantValue& v) { v.value.number = 3; });
    AddConstant(tiny, u"RATE", kTypeReal, [](RTVarnoConstantValue& v) { v.value.real = 1.5f; });
    AddConstant(tiny, u"LABEL", kTypeString, [](RTVarnoConstantValue& v) { v.value.text = CopyText(u"hi"); });
    AddConstant(tiny, u"ON", kTypeBool, [](RTVarnoConstantValue& v) { v.value.word = 1; });
    AddConstant(tiny, u"V", kTypeVector3, [](RTVarnoConstantValue& v) { v.value.vector = NewVectorBlock(1, 2, 3); });

    EXPECT_EQ(TypeResolveParent(tiny, table(), base->index), kRTSuccess);
    tiny->codeGenerated = 1;
    return tiny;
  }

  // Writes the bytes as Tiny.varnoc and loads them into a fresh table that holds Base; the class
  // or null.
  RTVarnoType* LoadBytes(const std::vector<uint8_t>& bytes) {
    ResetTable();
    AddBase();
    NewMessages();
    WriteBytes(dir() / "Tiny.varnoc", bytes);
    return Load(dir() / "Tiny.varnoc");
  }
};

TEST_F(ClassFileFormatTest, TheGoldenFile) {
  ASSERT_TRUE(Save(BuildTiny(), dir() / "Tiny.varnoc"));
  EXPECT_EQ(ReadBytes(dir() / "Tiny.varnoc"), kGolden);
}

TEST_F(ClassFileFormatTest, TheGoldenFileReadsBack) {
  RTVarnoType* tiny = LoadBytes(kGolden);
  ASSERT_NE(tiny, nullptr) << ::testing::PrintToString(NewMessages());
  EXPECT_EQ(NewMessages(), std::vector<std::string>{});
  EXPECT_EQ(tiny->index, 15u);
  EXPECT_EQ(tiny->parentIndex, 14u);
  EXPECT_EQ(DescribeClass(table(), tiny), kTinyRead);
  EXPECT_EQ(tiny->classWord, 0u) << "the class word is read and dropped";
  EXPECT_EQ(tiny->codeGenerated, 1u);
  EXPECT_EQ(tiny->parentResolved, 0u);
  EXPECT_EQ(Utf8(tiny->fileName), "Tiny.varno");

  // Generating the table's code only resolves the parent: the inherited attribute follows.
  ASSERT_EQ(TypeTableGenerateCode(table()), kRTSuccess);
  EXPECT_EQ(tiny->attributes->count, 3u);
  EXPECT_EQ(tiny->ownAttributeCount, 2u);
  EXPECT_EQ(ConstantTableCount(tiny->constants), 5u);

  // Written again, only what does not survive a read differs: the class word and the display
  // names.
  ASSERT_TRUE(Save(tiny, dir() / "again.varnoc"));
  const std::vector<uint8_t> again = ReadBytes(dir() / "again.varnoc");
  std::vector<uint8_t> want = kGolden;
  PutWord(want, kClassWordAt, 0);
  PutText(want, kNativeDisplayAt, "NATIVE");
  PutText(want, kStepDisplayAt, "STEP");
  EXPECT_EQ(again, want);
}

TEST_F(ClassFileFormatTest, VersionsUpToTheReadersOwnAreRead) {
  const struct {
    uint32_t version;
    bool loads;
  } cases[] = {{0xFFFF, true}, {0x10000, true}, {0x10001, false}, {0xFFFFFFFF, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    std::vector<uint8_t> bytes = kGolden;
    PutWord(bytes, 0, c.version);
    EXPECT_EQ(LoadBytes(bytes) != nullptr, c.loads);
    EXPECT_EQ(NewMessages(), c.loads ? std::vector<std::string>{}
                                     : std::vector<std::string>{"Stream in function has failed for .varnoc file."});
    EXPECT_EQ(table()->count, c.loads ? 16u : 15u);
  }
}

TEST_F(ClassFileFormatTest, EveryTruncationIsRefusedAndLeavesTheTableAsItWas) {
  for (size_t size = 0; size < kGolden.size(); ++size) {
    SCOPED_TRACE(size);
    EXPECT_EQ(LoadBytes(std::vector<uint8_t>(kGolden.begin(), kGolden.begin() + static_cast<std::ptrdiff_t>(size))),
              nullptr);
    const std::vector<std::string> messages = NewMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("[VARNO] Class file " + (dir() / "Tiny.varnoc").string() + " is damaged at byte "),
              std::string::npos)
        << messages[0];
    EXPECT_EQ(table()->count, 15u);
  }
}

struct Damage {
  const char* what;
  std::function<void(std::vector<uint8_t>&)> apply;
  const char* message;  // part of a report
};

TEST_F(ClassFileFormatTest, DamagedFilesAreRefusedAndLeaveTheTableAsItWas) {
  const auto word = [](size_t at, uint32_t value) {
    return [=](std::vector<uint8_t>& bytes) { PutWord(bytes, at, value); };
  };
  const auto byte = [](size_t at, uint8_t value) { return [=](std::vector<uint8_t>& bytes) { bytes.at(at) = value; }; };
  const auto text = [](size_t at, const char* value) {
    return [=](std::vector<uint8_t>& bytes) { PutText(bytes, at, value); };
  };
  const Damage cases[] = {
      {"class name too long", word(0x04, 5000), "at byte 4: the class name is 5000 characters long (limit 1024)"},
      {"file name past the end", word(0x12, 1000), "at byte 18: the file ends inside the file name"},
      {"built-in flags", word(0x2C, 1), "at byte 44: the class flags 0x1 name no script class"},
      {"attribute count", word(0x34, 0x10000000), "at byte 52: the attribute count 268435456 is more than the 484"},
      {"singleton byte", byte(0x38, 2), "at byte 56: the singleton flag is 2, not 0 or 1"},
      {"the parent is the class", text(0x3A, "Tiny"), "at byte 58: the class names itself as its parent"},
      {"zero unit in a name", byte(0x60, 0), "at byte 90: the name of an attribute holds a zero character"},
      {"method count", word(0x94, 0xFFFFFFFF), "at byte 148: the method count 4294967295 is more than"},
      {"method kind", word(0x98, 9), "at byte 152: the method kind 9 is unknown"},
      {"empty method name", word(0x9C, 0), "at byte 156: a method name is empty"},
      {"parameter count", word(0xC5, 0x40000000), "the parameter count of method NATIVE 1073741824 is more than"},
      {"code size", word(0x123, 0x7FFFFFFF), "at byte 291: the code size of method STEP 2147483647 is more than"},
      {"declarations byte", byte(0x12E, 7), "the declarations flag of method STEP is 7, not 0 or 1"},
      {"declaration count", word(0x12F, 0x01000000), "the declaration count of method STEP 16777216 is more than"},
      {"line count", word(0x181, 0x10000000), "the line table of method STEP 268435456 is more than"},
      {"line past the code", word(0x195, 7), "a line of method STEP covers 0x6-0x7, outside its 7 bytes of code"},
      {"line backwards", word(0x191, 7), "a line of method STEP covers 0x7-0x6, outside its 7 bytes of code"},
      {"own constants above all", word(0x1A1, 6), "the own constant count 6 is above the constant count 5"},
      {"constant count", word(0x1A5, 1000), "the constant count 1000 is more than"},
      {"constant tag", word(0x1B9, 9), "Couldn't recognize the constant type"},
      {"string constant past the end", word(0x1EB, 100), "the file ends inside the value of constant LABEL"},
      {"bool byte", byte(0x203, 2), "the value of constant ON is 2, not 0 or 1"},
      {"a byte after the end", [](std::vector<uint8_t>& bytes) { bytes.push_back(0); },
       "at byte 540: 1 bytes follow the last constant"},
      // Found only once the class is registered: an attribute type that no search path holds.
      {"unknown type", text(0x48, "numbex"), "[VARNO] Couldn't load the type numbex named by the class file"},
  };
  for (const Damage& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes = kGolden;
    c.apply(bytes);
    EXPECT_EQ(LoadBytes(bytes), nullptr);
    const std::vector<std::string> messages = NewMessages();
    bool found = false;
    for (const std::string& message : messages) found = found || message.find(c.message) != std::string::npos;
    EXPECT_TRUE(found) << ::testing::PrintToString(messages);
    EXPECT_EQ(table()->count, 15u);
  }
}

TEST_F(ClassFileFormatTest, NamesTheClassHoldsAlreadyAreReportedAndSkipped) {
  // The string constant LABEL renamed LIMIT: the first LIMIT stays.
  std::vector<uint8_t> bytes = kGolden;
  PutText(bytes, 0x1D7, "LIMIT");
  RTVarnoType* tiny = LoadBytes(bytes);
  ASSERT_NE(tiny, nullptr);
  EXPECT_EQ(NewMessages(), std::vector<std::string>{"[VARNO] Constant already defined!"});
  EXPECT_EQ(ConstantTableCount(tiny->constants), 4u);
  EXPECT_EQ(ConstantTableFind(tiny->constants, u"LIMIT")->value.type, kTypeNumber);

  // A class the table holds already is refused, and the one there stays as it was.
  EXPECT_EQ(Load(dir() / "Tiny.varnoc"), nullptr);
  EXPECT_EQ(NewMessages(), std::vector<std::string>{"[VARNO] type name already defined!"});
  EXPECT_EQ(table()->count, 16u);
  EXPECT_EQ(ConstantTableCount(tiny->constants), 4u);
}

}  // namespace
