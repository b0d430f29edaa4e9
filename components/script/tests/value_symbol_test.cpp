// Script objects and variables: initial values, attribute tables, dotted lookup that creates and
// constructs objects on first reach.
#include <gtest/gtest.h>

#include "compiler/code_value.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "tests/vm_fixture.h"
#include "vm/attribute_table.h"
#include "vm/collector.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/symbol.h"
#include "vm/symbol_lookup.h"
#include "vm/tagged_value.h"

namespace {

using namespace varno;
using varno::testing::Utf8;

class SymbolTest : public varno::testing::VmTest {};

TEST_F(SymbolTest, VariablesStartWithTheirTypesFirstValue) {
  for (uint32_t type : {kTypeNumber, kTypeReal, kTypeString, kTypeBool, kTypeVector3, kTypeList, kTypeCode,
                        kTypeDatabase}) {
    SCOPED_TRACE(type);
    RTVarnoSymbol* symbol = nullptr;
    ASSERT_EQ(SymbolFactory(table(), type, &symbol, kSymbolOrdinary, true), kRTSuccess);
    EXPECT_EQ(symbol->typeIndex, type);
    EXPECT_EQ(symbol->attributes, nullptr);
    switch (type) {
      case kTypeString:
        EXPECT_EQ(Utf8(symbol->value.value.text), ".!p@@p!.");
        break;
      case kTypeVector3:
        ASSERT_NE(symbol->value.value.vector, nullptr);
        EXPECT_EQ(symbol->value.value.vector->x, 0.0f);
        break;
      case kTypeList:
        EXPECT_EQ(ValueList(symbol->value)->references, 1u);
        break;
      case kTypeCode:
        EXPECT_EQ(symbol->value.value.code->references, 1u);
        break;
      case kTypeDatabase:
        EXPECT_EQ(ValueDatabase(symbol->value)->references, 1);
        break;
      default:
        EXPECT_EQ(symbol->value.value.word, 0u);
    }
    RTVarnoSymbolDestructor(symbol);
  }
}

TEST_F(SymbolTest, AttributeTablesSizeTheirBuckets) {
  const std::pair<uint32_t, uint32_t> cases[] = {{0, 7},    {9, 7},     {10, 31},   {39, 31},  {40, 59},
                                                 {99, 59},  {100, 131}, {199, 131}, {200, 211}, {299, 211},
                                                 {300, 311}, {399, 311}, {400, 401}, {5000, 401}};
  for (const auto& [expected, buckets] : cases) EXPECT_EQ(AttributeBucketCount(expected), buckets) << expected;
  AttributeTable* table = nullptr;
  ASSERT_EQ(AttributeTableFactory(0, &table), kRTSuccess);
  EXPECT_EQ(table->entries->bucketCount, kAttributeBucketsDefault);
  ASSERT_EQ(AttributeAddLazy(table, u"target", nullptr), kRTSuccess);
  const AttributeEntry* entry = AttributeFind(table, u"TARGET");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(Utf8(entry->name), "TARGET");
  EXPECT_EQ(entry->bound, 0u);
  EXPECT_EQ(AttributeFind(table, u"target"), nullptr) << "keys are upper-case";
  AttributeTableDestroy(table);
}

TEST_F(SymbolTest, AnObjectGetsItsAttributesButNotItsConstants) {
  uint32_t index = 0;
  ASSERT_TRUE(CompileClass("Shape", "Shape is Thing;\nattributes { size is number; parent is Shape; }\n"
                                    "constants { SIDES = 4; }\n", &index));
  RTVarnoSymbol* shape = nullptr;
  ASSERT_EQ(SymbolFactory(table(), index, &shape, kSymbolOrdinary, true), kRTSuccess);
  EXPECT_NE(AttributeFind(shape->attributes, u"SIZE"), nullptr);
  EXPECT_NE(AttributeFind(shape->attributes, u"NAME"), nullptr) << "inherited";
  EXPECT_EQ(AttributeFind(shape->attributes, u"SIDES"), nullptr);
  const AttributeEntry* parent = AttributeFind(shape->attributes, u"PARENT");
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->symbol, nullptr) << "a class-typed attribute waits for its first reach";
  EXPECT_EQ(AttributeCount(shape->attributes), 3u);
  EXPECT_NE(shape->events, nullptr);
  EXPECT_NE(shape->listeners, nullptr);
}

TEST_F(SymbolTest, DottedLookupCreatesAndConstructsObjectsOnFirstReach) {
  uint32_t index = 0;
  ASSERT_TRUE(CompileClass("Link", "Link is Thing;\nattributes { next is Link; v is vector3; }\n"
                                   "method Constructor() { name = \"made\"; }\n", &index));
  // A context to run constructors in.
  uint32_t runner = 0;
  ASSERT_TRUE(CompileClass("Runner", "Runner is Thing;\nstate Switchboard { }\n", &runner));
  RTVarnoSymbol* host = nullptr;
  ASSERT_EQ(ConstructScriptObject(vm(), runner, &host), kRTSuccess);
  ASSERT_EQ(VarnoVMSetNewContext(vm(), host, u"Switchboard", 0), kRTSuccess);

  RTVarnoSymbol* head = nullptr;
  ASSERT_EQ(SymbolFactory(table(), index, &head, kSymbolOrdinary, true), kRTSuccess);
  RTVarnoSymbol* found = nullptr;
  ASSERT_EQ(SymbolRetrieveAttributeByName(vm(), head, u"next.next.name", &found), kRTSuccess);
  EXPECT_EQ(Utf8(found->value.value.text), "made") << "both links were constructed";
  RTVarnoSymbol* second = nullptr;
  ASSERT_EQ(SymbolRetrieveAttributeByName(vm(), head, u"NEXT", &second), kRTSuccess);
  RTVarnoSymbol* again = nullptr;
  ASSERT_EQ(SymbolRetrieveAttributeByName(vm(), head, u"next", &again), kRTSuccess);
  EXPECT_EQ(again, second) << "made once";

  // A variable of a built-in type has no members.
  EXPECT_EQ(SymbolRetrieveAttributeByName(vm(), head, u"v.x", &found), kRTFailure);
  EXPECT_EQ(SymbolRetrieveAttributeByName(vm(), head, u"nothing", &found), kRTFailure);
  EXPECT_EQ(SymbolRetrieveAttributeByName(vm(), nullptr, u"next", &found), kRTFailure);
  EXPECT_EQ(found, nullptr);
}

TEST_F(SymbolTest, DestroyingAnObjectLeavesItsAttributeSymbolsToTheCollector) {
  uint32_t index = 0;
  ASSERT_TRUE(CompileClass("Pair", "Pair is Thing;\nattributes { a is number; b is list; }\n", &index));
  const uint32_t before = SymbolCount();
  RTVarnoSymbol* pair = nullptr;
  ASSERT_EQ(SymbolFactory(table(), index, &pair, kSymbolOrdinary, true), kRTSuccess);
  EXPECT_EQ(SymbolCount(), before + 4);
  RTVarnoSymbolDestructor(pair);
  EXPECT_EQ(SymbolCount(), before + 3);
  CollectorSweep(vm());
  EXPECT_EQ(SymbolCount(), before);
}

TEST_F(SymbolTest, TaggedValuesReleaseWhatTheyOwn) {
  VNlist* list = nullptr;
  ListFactory(&list);
  RTVarnoConstantValue value{};
  value.type = kTypeList;
  value.value.pointer = list;
  RTVarnoConstantValue copy{};
  ASSERT_EQ(TaggedValueCopy(&copy, value), kRTSuccess);
  EXPECT_EQ(list->references, 2u);
  TaggedValueRelease(&copy);
  EXPECT_EQ(list->references, 1u);
  TaggedValueRelease(&value);
  EXPECT_EQ(TaggedValueRelease(nullptr), kRTSuccess);
  EXPECT_FALSE(MessagesWith("(RTVarnoConstantValueDestructor() )?!Caught an apValue of NULL?!").empty());
}

}  // namespace
