// varnoc end to end: a framework root whose registry names it, the staged core linked into it,
// class files in a temporary folder, and the tool run as a process.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "host/core_host.h"
#include "host/run_command.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Outcome = tesk::testing::CommandOutcome;

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
  Outcome Varnoc(const std::string& arguments) { return RunTool(VARNOC_PATH, arguments); }

  Outcome RunTool(const char* tool, const std::string& arguments) {
    return tesk::testing::RunCommand(tesk::testing::Quoted(tool) + " " + arguments, files_.path());
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
        "  if (n < 1) print(n); else a = [n, -n * 2];\n"
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
      "          (Less n 1)\n"
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
  EXPECT_EQ(missing.err, "Couldn't find class specified\n"
            "[VARNO] The class Missing is in none of the class folders (there are none)\n"
            "varnoc: Missing: not compiled\n");
}

TEST_F(VarnocTest, ChecksGeneratesAndListsTheCode) {
  Write("lib/Thing.varno", "Thing is nothing;\nattributes { id is number; }\n");
  Write("lib/Counter.varno",
        "Counter is Thing;\n"
        "attributes { n is number; }\n"
        "method Step(k is number) {\n"
        "  n += k;\n"
        "  f = code { print(n); };\n"
        "}\n"
        "state Idle { sleep(1); }\n");
  const Outcome broken = Varnoc("-I '" + (files_.path() / "lib").string() + "' --disasm Counter");
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.out, "");
  // The report is raised twice; varnoc prints it once.
  const std::string file = (files_.path() / "lib/Counter.varno").string();
  EXPECT_EQ(broken.err, "[SYNTAX ERROR] Method (F) not found. in file: " + file +
                            ", on line: 5\n[VARNO] Syntax check failed!\nvarnoc: code generation failed\n");

  Write("lib/Counter.varno",
        "Counter is Thing;\n"
        "attributes { n is number; f is code; }\n"
        "method Step(k is number) {\n"
        "  n += k;\n"
        "  f = code { print(n); };\n"
        "}\n"
        "state Idle { sleep(1); }\n");
  const Outcome run = Varnoc("-I '" + (files_.path() / "lib").string() + "' --disasm Counter");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "== Counter.Step\n"
            "0x0000 | pushs K\n"
            "0x0009 | pushs N\n"
            "0x0012 | add\n"
            "0x0013 | stores N\n"
            "0x001C | pushvc\n"
            "    0x0000 | pushs N\n"
            "    0x0009 | printv\n"
            "    line 5: 0x0000-0x0009\n"
            "0x0040 | stores F\n"
            "0x0049 | return\n"
            "-- lines\n"
            "line 4: 0x0000-0x0013\n"
            "line 5: 0x001C-0x0040\n"
            "line 6: 0x0049-0x0049\n"
            "== Counter.Idle\n"
            "0x0000 | pushvn 0x00000001\n"
            "0x0005 | sleep\n"
            "0x0006 | loops 0x00000000\n"
            "-- lines\n"
            "line 7: 0x0000-0x0006\n");
}

TEST_F(VarnocTest, WritesClassFilesThatRunWithoutTheirSources) {
  // varno-run runs classes on the scripting component.
  host_.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTVarno"));
  Write("lib/Thing.varno", "Thing is nothing;\nattributes { name is string; }\nmethod Constructor() { }\n");
  Write("lib/Pet.varno", "Pet is Thing;\nconstants { SOUND = \"purr\"; }\nmethod Constructor() { name = SOUND; }\n");
  Write("src/Demo.varno",
        "Demo is Thing;\n"
        "attributes { p is Pet; }\n"
        "state Switchboard { p = new Pet; print(p); print([1, 2] + [3]); exit(); }\n");
  const std::string lib = "-I '" + (files_.path() / "lib").string() + "' ";
  const std::string demo = "'" + (files_.path() / "src/Demo.varno").string() + "'";

  // A folder takes every class of the table; a file takes the one class given.
  const Outcome folder = Varnoc(lib + "-o '" + (files_.path() / "out").string() + "/' " + demo);
  EXPECT_EQ(folder.status, 0) << folder.err;
  EXPECT_EQ(folder.err, "");
  for (const char* name : {"Demo", "Thing", "Pet"}) {
    EXPECT_TRUE(fs::exists(files_.path() / "out" / (std::string(name) + ".varnoc"))) << name;
  }
  const Outcome file = Varnoc(lib + "-o '" + (files_.path() / "one.varnoc").string() + "' " + demo);
  EXPECT_EQ(file.status, 0) << file.err;
  EXPECT_EQ(tesk::testing::ReadFile(files_.path() / "one.varnoc"),
            tesk::testing::ReadFile(files_.path() / "out/Demo.varnoc"));

  const Outcome fromSource = RunTool(VARNO_RUN_PATH, lib + demo);
  EXPECT_EQ(fromSource.status, 0) << fromSource.err;
  EXPECT_EQ(fromSource.out, "purr\n[1, 2, 3]\n");
  fs::remove_all(files_.path() / "lib");
  const Outcome fromClassFiles = RunTool(VARNO_RUN_PATH, "-I '" + (files_.path() / "out").string() + "' '" +
                                                            (files_.path() / "out/Demo.varnoc").string() + "'");
  EXPECT_EQ(fromClassFiles.status, 0) << fromClassFiles.err;
  EXPECT_EQ(fromClassFiles.out, fromSource.out);

  // One file cannot hold two classes; a file that cannot be made is reported.
  EXPECT_EQ(Varnoc("-o one.varnoc A B").status, 2);
  const Outcome unwritable = Varnoc("-I '" + (files_.path() / "out").string() + "' -o '" +
                                    (files_.path() / "one.varnoc/Demo.varnoc").string() + "' Demo");
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "Couldn't open the file specified to compile to\nvarnoc: " +
                                (files_.path() / "one.varnoc/Demo.varnoc").string() + ": not written\n");
}

// A class file beside its source is used while it is at least as new as the source (--verbose
// says so); an older one is stale and the source runs. varnoc -o always compiles from the source,
// and a broken source leaves the old class file as it was.
TEST_F(VarnocTest, AClassFileOlderThanItsSourceIsNotUsed) {
  host_.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTVarno"));
  Write("lib/Thing.varno", "Thing is nothing;\nattributes { name is string; }\nmethod Constructor() { }\n");
  const fs::path source = Write("src/Say.varno", "Say is Thing;\nstate Switchboard { print(\"compiled\"); exit(); }\n");
  const fs::path compiled = files_.path() / "src/Say.varnoc";
  const std::string lib = "-I '" + (files_.path() / "lib").string() + "' ";
  const std::string say = "'" + source.string() + "'";
  ASSERT_EQ(Varnoc(lib + "-o '" + compiled.string() + "' " + say).status, 0);

  Write("src/Say.varno", "Say is Thing;\nstate Switchboard { print(\"edited\"); exit(); }\n");
  const auto compiledTime = fs::last_write_time(compiled);
  fs::last_write_time(source, compiledTime + std::chrono::seconds(5));
  Outcome run = RunTool(VARNO_RUN_PATH, lib + "--verbose " + say);
  EXPECT_EQ(run.out, "edited\n");
  EXPECT_NE(run.err.find("[VARNO] The class file " + compiled.string() + " is older than its source"), std::string::npos);

  fs::last_write_time(source, compiledTime);
  run = RunTool(VARNO_RUN_PATH, lib + "--verbose " + say);
  EXPECT_EQ(run.out, "compiled\n");
  EXPECT_NE(run.err.find("[VARNO] Reading the class file " + compiled.string()), std::string::npos) << run.err;
  run = RunTool(VARNO_RUN_PATH, lib + say);
  EXPECT_EQ(run.out, "compiled\n");
  EXPECT_EQ(run.err, "") << "without --verbose a run prints only its result";

  // As new as the class file, the source is still what -o compiles.
  ASSERT_EQ(Varnoc(lib + "-o '" + compiled.string() + "' " + say).status, 0);
  fs::last_write_time(source, fs::last_write_time(compiled));
  EXPECT_EQ(RunTool(VARNO_RUN_PATH, lib + say).out, "edited\n");
  const std::string before = tesk::testing::ReadFile(compiled);
  Write("src/Say.varno", "Say is Thing;\nstate Switchboard { print(\"broken\") }\n");
  fs::last_write_time(source, fs::last_write_time(compiled));
  const Outcome broken = Varnoc(lib + "-o '" + compiled.string() + "' " + say);
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("[PARSE ERROR]"), std::string::npos) << broken.err;
  EXPECT_EQ(tesk::testing::ReadFile(compiled), before);
}

}  // namespace
