// Snapshots of running VMs: a run saved at a pass boundary and loaded again goes on exactly as the
// run it was saved from (for several stops, under the test's clock); the singleton that exists
// takes the saved one's state; the developer instruction loads a snapshot in the middle of a run;
// the host's own references through the object index and the patch table; what the writer refuses.
#include <gtest/gtest.h>

#include <algorithm>

#include "compiler/type_records.h"
#include "kivo/support/stream_calls.h"
#include "host/temp_dir.h"
#include "tests/component/snapshot_fixture.h"
#include "vm/symbol.h"

namespace {

using varno::testing::SnapshotTest;
namespace calls = varno::scripting;

constexpr int kPasses = 10;

// Drops the loader's memory line, which must be there once.
std::vector<std::string> WithoutMemoryLine(std::vector<std::string> lines) {
  auto isMemoryLine = [](const std::string& line) {
    const std::string start = "Memory blocks: Used ";
    const size_t blocks = line.find(" blocks, ");
    return line.rfind(start, 0) == 0 && blocks != std::string::npos && blocks > start.size() &&
           line.size() > blocks + 9 + 5 && line.compare(line.size() - 5, 5, " heap") == 0;
  };
  size_t found = 0;
  for (auto line = lines.begin(); line != lines.end();) {
    if (isMemoryLine(*line)) {
      ++found;
      line = lines.erase(line);
    } else {
      ++line;
    }
  }
  EXPECT_EQ(found, 1u) << "the loader writes its memory line once";
  return lines;
}

TEST_F(SnapshotTest, ARunLoadedFromItsSnapshotGoesOnAsTheRunItWasSavedFrom) {
  CompileBig();
  calls::Type counter = nullptr;
  ASSERT_TRUE(calls::TypeTableRetrieveTypeByName(varno(), table(), u"Counter", &counter));
  for (const int stop : {1, 2, 3, 5, 8}) {
    SCOPED_TRACE("saved after pass " + std::to_string(stop));
    calls::VM vm = NewVM();
    ASSERT_NE(Start("Big", vm), nullptr);
    // The snapshot is taken where a pass begins; the run goes on to its end.
    std::string snapshot;
    OnPass([&](int pass) {
      if (pass == stop + 1) {
        TakeOutput();
        snapshot = Save(vm);
      }
      if (pass == kPasses + 1) return 0;
      Advance(100);
      return 1;
    });
    EXPECT_EQ(Run(vm), calls::kRunStopped);
    const std::vector<std::string> uninterrupted = TakeOutput();
    ASSERT_FALSE(snapshot.empty());
    ASSERT_GT(uninterrupted.size(), 10u);
    if (stop == 1) {
      // Saved with frames stopped in Deeper's sleep, an eval stopped inside its code, a listener
      // waiting with its speaker, events queued and the quarter-second sleeper asleep.
      for (const char* line : {"deeper 1 via local1", "eval end 1", "heard 1 first hits 1", "p", "ping 10 second [1, 10]",
                               "y wakes 2"}) {
        EXPECT_NE(std::find(uninterrupted.begin(), uninterrupted.end(), line), uninterrupted.end()) << line;
      }
    }
    calls::Symbol singleton = counter->singletonObject;
    ASSERT_NE(singleton, nullptr);
    const int32_t total = Number(singleton, u"total");

    // The same VM loads the snapshot (its contexts give way) and runs the same passes again.
    ASSERT_TRUE(Load(vm, snapshot));
    EXPECT_EQ(counter->singletonObject, singleton) << "the singleton that exists takes the saved state";
    EXPECT_LE(Number(counter->singletonObject, u"total"), total);
    EXPECT_EQ(ContextCount(vm), 5u);
    const std::vector<std::string> loaderLines = WithoutMemoryLine(TakeOutput());
    EXPECT_TRUE(loaderLines.empty());
    OnPass([&](int pass) {
      if (pass == kPasses - stop + 1) return 0;
      Advance(100);
      return 1;
    });
    EXPECT_EQ(Run(vm), calls::kRunStopped);
    EXPECT_EQ(TakeOutput(), uninterrupted);
  }
  EXPECT_TRUE(MessagesWith("VNStreamIn").empty());
}

TEST_F(SnapshotTest, TwoHoldersOfADatabaseStaySeparateAcrossASnapshot) {
  // Saved while the two share the database (after pass 1), after one changed it (2), after the
  // other did (3) and when both hold copies (4).
  ASSERT_GE(Compile("Ledger", "Ledger is Thing;\nattributes { d is database; e is database; n is number; }\n"
                              "state Switchboard { n = n + 1;\n"
                              "  if (n == 1) { d = (\"a\": 1); e = d; }\n"
                              "  if (n == 2) { d = addkey(d, \"b\", 2); }\n"
                              "  if (n == 3) { e = remove(e, \"a\"); }\n"
                              "  if (n > 3) { d = addkey(d, \"n\" + n, n); e = addkey(e, \"a\", n); }\n"
                              "  print(d); print(e); }\n"),
            0);
  constexpr int kLedgerPasses = 6;
  for (const int stop : {1, 2, 3, 4}) {
    SCOPED_TRACE("saved after pass " + std::to_string(stop));
    calls::VM vm = NewVM();
    ASSERT_NE(Start("Ledger", vm), nullptr);
    std::string snapshot;
    OnPass([&](int pass) {
      if (pass == stop + 1) {
        TakeOutput();
        snapshot = Save(vm);
      }
      return pass == kLedgerPasses + 1 ? 0 : 1;
    });
    EXPECT_EQ(Run(vm), calls::kRunStopped);
    const std::vector<std::string> uninterrupted = TakeOutput();
    if (stop == 1) {
      EXPECT_EQ(uninterrupted.front(), "(\"a\": 1, \"b\": 2)");
      EXPECT_EQ(uninterrupted[1], "(\"a\": 1)");
    }
    calls::VM loaded = NewVM();
    ASSERT_TRUE(Load(loaded, snapshot));
    WithoutMemoryLine(TakeOutput());
    OnPass([&](int pass) { return pass == kLedgerPasses - stop + 1 ? 0 : 1; });
    EXPECT_EQ(Run(loaded), calls::kRunStopped);
    EXPECT_EQ(TakeOutput(), uninterrupted);
  }
}

TEST_F(SnapshotTest, EveryCutOfARunningProgramsSnapshotIsRefusedAndTheRunGoesOnUntouched) {
  CompileBig();
  ASSERT_NE(Start("Big"), nullptr);
  std::string snapshot;
  size_t refused = 0;
  size_t silent = 0;
  OnPass([&](int pass) {
    if (pass == 4) {
      TakeOutput();
      snapshot = Save(vm());
      const uint32_t symbols = SymbolCount();
      for (size_t size = 0; size < snapshot.size(); ++size) {
        TakeMessages();
        if (!Load(vm(), snapshot.substr(0, size))) ++refused;
        if (TakeMessages().empty()) ++silent;
      }
      EXPECT_EQ(SymbolCount(), symbols);
      EXPECT_EQ(ContextCount(), 5u);
    }
    if (pass == 8) return 0;
    Advance(100);
    return 1;
  });
  EXPECT_EQ(Run(), calls::kRunStopped);
  const std::vector<std::string> untouched = TakeOutput();
  EXPECT_EQ(refused, snapshot.size());
  EXPECT_EQ(silent, 0u) << "every refusal reports";
  // The run that saw every cut goes on as the saved state does.
  ASSERT_TRUE(Load(vm(), snapshot));
  WithoutMemoryLine(TakeOutput());
  OnPass([this](int pass) {
    if (pass == 5) return 0;
    Advance(100);
    return 1;
  });
  EXPECT_EQ(Run(), calls::kRunStopped);
  EXPECT_EQ(TakeOutput(), untouched);
}

TEST_F(SnapshotTest, TheDeveloperInstructionLoadsASnapshotInTheMiddleOfARun) {
  tesk::testing::TempDir drive;
  setenv("TESK_DRIVE_C", drive.path().c_str(), 1);
  ASSERT_GE(Compile("Diary", "Diary is Thing;\nattributes { n is number; l is list; }\n"
                             "state Switchboard { n = n + 1; l = l + [n]; print(\"n \" + n + \" \" + l);\n"
                             "  if (n == 2) _DEBUG(0);\n"
                             "  if (n == 4) _DEBUG(1);\n"
                             "  if (n == 6) exit(); }\n"),
            0);
  ASSERT_NE(Start("Diary"), nullptr);
  EXPECT_EQ(Run(), calls::kRunExit);
  unsetenv("TESK_DRIVE_C");
  // The context that read the snapshot ends its slice and goes; the one read goes on after the
  // instruction that wrote it.
  EXPECT_EQ(WithoutMemoryLine(TakeOutput()),
            (std::vector<std::string>{"n 1 [1]", "n 2 [1, 2]", "n 3 [1, 2, 3]", "n 4 [1, 2, 3, 4]", "n 3 [1, 2, 3]",
                                      "n 4 [1, 2, 3, 4]", "n 5 [1, 2, 3, 4, 5]", "n 6 [1, 2, 3, 4, 5, 6]"}));
  EXPECT_EQ(ContextCount(), 1u);
}

TEST_F(SnapshotTest, HostReferencesGoThroughTheObjectIndexAndThePatchTable) {
  CompileBig();
  calls::Symbol big = Start("Big");
  ASSERT_NE(big, nullptr);
  OnPass([](int pass) { return pass <= 2 ? 1 : 0; });
  Run();
  RTInstance stream = nullptr;
  ASSERT_TRUE(kivo::memory_stream::Create(&stream));
  ASSERT_TRUE(calls::VNStreamOut(varno(), stream, vm()));
  // The host's references follow the snapshot: an object of the index, none, and one made after
  // the snapshot, which the index does not know.
  EXPECT_TRUE(calls::VNStreamObjectReferenceOut(varno(), stream, big));
  EXPECT_TRUE(calls::VNStreamObjectReferenceOut(varno(), stream, nullptr));
  calls::Symbol later = Construct("Thing");
  ASSERT_NE(later, nullptr);
  EXPECT_FALSE(calls::VNStreamObjectReferenceOut(varno(), stream, later));
  EXPECT_EQ(MessagesWith("Cannot resolve a symbol reference index. Critical error").size(), 1u);
  ASSERT_TRUE(calls::VNDestroyPatchTable(varno()));
  EXPECT_FALSE(calls::VNStreamObjectReferenceOut(varno(), stream, big)) << "the index is gone";
  const uint32_t beyond = 0x7FFF;
  uint32_t written = 0;
  kivo::stream::Write(stream, &beyond, 4, &written);

  kivo::stream::Seek(stream, 0);
  calls::VM other = NewVM();
  ASSERT_TRUE(calls::VNStreamIn(varno(), stream, other));
  calls::Symbol read = nullptr;
  calls::Symbol none = big;
  calls::Symbol refused = big;
  ASSERT_TRUE(calls::VNStreamObjectReferenceIn(varno(), stream, &read));
  ASSERT_TRUE(calls::VNStreamObjectReferenceIn(varno(), stream, &none));
  EXPECT_FALSE(calls::VNStreamObjectReferenceIn(varno(), stream, &refused));
  EXPECT_EQ(refused, nullptr);
  EXPECT_FALSE(MessagesWith("VNStreamObjectReferenceIn() -- Reference 32767 is beyond the").empty());
  ASSERT_TRUE(calls::VNPatchObject(varno(), &read));
  ASSERT_TRUE(calls::VNPatchObject(varno(), &none));
  EXPECT_EQ(none, nullptr);
  ASSERT_NE(read, nullptr);
  EXPECT_NE(read, big) << "a new object";
  EXPECT_EQ(Text(read, u"name"), "big");
  EXPECT_EQ(Number(read, u"n"), Number(big, u"n"));
  calls::Symbol patched = read;
  EXPECT_TRUE(calls::VNPatchObject(varno(), &patched)) << "an object stays as it is";
  EXPECT_EQ(patched, read);
  EXPECT_TRUE(read->hasContext);
  ASSERT_TRUE(calls::VNDestroyPatchTable(varno()));
  core().ReleaseInstance(nullptr, stream);
}

TEST_F(SnapshotTest, AValueWithoutWireFormAndAListHoldingItselfFailTheWrite) {
  ASSERT_GE(Compile("Holder", "Holder is Thing;\nattributes { l is list; }\n"
                              "method Constructor() { l = [1, 2]; }\n"
                              "state Switchboard { }\n"),
            0);
  calls::Symbol holder = Start("Holder");
  ASSERT_NE(holder, nullptr);
  calls::Symbol l = nullptr;
  ASSERT_TRUE(calls::SymbolRetrieveAttributeByName(varno(), vm(), holder, u"l", &l));
  calls::List list = static_cast<calls::List>(l->value.value.pointer);
  RTInstance stream = nullptr;
  ASSERT_TRUE(kivo::memory_stream::Create(&stream));
  TakeMessages();

  varno::RTVarnoConstantValue percent{};
  percent.type = varno::kTypePercent;
  ASSERT_TRUE(calls::ListSetElementN(varno(), list, 1, &percent));
  EXPECT_FALSE(calls::VNStreamOut(varno(), stream, vm()));
  EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"VNConstantValueStreamOut(). Unrecognized type sent...",
                                                      "VNlistStreamOut() returned failure",
                                                      "VNStreamObjectOut() Error during symbol table stream"}));

  varno::RTVarnoConstantValue itself{};
  itself.type = varno::kTypeList;
  itself.value.pointer = list;
  ASSERT_TRUE(calls::ListSetElementN(varno(), list, 1, &itself));
  kivo::stream::Seek(stream, 0);
  EXPECT_FALSE(calls::VNStreamOut(varno(), stream, vm()));
  EXPECT_FALSE(MessagesWith("VNConstantValueStreamOut(). A list or database that holds itself").empty());
  // The list lets go of itself again.
  varno::RTVarnoConstantValue number{};
  number.type = varno::kTypeNumber;
  ASSERT_TRUE(calls::ListSetElementN(varno(), list, 1, &number));
  EXPECT_TRUE(calls::VNDestroyPatchTable(varno()));
  core().ReleaseInstance(nullptr, stream);
}

}  // namespace
