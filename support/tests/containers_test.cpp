// Lists, stacks and both hash tables, all in core memory (the fixture checks that every test
// gives its memory back).
#include <gtest/gtest.h>

#include <vector>

#include "host/core_host.h"
#include "kivo/support/handle_table.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "kivo/support/stack.h"

namespace {

using namespace kivo;
using Containers = tesk::testing::StartedCore;

void* Word(uintptr_t value) { return reinterpret_cast<void*>(value); }

std::vector<uintptr_t> Contents(const List* list) {
  std::vector<uintptr_t> words;
  for (const ListLink* link = list->first; link; link = link->next) words.push_back(reinterpret_cast<uintptr_t>(link->data));
  std::vector<uintptr_t> backwards;
  for (const ListLink* link = list->last; link; link = link->previous)
    backwards.insert(backwards.begin(), reinterpret_cast<uintptr_t>(link->data));
  EXPECT_EQ(words, backwards) << "links agree in both directions";
  EXPECT_EQ(words.size(), list->count);
  return words;
}

TEST_F(Containers, ListKeepsOrderThroughInsertsAndRemovals) {
  List* list = nullptr;
  ASSERT_EQ(ListCreate(&list), kRTSuccess);
  ListAppend(list, Word(2));
  ListAppend(list, Word(3));
  ListPrepend(list, Word(1));
  EXPECT_EQ(Contents(list), (std::vector<uintptr_t>{1, 2, 3}));

  EXPECT_EQ(ListInsertBefore(list, list->first, Word(9)), kRTSuccess);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(list->first->data), 9u) << "inserting before the head makes a new head";
  EXPECT_EQ(ListInsertBefore(list, list->last, Word(7)), kRTSuccess);
  EXPECT_EQ(Contents(list), (std::vector<uintptr_t>{9, 1, 2, 7, 3}));
  EXPECT_EQ(ListInsertBefore(list, list->first, nullptr), kRTFailure);
  EXPECT_EQ(ListInsertBefore(list, nullptr, Word(5)), kRTFailure);

  ListLink* link = nullptr;
  uint32_t index = 0;
  EXPECT_EQ(ListFind(list, Word(7), &link, &index), kRTSuccess);
  EXPECT_EQ(index, 3u);
  EXPECT_EQ(ListFind(list, Word(8), &link, nullptr), kRTFailure);
  EXPECT_EQ(ListRemove(list, Word(9)), kRTSuccess);
  EXPECT_EQ(ListRemove(list, Word(9)), kRTFailure);
  EXPECT_EQ(ListRemoveLink(list, list->last), kRTSuccess);
  EXPECT_EQ(Contents(list), (std::vector<uintptr_t>{1, 2, 7}));

  ListLink* a = nullptr;
  ListLink* b = nullptr;
  ListElementAt(list, 0, &a);
  ListElementAt(list, 2, &b);
  EXPECT_EQ(ListSwapData(list, a, b), kRTSuccess);
  EXPECT_EQ(Contents(list), (std::vector<uintptr_t>{7, 2, 1}));
  EXPECT_EQ(ListSwapData(nullptr, a, b), kRTFailure);
  EXPECT_EQ(ListDestroy(list), kRTSuccess);
}

TEST_F(Containers, ListIndexingStopsAtTheCount) {
  List* list = nullptr;
  ListCreate(&list);
  ListAppend(list, Word(10));
  ListAppend(list, Word(20));
  void* data = nullptr;
  EXPECT_EQ(ListDataAt(list, 1, &data), kRTSuccess);
  EXPECT_EQ(data, Word(20));
  EXPECT_EQ(ListDataAt(list, 2, &data), kRTFailure);
  EXPECT_EQ(data, nullptr);
  auto* link = static_cast<ListLink*>(Word(1));
  EXPECT_EQ(ListElementAt(list, 2, &link), kRTFailure);
  EXPECT_EQ(link, nullptr);
  ListDestroy(list);
}

TEST_F(Containers, ListRemovingTheOnlyLinkEmptiesIt) {
  List* list = nullptr;
  ListCreate(&list);
  ListAppend(list, Word(1));
  EXPECT_EQ(ListRemove(list, Word(1)), kRTSuccess);
  EXPECT_EQ(list->first, nullptr);
  EXPECT_EQ(list->last, nullptr);
  EXPECT_EQ(list->count, 0u);
  ListAppend(list, Word(2));
  ListAppend(list, Word(3));
  EXPECT_EQ(ListClear(list), kRTSuccess);
  EXPECT_EQ(Contents(list), std::vector<uintptr_t>{});
  EXPECT_EQ(ListClear(nullptr), kRTFailure);
  ListDestroy(list);
}

TEST_F(Containers, ARecycledListIsRefilledWithItsOwnLinks) {
  List* list = nullptr;
  List* spare = nullptr;
  ListCreate(&list);
  ListCreate(&spare);
  for (uintptr_t word : {1, 2, 3}) ListAppend(list, Word(word));
  ListAppend(spare, Word(0));
  EXPECT_EQ(ListRecycle(list, spare), kRTSuccess);
  EXPECT_EQ(Contents(list), std::vector<uintptr_t>{});
  EXPECT_EQ(Contents(spare).size(), 4u);

  const auto before = MemoryStats();
  for (uintptr_t word : {7, 8, 9, 10}) EXPECT_EQ(ListAppendRecycled(list, spare, Word(word)), kRTSuccess);
  EXPECT_EQ(ListRemoveRecycled(list, Word(8), spare), kRTSuccess);
  EXPECT_EQ(ListRemoveRecycled(list, Word(8), spare), kRTFailure);
  EXPECT_EQ(MemoryStats(), before) << "refilling takes the spare links";
  EXPECT_EQ(Contents(list), (std::vector<uintptr_t>{7, 9, 10}));
  EXPECT_EQ(Contents(spare).size(), 1u);

  EXPECT_EQ(ListAppendRecycled(list, spare, Word(11)), kRTSuccess);
  EXPECT_EQ(ListAppendRecycled(list, spare, Word(12)), kRTSuccess) << "an empty spare list gives a new link";
  EXPECT_EQ(Contents(list), (std::vector<uintptr_t>{7, 9, 10, 11, 12}));
  EXPECT_EQ(ListRecycle(nullptr, spare), kRTFailure);
  EXPECT_EQ(ListAppendRecycled(list, nullptr, Word(1)), kRTFailure);
  ListDestroy(list);
  ListDestroy(spare);
}

TEST_F(Containers, ARefilledListKeepsItsLinksAndHandsBackThoseLeftOver) {
  List* list = nullptr;
  List* spare = nullptr;
  ListCreate(&list);
  ListCreate(&spare);
  for (uintptr_t word : {1, 2, 3}) ListAppend(list, Word(word));
  ListAppend(spare, Word(0));
  const auto before = MemoryStats();
  const struct {
    std::vector<uintptr_t> entries;
    size_t spareLinks;
  } refills[] = {{{4, 5}, 2}, {{6, 7, 8}, 1}, {{}, 4}, {{9, 10, 11, 12}, 0}, {{13}, 3}};
  for (const auto& refill : refills) {
    ListRefill writer(list, spare);
    for (uintptr_t word : refill.entries) EXPECT_EQ(writer.Append(Word(word)), kRTSuccess);
    writer.Finish();
    EXPECT_EQ(Contents(list), refill.entries);
    EXPECT_EQ(Contents(spare).size(), refill.spareLinks) << refill.entries.size() << " entries";
  }
  EXPECT_EQ(MemoryStats(), before) << "four links go round between the lists";
  ListDestroy(list);
  ListDestroy(spare);
}

TEST_F(Containers, ARefillWithoutASpareListMakesAndFreesItsLinks) {
  List* list = nullptr;
  ListCreate(&list);
  for (uintptr_t word : {1, 2, 3}) ListAppend(list, Word(word));
  const auto before = MemoryStats();
  for (const std::vector<uintptr_t>& entries : std::vector<std::vector<uintptr_t>>{{4}, {5, 6, 7, 8}, {9, 10, 11}}) {
    ListRefill writer(list, nullptr);
    for (uintptr_t word : entries) EXPECT_EQ(writer.Append(Word(word)), kRTSuccess);
    writer.Finish();
    EXPECT_EQ(Contents(list), entries);
  }
  EXPECT_EQ(MemoryStats(), before) << "as many links as entries, as at the start";
  ListRefill none(nullptr, nullptr);
  EXPECT_EQ(none.Append(Word(1)), kRTFailure);
  none.Finish();
  ListDestroy(list);
}

TEST_F(Containers, StackIsLastInFirstOut) {
  Stack* stack = nullptr;
  ASSERT_EQ(StackCreate(&stack), kRTSuccess);
  void* out = Word(99);
  EXPECT_EQ(StackPop(stack, &out), kRTFailure);
  EXPECT_EQ(StackPeek(stack, &out), kRTFailure);
  EXPECT_EQ(out, Word(99)) << "a failed pop leaves the out word untouched";
  StackPush(stack, Word(1));
  StackPush(stack, Word(2));
  EXPECT_EQ(StackPeek(stack, &out), kRTSuccess);
  EXPECT_EQ(out, Word(2));
  EXPECT_EQ(stack->count, 2u);
  EXPECT_EQ(StackPop(stack, &out), kRTSuccess);
  EXPECT_EQ(out, Word(2));
  EXPECT_EQ(StackPop(stack, &out), kRTSuccess);
  EXPECT_EQ(out, Word(1));
  StackPush(stack, Word(3));
  EXPECT_EQ(StackDestroy(stack), kRTSuccess);
}

std::vector<void*> gDestroyed;
void RecordDestroyed(void* value) { gDestroyed.push_back(value); }

TEST_F(Containers, IntegerHashTableFindsTheNewestEntryOfAKey) {
  HashTable* table = nullptr;
  EXPECT_EQ(HashTableCreate(&table, 0, nullptr), kRTFailure);
  ASSERT_EQ(HashTableCreate(&table, 31, RecordDestroyed), kRTSuccess);
  HashTableInsert(table, 5, Word(1));
  HashTableInsert(table, 5, Word(2));
  HashTableInsert(table, 36, Word(3));  // same bucket as 5
  EXPECT_EQ(table->entryCount, 3u);
  void* value = nullptr;
  EXPECT_EQ(HashTableLookup(table, 5, &value), kRTSuccess);
  EXPECT_EQ(value, Word(2));
  EXPECT_EQ(HashTableLookup(table, 36, &value), kRTSuccess);
  EXPECT_EQ(value, Word(3));
  EXPECT_EQ(HashTableLookup(table, 6, &value), kRTFailure);
  gDestroyed.clear();
  EXPECT_EQ(HashTableDestroy(table), kRTSuccess);
  EXPECT_EQ(gDestroyed.size(), 3u) << "every value reaches the destroy callback";
}

TEST_F(Containers, TextHashTableComparesKeysExactly) {
  StrHashTable* table = nullptr;
  EXPECT_EQ(StrHashTableCreate(&table, 0, nullptr), kRTFailure);
  ASSERT_EQ(StrHashTableCreate(&table, 31, RecordDestroyed), kRTSuccess);
  StrHashTableInsert(table, u"Root", Word(1));
  StrHashTableInsert(table, u"ROOT", Word(2));
  StrHashTableInsert(table, u"Roo", Word(3));
  void* value = nullptr;
  EXPECT_EQ(StrHashTableLookup(table, u"root", &value), kRTFailure);
  EXPECT_EQ(StrHashTableLookup(table, u"Root", &value), kRTSuccess);
  EXPECT_EQ(value, Word(1));
  EXPECT_EQ(StrHashTableLookup(table, u"Roo", &value), kRTSuccess);
  EXPECT_EQ(value, Word(3));

  EXPECT_EQ(StrHashTableRemove(table, u"ROOT", &value), kRTSuccess);
  EXPECT_EQ(value, Word(2));
  EXPECT_EQ(StrHashTableRemove(table, u"ROOT", nullptr), kRTFailure);
  EXPECT_EQ(table->entryCount, 2u);

  StrHashTableInsert(table, u"Other", Word(1));
  StrHashTableInsert(table, u"Root", Word(1));
  uint32_t removed = 0;
  EXPECT_EQ(StrHashTableRemoveValue(table, Word(1), &removed), kRTSuccess);
  EXPECT_EQ(removed, 3u) << "every entry of the value, a repeated key too";
  EXPECT_EQ(StrHashTableLookup(table, u"Root", &value), kRTFailure);
  EXPECT_EQ(StrHashTableLookup(table, u"Roo", &value), kRTSuccess);
  gDestroyed.clear();
  EXPECT_EQ(StrHashTableDestroy(table), kRTSuccess);
  EXPECT_EQ(gDestroyed.size(), 1u);
}

TEST_F(Containers, HashWideStringUsesLowBytes) {
  const struct {
    const char16_t* text;
    uint32_t hash;
  } cases[] = {
      {u"", 0},
      {u"ab", 97 * 31 + 98},
      {u"\u0161b", 0x61 * 31 + 98},  // only the low byte of each unit
      {u"a\u0100b", 97},             // a low byte of 0 ends the text
  };
  for (const auto& c : cases) {
    uint32_t hash = 1;
    EXPECT_EQ(HashWideString(c.text, &hash), kRTSuccess);
    EXPECT_EQ(hash, c.hash);
  }
  uint32_t wrapped = 0;
  HashWideString(u"a long enough name to wrap the hash", &wrapped);
  uint32_t expected = 0;
  for (char c : std::string("a long enough name to wrap the hash")) expected = expected * 31 + c;
  EXPECT_EQ(wrapped, expected);
}

TEST_F(Containers, HandleTableIssuesGrowingIdsOncePerObjectAndForgets) {
  int a = 0;
  int b = 0;
  HandleTable records(HandleTable::Holds::kRecords);
  const uint32_t first = records.Issue(&a);
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(records.Issue(&a), first) << "an object keeps its id";
  const uint32_t second = records.Issue(&b);
  EXPECT_EQ(second, 2u);
  EXPECT_EQ(records.Issue(nullptr), kNoHandle);
  for (uint32_t none : {kNoHandle, kUnsetHandle, 3u}) EXPECT_EQ(records.Resolve(none), nullptr) << none;
  EXPECT_TRUE(records.Forget(&a));
  EXPECT_FALSE(records.Forget(&a));
  EXPECT_EQ(records.Resolve(first), nullptr) << "an id whose object is gone resolves to none";
  EXPECT_EQ(records.Issue(&a), 3u) << "ids are never issued twice";
  records.Clear();
  EXPECT_EQ(records.Resolve(second), nullptr);
}

TEST_F(Containers, HandleTableOfInstancesHoldsOneReferencePerEntry) {
  RTInstance instance = nullptr;
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, u"RTComponent", &instance, 0, 1));
  uint32_t count = 0;
  {
    HandleTable instances(HandleTable::Holds::kInstances);
    const uint32_t id = instances.Issue(instance);
    instances.Issue(instance);
    core().GetRefCount(nullptr, instance, &count);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(instances.Resolve(id), instance);
  }
  core().GetRefCount(nullptr, instance, &count);
  EXPECT_EQ(count, 1u) << "the table gave its reference back";
  core().ReleaseInstance(nullptr, instance);
}

}  // namespace
