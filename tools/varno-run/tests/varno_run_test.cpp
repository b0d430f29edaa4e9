// varno-run end to end: a framework root whose registry names it, the staged core linked into it,
// class files in a temporary folder, and the tool run as a process: the script's prints on
// standard output, messages on standard error.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/core_host.h"
#include "host/run_command.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Outcome = tesk::testing::CommandOutcome;

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
    return tesk::testing::RunCommand(std::string("'") + VARNO_RUN_PATH + "' -I '" + (files_.path() / "lib").string() +
                                         "' " + arguments,
                                     files_.path());
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

// The report names the file and line, then dumps every context once, the one that failed first;
// an object whose name was never assigned shows as "(no name)". The last line says the run ended
// with an error, and the exit status agrees.
TEST_F(VarnoRunTest, ARunTimeErrorReportsFileLineAndEachContextOnce) {
  const fs::path helper = Write("lib/Helper.varno", "Helper is Thing;\nstate Switchboard { sleep(10); }\n");
  const fs::path file = Write("lib/Broken.varno",
                              "Broken is Thing;\n"
                              "attributes { n is number; h is Helper; }\n"
                              "method Constructor() { name = \"broken\"; }\n"
                              "method Divide(by is number) {\n"
                              "  print(\"dividing\");\n"
                              "  n = 10 / by;\n"
                              "}\n"
                              "state Switchboard {\n"
                              "  start(h);\n"
                              "  Divide(0);\n"
                              "  exit();\n"
                              "}\n");
  const Outcome run = VarnoRun("Broken");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "dividing\n");
  const std::string expected =
      "[VARNO VM] Execute (div): Division by zero!\n"
      "[VARNO VM] Last file/line information reports file (" + file.string() + "), line (6)\n"
      "Running contexts: 2\n"
      "Current file (" + file.string() + "), line (6)\n"
      "Running Context's name: broken and type: Broken\n"
      "Number of events: 0, Deafened: 0\n"
      "*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=\n"
      "Call Stack:\n"
      "Broken.Divide. File: " + file.string() + "\n"
      "Broken.Switchboard. File: " + file.string() + "\n"
      " \n"
      " \n"
      "Context's name: (no name), and type: Helper\n"
      "Number of events: 0, Deafened: 0\n"
      "*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=\n"
      "Call Stack:\n"
      "Helper.Switchboard. File: " + helper.string() + "\n"
      " \n"
      "varno-run: the run ended with an error\n";
  EXPECT_EQ(run.err, expected);
}

// A script that recurses without end stops at the call depth limit through the error exit: the
// message, the file and line, and the call stack with its top and bottom frames.
TEST_F(VarnoRunTest, RunawayRecursionStopsAtTheCallDepthLimit) {
  const fs::path file = Write("lib/Deep.varno",
                              "Deep is Thing;\n"
                              "attributes { n is number; }\n"
                              "method Down(k is number) {\n"
                              "  n = k;\n"
                              "  Down(k + 1);\n"
                              "}\n"
                              "state Switchboard { Down(1); exit(); }\n");
  const Outcome run = VarnoRun("Deep");
  EXPECT_EQ(run.status, 1);
  std::string stack;
  for (int i = 0; i < 16; ++i) stack += "Deep.Down. File: " + file.string() + "\n";
  stack += "... 9968 more call frames ...\n";
  for (int i = 0; i < 15; ++i) stack += "Deep.Down. File: " + file.string() + "\n";
  stack += "Deep.Switchboard. File: " + file.string() + "\n";
  const std::string context = "Number of events: 0, Deafened: 0\n"
                              "*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=\n"
                              "Call Stack:\n" + stack + " \n";
  EXPECT_EQ(run.err, "[VARNO VM] call stack too deep: a context holds at most 10000 call frames\n"
                     "[VARNO VM] Last file/line information reports file (" + file.string() + "), line (5)\n"
                     "Running contexts: 1\n"
                     "Current file (" + file.string() + "), line (5)\n"
                     "Running Context's name: (no name) and type: Deep\n" + context + " \n" +
                     "varno-run: the run ended with an error\n");
}

// A failed allocation while the script runs (here inside a native method) ends the run through
// the error exit, not the process.
TEST_F(VarnoRunTest, AFailedAllocationTakesTheErrorExit) {
  const fs::path file = Write("lib/Hungry.varno",
                              "Hungry is Thing;\n"
                              "method Eat() implemented \"RTVarnoTestNative.RunOutOfMemory\";\n"
                              "state Switchboard {\n"
                              "  print(\"eating\");\n"
                              "  Eat();\n"
                              "  exit();\n"
                              "}\n");
  const Outcome run = VarnoRun("Hungry");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "eating\n");
  EXPECT_EQ(run.err.rfind("[VARNO VM] Out of memory: an allocation failed while the script ran!\n"
                          "[VARNO VM] Last file/line information reports file (" + file.string() + "), line (5)\n",
                          0),
            0u)
      << run.err;
  EXPECT_NE(run.err.find("[C/C++ method] RTVarnoTestNative.RunOutOfMemory.\nHungry.Switchboard. File: "),
            std::string::npos);
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

// A program that keeps every kind of state a snapshot holds alive across pass boundaries: frames
// stopped in a sleep two calls deep, an eval stopped inside its code, events queued, a listener
// waiting to run with its speaker, a singleton, a context asleep for good, lists, databases and
// code values.
constexpr const char* kBigClasses[][2] = {
    {"Ticker", "Ticker is Thing;\nattributes { k is number; }\nstate Switchboard { k = k + 1; print(name + \" \" + k); }\n"},
    {"Counter", "Counter is Thing, singleton;\nattributes { total is number; }\n"
                "method Constructor() { total = 100; print(\"counter made\"); }\n"
                "method number Bump() { total = total + 1; return total; }\n"},
    {"Guard", "Guard is Thing;\nattributes { hits is number; }\n"
              "listener Heard(k is number, s is string) { hits = hits + 1;"
              " print(\"heard \" + k + \" \" + s + \" hits \" + hits); print(speaker); }\n"},
    {"Pinger", "Pinger is Thing;\nattributes { got is list; }\n"
               "event OnPing(k is number, s is string) { got = got + [k]; print(\"ping \" + k + \" \" + s + \" \" + got); }\n"
               "state Switchboard { print(\"pinger idle\"); }\n"},
    {"Sleeper", "Sleeper is Thing;\nattributes { k is number; }\n"
                "state Switchboard { k = k + 1; print(name + \" wakes \" + k); sleep(100000); }\n"},
    {"Big",
     "Big is Thing;\n"
     "attributes { b is Ticker; p is Pinger; g is Guard; z is Sleeper; c is Counter; n is number;"
     " l is list; d is database; cv is code; other is Counter; }\n"
     "method Constructor() {\n"
     "  name = \"big\"; b.name = \"b\"; p.name = \"p\"; g.name = \"g\"; z.name = \"z\";\n"
     "  p.OnPing = g.Heard;\n"
     "  l = [1, \"two\", 3.5, [4, \"five\"], true, <1, 2, 3>]; d = (\"x\": 1, \"y\": [true, 2.5], \"s\": \"text\");\n"
     "  cv = code { print(\"code value \" + n + \" \" + c.Bump()); };\n"
     "}\n"
     "method Deeper(m is number, s is string) { sleep(0); print(\"deeper \" + m + \" \" + s); }\n"
     "method Deep(m is number) { t is Thing; t = new Thing; t.name = \"local\" + m; Deeper(m, \"via \" + t.name);"
     " print(\"deep \" + m + \" \" + t.name); }\n"
     "state Switchboard {\n"
     "  if (n == 0) { start(b); start(p); start(z); }\n"
     "  n = n + 1; print(\"big \" + n);\n"
     "  p.OnPing(n, \"first\"); p.OnPing(n * 10, \"second\");\n"
     "  Deep(n);\n"
     "  eval(code { print(\"eval start \" + n); sleep(0); print(\"eval end \" + n); });\n"
     "  eval(cv);\n"
     "  other = new Counter; print(\"singleton \" + other.total);\n"
     "  l = l + [n, b]; d = addkey(d, \"k\" + n, [n, p]); print(l); print(d);\n"
     "}\n"},
};

TEST_F(VarnoRunTest, ARunSavedAfterSomePassesGoesOnInANewProcessAsTheUninterruptedRun) {
  for (const auto& [name, source] : kBigClasses) Write(std::string("lib/") + name + ".varno", source);
  constexpr int kPasses = 12;
  const Outcome whole = VarnoRun("--passes 12 Big");
  ASSERT_EQ(whole.status, 0) << whole.err;
  ASSERT_NE(whole.out.find("heard 1 first hits 1\np\n"), std::string::npos) << whole.out;
  const std::string snapshot = (files_.path() / "saved.snapshot").string();
  for (const int stop : {1, 2, 4, 7, 11}) {
    SCOPED_TRACE("saved after pass " + std::to_string(stop));
    const Outcome saved = VarnoRun("--save-after " + std::to_string(stop) + " '" + snapshot + "' Big");
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.err, "varno-run: " + std::to_string(stop) + " passes\n");
    const Outcome loaded = VarnoRun("--passes " + std::to_string(kPasses - stop) + " --load '" + snapshot + "'");
    EXPECT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(loaded.err, "varno-run: " + std::to_string(kPasses - stop) + " passes\n");
    EXPECT_EQ(saved.out + loaded.out, whole.out);
  }
  // Saved, loaded and saved again: the chain goes on the same; a loaded VM saved at once writes a
  // snapshot of the same size (the objects in the same order).
  const std::string again = (files_.path() / "again.snapshot").string();
  const Outcome first = VarnoRun("--save-after 3 '" + snapshot + "' Big");
  const Outcome second = VarnoRun("--save-after 4 '" + again + "' --load '" + snapshot + "'");
  const Outcome third = VarnoRun("--passes 5 --load '" + again + "'");
  EXPECT_EQ(first.out + second.out + third.out, whole.out);
  const Outcome resaved = VarnoRun("--save-after 0 '" + snapshot + "' --load '" + again + "'");
  EXPECT_EQ(resaved.status, 0) << resaved.err;
  EXPECT_EQ(tesk::testing::ReadFile(snapshot).size(), tesk::testing::ReadFile(again).size());
}

TEST_F(VarnoRunTest, SnapshotsThatCannotBeWrittenOrReadAndTheirArguments) {
  Write("lib/Brief.varno", "Brief is Thing;\nattributes { n is number; }\n"
                           "state Switchboard { n = n + 1; print(n); if (n == 2) exit(); }\n");
  const std::string snapshot = (files_.path() / "brief.snapshot").string();
  const Outcome early = VarnoRun("--save-after 5 '" + snapshot + "' Brief");
  EXPECT_EQ(early.status, 1);
  EXPECT_NE(early.err.find("varno-run: the run ended before its passes were used up: no snapshot written"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(snapshot));
  ASSERT_EQ(VarnoRun("--save-after 1 '" + snapshot + "' Brief").status, 0);
  // A snapshot cut short is refused; the file is not touched.
  std::string bytes = tesk::testing::ReadFile(snapshot);
  tesk::testing::WriteFile(snapshot, bytes.substr(0, bytes.size() / 2));
  const Outcome cut = VarnoRun("--load '" + snapshot + "'");
  EXPECT_EQ(cut.status, 2);
  EXPECT_NE(cut.err.find("VNStreamIn() -- The snapshot is damaged at byte"), std::string::npos) << cut.err;
  EXPECT_NE(cut.err.find(": the snapshot cannot be read"), std::string::npos);
  EXPECT_EQ(VarnoRun("--load '" + (files_.path() / "missing").string() + "'").status, 2);
  EXPECT_EQ(VarnoRun("--save-after 1 Brief").status, 2) << "no file";
  EXPECT_EQ(VarnoRun("--load '" + snapshot + "' Brief").status, 2) << "a class and a snapshot";
  EXPECT_EQ(VarnoRun("--passes 2 --save-after 1 x Brief").status, 2);
}

TEST_F(VarnoRunTest, ClassesThatDoNotCompileAndBadArguments) {
  // The checker raises its report twice; it is printed once.
  const fs::path bad = Write("lib/Bad.varno", "Bad is Thing;\nattributes { n is number; }\n"
                                              "state Switchboard { n = \"text\"; }\n");
  const Outcome badRun = VarnoRun("Bad");
  EXPECT_EQ(badRun.status, 2);
  EXPECT_EQ(badRun.err, "[SYNTAX ERROR] Incompatible types in assignment. in file: " + bad.string() +
                            ", on line: 3\n[VARNO] Syntax check failed!\nvarno-run: Bad: no code generated\n");
  EXPECT_EQ(VarnoRun("Missing").status, 2);
  EXPECT_EQ(VarnoRun("").status, 2);
}

// After the -I folders come the folder of the file named and the game's "Varno Paths"; a class in
// none of them is named with the folders searched.
TEST_F(VarnoRunTest, ClassesAreFoundBesideTheFileNamedAndOnTheGamesVarnoPaths) {
  host_.WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nRoot=" + host_.root().string() +
                      "\n[HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk]\nVarno Paths=" +
                      (files_.path() / "game").string() + ";" + (files_.path() / "more").string() + "\n");
  Write("src/Base.varno", "Base is Thing;\nmethod Hello() { print(\"hello from beside\"); }\n");
  Write("more/Extra.varno", "Extra is Thing;\nmethod Constructor() { name = \"extra from the game's paths\"; }\n");
  const fs::path top = Write("src/Top.varno", "Top is Base;\nattributes { e is Extra; }\n"
                                              "state Switchboard { Hello(); e = new Extra; print(e.name); exit(); }\n");
  const Outcome run = VarnoRun("'" + top.string() + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "hello from beside\nextra from the game's paths\n");

  const fs::path lost = Write("src/Lost.varno", "Lost is Gone;\nstate Switchboard { exit(); }\n");
  const Outcome missing = VarnoRun("'" + lost.string() + "'");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("[VARNO] The class Gone is in none of the class folders (" +
                             (files_.path() / "lib/").string() + ", " + (files_.path() / "src/").string() + ", " +
                             (files_.path() / "game/").string() + ", " + (files_.path() / "more/").string() + ")\n"),
            std::string::npos)
      << missing.err;
}

}  // namespace
