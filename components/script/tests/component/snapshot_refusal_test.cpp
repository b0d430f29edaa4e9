// Snapshots that must be refused: the version cases, every count, index and reference out of
// range, and every truncation. A refused snapshot is reported and leaves the VM it was read into
// (its contexts, objects, singletons and type table) as it was, which goes on running as before.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "compiler/listener_list.h"
#include "kivo/support/stream_calls.h"
#include "tests/component/snapshot_fixture.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/database_value.h"
#include "vm/event.h"
#include "vm/list_value.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace {

using varno::testing::SnapshotTest;
namespace calls = varno::scripting;

constexpr std::string_view kProbeSource =
    "Probe is Thing;\nattributes { pal is Probe; l is list; }\n"
    "event OnPing(k is number) { }\n"
    "listener Heard(k is number) { }\n"
    "state Switchboard { }\n";
constexpr std::string_view kSoloSource = "Solo is Thing, singleton;\nattributes { k is number; }\n";
// On the search path but not compiled: the snapshot's type list makes the reader compile it.
constexpr std::string_view kExtraSource = "Extra is Thing;\nattributes { e is number; }\n";

std::string U32(uint32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
std::string Byte(uint8_t value) { return std::string(1, static_cast<char>(value)); }
std::string Str(std::u16string_view text) {
  if (text.empty()) return U32(0);
  std::string bytes = U32(static_cast<uint32_t>(text.size()));
  for (char16_t unit : text) bytes += std::string(reinterpret_cast<const char*>(&unit), 2);
  return bytes + std::string(2, '\0');
}
std::string Empty() { return U32(0); }
std::string Num(int32_t value) { return U32(1) + U32(static_cast<uint32_t>(value)); }

// A small snapshot written field by field: two contexts (one with a frame, an eval and an operand
// list) and four objects (attributes of every form, a listener, a queued event, a singleton).
// Every labelled field can be replaced by other bytes.
class Builder {
 public:
  explicit Builder(std::vector<std::u16string> types) : types_(std::move(types)) {}

  std::map<std::string, std::string> replace;

  std::string Bytes() {
    out_.clear();
    Put("tag", Str(u"VARNO"));
    Put("version", U32(0x900));
    Put("type count", U32(static_cast<uint32_t>(types_.size())));
    for (size_t i = 0; i < types_.size(); ++i) Put("type " + std::to_string(i), Str(types_[i]));
    Put("context count", U32(2));
    FirstContext();
    SecondContext();
    Put("object count", U32(4));
    // 1: a probe with attributes of every form, a listener and a queued event.
    Put("object 1 identity", U32(0));
    Put("object 1 type", U32(kProbe));
    Put("attribute count", U32(3));
    Put("attribute NAME", Str(u"NAME") + U32(3) + Byte(1) + Byte(1));
    Put("NAME object flag", Byte(0));
    Put("NAME value", U32(3) + U32(3));
    Put("NAME text", Str(u"probe"));
    Put("attribute PAL", Str(u"PAL") + U32(kProbe) + Byte(1) + Byte(1) + Byte(1) + U32(kProbe));
    Put("PAL reference", U32(2));
    Put("attribute L name", Str(u"L"));
    Put("attribute L", U32(9) + Byte(1) + Byte(1) + Byte(0) + U32(9) + U32(9));
    Put("list count", U32(3));
    Put("list number", Num(1));
    Put("list code value", U32(12) + U32(2) + std::string("\x1e\x1e", 2));
    Put("list database", U32(13));
    Put("database buckets", U32(19));
    Put("database count", U32(2));
    Put("database key k", Str(u"k"));
    Put("database value k", U32(kProbe));
    Put("database reference", U32(1));
    Put("database key j", Str(u"j"));
    Put("database value j", U32(8) + U32(0) + U32(0x3f800000) + U32(0));
    Put("object 1 stored", Byte(1));
    Put("listener count", U32(1));
    Put("listener event", Str(u"ONPING"));
    Put("listener object", U32(2));
    Put("listener class", U32(kProbe));
    Put("listener method", Str(u"HEARD"));
    Put("event count", U32(1));
    Put("event name", Str(u"ONPING"));
    Put("event parameters", U32(1));
    Put("event base", Empty());
    Put("event argument", U32(32) + U32(2));
    // 2: a probe with nothing.
    Put("object 2", U32(1));
    Put("object 2 type", U32(kProbe));
    Put("object 2 rest", U32(0) + Byte(0) + U32(0) + U32(0));
    // 3: the singleton.
    Put("object 3", U32(2) + U32(kSolo) + U32(1) + Str(u"K") + U32(1) + Byte(1) + Byte(1) + Byte(0) + U32(1) +
                        Num(42) + Byte(1) + U32(0) + U32(0));
    // 4: an object of the class compiled for the snapshot.
    Put("object 4", U32(3) + U32(kExtra) + U32(0) + Byte(0) + U32(0) + U32(0));
    return out_;
  }

  static constexpr uint32_t kProbe = 15;
  static constexpr uint32_t kSolo = 16;
  static constexpr uint32_t kExtra = 17;

 private:
  void Put(const std::string& label, const std::string& bytes) {
    const auto found = replace.find(label);
    out_ += found == replace.end() ? bytes : found->second;
  }

  void FirstContext() {
    Put("context version", U32(0x600));
    Put("context word", U32(0));
    Put("context element", Empty());
    Put("context position", U32(0));
    Put("context code", U32(3) + std::string("\x1e\x1e\x1e", 3));
    Put("operand capacity", U32(4096));
    Put("operand top", U32(2));
    Put("operand 0", Empty());
    Put("operand 1", Empty());
    Put("operand 2", U32(6));
    Put("operand list count", U32(2));
    Put("operand list value", Num(9));
    Put("operand list object", U32(kProbe) + U32(1));
    Put("frame count", U32(1));
    Put("frame version", U32(0x500));
    Put("frame file", Str(u"probe.varno"));
    Put("frame object", U32(1));
    Put("locals count", U32(2));
    Put("local name", Str(u"V"));
    Put("local rest", U32(1) + Byte(1) + Byte(1) + Byte(0));
    Put("local value type", U32(1));
    Put("local value code", U32(1));
    Put("local value", U32(5));
    Put("local object", Str(u"O") + U32(kProbe) + Byte(1) + Byte(1) + Byte(1) + U32(kProbe) + U32(2));
    Put("return position", U32(0));
    Put("return code", U32(0));
    Put("frame word", U32(0));
    Put("argument top", U32(1));
    Put("argument 0", Empty());
    Put("argument 1", Num(3));
    Put("frame class", U32(kProbe));
    Put("frame method", Str(u"Switchboard"));
    Put("balance", U32(2));
    Put("eval count", U32(1));
    Put("eval code", U32(2) + std::string("\x1e\x1e", 2));
    Put("eval position", U32(1));
    Put("call kind count", U32(2));
    Put("call kind 1", U32(1));
    Put("call kind 2", U32(0));
    Put("flags", Byte(0) + Byte(0));
    Put("context object", U32(1));
    Put("sleep", U32(5000));
    Put("linked", U32(1));
    Put("deafened", Byte(1));
  }

  // A context of the oldest version read, on the second object.
  void SecondContext() {
    Put("second context version", U32(0x501));
    Put("second context", U32(0) + Empty() + U32(0) + U32(1) + std::string("\x1e", 1) + U32(4096) + U32(1) + Empty() +
                              Empty() + U32(0) + U32(0) + U32(0) + Byte(0) + Byte(0));
    Put("second context object", U32(2));
    Put("second context end", U32(0) + U32(1) + Byte(0));
  }

  std::vector<std::u16string> types_;
  std::string out_;
};

// Lookups over the records themselves (the test reaches the component only through its slots).
const varno::AttributeEntry* Entry(const varno::AttributeTable* table, std::u16string_view name) {
  const varno::AttributeEntry* found = nullptr;
  varno::AttributeForEach(table, [&](const varno::AttributeEntry* entry) {
    if (entry->name == name) found = entry;
  });
  return found;
}

const varno::RTVarnoConstantValue* Stored(const varno::DatabaseValue* database, std::u16string_view key) {
  const varno::RTVarnoConstantValue* found = nullptr;
  varno::DatabaseForEach(database, [&](const char16_t* name, const varno::RTVarnoConstantValue* value) {
    if (name == key) found = value;
  });
  return found;
}

class SnapshotRefusalTest : public SnapshotTest {
 protected:
  void SetUp() override {
    SnapshotTest::SetUp();
    WriteClass("Solo", kSoloSource);
    WriteClass("Extra", kExtraSource);
    WriteClass("Ticker", varno::testing::kTickerSource);
    ASSERT_GE(Compile("Probe", kProbeSource), 0);
    ASSERT_GE(Compile("Solo"), 0);
    ASSERT_GE(Compile("Ticker"), 0);
    for (uint32_t i = 0; i < varno::kFirstClassType; ++i) types_.push_back(table()->types[i]->name);
    for (const char16_t* name : {u"Thing", u"Probe", u"Solo", u"Extra"}) types_.push_back(name);
  }

  Builder NewBuilder() { return Builder(types_); }

  // The state a refused snapshot must leave as it was.
  struct State {
    uint32_t symbols;
    uint32_t contexts;
    uint32_t types;
    const void* firstContext;
    const void* soloObject;
    bool operator==(const State&) const = default;
  };
  State Now(calls::VM on) {
    calls::Type solo = nullptr;
    calls::TypeTableRetrieveTypeByName(varno(), table(), u"Solo", &solo);
    const kivo::ListLink* first = on->contexts->contexts->first;
    return {SymbolCount(), ContextCount(on), table()->count, first ? first->data : nullptr,
            solo ? solo->singletonObject : nullptr};
  }

  // Reads the bytes into the VM, which must refuse them with a report that contains `message`
  // and keep its state.
  void ExpectRefused(calls::VM on, const std::string& bytes, std::string_view message) {
    const State before = Now(on);
    TakeMessages();
    EXPECT_FALSE(Load(on, bytes));
    const std::vector<std::string> reported = TakeMessages();
    bool found = false;
    for (const std::string& line : reported) found = found || line.find(message) != std::string::npos;
    EXPECT_TRUE(found) << "expected \"" << message << "\" among " << ::testing::PrintToString(reported);
    EXPECT_TRUE(Now(on) == before) << "the VM is as it was";
  }

  std::vector<std::u16string> types_;
};

TEST_F(SnapshotRefusalTest, TheVersionCases) {
  struct Case {
    const char* label;
    uint32_t version;
    const char* refusal;  // null: read
  };
  const Case cases[] = {
      {"version", 0x8ff, "VNStreamIn() -- Version of stream is older than reader!"},
      {"version", 0x900, nullptr},
      {"version", 0x901, "VNStreamIn() -- Version of stream is newer than reader!"},
      {"context version", 0x500, "RTVarnoVMContextStreamIn() -- obsolete version found. Delete this game!"},
      {"context version", 0x501, nullptr},
      {"context version", 0x600, nullptr},
      {"context version", 0x601, "RTVarnoVMContextStreamIn() -- version of context is newer than reader!"},
      {"frame version", 0x500, nullptr},
      {"frame version", 0x501, "RTVarnoVMCallFrameStreamIn() -- version of call frame is newer than reader!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.label) + " " + std::to_string(c.version));
    Builder builder = NewBuilder();
    builder.replace[c.label] = U32(c.version);
    calls::VM scratch = NewVM();
    if (c.refusal) {
      ExpectRefused(scratch, builder.Bytes(), c.refusal);
    } else {
      EXPECT_TRUE(Load(scratch, builder.Bytes()));
      EXPECT_EQ(ContextCount(scratch), 2u);
    }
  }
}

int gLoadingCalls = 0;
void CountLoadingCall() { ++gLoadingCalls; }

TEST_F(SnapshotRefusalTest, WhatIsReadIsWhatWasWritten) {
  gLoadingCalls = 0;
  ASSERT_TRUE(calls::SetLoadingCallback(varno(), CountLoadingCall));
  calls::Type solo = nullptr;
  ASSERT_TRUE(calls::TypeTableRetrieveTypeByName(varno(), table(), u"Solo", &solo));
  calls::Symbol existing = Construct("Solo");
  ASSERT_NE(existing, nullptr);
  const uint32_t typesBefore = table()->count;
  Builder builder = NewBuilder();
  RTInstance stream = StreamOf(builder.Bytes());
  ASSERT_TRUE(calls::VNStreamIn(varno(), stream, vm()));
  EXPECT_EQ(table()->count, typesBefore + 1) << "Extra was compiled";
  RTInstance references = StreamOf(U32(1) + U32(2));
  calls::Symbol probe = nullptr;
  calls::Symbol pal = nullptr;
  ASSERT_TRUE(calls::VNStreamObjectReferenceIn(varno(), references, &probe));
  ASSERT_TRUE(calls::VNStreamObjectReferenceIn(varno(), references, &pal));
  ASSERT_TRUE(calls::VNPatchObject(varno(), &probe));
  ASSERT_TRUE(calls::VNPatchObject(varno(), &pal));
  ASSERT_TRUE(calls::VNDestroyPatchTable(varno()));
  core().ReleaseInstance(nullptr, references);
  core().ReleaseInstance(nullptr, stream);
  calls::SetLoadingCallback(varno(), nullptr);
  // After the type count, per context, per object, per object and context patched, per reference
  // resolved (9 in the snapshot, 2 of the host's).
  EXPECT_EQ(gLoadingCalls, 1 + 2 + 4 + 6 + 9 + 2);

  // The objects and their attributes.
  ASSERT_NE(probe, nullptr);
  ASSERT_NE(pal, nullptr);
  EXPECT_EQ(Text(probe, u"name"), "probe");
  EXPECT_EQ(probe->stored, 1u);
  const varno::AttributeEntry* palEntry = Entry(probe->attributes, u"PAL");
  ASSERT_NE(palEntry, nullptr);
  EXPECT_EQ(palEntry->symbol, pal);
  calls::Symbol l = nullptr;
  ASSERT_TRUE(calls::SymbolRetrieveAttributeByName(varno(), vm(), probe, u"l", &l));
  auto* list = static_cast<varno::VNlist*>(l->value.value.pointer);
  ASSERT_EQ(list->elements->count, 3u);
  auto* database = static_cast<varno::DatabaseValue*>(
      static_cast<varno::RTVarnoConstantValue*>(list->elements->last->data)->value.pointer);
  const varno::RTVarnoConstantValue* k = Stored(database, u"k");
  const varno::RTVarnoConstantValue* j = Stored(database, u"j");
  ASSERT_TRUE(k && j);
  EXPECT_EQ(k->value.pointer, probe);
  EXPECT_EQ(k->type, probe->typeIndex);
  EXPECT_EQ(j->type, varno::kTypeVector3);
  EXPECT_EQ(j->value.vector->y, 1.0f);
  const auto* listener = static_cast<const varno::ListenerEntry*>(probe->listeners->first->data);
  EXPECT_EQ(listener->object, pal);
  ASSERT_NE(listener->method, nullptr);
  EXPECT_EQ(std::u16string(listener->method->keyName), u"HEARD");
  ASSERT_EQ(probe->events->count, 1u);
  const auto* event = static_cast<const varno::RTVarnoEvent*>(probe->events->first->data);
  EXPECT_EQ(event->count, 1u);
  EXPECT_EQ(event->arguments[1].tag, varno::kTagObject);
  EXPECT_EQ(event->arguments[1].value.object, pal);
  // The singleton that exists has the state read; it is constructed.
  EXPECT_EQ(solo->singletonObject, existing);
  EXPECT_EQ(Number(existing, u"k"), 42);
  EXPECT_EQ(solo->singletonConstructed, 1u);

  // The contexts, in order, on their objects; the scheduler starts a new pass at the first.
  ASSERT_EQ(ContextCount(), 2u);
  const auto* first = static_cast<const varno::RTVarnoContext*>(vm()->contexts->contexts->first->data);
  const auto* second = static_cast<const varno::RTVarnoContext*>(vm()->contexts->contexts->last->data);
  EXPECT_EQ(vm()->current, second);
  EXPECT_EQ(first->object, probe);
  EXPECT_EQ(second->object, pal);
  EXPECT_TRUE(probe->hasContext && pal->hasContext);
  EXPECT_EQ(first->sleep, 5000);
  EXPECT_EQ(first->deafened, 1u);
  EXPECT_EQ(first->operandTop, 2u);
  ASSERT_EQ(first->operands[2].tag, varno::kTagList);
  const varno::VNlist* operandList = first->operands[2].value.list;
  ASSERT_EQ(operandList->elements->count, 2u);
  EXPECT_EQ(static_cast<varno::RTVarnoConstantValue*>(operandList->elements->last->data)->value.pointer, probe);
  const varno::CallFrame* frame = varno::TopFrame(first);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->object, probe);
  EXPECT_EQ(std::u16string(frame->method->keyName), u"SWITCHBOARD");
  EXPECT_EQ(frame->argumentTop, 1u);
  EXPECT_EQ(frame->arguments[1].value.number, 3);
  EXPECT_EQ(frame->balanceMark, 2u);
  const varno::AttributeEntry* v = Entry(frame->locals, u"V");
  ASSERT_TRUE(v && v->symbol);
  EXPECT_EQ(v->symbol->value.value.number, 5);
  const varno::AttributeEntry* o = Entry(frame->locals, u"O");
  ASSERT_TRUE(o);
  EXPECT_EQ(o->symbol, pal);
  EXPECT_EQ(first->evalReturns->count, 1u);
  EXPECT_EQ(first->callKinds->count, 2u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(first->callKinds->top->data), 1u) << "the first read is the top";
  EXPECT_EQ(first->position, 0u);
}

TEST_F(SnapshotRefusalTest, EveryCountIndexAndReferenceOutOfRangeIsRefusedAndTheRunningVmGoesOn) {
  calls::Symbol ticker = Start("Ticker");
  ASSERT_NE(ticker, nullptr);
  calls::Symbol existing = Construct("Solo");
  ASSERT_NE(existing, nullptr);
  OnPass([](int pass) { return pass <= 2 ? 1 : 0; });
  Run();
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{".!p@@p!. 1", ".!p@@p!. 2"}));
  const uint32_t beyond = 0x10000000;
  struct Case {
    const char* label;
    std::string bytes;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"tag", Str(u"VARNA"), "VNStreamIn() -- Stream not tagged as a VARNO snapshot!"},
      {"type count", U32(beyond), "the type count 268435456 is more than the"},
      {"type count", U32(3), "the snapshot has 3 types, fewer than the built-in ones"},
      {"type 1", Str(u"real"), "type 1 is real, which is the built-in type 2"},
      {"type 15", Str(u"number"), "type 15 is number, which is the built-in type 1"},
      {"type 15", Str(u"Nowhere"), "[VARNO VM] (StreamIn): Cannot locate class (Nowhere) on system"},
      {"type 15", Str(u"../classes/Probe"), "[VARNO VM] (StreamIn): Cannot locate class (../classes/Probe) on system"},
      {"type 15", Str(u""), "a type name is empty"},
      {"context count", U32(beyond), "the context count 268435456 is more than"},
      {"context position", U32(4), "a context's code position 4 lies beyond its 3 bytes of code"},
      {"context code", U32(0x7FFFFFFF), "a context's code of 2147483647 bytes is more than the"},
      {"context element", U32(5), "a context's element has the tag 5, which is no stack element"},
      {"operand top", U32(0), "an operand stack's top 0 lies outside 1 to 4095"},
      {"operand top", U32(4096), "an operand stack's top 4096 lies outside 1 to 4095"},
      {"operand top", U32(4000), "the snapshot ends inside an operand stack"},
      {"operand 1", Num(5), "the bottom of an operand stack holds a value"},
      // A code value cut short in either bottom place was once left behind by the refusal.
      {"operand 0", U32(8) + U32(beyond), "a code value of 268435456 bytes is more than"},
      {"operand 1", U32(8) + U32(beyond), "a code value of 268435456 bytes is more than"},
      {"operand list count", U32(beyond), "the element count of a list 268435456 is more than"},
      {"operand list value", U32(4) + U32(0), "a value has the type code 4, which has no wire form"},
      {"operand list value", U32(11) + U32(0), "Unrecognized type sent..."},
      {"operand list object", U32(99) + U32(1), "an object value's type 99 is beyond the 18 types"},
      {"operand list object", U32(Builder::kProbe) + U32(7), "a reference to object 7, but the snapshot holds 4"},
      {"frame count", U32(beyond), "a context's frame count 268435456 is more than"},
      {"locals count", U32(beyond), "a call frame's local count 268435456 is more than"},
      {"local name", Str(u""), "Identifier is NULL..."},
      {"local name", Str(u"O"), "the attribute O is there twice"},
      {"local value type", U32(3), "the variable V is of type 3, its entry of type 1"},
      {"local value code", U32(2), "the variable V of type 1 holds a value of type 2"},
      {"return position", U32(1), "a call frame's return position 1 lies beyond its 0 bytes of code"},
      {"argument top", U32(32), "an argument stack's top 32 lies beyond its 31 places"},
      {"argument 1", U32(32) + U32(5), "a reference to object 5"},
      {"frame class", U32(3), "the class of a call frame's method is string, not a script class"},
      {"frame class", U32(18), "the class of a call frame's method 18 is beyond the 18 types"},
      {"frame method", Str(u"Nowhere"), "Couldn't retrieve method that code is in (for scope)"},
      {"balance", U32(4096), "a call frame's balance mark 4096 lies beyond the operand stack"},
      {"eval count", U32(beyond), "a context's eval count 268435456 is more than"},
      {"eval position", U32(3), "an eval's position 3 lies beyond its 2 bytes of code"},
      {"call kind count", U32(beyond), "a context's call kind count 268435456 is more than"},
      {"call kind 2", U32(2), "a call kind is 2, not 0 or 1"},
      {"flags", Byte(2) + Byte(0), "a context's event flag is 2, not 0 or 1"},
      {"context object", U32(5), "a reference to object 5, but the snapshot holds 4 objects"},
      {"deafened", Byte(7), "a context's deafened flag is 7, not 0 or 1"},
      {"second context object", U32(1), "two contexts run on one object"},
      {"object count", U32(beyond), "the object count 268435456 is more than"},
      {"object count", U32(5), "the snapshot ends inside an object's identity"},
      {"object 1 type", U32(1), "an object's class is number, not a script class"},
      {"object 1 type", U32(40), "an object's class 40 is beyond the 18 types"},
      {"object 2 type", U32(16), "a second object of the singleton class Solo"},
      {"attribute count", U32(beyond), "an object's attribute count 268435456 is more than"},
      {"NAME object flag", Byte(1), "the variable NAME of a built-in type holds an object"},
      {"NAME text", U32(beyond), "the snapshot ends inside a string"},
      {"PAL reference", U32(5), "a reference to object 5, but the snapshot holds 4 objects"},
      {"attribute L name", Str(u"PAL"), "the attribute PAL is there twice"},
      {"list count", U32(beyond), "the element count of a list 268435456 is more than"},
      {"list code value", U32(12) + U32(beyond), "a code value of 268435456 bytes is more than"},
      {"database buckets", U32(0), "a database without buckets has 2 entries"},
      {"database count", U32(beyond), "the entry count of a database 268435456 is more than"},
      {"database reference", U32(6), "a reference to object 6"},
      {"database key j", Str(u"k"), "the database key \"k\" is there twice"},
      {"listener count", U32(beyond), "an object's listener count 268435456 is more than"},
      {"listener object", U32(9), "a reference to object 9"},
      {"listener class", U32(6), "the class of a listener method is bool, not a script class"},
      {"listener method", Str(u"Nowhere"), "[VARNO VM] (StreamIn): Cannot find the listener method (NOWHERE) of class (Probe)"},
      {"event count", U32(129), "an object's event count 129 is above its limit of 128"},
      {"event parameters", U32(32), "an event has 32 parameters, more than the 31 an argument stack holds"},
      {"event argument", U32(32) + U32(beyond), "a reference to object 268435456"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.label) + ": " + c.message);
    Builder builder = NewBuilder();
    builder.replace[c.label] = c.bytes;
    ExpectRefused(vm(), builder.Bytes(), c.message);
  }
  EXPECT_EQ(Number(existing, u"k"), 0) << "the singleton kept its state";
  EXPECT_TRUE(ticker->hasContext);
  // The VM runs on where it stopped.
  OnPass([](int pass) { return pass <= 2 ? 1 : 0; });
  Run();
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{".!p@@p!. 3", ".!p@@p!. 4"}));
}

// A context may hold 10000 call frames: a snapshot with one more is refused before they are made.
TEST_F(SnapshotRefusalTest, MoreCallFramesThanAContextMayHoldAreRefused) {
  Builder marked = NewBuilder();
  marked.replace["frame version"] = "<<";
  marked.replace["balance"] = ">>";
  const std::string text = marked.Bytes();
  const size_t from = text.find("<<") + 2;
  const std::string frame = U32(0x500) + text.substr(from, text.find(">>") - from) + U32(2);
  Builder builder = NewBuilder();
  builder.replace["frame count"] = U32(varno::kMaxCallDepth + 1);
  std::string frames = U32(2);  // the first frame's end, then the others
  for (uint32_t i = 0; i < varno::kMaxCallDepth; ++i) frames += frame;
  builder.replace["balance"] = frames;
  ExpectRefused(vm(), builder.Bytes(), "a context holds 10001 call frames, more than the 10000 it may have");
}

TEST_F(SnapshotRefusalTest, EveryTruncationIsRefused) {
  calls::Symbol ticker = Start("Ticker");
  ASSERT_NE(ticker, nullptr);
  const std::string whole = NewBuilder().Bytes();
  for (size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE(size);
    const State before = Now(vm());
    TakeMessages();
    EXPECT_FALSE(Load(vm(), whole.substr(0, size)));
    EXPECT_FALSE(TakeMessages().empty());
    ASSERT_TRUE(Now(vm()) == before);
  }
}

}  // namespace
