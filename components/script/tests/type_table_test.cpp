// The type table and its records: built-in types, lookups, methods, attributes and constants,
// parent resolution, and the small records other parts of the language keep (constant values,
// code values, listener lists, dotted names).
#include <gtest/gtest.h>

#include <string>

#include "compiler/code_value.h"
#include "compiler/compile_driver.h"
#include "compiler/core_records.h"
#include "compiler/dotted_name.h"
#include "compiler/line_table.h"
#include "compiler/listener_list.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/stream_calls.h"
#include "tests/compiler_fixture.h"

namespace {

using namespace varno;
using varno::testing::Utf8;
using varno::testing::Wide;

using TypeTableTest = varno::testing::CompilerTest;

RTVarnoType* AddClass(RTVarnoTypeTable* table, const char16_t* name, uint32_t parent = kNoType) {
  uint32_t index = kNoType;
  EXPECT_EQ(TypeTableAddType(table, name, u"test", kTypeScriptClass, &index), kRTSuccess);
  RTVarnoType* type = table->types[index];
  type->parentIndex = parent;
  return type;
}

TEST_F(TypeTableTest, BuiltInTypesAndLookups) {
  const char* names[] = {"!@-_-*(unused)*-_-@!", "number", "real", "string", "percent", "rank", "bool",
                         "vector2", "vector3", "list", "anything", "database", "null", "code"};
  ASSERT_EQ(table()->count, 14u);
  for (uint32_t i = 0; i < 14; ++i) {
    SCOPED_TRACE(names[i]);
    const RTVarnoType* type = table()->types[i];
    EXPECT_EQ(Utf8(type->name), names[i]);
    EXPECT_EQ(Utf8(type->fileName), "built-in");
    EXPECT_EQ(type->flags, kTypeBuiltIn);
    EXPECT_EQ(type->index, i);
    EXPECT_EQ(type->parentIndex, kNoType);
    EXPECT_EQ(type->methodHash, nullptr);
    EXPECT_EQ(type->attributes, nullptr);
  }

  uint32_t index = 0;
  EXPECT_EQ(TypeTableRetrieveTypeIdxByName(table(), u"Number", &index), kRTSuccess);
  EXPECT_EQ(index, 1u);
  EXPECT_EQ(TypeTableRetrieveTypeIdxByName(table(), u"DATABASE", &index), kRTSuccess);
  EXPECT_EQ(index, 11u);
  EXPECT_EQ(TypeTableRetrieveTypeIdxByName(table(), u"numbers", &index), kRTFailure);
  EXPECT_EQ(index, kNoType);

  RTVarnoType* foo = AddClass(table(), u"Foo");
  EXPECT_EQ(foo->index, 14u);
  RTVarnoType* found = nullptr;
  EXPECT_EQ(TypeTableRetrieveTypeByName(table(), u"FOO", &found), kRTSuccess);
  EXPECT_EQ(found, foo);
  EXPECT_EQ(TypeTableRetrieveTypeByFilename(table(), u"TEST", &found), kRTSuccess);
  EXPECT_EQ(found, foo);
  EXPECT_EQ(TypeTableRetrieveTypeByIdx(table(), 14, &found), kRTSuccess);
  EXPECT_TRUE(MessagesWith("[VARNO]").empty());
  EXPECT_EQ(TypeTableRetrieveTypeByIdx(table(), 15, &found), kRTFailure);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(MessagesWith("[VARNO]"), std::vector<std::string>{"[VARNO] type index couldn't be found!"});

  EXPECT_EQ(TypeTableAddType(table(), u"fOO", u"other", kTypeScriptClass, &index), kRTFailure);
  EXPECT_EQ(TypeTableAddType(table(), u"REAL", u"other", kTypeScriptClass, &index), kRTFailure);
  EXPECT_EQ(MessagesWith("already defined").size(), 2u);
  EXPECT_EQ(table()->count, 15u);

  // A record-only type gets attributes and constants but no method table.
  ASSERT_EQ(TypeTableAddType(table(), u"Record", u"other", kTypeRecordOnly, &index), kRTSuccess);
  RTVarnoType* record = table()->types[index];
  EXPECT_NE(record->attributes, nullptr);
  EXPECT_NE(record->constants, nullptr);
  EXPECT_EQ(record->methods, nullptr);
  RTVarnoMethod* method = nullptr;
  EXPECT_EQ(TypeRetrieveMethodByName(record, u"X", &method, kRetrieveThisType), kRTFailure);
  EXPECT_EQ(TypeRetrieveMethodByName(table()->types[kTypeNumber], u"X", &method, kRetrieveWithAncestors), kRTFailure);
  EXPECT_EQ(MessagesWith("Type has no method table!").size(), 2u);
}

TEST_F(TypeTableTest, MethodsAreKeyedByTheirUpperCasedName) {
  RTVarnoType* foo = AddClass(table(), u"Foo");
  RTVarnoMethod* first = MethodCreate(u"doThing", kMethodPlain);
  ASSERT_EQ(TypeAddMethod(foo, first), kRTSuccess);
  EXPECT_EQ(Utf8(first->keyName), "DOTHING");
  EXPECT_EQ(Utf8(first->displayName), "doThing");
  EXPECT_EQ(first->owner, foo);

  RTVarnoMethod* again = MethodCreate(u"DoThing", kMethodEvent);
  EXPECT_EQ(TypeAddMethod(foo, again), kRTFailure);
  EXPECT_EQ(MessagesWith("[VARNO]"), std::vector<std::string>{"[VARNO] Method redeclaration error?"});
  MethodFree(again);

  RTVarnoMethod* second = MethodCreate(u"other", kMethodState);
  ASSERT_EQ(TypeAddMethod(foo, second), kRTSuccess);
  EXPECT_EQ(foo->methods->first->data, second) << "new methods go to the head";
  RTVarnoMethod* found = nullptr;
  EXPECT_EQ(TypeRetrieveMethodByName(foo, u"DOTHING", &found, kRetrieveThisType), kRTSuccess);
  EXPECT_EQ(found, first);
  EXPECT_EQ(TypeRetrieveMethodByName(foo, u"doThing", &found, kRetrieveThisType), kRTFailure)
      << "callers upper-case the name";
}

TEST_F(TypeTableTest, LongNamesAreCutInMessagesAndRefusedInBuffers) {
  RTVarnoType* foo = AddClass(table(), u"Foo");
  const std::u16string name(1000, u'n');
  ASSERT_EQ(TypeAddAttribute(foo, kTypeNumber, name.c_str(), 0), kRTSuccess);
  EXPECT_EQ(TypeAddAttribute(foo, kTypeNumber, name.c_str(), 0), kRTFailure);
  const std::vector<std::string> messages = MessagesWith("[VARNO] Attribute name (nnn");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].size(), 511u) << "a message holds at most 511 characters";

  // A binding text whose method part is longer than 255 characters is refused.
  WriteSource("Thing.varno", "Thing is nothing;\nattributes { }\n");
  AddPath();
  EXPECT_FALSE(Compile(WriteSource("Bound.varno", "Bound is Thing;\nmethod f() implemented \"RTX." +
                                                      std::string(256, 'm') + "\";\n")));
  EXPECT_EQ(MessagesWith("Name too long").size(), 1u);
  EXPECT_EQ(MessagesWith("Couldn't create implemented method").size(), 1u);
  ASSERT_TRUE(Compile(WriteSource("Bound.varno", "Bound is Thing;\nmethod f() implemented \"RTX." +
                                                     std::string(255, 'm') + "\";\n")));
}

TEST_F(TypeTableTest, AttributePathsAndComponents) {
  RTVarnoType* inner = AddClass(table(), u"Inner");
  RTVarnoType* outer = AddClass(table(), u"Outer");
  ASSERT_EQ(TypeAddAttribute(inner, kTypeVector3, u"pos", 0), kRTSuccess);
  ASSERT_EQ(TypeAddAttribute(outer, inner->index, u"part", 0), kRTSuccess);
  ASSERT_EQ(TypeAddAttribute(outer, kTypeList, u"items", 0), kRTSuccess);
  ASSERT_EQ(TypeAddAttribute(outer, kTypeVector3, u"color", 0), kRTSuccess);
  EXPECT_EQ(TypeAddAttribute(outer, kTypeNumber, u"PART", 0), kRTFailure);
  EXPECT_EQ(MessagesWith("[VARNO]"), std::vector<std::string>{"[VARNO] Attribute name (PART) already exists!"});

  const struct {
    const char16_t* path;
    const char16_t* attribute;  // null: fails
    uint32_t component;
  } cases[] = {
      {u"part", u"part", kNoType},
      {u"PART.POS", u"pos", kNoType},
      {u"part.pos.y", u"pos", 1},
      {u"color.r", u"color", 0},
      {u"color.G", u"color", 1},
      {u"color.b", u"color", 2},
      {u"color.w", nullptr, kNoType},
      {u"items.x", nullptr, kNoType},
      {u"part.missing", nullptr, kNoType},
      {u"nothing", nullptr, kNoType},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.path));
    RTVarnoAttribute* attribute = nullptr;
    uint32_t component = 7;
    const RTSuccess result = ResolveAttributePath(table(), outer->attributes, c.path, &attribute, &component);
    EXPECT_EQ(result, c.attribute ? kRTSuccess : kRTFailure);
    EXPECT_EQ(attribute ? Utf8(attribute->name) : "", c.attribute ? Utf8(c.attribute) : "");
    if (c.attribute) {
      EXPECT_EQ(component, c.component);
    }
  }
  RTVarnoAttribute* attribute = nullptr;
  EXPECT_EQ(TypeRetrieveAttributeByName(table(), outer, u"Items", &attribute), kRTSuccess);
  EXPECT_EQ(attribute->type, kTypeList);
  EXPECT_EQ(TypeRetrieveAttributeByName(table(), outer, u"none", &attribute), kRTFailure);
  EXPECT_EQ(attribute, nullptr);
}

TEST_F(TypeTableTest, ParentResolutionRefusesCyclesAndClashes) {
  RTVarnoType* a = AddClass(table(), u"A");
  RTVarnoType* b = AddClass(table(), u"B", a->index);
  a->parentIndex = b->index;
  EXPECT_EQ(TypeTableResolveParents(table()), kRTFailure);
  EXPECT_EQ(MessagesWith("own ancestor").size(), 1u);
  EXPECT_EQ(a->parent, nullptr);
  EXPECT_EQ(b->parent, nullptr);

  ResetTable();
  RTVarnoType* self = AddClass(table(), u"Self");
  self->parentIndex = self->index;
  EXPECT_EQ(TypeTableResolveParents(table()), kRTFailure);
  EXPECT_EQ(MessagesWith("own ancestor").size(), 2u);

  // A constant that the child declares again clashes with the parent's constant attribute.
  ResetTable();
  RTVarnoType* parent = AddClass(table(), u"P");
  RTVarnoType* child = AddClass(table(), u"C", parent->index);
  RTVarnoConstantValue one{kTypeNumber, 0, {}};
  one.value.number = 1;
  ASSERT_EQ(TypeAddAttribute(parent, kTypeNumber, u"LIMIT", kDeclarationConstant), kRTSuccess);
  ASSERT_EQ(TypeAddConstant(parent, u"LIMIT", one), kRTSuccess);
  ASSERT_EQ(TypeAddAttribute(child, kTypeNumber, u"Limit", kDeclarationConstant), kRTSuccess);
  ASSERT_EQ(TypeAddConstant(child, u"Limit", one), kRTSuccess);
  EXPECT_EQ(TypeAddConstant(child, u"LIMIT", one), kRTFailure);
  EXPECT_EQ(MessagesWith("[VARNO] Constant already defined!").size(), 1u);
  EXPECT_EQ(TypeTableResolveParents(table()), kRTFailure);
  EXPECT_EQ(MessagesWith("[VARNO] Attribute name (LIMIT) already exists!").size(), 1u);
  EXPECT_EQ(MessagesWith("Couldn't add an inherited attribute to the class!").size(), 1u);
}

TEST_F(TypeTableTest, ConstantValuesOwnTheirBlocks) {
  RTVarnoConstantValue vector{kTypeVector3, 0, {}};
  vector.value.vector = NewVectorBlock(1, 2, 3);
  RTVarnoConstantValue copy{};
  ASSERT_EQ(ConstantValueCopy(&copy, &vector), kRTSuccess);
  ASSERT_NE(copy.value.vector, vector.value.vector);
  vector.value.vector->x = 9;
  EXPECT_EQ(copy.value.vector->x, 1.0f);
  EXPECT_EQ(copy.value.vector->z, 3.0f);

  RTVarnoConstantValue text{kTypeString, 0, {}};
  text.value.text = CopyText(u"words");
  RTVarnoConstantValue textCopy{};
  ASSERT_EQ(ConstantValueCopy(&textCopy, &text), kRTSuccess);
  EXPECT_NE(textCopy.value.text, text.value.text);
  EXPECT_EQ(Utf8(textCopy.value.text), "words");

  RTVarnoConstantValue number{kTypeNumber, 0, {}};
  number.value.number = -4;
  RTVarnoConstantValue numberCopy{};
  ASSERT_EQ(ConstantValueCopy(&numberCopy, &number), kRTSuccess);
  EXPECT_EQ(numberCopy.value.number, -4);

  RTVarnoConstantValue database{kTypeDatabase, 0, {}};
  RTVarnoConstantValue databaseCopy{};
  EXPECT_EQ(ConstantValueCopy(&databaseCopy, &database), kRTSuccess);
  EXPECT_EQ(databaseCopy.type, kTypeDatabase);
  EXPECT_EQ(databaseCopy.value.pointer, nullptr);
  EXPECT_EQ(MessagesWith("ConstantValueCopy() -- Database type not supported yet!").size(), 1u);

  for (RTVarnoConstantValue* value : {&vector, &copy, &text, &textCopy, &number, &numberCopy}) {
    EXPECT_EQ(RTVarnoConstantValueDestructor(value), kRTSuccess);
  }
  EXPECT_EQ(RTVarnoConstantValueDestructor(nullptr), kRTSuccess);
  EXPECT_EQ(MessagesWith("(RTVarnoConstantValueDestructor() )?!Caught an apValue of NULL?!").size(), 1u);
}

TEST_F(TypeTableTest, CodeValuesCountTheirReferences) {
  VNcode* code = nullptr;
  ASSERT_EQ(CodeValueFactory(&code), kRTSuccess);
  ASSERT_NE(code->stream, nullptr);
  EXPECT_EQ(code->references, 1u);
  uint32_t written = 0;
  const uint8_t bytes[] = {1, 2, 3};
  EXPECT_EQ(kivo::stream::Write(code->stream, bytes, 3, &written), kRTSuccess) << "the stream is open for writing";

  RTVarnoConstantValue value{kTypeCode, 0, {}};
  value.value.code = code;
  RTVarnoConstantValue shared{};
  ASSERT_EQ(ConstantValueCopy(&shared, &value), kRTSuccess);
  EXPECT_EQ(shared.value.code, code);
  EXPECT_EQ(code->references, 2u);
  RTVarnoConstantValueDestructor(&value);
  EXPECT_EQ(code->references, 1u);
  code->lineTable = LineTableCreate();
  RTVarnoConstantValueDestructor(&shared);  // the last reference frees stream, line table and record
}

TEST_F(TypeTableTest, ListenerLists) {
  kivo::List* list = nullptr;
  ASSERT_EQ(ListenerListCreate(&list), kRTSuccess);
  auto* object = reinterpret_cast<RTVarnoSymbol*>(0x10);
  auto* method = reinterpret_cast<RTVarnoMethod*>(0x20);
  ASSERT_EQ(ListenerListPrepend(list, ListenerEntryCreate(u"OnHit", object, method)), kRTSuccess);
  ASSERT_EQ(ListenerListPrepend(list, ListenerEntryCreate(u"OnMiss", nullptr, nullptr)), kRTSuccess);
  EXPECT_EQ(Utf8(static_cast<ListenerEntry*>(list->first->data)->eventName), "OnMiss");
  ListenerEntry* found = ListenerListFind(list, u"ONHIT");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->object, object);
  EXPECT_EQ(found->method, method);
  EXPECT_EQ(ListenerListFind(list, u"OnRun"), nullptr);

  kivo::List* copy = nullptr;
  ASSERT_EQ(ListenerListCreate(&copy), kRTSuccess);
  ASSERT_EQ(ListenerListAppendCopies(copy, list), kRTSuccess);
  ASSERT_EQ(copy->count, 2u);
  EXPECT_NE(ListenerListFind(copy, u"onhit"), found);
  EXPECT_NE(ListenerListFind(copy, u"onhit")->eventName, found->eventName);
  ListenerListDestroy(list);
  ListenerListDestroy(copy);
}

TEST_F(TypeTableTest, DottedNames) {
  char16_t head[8];
  const char16_t* rest = nullptr;
  ASSERT_EQ(NameSplitFirst(u"obj.pos.x", head, 8, &rest), kRTSuccess);
  EXPECT_EQ(Utf8(head), "obj");
  EXPECT_EQ(Utf8(rest), "pos.x");
  ASSERT_EQ(NameSplitLast(u"obj.pos.x", head, 8, &rest), kRTSuccess);
  EXPECT_EQ(Utf8(head), "obj.pos");
  EXPECT_EQ(Utf8(rest), "x");
  ASSERT_EQ(NameSplitFirst(u"plain", head, 8, &rest), kRTSuccess);
  EXPECT_EQ(Utf8(head), "plain");
  EXPECT_EQ(rest, nullptr);
  EXPECT_EQ(NameSplitFirst(nullptr, head, 8, &rest), kRTFailure);
  EXPECT_EQ(NameSplitFirst(u"muchtoolong.x", head, 8, &rest), kRTFailure) << "the head does not fit";
  EXPECT_EQ(head[0], u'\0');
  EXPECT_EQ(MessagesWith("Name too long").size(), 1u);

  std::u16string name = u"a.b.c";
  char16_t* cut = nullptr;
  int32_t position = 0;
  char16_t saved = 0;
  ASSERT_EQ(NameCutFirst(name.data(), &cut, &position, &saved), kRTSuccess);
  EXPECT_EQ(Utf8(name.c_str()), "a");
  EXPECT_EQ(Utf8(cut), "b.c");
  EXPECT_EQ(position, 1);
  name[static_cast<size_t>(position)] = saved;
  EXPECT_EQ(Utf8(name), "a.b.c");
  std::u16string plain = u"abc";
  ASSERT_EQ(NameCutFirst(plain.data(), &cut, &position, &saved), kRTSuccess);
  EXPECT_EQ(cut, nullptr);
  EXPECT_EQ(position, -1);

  EXPECT_TRUE(FirstPartsEqual(u"pos.x", u"POS"));
  EXPECT_TRUE(FirstPartsEqual(u"Pos", u"pOS.y"));
  EXPECT_FALSE(FirstPartsEqual(u"posx", u"pos.x"));
  EXPECT_TRUE(NamesEqual(u"Number", u"nUMBER"));
  EXPECT_FALSE(NamesEqual(u"\u00e9", u"\u00c9")) << "only ASCII letters fold";
}

TEST_F(TypeTableTest, InteractiveExpressionsParseInTheirScope) {
  RTVarnoType* foo = AddClass(table(), u"Foo");
  kivo::List* declarations = nullptr;
  ASSERT_EQ(kivo::ListCreate(&declarations), kRTSuccess);
  ASSERT_EQ(kivo::ListAppend(declarations, AttributeCreate(kTypeNumber, u"x", 0)), kRTSuccess);
  const std::string text = "r = code { y is real; y = x; }";
  SyntaxNode* tree = nullptr;
  ASSERT_EQ(ParseInteractiveExpression(table(), foo, declarations, text.data(), text.size(), &tree), kRTSuccess);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->kind, eSNAssign);
  FreeSyntaxTree(tree);
  ASSERT_EQ(declarations->count, 2u) << "a declaration in a code literal joins the running scope's";
  EXPECT_EQ(Utf8(static_cast<RTVarnoAttribute*>(declarations->last->data)->name), "y");
  AttributeListFree(declarations);

  EXPECT_EQ(ParseInteractiveExpression(table(), foo, nullptr, "x = ", 4, &tree), kRTFailure);
  EXPECT_EQ(tree, nullptr);
  EXPECT_EQ(MessagesWith("[PARSE ERROR]").size(), 1u);
}

}  // namespace
