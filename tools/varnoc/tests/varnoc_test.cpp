// varnoc end to end: a framework root whose registry names it, the staged core linked into it,
// class files in a temporary folder, and the tool run as a process.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/core_host.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class VarnocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The core and the libraries beside it, where a Kivo root keeps them.
    fs::create_directories(host_.root() / "core");
    for (const auto& entry : fs::directory_iterator(TESK_KIVO_CORE_DIR)) {
      const fs::path link = host_.root() / "core" / entry.path().filename();
      if (!fs::exists(link)) fs::create_symlink(entry.path(), link);
    }
  }

  fs::path Write(const std::string& relative, const std::string& contents) {
    const fs::path file = files_.path() / relative;
    tesk::testing::WriteFile(file, contents);
    return file;
  }

  // Runs varnoc with the arguments (the host's registry and debug log are in the environment).
  Outcome Varnoc(const std::string& arguments) {
    const fs::path out = files_.path() / "out.txt";
    const fs::path err = files_.path() / "err.txt";
    const std::string command = std::string("'") + VARNOC_PATH + "' " + arguments + " >'" + out.string() + "' 2>'" +
                                err.string() + "'";
    Outcome run;
    const int result = std::system(command.c_str());
    run.status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    run.out = tesk::testing::ReadFile(out);
    run.err = tesk::testing::ReadFile(err);
    return run;
  }

  tesk::testing::CoreHost host_;
  tesk::testing::TempDir files_;
};

TEST_F(VarnocTest, CompilesAClassWithItsParentsAndDumpsThem) {
  Write("lib/Thing.varno", "Thing is nothing;\nattributes { id is number; }\n");
  Write("lib/Parent.varno", "Parent is Thing;\nconstants { LIMIT = 3; }\nmethod number Count() { return LIMIT; }\n");
  Write("src/Child.varno",
        "Child is Parent;\n"
        "attributes { a is list; }\n"
        "method Run(n is number) {\n"
        "  if (n < 1 and a) print(n); else a = [n, -n * 2];\n"
        "}\n");
  const Outcome run = Varnoc("-I '" + (files_.path() / "lib").string() + "' --dump '" +
                         (files_.path() / "src/Child.varno").string() + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string expected =
      "class Child (14) is Parent (15)\n"
      "  file: " + (files_.path() / "src/Child.varno").string() + "\n"
      "  attributes (own 1):\n"
      "    a: list\n"
      "    LIMIT: number, constant\n"
      "    id: number\n"
      "  constants (own 0):\n"
      "    LIMIT = 3\n"
      "  methods:\n"
      "    method Run(N: number)\n"
      "      declarations: n: number;\n"
      "      (MethodBody\n"
      "        (IfElse\n"
      "          (Less n (And 1 a))\n"
      "          (Print n)\n"
      "          (Assign a (List n (Negate (Multiply n 2))))))\n"
      "class Parent (15) is Thing (16)\n";
  EXPECT_EQ(run.out.substr(0, expected.size()), expected);
  EXPECT_NE(run.out.find("class Thing (16) is none\n"), std::string::npos);
}

TEST_F(VarnocTest, PrintsParseErrorsInTheSystemsForm) {
  Write("lib/Thing.varno", "Thing is nothing;\nattributes { }\n");
  Write("lib/Broken.varno", "Broken is Thing;\n\nmethod m() {\n  x = 1\n}\n");
  const Outcome run = Varnoc("-I'" + (files_.path() / "lib").string() + "' Broken");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "[PARSE ERROR] parse error, expecting `END_STATEMENT' in file: " +
                         (files_.path() / "lib/Broken.varno").string() + ", on line: 5\n"
                         "varnoc: Broken: not compiled\n");
}

TEST_F(VarnocTest, RefusesBadArguments) {
  EXPECT_EQ(Varnoc("").status, 2);
  EXPECT_EQ(Varnoc("--unknown x.varno").status, 2);
  const Outcome missing = Varnoc("Missing");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "Couldn't find class specified\nvarnoc: Missing: not compiled\n");
}

}  // namespace
