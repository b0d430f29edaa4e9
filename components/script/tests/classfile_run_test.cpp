// A program run from class files alone prints what it prints when run from its sources, the
// classes it creates at run time included.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "classfile/class_file_writer.h"
#include "codegen/generate_code.h"
#include "compiler/compile_driver.h"
#include "compiler/search_paths.h"
#include "compiler/type_codes.h"
#include "tests/vm_fixture.h"
#include "vm/vm.h"

namespace {

using namespace varno;
using varno::testing::Utf8;
using varno::testing::WidePath;

class ClassFileRunTest : public varno::testing::VmTest {
 protected:
  // Compiles or reads the file into a table of its own, runs its class's Switchboard on a VM of
  // its own to the end `result` and hands out what it printed. Every class of the table is
  // written into `saveTo` after the run when a folder is given.
  std::vector<std::string> Run(const std::filesystem::path& file, const std::filesystem::path& saveTo = {},
                               uint32_t result = kRunExit) {
    TakeOutput();
    RTVarnoTypeTable* table = nullptr;
    uint32_t index = 0;
    EXPECT_EQ(VarnoParseBrellinAnsiFile(WidePath(file).c_str(), &index, &table, nullptr), kRTSuccess);
    if (!table) return {"<not compiled>"};
    RTVarnoVM* vm = nullptr;
    RTVarnoSymbol* object = nullptr;
    EXPECT_EQ(TypeTableGenerateCode(table), kRTSuccess);
    EXPECT_EQ(VarnoVMFactory(&vm), kRTSuccess);
    VarnoVMSetTypeTable(vm, table);
    EXPECT_EQ(ConstructScriptObject(vm, index, &object), kRTSuccess);
    EXPECT_EQ(VarnoVMSetNewContext(vm, object, u"Switchboard", 1), kRTSuccess);
    EXPECT_EQ(VarnoVMRun(vm), result);
    std::vector<std::string> printed = TakeOutput();
    if (!saveTo.empty()) {
      for (uint32_t i = kFirstClassType; i < table->count; ++i) {
        RTVarnoType* type = table->types[i];
        EXPECT_EQ(StreamOutClass(WidePath(saveTo / (Utf8(type->name) + ".varnoc")).c_str(), table, type), kRTSuccess);
      }
    }
    // Objects first, then the classes they belong to.
    VarnoVMDestructor(vm);
    VarnoVmShutdown();
    TypeTableDestructor(table);
    return printed;
  }
};

TEST_F(ClassFileRunTest, AProgramRunFromClassFilesPrintsWhatItsSourcesPrint) {
  WriteClass("Pet",
             "Pet is Thing;\nattributes { legs is number; }\n"
             "constants { FOUR = 4; }\n"
             "method Constructor() { name = \"pet\"; legs = FOUR; }\n");
  WriteClass("Cat", "Cat is Pet;\nmethod Constructor() { inherited(); name = \"cat\"; }\n");
  WriteClass("Demo",
             "Demo is Thing;\n"
             "attributes { a is list; b is list; d is database; p is Pet; t is Thing; n is number; c is code; }\n"
             "constants { GREETING = \"hello\"; SCALE = <1, 2, 3>; }\n"
             "method number Twice(x is number) { y is number; y = x * 2; return y; }\n"
             "state Switchboard {\n"
             "  print(GREETING); print(SCALE * 2); print(Twice(21));\n"
             "  a = [1, 2, 3]; b = a; b[0] = 9; print(a);\n"
             "  b = b + [4]; b.remove(1); print(a); print(b);\n"
             "  d = (\"b\": 1, \"a\": [true], \"t\": \"x\"); print(d); print(keys(d));\n"
             "  p = new Pet; print(p); print(p.legs);\n"
             "  t = dnew(\"Cat\"); print(t); print(t canbe Pet); print(p canbe Cat);\n"
             "  n = 1; c = code { n = n * 10; print(\"evaluated\"); };\n"
             "  eval(c); eval(code { print(n); });\n"
             "  exit();\n"
             "}\n");
  const std::vector<std::string> fromSource = Run(dir() / "classes/Demo.varno", dir() / "compiled");
  EXPECT_EQ(fromSource,
            (std::vector<std::string>{"hello", "<2.000000, 4.000000, 6.000000>", "42", "[9, 2, 3]", "[9, 2, 3]",
                                      "[9, 3, 4]", "(\"t\": \"x\", \"a\": [true], \"b\": 1)", "[\"t\", \"a\", \"b\"]",
                                      "pet", "4", "cat", "true", "false", "evaluated", "10"}));
  // Cat was compiled while the program ran, and is written with the others.
  for (const char* name : {"Demo", "Thing", "Pet", "Cat"}) {
    EXPECT_TRUE(std::filesystem::exists(dir() / "compiled" / (std::string(name) + ".varnoc"))) << name;
  }

  // Only the class files are on the search path now; the sources are gone.
  std::filesystem::remove_all(dir() / "classes");
  ClearSearchPaths();
  AddPath("compiled");
  EXPECT_EQ(Run(dir() / "compiled/Demo.varnoc"), fromSource);
}

TEST_F(ClassFileRunTest, ARunTimeErrorInAClassReadFromItsFileNamesTheSourceAndLine) {
  const auto source = dir() / "classes/Broken.varno";
  WriteClass("Broken",
             "Broken is Thing;\n"
             "attributes { n is number; }\n"
             "method Divide(by is number) {\n"
             "  print(\"dividing\");\n"
             "  n = 10 / by;\n"
             "}\n"
             "state Switchboard { Divide(0); exit(); }\n");
  EXPECT_EQ(Run(source, dir() / "compiled", kRunError), std::vector<std::string>{"dividing"});
  const std::string report = "[VARNO VM] Last file/line information reports file (" + source.string() + "), line (5)";
  EXPECT_EQ(MessagesWith(report).size(), 1u);

  ClearSearchPaths();
  AddPath("compiled");
  EXPECT_EQ(Run(dir() / "compiled/Broken.varnoc", {}, kRunError), std::vector<std::string>{"dividing"});
  EXPECT_EQ(MessagesWith(report).size(), 2u);
}

}  // namespace
