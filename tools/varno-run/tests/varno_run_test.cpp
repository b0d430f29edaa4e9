// varno-run end to end: a framework root whose registry names it, the staged core linked into it,
// class files in a temporary folder, and the tool run as a process: the script's prints on
// standard output, messages on standard error.
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

constexpr const char* kThing =
    "Thing is nothing;\nattributes { name is string; }\nmethod Constructor() { }\n";

class VarnoRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(host_.root() / "core");
    for (const auto& entry : fs::directory_iterator(TESK_KIVO_CORE_DIR)) {
      const fs::path link = host_.root() / "core" / entry.path().filename();
      if (!fs::exists(link)) fs::create_symlink(entry.path(), link);
    }
    // The scripting component and a native component that scripts call.
    host_.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTVarno"));
    host_.InstallComponent(VARNO_TEST_NATIVE);
    Write("lib/Thing.varno", kThing);
  }

  fs::path Write(const std::string& relative, const std::string& contents) {
    const fs::path file = files_.path() / relative;
    tesk::testing::WriteFile(file, contents);
    return file;
  }

  Outcome VarnoRun(const std::string& arguments) {
    const fs::path out = files_.path() / "out.txt";
    const fs::path err = files_.path() / "err.txt";
    const std::string command = std::string("'") + VARNO_RUN_PATH + "' -I '" + (files_.path() / "lib").string() +
                                "' " + arguments + " >'" + out.string() + "' 2>'" + err.string() + "'";
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

TEST_F(VarnoRunTest, AScriptRunsAndPrintsItsLines) {
  Write("lib/Pet.varno",
        "Pet is Thing;\nattributes { legs is number; }\n"
        "method Constructor() { name = \"pet\"; legs = 4; }\n");
  Write("lib/Cat.varno", "Cat is Pet;\nmethod Constructor() { inherited(); name = \"cat\"; }\n");
  Write("lib/Demo.varno",
        "Demo is Thing;\n"
        "attributes { a is list; b is list; d is database; p is Pet; t is Thing; n is number; c is code; }\n"
        "state Switchboard {\n"
        "  print(2 - 5);\n"
        "  print(\"ab\" + 5);\n"
        "  print(1 + 2.5);\n"
        "  print(7 / 2); print(-7 / 2);\n"
        "  print(2147483647 + 1);\n"
        "  print(<1, 2, 3> * 2); print(<1, 2, 3> * <1, 1, 1>); print(\"at \" + <0.5, 0, -1>);\n"
        "  a = [1, 2, 3]; b = a; b[0] = 9; print(a);\n"
        "  b = b + [4]; b.remove(1); print(a); print(b);\n"
        "  d = (\"b\": 1, \"a\": [true], \"t\": \"x\"); print(d); print(keys(d));\n"
        "  p = new Pet; print(p); print(p.legs);\n"
        "  t = dnew(\"Cat\"); print(t); print(t canbe Pet); print(p canbe Cat); print(3 canbe real);\n"
        "  n = 1; c = code { n = n * 10; print(\"evaluated\"); };\n"
        "  eval(c); eval(code { print(n); });\n"
        "  exit();\n"
        "}\n");
  const Outcome run = VarnoRun("Demo");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "-3\n"
            "ab5\n"
            "3.500000\n"
            "3\n"
            "-3\n"
            "-2147483648\n"
            "<2.000000, 4.000000, 6.000000>\n"
            "6.000000\n"
            "at <0.500000, 0.000000, -1.000000>\n"
            "[9, 2, 3]\n"
            "[9, 2, 3]\n"
            "[9, 3, 4]\n"
            "(\"t\": \"x\", \"a\": [true], \"b\": 1)\n"
            "[\"t\", \"a\", \"b\"]\n"
            "pet\n"
            "4\n"
            "cat\n"
            "true\n"
            "false\n"
            "true\n"
            "evaluated\n"
            "10\n");
}

TEST_F(VarnoRunTest, ARunTimeErrorReportsFileLineAndState) {
  const fs::path file = Write("lib/Broken.varno",
                              "Broken is Thing;\n"
                              "attributes { n is number; }\n"
                              "method Constructor() { name = \"broken\"; }\n"
                              "method Divide(by is number) {\n"
                              "  print(\"dividing\");\n"
                              "  n = 10 / by;\n"
                              "}\n"
                              "state Switchboard {\n"
                              "  Divide(0);\n"
                              "  exit();\n"
                              "}\n");
  const Outcome run = VarnoRun("Broken");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "dividing\n");
  const std::string expected =
      "[VARNO VM] Execute (div): Division by zero!\n"
      "[VARNO VM] Last file/line information reports file (" + file.string() + "), line (6)\n"
      "Running contexts: 1\n"
      "Current file (" + file.string() + "), line (6)\n"
      "Running Context's name: broken and type: Broken\n"
      "Number of events: 0, Deafened: 0\n"
      "*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=\n"
      "Call Stack:\n"
      "Broken.Divide. File: " + file.string() + "\n"
      "Broken.Switchboard. File: " + file.string() + "\n"
      " \n"
      " \n"
      "Context's name: broken, and type: Broken\n"
      "Number of events: 0, Deafened: 0\n"
      "*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=\n"
      "Call Stack:\n"
      "Broken.Divide. File: " + file.string() + "\n"
      "Broken.Switchboard. File: " + file.string() + "\n"
      " \n"
      "varno-run: the run ended with result 0\n";
  EXPECT_EQ(run.err, expected);
}

TEST_F(VarnoRunTest, ContextsTakeTurnsNativeMethodsAnswerAndThePassesCanEndTheRun) {
  Write("lib/Ticker.varno", "Ticker is Thing;\nattributes { k is number; }\n"
                            "state Switchboard { k = k + 1; print(name + \" \" + k); }\n");
  Write("lib/Crowd.varno",
        "Crowd is Thing;\n"
        "attributes { b is Ticker; c is Ticker; n is number; }\n"
        "method number Twice(a is number, s is string) implemented \"RTVarnoTestNative.Describe\";\n"
        "method string Text() implemented \"RTVarnoTestNative.Give\";\n"
        "method Constructor() { b.name = \"b\"; c.name = \"c\"; }\n"
        "state Switchboard {\n"
        "  if (n == 0) { start(b); start(c); print(Twice(7, Text())); }\n"
        "  n = n + 1; print(\"a \" + n);\n"
        "}\n");
  const Outcome run = VarnoRun("--passes 3 Crowd");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Describe(2): number 7, string \"native text\"\n2\na 1\nb 1\nc 1\na 2\nb 2\nc 2\na 3\nb 3\nc 3\n");
  EXPECT_EQ(run.err, "varno-run: 3 passes\n");
  EXPECT_EQ(VarnoRun("--passes x Crowd").status, 2);
}

TEST_F(VarnoRunTest, ClassesThatDoNotCompileAndBadArguments) {
  Write("lib/Bad.varno", "Bad is Thing;\nstate Switchboard { x = 1; }\n");
  const Outcome bad = VarnoRun("Bad");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("[SYNTAX ERROR]"), std::string::npos) << bad.err;
  EXPECT_NE(bad.err.find("varno-run: Bad: no code generated"), std::string::npos);
  EXPECT_EQ(VarnoRun("Missing").status, 2);
  EXPECT_EQ(VarnoRun("").status, 2);
}

}  // namespace
