// Class files of compiled classes: written and read back into fresh tables with everything they
// carry, read by the compile driver in place of the source, read in the middle of a parse, and the
// failures of writing and reading, which change neither the target file nor the type table.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "classfile/class_file_reader.h"
#include "codegen/generate_code.h"
#include "compiler/compile_driver.h"
#include "compiler/search_paths.h"
#include "compiler/type_codes.h"
#include "tests/classfile_fixture.h"

namespace {

using namespace varno;
using varno::testing::DescribeClass;
using varno::testing::ReadBytes;
using varno::testing::Utf8;
using varno::testing::WidePath;
using varno::testing::WriteBytes;

constexpr const char* kParentSource =
    "Parent is Thing;\n"
    "attributes { c is real; }\n"
    "constants { LIMIT = 10; NAME = \"p\"; }\n"
    "method number Count() { return LIMIT; }\n";

constexpr const char* kChildSource =
    "Child is Parent, singleton;\n"
    "attributes { a is number; b is Parent; v is vector3; l is list; }\n"
    "constants { MAX = 20; RATE = 0.5; ON = false; VEC = <1, 2, 3>; LABEL = \"c\"; }\n"
    "method number Twice(n is number, s is string) { x is number; x = n * 2; return x; }\n"
    "method Fill(out r is number) { r = MAX; }\n"
    "method number Native(a is string) implemented \"RTFoo.Bar\";\n"
    "event Poke(k is number) { print(k); }\n"
    "listener Heard() { }\n"
    "state Switchboard {\n"
    "  l = [1, 2];\n"
    "  eval(code { print(MAX); });\n"
    "  a = Twice(3, \"s\");\n"
    "  exit();\n"
    "}\n";

class ClassFileLoadTest : public varno::testing::ClassFileTest {
 protected:
  // Compiles the class from classes/ and generates the table's code; the class or null.
  RTVarnoType* CompileAndGenerate(std::string_view name) {
    RTVarnoType* type = Type(name);
    if (!type && !Compile(dir() / "classes" / (std::string(name) + ".varno"))) return nullptr;
    if (!TypeTableGenerateCode(table())) return nullptr;
    return Type(name);
  }

  // Writes every script class of table() into the folder.
  void SaveAll(const std::filesystem::path& folder) {
    for (uint32_t i = kFirstClassType; i < table()->count; ++i) {
      RTVarnoType* type = table()->types[i];
      ASSERT_TRUE(Save(type, folder / (Utf8(type->name) + ".varnoc"))) << Utf8(type->name);
    }
  }

  // From now on classes are found in `folder` (under dir()) only.
  void SearchOnly(std::string_view folder) {
    ClearSearchPaths();
    AddPath(folder);
  }

  // Listings of every script class of table(), by name.
  std::map<std::string, std::string> Listings() {
    std::map<std::string, std::string> listings;
    for (uint32_t i = kFirstClassType; i < table()->count; ++i) {
      listings[Utf8(table()->types[i]->name)] = DescribeClass(table(), table()->types[i]);
    }
    return listings;
  }
};

TEST_F(ClassFileLoadTest, AClassReadBackFromItsFileHasAllTheFileCarries) {
  WriteClass("Parent", kParentSource);
  WriteClass("Child", kChildSource);
  ASSERT_NE(CompileAndGenerate("Child"), nullptr);
  SaveAll(dir() / "out");
  const std::map<std::string, std::string> compiled = Listings();

  // Read into a fresh table from the class files alone: the child registers first, so its
  // parent and the parent's parent follow it.
  ResetTable();
  SearchOnly("out");
  RTVarnoType* child = Load(dir() / "out/Child.varnoc");
  ASSERT_NE(child, nullptr) << ::testing::PrintToString(NewMessages());
  EXPECT_EQ(child->index, 14u);
  EXPECT_EQ(Type("Parent")->index, 15u);
  EXPECT_EQ(Type("Thing")->index, 16u);
  ASSERT_EQ(TypeTableGenerateCode(table()), kRTSuccess);
  std::map<std::string, std::string> read = Listings();

  // What a read does not keep: the display names become the key names, out flags are 0, and
  // every constant of the file is the class's own.
  std::map<std::string, std::string> expected = compiled;
  for (auto& [name, listing] : expected) {
    for (const char* display : {"(Twice)", "(Fill)", "(Native)", "(Poke)", "(Heard)", "(Switchboard)", "(Count)",
                                "(Base)", "(Answer)"}) {
      const size_t at = listing.find(display);
      if (at == std::string::npos) continue;
      std::string upper = display;
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      listing.replace(at, upper.size(), upper);
    }
    const size_t out = listing.find("R:number/out 1");
    if (out != std::string::npos) listing.replace(out, 14, "R:number/out 0");
  }
  const auto own = [](std::string& listing, const char* from, const char* to) {
    const size_t at = listing.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    listing.replace(at, std::string(from).size(), to);
  };
  own(expected["Child"], "constants own 5", "constants own 7");
  EXPECT_EQ(read, expected);

  // Written again and read again, nothing changes any more, and no constant is added twice.
  SaveAll(dir() / "again");
  ResetTable();
  SearchOnly("again");
  ASSERT_NE(Load(dir() / "again/Child.varnoc"), nullptr);
  ASSERT_EQ(TypeTableGenerateCode(table()), kRTSuccess);
  EXPECT_EQ(Listings(), read);
  SaveAll(dir() / "third");
  for (const char* name : {"Child", "Parent", "Thing"}) {
    SCOPED_TRACE(name);
    const std::string file = std::string(name) + ".varnoc";
    EXPECT_EQ(ReadBytes(dir() / "third" / file), ReadBytes(dir() / "again" / file));
  }
}

TEST_F(ClassFileLoadTest, TheCompiledFileBesideTheSourceIsReadInItsPlace) {
  const auto source = WriteSource("classes/Foo.varno", "Foo is Thing;\nattributes { a is number; }\n");
  ASSERT_NE(CompileAndGenerate("Foo"), nullptr);
  ASSERT_TRUE(Save(Type("Foo"), dir() / "classes/Foo.varnoc"));

  // The source changes into one that does not parse. Newer than the class file, it is compiled
  // (and fails); as old as the class file, the class file is read in its place.
  WriteSource("classes/Foo.varno", "Foo is Thing;\nattributes { b is number; } this does not parse\n");
  const auto classFileTime = std::filesystem::last_write_time(dir() / "classes/Foo.varnoc");
  std::filesystem::last_write_time(source, classFileTime + std::chrono::hours(1));
  ResetTable();
  EXPECT_EQ(Load(source), nullptr);
  std::filesystem::last_write_time(source, classFileTime);
  ResetTable();
  NewMessages();
  RTVarnoType* foo = Load(source);
  ASSERT_NE(foo, nullptr);
  EXPECT_EQ(NewMessages(), std::vector<std::string>{});
  EXPECT_EQ(Utf8(static_cast<RTVarnoAttribute*>(foo->attributes->first->data)->name), "a");
  EXPECT_EQ(Utf8(foo->fileName), source.string()) << "the file name the class was compiled from";

  // A class file that cannot be read fails the compilation; the source is not tried.
  WriteBytes(dir() / "classes/Foo.varnoc", {0, 0, 1});
  ResetTable();
  EXPECT_EQ(Load(source), nullptr);
  EXPECT_EQ(NewMessages().size(), 1u);
  EXPECT_EQ(table()->count, 14u);

  RTVarnoType* none = nullptr;
  EXPECT_EQ(ReadClassFile(WidePath(dir() / "classes/Missing.varnoc").c_str(), table(), &none), kRTFailure);
  EXPECT_EQ(NewMessages(), std::vector<std::string>{"Couldn't open compiled VARNO file"});
}

TEST_F(ClassFileLoadTest, ASourceParseGoesOnAfterReadingAClassFileItNames) {
  WriteClass("Parent", kParentSource);
  ASSERT_NE(CompileAndGenerate("Parent"), nullptr);
  SaveAll(dir() / "lib");
  ResetTable();
  SearchOnly("lib");
  // Parent and Thing only as class files; the parse reads them where it meets their names.
  WriteSource("src/User.varno",
              "User is Parent;\n"
              "attributes { p is Parent; n is number; }\n"
              "method number Sum() { return n + p.Count(); }\n");
  uint32_t index = 0;
  ASSERT_TRUE(Compile(dir() / "src/User.varno", &index)) << ::testing::PrintToString(NewMessages());
  ASSERT_EQ(TypeTableGenerateCode(table()), kRTSuccess);
  RTVarnoType* user = table()->types[index];
  EXPECT_EQ(Utf8(user->name), "User");
  const std::string listing = DescribeClass(table(), user);
  EXPECT_EQ(listing.rfind("class User flags 8 singleton 0 parent Parent own attributes 2\n"
                          "attributes p:Parent/0 n:number/0 c:real/0 LIMIT:number/2 NAME:string/2 id:number/0\n",
                          0),
            0u)
      << listing;
  RTVarnoMethod* sum = Method(user, u"SUM");
  ASSERT_NE(sum, nullptr);
  EXPECT_NE(Disassembly(sum).find("call P.COUNT"), std::string::npos) << Disassembly(sum);
}

TEST_F(ClassFileLoadTest, AFailedReadTakesBackEveryClassItRegistered) {
  WriteClass("Gone", "Gone is Thing;\nattributes { }\n");
  WriteClass("Parent", kParentSource);
  WriteClass("Holder", "Holder is Parent;\nattributes { g is Gone; }\n");
  ASSERT_NE(CompileAndGenerate("Holder"), nullptr);
  SaveAll(dir() / "out");
  std::filesystem::remove(dir() / "out/Gone.varnoc");
  // A parent whose own file is damaged.
  SaveAll(dir() / "damaged");
  std::vector<uint8_t> parent = ReadBytes(dir() / "damaged/Parent.varnoc");
  parent.resize(parent.size() - 3);
  WriteBytes(dir() / "damaged/Parent.varnoc", parent);

  for (const char* folder : {"out", "damaged"}) {
    SCOPED_TRACE(folder);
    ResetTable();
    SearchOnly(folder);
    NewMessages();
    // Holder registers, then its parent and Thing are read; the missing (or damaged) class ends
    // the read and all three go again.
    EXPECT_EQ(Load(dir() / folder / "Holder.varnoc"), nullptr);
    EXPECT_EQ(table()->count, 14u);
    EXPECT_FALSE(NewMessages().empty());
  }
}

TEST_F(ClassFileLoadTest, AFailedWriteLeavesTheOldFileAndNoStreamBehind) {
  WriteClass("Nully", "Nully is Thing;\nconstants { NOTHING = null; }\n");
  WriteClass("Fine", "Fine is Thing;\nattributes { a is number; }\n");
  RTVarnoType* nully = CompileAndGenerate("Nully");
  RTVarnoType* fine = CompileAndGenerate("Fine");
  ASSERT_TRUE(nully && fine);
  const auto target = dir() / "out/Target.varnoc";
  WriteBytes(target, {1, 2, 3});
  NewMessages();

  // A constant of a kind a class file cannot hold.
  EXPECT_FALSE(Save(nully, target));
  EXPECT_EQ(NewMessages(), std::vector<std::string>{"Couldn't identify constant type!"});
  EXPECT_EQ(ReadBytes(target), (std::vector<uint8_t>{1, 2, 3}));

  // An attribute whose type index the table does not hold.
  RTVarnoAttribute* attribute = static_cast<RTVarnoAttribute*>(fine->attributes->first->data);
  const uint32_t type = attribute->type;
  attribute->type = 500;
  EXPECT_FALSE(Save(fine, target));
  attribute->type = type;
  EXPECT_EQ(NewMessages(), std::vector<std::string>{"[VARNO] type index couldn't be found!"});
  EXPECT_EQ(ReadBytes(target), (std::vector<uint8_t>{1, 2, 3}));

  // A class without code, and a file that cannot be made.
  fine->codeGenerated = 0;
  EXPECT_FALSE(Save(fine, target));
  fine->codeGenerated = 1;
  EXPECT_FALSE(Save(fine, target / "inside.varnoc"));
  EXPECT_EQ(NewMessages(), (std::vector<std::string>{"[VARNO] Class Fine has no generated code to write",
                                                     "Couldn't open the file specified to compile to"}));
  EXPECT_EQ(ReadBytes(target), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir() / "out"), {}), 1)
      << "no partial file is left";

  EXPECT_TRUE(Save(fine, target));
  EXPECT_NE(ReadBytes(target).size(), 3u);
}

}  // namespace
