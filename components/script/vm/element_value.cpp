#include "vm/element_value.h"

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/type_codes.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"

namespace varno {

bool ElementAsValue(const RTVarnoStackElement& element, RTVarnoConstantValue* out) {
  *out = RTVarnoConstantValue{};
  switch (element.tag) {
    case kTagNumber:
      out->type = kTypeNumber;
      out->value.number = element.value.number;
      return true;
    case kTagReal:
      out->type = kTypeReal;
      out->value.real = element.value.real;
      return true;
    case kTagString:
      out->type = kTypeString;
      out->value.text = element.value.text;
      return true;
    case kTagVector3:
      out->type = kTypeVector3;
      out->value.vector = const_cast<RTFVector3D*>(&element.value.vector);
      return true;
    case kTagList:
      out->type = kTypeList;
      out->value.pointer = element.value.list;
      return true;
    case kTagBool:
      out->type = kTypeBool;
      out->value.word = element.value.word ? 1 : 0;
      return true;
    case kTagCode:
      out->type = kTypeCode;
      out->value.code = element.value.code;
      return true;
    case kTagDatabase:
      out->type = kTypeDatabase;
      out->value.pointer = element.value.database;
      return true;
    case kTagObject:
      if (!element.value.object) return false;
      out->type = element.value.object->typeIndex;
      out->value.pointer = element.value.object;
      return true;
    default:
      return false;
  }
}

bool ElementFromValue(const RTVarnoConstantValue& value, bool withDatabase, RTVarnoStackElement* out) {
  *out = RTVarnoStackElement{};
  switch (value.type) {
    case kTypeNumber:
      out->tag = kTagNumber;
      out->value.number = value.value.number;
      return true;
    case kTypeReal:
      out->tag = kTagReal;
      out->value.real = value.value.real;
      return true;
    case kTypeString:
      out->tag = kTagString;
      if (value.value.text && !(out->value.text = StringShare(value.value.text))) {
        out->tag = kTagEmpty;
        return false;
      }
      return true;
    case kTypeBool:
      out->tag = kTagBool;
      out->value.word = value.value.word ? 1 : 0;
      return true;
    case kTypeVector3:
      out->tag = kTagVector3;
      if (value.value.vector) out->value.vector = *value.value.vector;
      return true;
    case kTypeList:
      if (!ValueList(value)) return false;
      out->tag = kTagList;
      out->value.list = ValueList(value);
      ListReference(out->value.list);
      return true;
    case kTypeCode:
      if (!value.value.code) return false;
      out->tag = kTagCode;
      out->value.code = value.value.code;
      CodeValueReference(out->value.code);
      return true;
    case kTypeDatabase:
      if (!withDatabase || !ValueDatabase(value)) return false;
      out->tag = kTagDatabase;
      out->value.database = ValueDatabase(value);
      DatabaseReference(out->value.database);
      return true;
    default:
      if (value.type < kFirstClassType || !value.value.pointer) return false;
      out->tag = kTagObject;
      out->value.object = static_cast<RTVarnoSymbol*>(value.value.pointer);
      return true;
  }
}

}  // namespace varno
