// The collector: what it frees (unreached objects, cycles among them) and what it keeps (objects
// reached from native references, singletons, contexts' frames and stacks, queued events and
// listeners; type constants are never condemned).
#include <gtest/gtest.h>

#include "compiler/listener_list.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "tests/vm_fixture.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/collector.h"
#include "vm/context.h"
#include "vm/event.h"
#include "vm/list_value.h"
#include "vm/operand_stack.h"
#include "vm/symbol.h"

namespace {

using namespace varno;

class CollectorTest : public varno::testing::VmTest {
 protected:
  void SetUp() override {
    VmTest::SetUp();
    ASSERT_TRUE(CompileClass("Node", "Node is Thing;\nattributes { next is Node; count is number; }\n", &node_));
    ASSERT_TRUE(CompileClass("Holder", "Holder is Thing;\nstate Switchboard { }\n", &holder_));
    vm();
  }

  RTVarnoSymbol* NewNode() {
    RTVarnoSymbol* object = nullptr;
    EXPECT_EQ(SymbolFactory(table(), node_, &object, kSymbolOrdinary, true), kRTSuccess);
    return object;
  }

  static void Link(RTVarnoSymbol* from, RTVarnoSymbol* to) {
    AttributeEntry* entry = AttributeFind(from->attributes, u"NEXT");
    ASSERT_NE(entry, nullptr);
    entry->symbol = to;
    entry->bound = 1;
  }

  // A holder object with a context (not run): its stacks and queues are roots.
  RTVarnoContext* StartHolder(RTVarnoSymbol** object = nullptr) {
    RTVarnoSymbol* holder = nullptr;
    EXPECT_EQ(SymbolFactory(table(), holder_, &holder, kSymbolOrdinary, true), kRTSuccess);
    EXPECT_EQ(VarnoVMSetNewContext(vm(), holder, u"Switchboard", 0), kRTSuccess);
    if (object) *object = holder;
    return vm()->current;
  }

  // Runs the collector and tells whether the symbol is still on its list.
  bool Survives(const RTVarnoSymbol* symbol) {
    CollectorSweep(vm());
    for (const RTVarnoSymbol* s : kivo::ListItems<RTVarnoSymbol>(Collector()->symbols)) {
      if (s == symbol) return true;
    }
    return false;
  }

  uint32_t node_ = 0;
  uint32_t holder_ = 0;
};

TEST_F(CollectorTest, UnreachedObjectsAndTheirCyclesAreFreed) {
  const uint32_t before = SymbolCount();
  RTVarnoSymbol* a = NewNode();
  RTVarnoSymbol* b = NewNode();
  Link(a, b);
  Link(b, a);
  EXPECT_EQ(SymbolCount(), before + 6) << "two objects with a name and a count each";
  CollectorSweep(vm());
  EXPECT_EQ(SymbolCount(), before);
}

TEST_F(CollectorTest, NativeReferencesKeepObjectsAndWhatTheyReach) {
  RTVarnoSymbol* a = NewNode();
  RTVarnoSymbol* b = NewNode();
  Link(a, b);
  ASSERT_EQ(CollectorReferenceObjectC(a), kRTSuccess);
  ASSERT_EQ(CollectorReferenceObjectC(a), kRTSuccess);
  EXPECT_EQ(a->stored, 1);
  EXPECT_TRUE(Survives(b));
  ASSERT_EQ(CollectorReleaseObjectC(a), kRTSuccess);
  EXPECT_FALSE(Survives(b));
}

TEST_F(CollectorTest, ASuspendedOperandStackKeepsAnObjectHeldInAList) {
  RTVarnoContext* context = StartHolder();
  RTVarnoSymbol* object = NewNode();
  VNlist* list = nullptr;
  ListFactory(&list);
  ListAppendObject(list, object, &list);
  ASSERT_TRUE(PushListOwned(context, list));
  EXPECT_TRUE(Survives(object));
  OperandPop(context);
  EXPECT_FALSE(Survives(object));
}

TEST_F(CollectorTest, QueuedEventsAndListenersKeepTheirObjects) {
  RTVarnoSymbol* holder = nullptr;
  RTVarnoContext* context = StartHolder(&holder);
  RTVarnoSymbol* argument = NewNode();
  RTVarnoSymbol* listener = NewNode();

  // An event whose one argument is the object.
  CallFrame* frame = TopFrame(context);
  RTVarnoStackElement element{};
  element.tag = kTagObject;
  element.value.object = argument;
  ASSERT_EQ(ArgPushElement(frame, &element), kRTSuccess);
  RTVarnoEvent* event = nullptr;
  ASSERT_EQ(EventFactory(&event, u"ONHIT", frame, 1), kRTSuccess);
  ArgPopN(frame, 1);
  ASSERT_EQ(QueueEvent(holder, event), kRTSuccess);
  ASSERT_EQ(ListenerListPrepend(holder->listeners, ListenerEntryCreate(u"ONHIT", listener, nullptr)), kRTSuccess);

  EXPECT_TRUE(Survives(argument));
  EXPECT_TRUE(Survives(listener));
  ClearEvents(holder->events);
  EXPECT_FALSE(Survives(argument));
  EXPECT_TRUE(Survives(listener));
}

TEST_F(CollectorTest, SingletonsAndTypeConstantsAreNeverFreed) {
  uint32_t solo = 0;
  ASSERT_TRUE(CompileClass("Solo", "Solo is Thing, singleton;\nconstants { MAX = 5; }\n", &solo));
  RTVarnoSymbol* first = nullptr;
  RTVarnoSymbol* second = nullptr;
  ASSERT_EQ(SymbolFactory(table(), solo, &first, kSymbolOrdinary, true), kRTSuccess);
  ASSERT_EQ(SymbolFactory(table(), solo, &second, kSymbolOrdinary, true), kRTSuccess);
  EXPECT_EQ(first, second) << "one object per singleton class";
  RTVarnoType* type = nullptr;
  TypeTableRetrieveTypeByIdx(table(), solo, &type);
  AttributeTable* constants = ClassConstantTable(table(), type);
  ASSERT_NE(constants, nullptr);
  AttributeEntry* max = AttributeFind(constants, u"MAX");
  ASSERT_NE(max, nullptr);
  EXPECT_EQ(max->symbol->kind, kSymbolConstant);
  EXPECT_EQ(max->symbol->value.value.number, 5);
  EXPECT_TRUE(Survives(first));
  EXPECT_TRUE(Survives(max->symbol));
  EXPECT_EQ(RTVarnoSymbolDestructor(first), kRTSuccess);
  EXPECT_TRUE(Survives(first)) << "the destructor keeps a singleton";
}

TEST_F(CollectorTest, AFrameDestroysOnlyItsValueSymbols) {
  uint32_t user = 0;
  ASSERT_TRUE(CompileClass("User", "User is Thing;\nmethod Use(n is Node) { count is number; count = 1; }\n", &user));
  RTVarnoSymbol* holder = nullptr;
  RTVarnoContext* context = StartHolder(&holder);
  RTVarnoType* type = nullptr;
  TypeTableRetrieveTypeByIdx(table(), user, &type);
  RTVarnoMethod* method = nullptr;
  ASSERT_EQ(TypeRetrieveMethodByName(type, u"USE", &method, kRetrieveThisType), kRTSuccess);

  // The object is an argument the frame binds, and also stands on the caller's operand stack.
  RTVarnoSymbol* object = NewNode();
  ASSERT_TRUE(PushObject(context, object));
  RTVarnoStackElement element{};
  element.tag = kTagObject;
  element.value.object = object;
  CallFrame* caller = TopFrame(context);
  ArgPushElement(caller, &element);
  const uint32_t before = SymbolCount();
  CallFrame* frame = nullptr;
  ASSERT_EQ(CreateCallFrame(vm(), method, holder, &frame), kRTSuccess);
  EXPECT_EQ(SymbolCount(), before + 1) << "a value symbol for the local";
  ASSERT_EQ(SetupScriptCall(vm(), caller, frame, method), kRTSuccess);
  EXPECT_EQ(AttributeFind(frame->locals, u"N")->symbol, object);
  ASSERT_EQ(DestroyCallFrame(frame), kRTSuccess);
  EXPECT_EQ(SymbolCount(), before) << "the local went, the object did not";
  ArgPopN(caller, caller->argumentTop);
  EXPECT_TRUE(Survives(object));
  OperandPop(context);
  EXPECT_FALSE(Survives(object));
}

TEST_F(CollectorTest, ScriptsCollectOnRequest) {
  // _DEBUG(6) runs the collector in the middle of a method: the method's own objects stay.
  const int result = RunClass("Collecting",
                              "Collecting is Thing;\nattributes { keep is Node; }\n"
                              "method Make() { n is Node; n = new Node; n.count = 7; _DEBUG(6); print(n.count); }\n"
                              "state Switchboard { keep = new Node; keep.next = new Node; Make(); _DEBUG(6);"
                              " print(keep.next.count); exit(); }\n");
  EXPECT_EQ(result, kRunExit);
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"7", "0"}));
}

}  // namespace
