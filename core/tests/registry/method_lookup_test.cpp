// FindMethod through a class and its parents, and the parameter lists it hands out parsed.
#include <gtest/gtest.h>

#include "fixtures/fixture_classes.h"
#include "fixtures/signature_cases.h"
#include "registry_host.h"

namespace {

using namespace regtest;

std::u16string Text(const char16_t* text) { return text ? text : u"(null)"; }

class Methods : public ClassTest {
 protected:
  RTMethodRecord* Find(RTInstance instance, const char16_t* name) {
    RTMethodRecord* method = nullptr;
    return registry_.core().FindMethod(nullptr, instance, name, &method) ? method : nullptr;
  }
};

TEST_F(Methods, NearestLevelWinsIgnoringCase) {
  RTInstance child = registry_.Create(u"RTRegChild");
  RTInstance sibling = registry_.Create(u"RTRegSibling");
  RTInstance grandchild = registry_.Create(u"RTRegGrandchild");
  ASSERT_TRUE(child && sibling && grandchild);
  const struct {
    RTInstance instance;
    const char16_t* wanted;
    const char16_t* declared;  // null: not found
    uint32_t code;             // what the record's function returns; 0 for RTComponent's
  } cases[] = {
      {sibling, u"mymethod", u"MyMethod", regfix::kParentMyMethodCode},
      {sibling, u"OTHER", u"Other", regfix::kSiblingOtherCode},
      {child, u"MyMethod", u"mymethod", regfix::kChildMyMethodCode},
      {child, u"Shared", u"Shared", regfix::kChildSharedCode},
      {child, u"other", u"Other", regfix::kParentOtherCode},
      {grandchild, u"MyMethod", u"MYMETHOD", regfix::kGrandchildMyMethodCode},
      {grandchild, u"shared", u"Shared", regfix::kChildSharedCode},
      {grandchild, u"GetName", u"getname", regfix::kGrandchildGetNameCode},
      {grandchild, u"streamout", u"StreamOut", 0},
      {child, u"Nothing", nullptr, 0},
      {child, u"", nullptr, 0},
      {child, u"MyMethodX", nullptr, 0},
  };
  for (const auto& c : cases) {
    RTMethodRecord* method = Find(c.instance, c.wanted);
    if (!c.declared) {
      EXPECT_EQ(method, nullptr) << Utf8(c.wanted);
      continue;
    }
    ASSERT_NE(method, nullptr) << Utf8(c.wanted);
    EXPECT_EQ(Text(method->name), c.declared) << Utf8(c.wanted);
    if (c.code) {
      EXPECT_EQ(reinterpret_cast<regfix::FixtureMethod>(method->function)(nullptr), c.code);
    }
  }
  RTMethodRecord* untouched = reinterpret_cast<RTMethodRecord*>(0x1);
  EXPECT_EQ(registry_.core().FindMethod(nullptr, nullptr, u"MyMethod", &untouched), kRTFailure);
  EXPECT_EQ(registry_.core().FindMethod(nullptr, child, nullptr, &untouched), kRTFailure);
}

TEST_F(Methods, ParameterListIsParsedOnceOnFirstLookup) {
  RTInstance sibling = registry_.Create(u"RTRegSibling");
  ASSERT_NE(sibling, nullptr);
  RTMethodRecord* method = Find(sibling, u"MyMethod");
  ASSERT_NE(method, nullptr);
  ASSERT_NE(method->firstParameter, nullptr);
  RTParameterRecord* first = method->firstParameter;
  EXPECT_EQ(Text(first->name), u"aStage");
  ASSERT_NE(first->next, nullptr);
  EXPECT_EQ(method->lastParameter, first->next);
  EXPECT_EQ(Text(first->next->name), u"ahStream");
  EXPECT_EQ(first->next->typeId, 13u);
  EXPECT_EQ(first->next->next, nullptr);
  EXPECT_EQ(method->parameterState, kParametersParsed);

  RTInstance child = registry_.Create(u"RTRegChild");
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(Find(child, u"other"), Find(registry_.Create(u"RTRegParent"), u"OTHER")) << "the parent's record";
  EXPECT_EQ(Find(sibling, u"mymethod"), method);
  EXPECT_EQ(method->firstParameter, first) << "not parsed again";
}

TEST_F(Methods, ParameterListsParseAsTheGrammarSays) {
  RTInstance instance = registry_.Create(u"RTRegSignatures");
  ASSERT_NE(instance, nullptr);

  for (const regfix::SignatureCase& c : regfix::kSignatureCases) {
    const std::string what = Utf8(c.method) + " \"" + Utf8(c.text) + "\"";
    RTMethodRecord* method = Find(instance, c.method);
    ASSERT_NE(method, nullptr) << what;
    ASSERT_EQ(Text(method->parameters), c.text) << what;
    EXPECT_EQ(method->parameterState, c.whole ? kParametersParsed : kParametersMalformed) << what;
    const RTParameterRecord* record = method->firstParameter;
    const RTParameterRecord* last = nullptr;
    for (const regfix::ExpectedParameter& expected : c.parameters) {
      if (!expected.name) break;
      ASSERT_NE(record, nullptr) << what << ": no record for " << Utf8(expected.name);
      EXPECT_EQ(Text(record->name), expected.name) << what;
      EXPECT_EQ(Text(record->typeName), expected.typeName) << what;
      EXPECT_EQ(record->flags, expected.flags) << what << " " << Utf8(expected.name);
      EXPECT_EQ(record->typeId, expected.typeId) << what << " " << Utf8(expected.name);
      last = record;
      record = record->next;
    }
    EXPECT_EQ(record, nullptr) << what << ": more records than expected";
    EXPECT_EQ(method->lastParameter, last) << what;
  }
}

}  // namespace
