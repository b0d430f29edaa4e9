// Lists and databases: sharing by reference, copy-on-write appends, in-place element changes, the
// cursor, key order and release.
#include <gtest/gtest.h>

#include "compiler/code_value.h"
#include "compiler/type_codes.h"
#include "tests/vm_fixture.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/tagged_value.h"
#include "vm/value_text.h"

namespace {

using namespace varno;
using varno::testing::Utf8;

class ListValueTest : public varno::testing::VmTest {
 protected:
  static std::string Text(const VNlist* list) {
    std::u16string text;
    AppendListText(text, list);
    return Utf8(text);
  }
  static std::string Text(const DatabaseValue* database) {
    std::u16string text;
    AppendDatabaseText(text, database);
    return Utf8(text);
  }
  static VNlist* Numbers(std::initializer_list<int32_t> values) {
    VNlist* list = nullptr;
    ListFactory(&list);
    for (int32_t value : values) ListAppendNumber(list, value, &list);
    return list;
  }
};

TEST_F(ListValueTest, AnAppendToASharedListCopiesIt) {
  VNlist* first = Numbers({1, 2});
  VNlist* second = nullptr;
  ASSERT_EQ(ListFactoryFromSource(&second, first), kRTSuccess);
  EXPECT_EQ(second, first);
  EXPECT_EQ(first->references, 2u);

  VNlist* appended = nullptr;
  ASSERT_EQ(ListAppendString(second, u"x", &appended), kRTSuccess);
  EXPECT_NE(appended, first);
  EXPECT_EQ(first->references, 1u);
  EXPECT_EQ(Text(first), "[1, 2]");
  EXPECT_EQ(Text(appended), "[1, 2, \"x\"]");

  // A list with one holder is appended to in place.
  VNlist* same = nullptr;
  ASSERT_EQ(ListAppendReal(appended, 0.5f, &same), kRTSuccess);
  EXPECT_EQ(same, appended);
  ListDestructor(first);
  ListDestructor(same);
}

TEST_F(ListValueTest, ElementStoreAndRemovalChangeTheSharedList) {
  VNlist* list = Numbers({1, 2, 3});
  ListReference(list);
  RTVarnoConstantValue value{};
  value.type = kTypeString;
  value.value.text = const_cast<char16_t*>(u"s");
  ASSERT_EQ(ListSetElementN(list, 1, &value), kRTSuccess);
  ASSERT_EQ(ListRemoveElementN(list, 0), kRTSuccess);
  EXPECT_EQ(Text(list), "[\"s\", 3]");
  EXPECT_EQ(list->references, 2u);
  EXPECT_EQ(ListRemoveElementN(list, 2), kRTFailure);
  EXPECT_EQ(ListSetElementN(list, 2, &value), kRTFailure);
  ListDestructor(list);
  ListDestructor(list);
}

TEST_F(ListValueTest, NeighbouringIndexesAreReachedFromTheCursor) {
  VNlist* list = Numbers({10, 11, 12, 13, 14});
  RTVarnoConstantValue* element = nullptr;
  EXPECT_EQ(list->cursorIndex, kNoCursor);
  for (uint32_t i : {3u, 4u, 3u, 2u}) {
    ASSERT_EQ(ListRetrieveElementN(list, i, &element), kRTSuccess);
    EXPECT_EQ(element->value.number, static_cast<int32_t>(10 + i));
    EXPECT_EQ(list->cursorIndex, static_cast<int32_t>(i));
    EXPECT_EQ(list->cursorLink->data, element);
  }
  EXPECT_EQ(ListRetrieveElementN(list, 5, &element), kRTFailure);
  ASSERT_EQ(ListRemoveElementN(list, 0), kRTSuccess);
  EXPECT_EQ(list->cursorIndex, kNoCursor) << "removal forgets the cursor";
  ASSERT_EQ(ListRetrieveElementN(list, 1, &element), kRTSuccess);
  EXPECT_EQ(element->value.number, 12);
  ListDestructor(list);
}

TEST_F(ListValueTest, CopiesShareCountedElements) {
  DatabaseValue* database = nullptr;
  ASSERT_EQ(DatabaseFactory(&database), kRTSuccess);
  VNcode* code = nullptr;
  ASSERT_EQ(CodeValueFactory(&code), kRTSuccess);
  VNlist* list = nullptr;
  ListFactory(&list);
  RTVarnoConstantValue element{};
  element.type = kTypeDatabase;
  element.value.pointer = database;
  ListAppendValue(list, element, &list);
  ListAppendCode(list, code, &list);
  EXPECT_EQ(database->references, 2);
  EXPECT_EQ(code->references, 2u);

  ListReference(list);
  VNlist* copy = nullptr;
  ASSERT_EQ(ListMakeUnique(list, &copy), kRTSuccess);
  ASSERT_NE(copy, list);
  EXPECT_EQ(database->references, 3) << "the copy shares the database";
  EXPECT_EQ(code->references, 3u);
  ListDestructor(copy);
  ListDestructor(list);
  EXPECT_EQ(database->references, 1) << "both lists gone: the count is where it was";
  EXPECT_EQ(code->references, 1u);
  DatabaseRelease(database);
  CodeValueRelease(code);
}

TEST_F(ListValueTest, AListAppendedToItselfCopiesWhatItHeld) {
  VNlist* list = Numbers({1, 2});
  ASSERT_EQ(ListAppendList(list, list, &list), kRTSuccess);
  EXPECT_EQ(Text(list), "[1, 2, 1, 2]");
  ListDestructor(list);
}

TEST_F(ListValueTest, DatabasesReplaceKeysAndCopyOnRequest) {
  DatabaseValue* database = nullptr;
  ASSERT_EQ(DatabaseFactory(&database), kRTSuccess);
  RTVarnoConstantValue value{};
  value.type = kTypeNumber;
  for (int32_t i = 0; i < 3; ++i) {
    value.value.number = i;
    ASSERT_EQ(DatabaseSet(database, u"k", value), kRTSuccess);
  }
  EXPECT_EQ(DatabaseCount(database), 1u);
  EXPECT_EQ(Text(database), "(\"k\": 2)");
  EXPECT_EQ(DatabaseRemove(database, u"K"), kRTFailure) << "keys compare exactly";

  value.type = kTypeString;
  value.value.text = const_cast<char16_t*>(u"t");
  DatabaseSet(database, u"a", value);
  DatabaseReference(database);
  DatabaseValue* copy = nullptr;
  ASSERT_EQ(DatabaseMakeUnique(database, &copy), kRTSuccess);
  ASSERT_NE(copy, database);
  EXPECT_EQ(Text(copy), Text(database)) << "same entries in the same order";
  ASSERT_EQ(DatabaseRemove(copy, u"a"), kRTSuccess);
  EXPECT_TRUE(DatabaseHasKey(database, u"a"));
  DatabaseRelease(copy);
  DatabaseRelease(database);
}

TEST_F(ListValueTest, ADatabaseCountCannotGoBelowZero) {
  DatabaseValue database{};
  EXPECT_EQ(DatabaseRelease(&database), kRTFailure);
  EXPECT_FALSE(MessagesWith("Database reference count less than zero??").empty());
}

TEST_F(ListValueTest, TextsOfNestedValuesStopAtTheirDepth) {
  // A list stored into itself is a cycle: its text ends, and so does the collector's walk of it.
  VNlist* list = Numbers({1});
  RTVarnoConstantValue self{};
  self.type = kTypeList;
  self.value.pointer = list;
  ASSERT_EQ(ListSetElementN(list, 0, &self), kRTSuccess);
  const std::string text = Text(list);
  EXPECT_NE(text.find("[...]"), std::string::npos);
  // Break the cycle to free it.
  RTVarnoConstantValue number{};
  number.type = kTypeNumber;
  ListSetElementN(list, 0, &number);
  ListDestructor(list);
}

}  // namespace
