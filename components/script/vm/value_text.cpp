#include "vm/value_text.h"

#include "compiler/type_codes.h"
#include "kivo/support/format.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

bool Full(const std::u16string& text) { return text.size() >= kMaxTextUnits; }

void Append(std::u16string& text, std::u16string_view part) {
  if (Full(text)) return;
  text.append(part.substr(0, kMaxTextUnits - text.size()));
}

void AppendList(std::u16string& text, const VNlist* list, uint32_t depth);
void AppendDatabase(std::u16string& text, const DatabaseValue* database, uint32_t depth);

// An element of a list or database, written by its type code.
void AppendElement(std::u16string& text, const RTVarnoConstantValue& value, uint32_t depth) {
  switch (value.type) {
    case kTypeNumber:
      AppendNumberText(text, value.value.number);
      break;
    case kTypeReal:
      AppendRealText(text, value.value.real);
      break;
    case kTypeString:
      Append(text, u"\"");
      Append(text, value.value.text ? value.value.text : u"");
      Append(text, u"\"");
      break;
    case kTypeBool:
      Append(text, value.value.word ? u"true" : u"false");
      break;
    case kTypeVector3:
      AppendVectorText(text, value.value.vector ? *value.value.vector : RTFVector3D{});
      break;
    case kTypeCode:
      Append(text, u"code");
      break;
    case kTypeList:
      AppendList(text, ValueList(value), depth + 1);
      break;
    case kTypeDatabase:
      AppendDatabase(text, ValueDatabase(value), depth + 1);
      break;
    default:
      Append(text, value.type >= kFirstClassType ? u"Object" : u"???");
      break;
  }
}

void AppendList(std::u16string& text, const VNlist* list, uint32_t depth) {
  if (depth > kMaxTextDepth) {
    Append(text, u"[...]");
    return;
  }
  Append(text, u"[");
  bool first = true;
  for (const RTVarnoConstantValue* element :
       kivo::ListItems<RTVarnoConstantValue>(list ? list->elements : nullptr)) {
    if (Full(text)) break;
    if (!first) Append(text, u", ");
    first = false;
    AppendElement(text, *element, depth);
  }
  Append(text, u"]");
}

void AppendDatabase(std::u16string& text, const DatabaseValue* database, uint32_t depth) {
  if (depth > kMaxTextDepth) {
    Append(text, u"(...)");
    return;
  }
  Append(text, u"(");
  bool first = true;
  DatabaseForEach(database, [&](const char16_t* key, RTVarnoConstantValue* value) {
    if (Full(text)) return;
    if (!first) Append(text, u", ");
    first = false;
    Append(text, u"\"");
    Append(text, key ? key : u"");
    Append(text, u"\": ");
    AppendElement(text, *value, depth);
  });
  Append(text, u")");
}

}  // namespace

void AppendNumberText(std::u16string& text, int32_t value) { Append(text, kivo::Format(u"%d", value)); }

void AppendRealText(std::u16string& text, float value) { Append(text, kivo::Format(u"%f", value)); }

void AppendVectorText(std::u16string& text, const RTFVector3D& value) {
  Append(text, kivo::Format(u"<%f, %f, %f>", value.x, value.y, value.z));
}

void AppendListText(std::u16string& text, const VNlist* list) { AppendList(text, list, 0); }

void AppendDatabaseText(std::u16string& text, const DatabaseValue* database) { AppendDatabase(text, database, 0); }

bool AppendElementText(std::u16string& text, const RTVarnoStackElement& element) {
  switch (element.tag) {
    case kTagNumber:
      AppendNumberText(text, element.value.number);
      return true;
    case kTagReal:
      AppendRealText(text, element.value.real);
      return true;
    case kTagString:
      Append(text, element.value.text ? element.value.text : u"");
      return true;
    case kTagVector3:
      AppendVectorText(text, element.value.vector);
      return true;
    case kTagBool:
      Append(text, element.value.word ? u"true" : u"false");
      return true;
    case kTagCode:
      Append(text, u"code");
      return true;
    case kTagList:
      AppendListText(text, element.value.list);
      return true;
    case kTagDatabase:
      AppendDatabaseText(text, element.value.database);
      return true;
    default:
      return false;
  }
}

bool PlainElementText(const RTVarnoStackElement& element, char16_t (&digits)[kivo::kWideIntTextUnits],
                      std::u16string_view* out) {
  if (element.tag == kTagString) {
    *out = element.value.text ? std::u16string_view(element.value.text, StringLength(element.value.text))
                              : std::u16string_view();
    return true;
  }
  if (element.tag != kTagNumber) return false;
  *out = kivo::WideStrFromInt(element.value.number, digits, 10);
  return true;
}

}  // namespace varno
