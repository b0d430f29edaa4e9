// The compile driver: classes found on the search paths and compiled on demand, the order of
// their indexes, parents resolved, replace mode, the limits, and parse errors from inside a class
// compiled on the spot.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "compiler/compile_driver.h"
#include "compiler/dump.h"
#include "compiler/parse_errors.h"
#include "compiler/scanner.h"
#include "compiler/search_paths.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "tests/compiler_fixture.h"

namespace {

using namespace varno;
using varno::testing::Utf8;
using varno::testing::Wide;
using varno::testing::WidePath;

using CompileDriverTest = varno::testing::CompilerTest;

std::vector<std::string> Names(const kivo::List* list) {
  std::vector<std::string> names;
  for (const RTVarnoAttribute* attribute : kivo::ListItems<RTVarnoAttribute>(list)) names.push_back(Utf8(attribute->name));
  return names;
}

std::vector<std::string> ConstantNames(const RTVarnoType* type) {
  std::vector<std::string> names;
  for (const RTVarnoConstantEntry* entry : kivo::ListItems<RTVarnoConstantEntry>(type->constants->entries)) {
    names.push_back(Utf8(entry->name));
  }
  return names;
}

std::vector<std::string> MethodNames(const RTVarnoType* type) {
  std::vector<std::string> names;
  for (const RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(type->methods)) {
    names.push_back(Utf8(method->displayName) + "/" + Utf8(method->keyName) + "/" + std::to_string(method->kind));
  }
  return names;
}

TEST_F(CompileDriverTest, AClassHierarchyCompilesParentsOnDemand) {
  WriteSource("lib/Thing.varno", "Thing is nothing;\nattributes { id is number; }\nmethod Describe() { }\n");
  WriteSource("lib/Parent.varno",
              "Parent is Thing;\n"
              "attributes { c is real; }\n"
              "constants { LIMIT = 10; NAME = \"p\"; }\n"
              "method Greet() { }\n"
              "method number Count() { return 1; }\n");
  WriteSource("src/Child.varno",
              "Child is Parent, singleton;\n"
              "attributes { a is number; b is Parent; }\n"
              "constants { MAX = 20; V = <1, 2, 3>; }\n"
              "method First() { }\n"
              "event Second() { }\n"
              "state Third { }\n"
              "method greet() { }\n");
  AddPath("lib");
  uint32_t index = 0;
  ASSERT_TRUE(Compile(dir() / "src/Child.varno", &index));

  // The child registers before its parent is looked up, so each parent compiled on demand comes
  // after it.
  EXPECT_EQ(index, 14u);
  RTVarnoType* child = Type("Child");
  RTVarnoType* parent = Type("Parent");
  RTVarnoType* thing = Type("Thing");
  ASSERT_TRUE(child && parent && thing);
  EXPECT_EQ(parent->index, 15u);
  EXPECT_EQ(thing->index, 16u);
  EXPECT_EQ(table()->count, 17u);
  EXPECT_EQ(child->parentIndex, 15u);
  EXPECT_EQ(parent->parentIndex, 16u);
  EXPECT_EQ(thing->parentIndex, kNoType);
  EXPECT_EQ(child->singleton, 1u);
  EXPECT_EQ(parent->singleton, 0u);
  EXPECT_EQ(Utf8(child->fileName), (dir() / "src/Child.varno").string());
  EXPECT_EQ(Utf8(child->compiledFileName), (dir() / "src/Child.varnoc").string());
  EXPECT_EQ(Utf8(parent->fileName), (dir() / "lib/Parent.varno").string());

  // Before resolution: own members only, methods from the last declared to the first.
  EXPECT_EQ(Names(child->attributes), (std::vector<std::string>{"a", "b", "MAX", "V"}));
  EXPECT_EQ(MethodNames(child), (std::vector<std::string>{"greet/GREET/1", "Third/THIRD/3", "Second/SECOND/2",
                                                          "First/FIRST/1"}));
  EXPECT_EQ(child->parent, nullptr);

  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  EXPECT_EQ(Names(child->attributes),
            (std::vector<std::string>{"a", "b", "MAX", "V", "c", "LIMIT", "NAME", "id"}));
  EXPECT_EQ(child->ownAttributeCount, 4u);
  EXPECT_EQ(Names(parent->attributes), (std::vector<std::string>{"c", "LIMIT", "NAME", "id"}));
  EXPECT_EQ(parent->ownAttributeCount, 3u);
  EXPECT_EQ(thing->ownAttributeCount, 1u);
  EXPECT_EQ(ConstantNames(child), (std::vector<std::string>{"MAX", "V", "LIMIT", "NAME"}));
  EXPECT_EQ(child->ownConstantCount, 2u);
  EXPECT_EQ(parent->ownConstantCount, 2u);
  EXPECT_EQ(child->parent, parent);
  EXPECT_EQ(parent->parent, thing);
  EXPECT_EQ(child->parentResolved, 1u);
  EXPECT_EQ(thing->parentResolved, 0u) << "a class without a parent stays unresolved";

  // Inherited constants are the child's own copies.
  RTVarnoConstantEntry* limit = ConstantTableFind(child->constants, u"limit");
  ASSERT_NE(limit, nullptr);
  EXPECT_EQ(limit->value.value.number, 10);
  EXPECT_EQ(Utf8(ConstantTableFind(child->constants, u"NAME")->value.value.text), "p");
  EXPECT_NE(ConstantTableFind(child->constants, u"NAME")->value.value.text,
            ConstantTableFind(parent->constants, u"NAME")->value.value.text);

  RTVarnoMethod* method = nullptr;
  EXPECT_EQ(TypeRetrieveMethodByName(child, u"DESCRIBE", &method, kRetrieveWithAncestors), kRTSuccess);
  EXPECT_EQ(method->owner, thing);
  EXPECT_EQ(TypeRetrieveMethodByName(child, u"DESCRIBE", &method, kRetrieveThisType), kRTFailure);
  EXPECT_EQ(method, nullptr);
  EXPECT_EQ(TypeRetrieveMethodByName(child, u"GREET", &method, kRetrieveWithAncestors), kRTSuccess);
  EXPECT_EQ(method->owner, child);
  EXPECT_EQ(TypeRetrieveMethodByName(child, u"GREET", &method, kRetrieveFromParent), kRTSuccess);
  EXPECT_EQ(method->owner, parent);
  EXPECT_EQ(TypeRetrieveMethodByName(thing, u"DESCRIBE", &method, kRetrieveFromParent), kRTFailure);

  EXPECT_EQ(TypeTableCanBe(table(), child, child), kRTSuccess);
  EXPECT_EQ(TypeTableCanBe(table(), thing, child), kRTSuccess);
  EXPECT_EQ(TypeTableCanBe(table(), child, parent), kRTFailure);

  // A class already in the table is not compiled again.
  WriteSource("src/Other.varno", "Other is Parent;\nattributes { }\n");
  ASSERT_TRUE(Compile(dir() / "src/Other.varno", &index));
  EXPECT_EQ(index, 17u);
  EXPECT_EQ(table()->count, 18u);
}

TEST_F(CompileDriverTest, TheSeventeenthSearchPathIsRefused) {
  for (int i = 0; i < 16; ++i) AddPath("p" + std::to_string(i));
  EXPECT_EQ(SearchPathCount(), 16u);
  EXPECT_EQ(AddSearchPath(WidePath(dir() / "p16/").c_str()), kRTFailure);
  EXPECT_EQ(MessagesWith("Too many"), std::vector<std::string>{"Too many search paths (limit is currently 16)"});
  EXPECT_EQ(MessagesWith((dir() / "p15/").string()).size(), 1u) << "each added path is recorded";
  WriteSource("p15/Last.varno", "Last is nothing;");
  char16_t found[256];
  ASSERT_EQ(VarnoFindClass(u"Last", found, 256), kRTSuccess);
  EXPECT_EQ(Utf8(found), (dir() / "p15/Last.varno").string());
}

TEST_F(CompileDriverTest, FindClassLooksAtTheSourceFirstAndHonoursTheBuffer) {
  WriteSource("one/Both.varno", "");
  WriteSource("one/Both.varnoc", "");
  WriteSource("one/Compiled.varnoc", "");
  WriteSource("two/Compiled.varno", "");
  WriteSource("two/Source.varno", "");
  AddPath("one");
  AddPath("two");
  const struct {
    const char16_t* name;
    std::string expected;
  } cases[] = {
      {u"Both", "one/Both.varno"},          // the source wins within one folder
      {u"Compiled", "one/Compiled.varnoc"},  // an earlier folder wins with its compiled file
      {u"Source", "two/Source.varno"},
      {u"source", "two/source.varno"},      // path segments match ignoring case (platform paths)
      {u"Nowhere", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    char16_t found[512];
    const RTSuccess result = VarnoFindClass(c.name, found, 512);
    EXPECT_EQ(result, c.expected.empty() ? kRTFailure : kRTSuccess);
    EXPECT_EQ(Utf8(found), c.expected.empty() ? "" : (dir() / c.expected).string());
  }
  EXPECT_EQ(MessagesWith("Couldn't find class specified").size(), 1u);

  const std::string path = (dir() / "two/Source.varno").string();
  std::u16string buffer(path.size() + 1, u'#');
  EXPECT_EQ(VarnoFindClass(u"Source", buffer.data(), static_cast<uint32_t>(path.size() + 1)), kRTSuccess);
  EXPECT_EQ(Utf8(buffer.c_str()), path) << "a path that fits exactly";
  EXPECT_EQ(VarnoFindClass(u"Source", buffer.data(), static_cast<uint32_t>(path.size())), kRTFailure);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(MessagesWith("does not fit").size(), 1u);

  // Candidate paths are limited to 255 characters.
  const std::string longName(260, 'x');
  EXPECT_EQ(VarnoFindClass(Wide(longName).c_str(), buffer.data(), static_cast<uint32_t>(buffer.size())), kRTFailure);
  EXPECT_EQ(MessagesWith("Class path too long").size(), 2u);
}

TEST_F(CompileDriverTest, TheDriverTakesTheClassNamedInTheFile) {
  WriteSource("Thing.varno", "Thing is nothing;\nattributes { }\n");
  AddPath();
  uint32_t index = 0;
  ASSERT_TRUE(Compile(WriteSource("Other.varno", "Named is Thing;\nattributes { }\n"), &index));
  EXPECT_EQ(Utf8(table()->types[index]->name), "Named");
  EXPECT_EQ(Type("Other"), nullptr);

  // A file name without ".varno", a missing file, and an expression instead of a class.
  const size_t before = Messages().size();
  EXPECT_FALSE(Compile(WriteSource("plain.txt", "Plain is Thing; attributes { }")));
  EXPECT_FALSE(Compile(dir() / "Missing.varno"));
  EXPECT_FALSE(Compile(WriteSource("Expression.varno", "a + b")));
  std::vector<std::string> messages = Messages();
  messages.erase(messages.begin(), messages.begin() + static_cast<std::ptrdiff_t>(before));
  EXPECT_EQ(messages, std::vector<std::string>{"[VARNO] Not a Varno class file name: " + (dir() / "plain.txt").string()});

  // Without a table the driver makes one and hands it out.
  RTVarnoTypeTable* own = nullptr;
  ASSERT_EQ(VarnoParseBrellinAnsiFile(WidePath(dir() / "Thing.varno").c_str(), &index, &own, nullptr), kRTSuccess);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(index, 14u);
  EXPECT_EQ(own->count, 15u);
  TypeTableDestructor(own);
}

// An (empty, so damaged) class file beside the source, as new as it, is read instead of the
// source; a note says which file is read.
TEST_F(CompileDriverTest, ACompiledFileBesideTheSourceTakesItsPlace) {
  const auto source = WriteSource("Foo.varno", "Foo is nothing; attributes { }");
  const auto compiled = WriteSource("Foo.varnoc", "");
  std::filesystem::last_write_time(compiled, std::filesystem::last_write_time(source));
  EXPECT_FALSE(Compile(source));
  EXPECT_EQ(MessagesWith("[VARNO]"),
            (std::vector<std::string>{"[VARNO] Reading the class file " + compiled.string(),
                                      "[VARNO] Class file " + compiled.string() +
                                          " is damaged at byte 0: the file ends inside the version"}));
  EXPECT_EQ(table()->count, 14u);
}

// A class file older than its source is a stale result: the source is compiled (a note says so),
// also when the class file itself is named. With class files off, the source is always compiled.
TEST_F(CompileDriverTest, AClassFileOlderThanItsSourceIsNotUsed) {
  WriteSource("Thing.varno", "Thing is nothing;\nattributes { }\n");
  AddPath();
  const auto source = WriteSource("Foo.varno", "Foo is Thing;\nattributes { }\n");
  const auto compiled = WriteSource("Foo.varnoc", "");
  const auto sourceTime = std::filesystem::last_write_time(source);
  std::filesystem::last_write_time(compiled, sourceTime - std::chrono::seconds(10));
  uint32_t index = 0;
  for (const auto& named : {source, compiled}) {
    SCOPED_TRACE(named.string());
    EXPECT_TRUE(Compile(named, &index));
    EXPECT_EQ(Utf8(table()->types[index]->name), "Foo");
  }
  EXPECT_EQ(MessagesWith("older than its source").size(), 2u);
  EXPECT_EQ(MessagesWith("older than its source")[0],
            "[VARNO] The class file " + compiled.string() + " is older than its source: the source is compiled");
  EXPECT_TRUE(MessagesWith("damaged").empty());

  std::filesystem::last_write_time(compiled, sourceTime);
  ASSERT_EQ(VarnoUseClassFiles(0), kRTSuccess);
  EXPECT_TRUE(Compile(source));
  VarnoUseClassFiles(1);
  EXPECT_TRUE(MessagesWith("damaged").empty());
  EXPECT_FALSE(Compile(source)) << "the damaged class file is read again";
}

TEST_F(CompileDriverTest, ReplaceModeEmptiesAClassCompletelyBeforeRefillingIt) {
  WriteSource("Thing.varno", "Thing is nothing;\nattributes { }\nmethod Base() { }\n");
  AddPath();
  const auto file = WriteSource("Foo.varno",
                                "Foo is Thing, singleton;\nattributes { a is number; }\nconstants { K = 1; }\n"
                                "method One() { }\nmethod Two() { }\n");
  uint32_t first = 0;
  ASSERT_TRUE(Compile(file, &first));
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  RTVarnoType* foo = Type("Foo");
  foo->codeGenerated = 1;

  // The same class parsed again (the same text first), then with other members.
  uint32_t again = 0;
  ASSERT_TRUE(Compile(file, &again));
  EXPECT_EQ(MessagesWith("redeclaration"), std::vector<std::string>{});
  WriteSource("Foo.varno", "Foo is Thing;\nattributes { b is real; }\nmethod Three() { }\n");
  ASSERT_TRUE(Compile(file, &again));
  EXPECT_EQ(again, first);
  EXPECT_EQ(Type("Foo"), foo) << "the record is reused";
  EXPECT_EQ(table()->count, 16u);
  EXPECT_EQ(Names(foo->attributes), std::vector<std::string>{"b"});
  EXPECT_EQ(MethodNames(foo), std::vector<std::string>{"Three/THREE/1"});
  RTVarnoMethod* method = nullptr;
  EXPECT_EQ(TypeRetrieveMethodByName(foo, u"ONE", &method, kRetrieveThisType), kRTFailure);
  EXPECT_EQ(ConstantTableCount(foo->constants), 0u);
  EXPECT_EQ(foo->singleton, 0u);
  EXPECT_EQ(foo->parentResolved, 0u);
  EXPECT_EQ(foo->codeGenerated, 0u);
  EXPECT_EQ(foo->parent, nullptr);
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  EXPECT_EQ(foo->ownAttributeCount, 1u);
  EXPECT_EQ(foo->parent, Type("Thing"));

  // With replacing disabled the header is an error and the parse stops there.
  VarnoEnableReplaceTypes(0);
  CaptureParseErrors();
  WriteSource("Foo.varno", "Foo is Thing;\nmethod Four() { a++; }\n");
  EXPECT_FALSE(Compile(file));
  EXPECT_EQ(MessagesWith("defined"), std::vector<std::string>{"[VARNO] type name already defined!"});
  EXPECT_EQ(MessagesWith("Couldn't add class").size(), 1u);
  EXPECT_EQ(ParseErrors().size(), 1u);
  EXPECT_EQ(MethodNames(foo), std::vector<std::string>{"Three/THREE/1"});

  // A header never replaces a built-in type.
  VarnoEnableReplaceTypes(1);
  EXPECT_FALSE(Compile(WriteSource("number.varno", "number is Thing;\nattributes { }\n")));
  EXPECT_EQ(table()->types[kTypeNumber]->flags, kTypeBuiltIn);
}

// A syntax error inside a parent compiled on the spot is reported with the parent's file and line;
// the child's parse goes on and its own reports carry its own lines.
TEST_F(CompileDriverTest, ErrorsInsideAClassCompiledOnTheSpot) {
  CaptureParseErrors();
  WriteSource("Thing.varno", "Thing is nothing;\nattributes { }\n");
  WriteSource("Broken.varno", "Broken is Thing;\nattributes {\n  c is number\n}\n");
  WriteSource("Good.varno", "Good is Thing;\n\n\n\n\n\n\n\n\nattributes { g is number; }\n");
  AddPath();
  const auto child = WriteSource("Child.varno",
                                 "Child is Broken;\n"
                                 "attributes { a is Good; }\n"
                                 "method m() {\n"
                                 "  b++;\n"
                                 "}\n"
                                 "method n() { x = 1 }\n");
  EXPECT_FALSE(Compile(child));
  const std::string broken = (dir() / "Broken.varno").string();
  const std::string childPath = child.string();
  EXPECT_EQ(ParseErrors(), (std::vector<std::string>{
                               "[PARSE ERROR] parse error, expecting `ASSIGNMENT' or `END_STATEMENT' in file: " + broken +
                                   ", on line: 4\n",
                               "[PARSE ERROR]  in file: " + childPath + ", on line: 1\n",
                               "[PARSE ERROR]  in file: " + childPath + ", on line: 4\n",
                               "[PARSE ERROR] parse error, expecting `END_STATEMENT' in file: " + childPath +
                                   ", on line: 6\n",
                           }));
  EXPECT_EQ(MessagesWith("Error parsing included file").size(), 1u);
  EXPECT_EQ(ProcessScanner().saved_buffer_count(), 0u);
  RTVarnoType* childType = Type("Child");
  ASSERT_NE(childType, nullptr);
  EXPECT_EQ(childType->parentIndex, kNoType) << "a parent that failed leaves the index unset";
  EXPECT_NE(Type("Good"), nullptr) << "the attribute's class compiled after the failed parent";
  EXPECT_EQ(Names(childType->attributes), std::vector<std::string>{"a"});
}

// An earlier failed action of the outer file does not stop a class it needs from compiling.
TEST_F(CompileDriverTest, AnOuterErrorDoesNotStopANestedCompilation) {
  WriteSource("Thing.varno", "Thing is nothing;\nattributes { }\n");
  WriteSource("Part.varno", "Part is Thing;\nattributes { p is number; }\n");
  AddPath();
  EXPECT_FALSE(Compile(WriteSource("Whole.varno", "Whole is Thing;\nmethod m() { a++; }\nattributes { x is Part; }\n"
                                                  "method n() { b++; }\n")));
  EXPECT_NE(Type("Part"), nullptr);
  EXPECT_EQ(Names(Type("Whole")->attributes), std::vector<std::string>{"x"});
  EXPECT_EQ(MessagesWith("not implemented").size(), 2u);
  EXPECT_EQ(MessagesWith("Cannot find").size(), 0u);
}

TEST_F(CompileDriverTest, AMissingTypeStopsTheParse) {
  CaptureParseErrors();
  WriteSource("Thing.varno", "Thing is nothing;\nattributes { }\n");
  AddPath();
  const size_t before = Messages().size();
  EXPECT_FALSE(Compile(WriteSource("Foo.varno", "Foo is Thing;\nattributes { a is Nowhere; }\nmethod m() { b++; }\n")));
  std::vector<std::string> messages = Messages();
  messages.erase(messages.begin(), messages.begin() + static_cast<std::ptrdiff_t>(before));
  const std::string at = "[PARSE ERROR]  in file: " + (dir() / "Foo.varno").string() + ", on line: 2";
  EXPECT_EQ(messages, (std::vector<std::string>{"Couldn't find class specified",
                                                "[VARNO] The class Nowhere is in none of the class folders (" +
                                                    dir().string() + "/)",
                                                "Cannot find class!", at, "Cannot find the type specified", at}));
  EXPECT_EQ(ParseErrors().size(), 2u) << "nothing after the missing type is parsed";
  EXPECT_EQ(ProcessScanner().saved_buffer_count(), 0u);

  // A missing parent is reported and the parse goes on.
  EXPECT_FALSE(Compile(WriteSource("Bar.varno", "Bar is Gone;\nmethod m() { b++; }\n")));
  EXPECT_EQ(MessagesWith("Cannot find ancestor class!").size(), 1u);
  EXPECT_EQ(MessagesWith("++(post)").size(), 1u);
  EXPECT_EQ(Type("Bar")->parentIndex, kNoType);
}

// A chain of classes, each the parent of the one before: 64 compilations nest, the 65th cannot.
TEST_F(CompileDriverTest, SixtyFourClassCompilationsNest) {
  const auto writeChain = [this](int length) {
    for (int i = 0; i < length; ++i) {
      const std::string parent = i + 1 < length ? "C" + std::to_string(i + 1) : "Thing";
      WriteSource("chain/C" + std::to_string(i) + ".varno",
                  "C" + std::to_string(i) + " is " + parent + ";\nattributes { a" + std::to_string(i) + " is number; }\n");
    }
    WriteSource("chain/Thing.varno", "Thing is nothing;\nattributes { }\n");
  };
  AddPath("chain");
  writeChain(64);  // C0 (not nested), C1 ... C63, Thing: 64 nested
  uint32_t index = 0;
  ASSERT_TRUE(Compile(dir() / "chain/C0.varno", &index));
  EXPECT_EQ(table()->count, 14u + 65u);
  EXPECT_EQ(Utf8(table()->types[table()->count - 1]->name), "Thing");
  ASSERT_EQ(TypeTableResolveParents(table()), kRTSuccess);
  EXPECT_EQ(Type("C0")->attributes->count, 64u);

  ResetTable();
  writeChain(65);
  EXPECT_FALSE(Compile(dir() / "chain/C0.varno"));
  EXPECT_EQ(MessagesWith("[VARNO LEXER] Include file nesting too deep!").size(), 1u);
  EXPECT_EQ(MessagesWith("Couldn't push a new lexer context!").size(), 1u);
  EXPECT_EQ(MessagesWith("Error parsing included file").size(), 64u) << "every waiting class reports its parent";
  EXPECT_EQ(ProcessScanner().saved_buffer_count(), 0u);
}

}  // namespace
