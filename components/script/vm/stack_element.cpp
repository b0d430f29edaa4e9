#include "vm/stack_element.h"

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/type_codes.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/symbol.h"

namespace varno {

void ReleaseElementValue(RTVarnoStackElement* element) {
  switch (element->tag) {
    case kTagString:
      StringRelease(element->value.text);
      break;
    case kTagList:
      if (element->value.list) ListDestructor(element->value.list);
      break;
    case kTagDatabase:
      if (element->value.database) DatabaseRelease(element->value.database);
      break;
    case kTagCode:
      if (element->value.code) CodeValueRelease(element->value.code);
      break;
    default:
      break;
  }
}

bool StackElementCopy(RTVarnoStackElement* destination, const RTVarnoStackElement& source) {
  *destination = source;
  switch (source.tag) {
    case kTagString:
      if (source.value.text && !(destination->value.text = StringShare(source.value.text))) {
        *destination = RTVarnoStackElement{};
        return false;
      }
      break;
    case kTagList:
      if (source.value.list) ListReference(source.value.list);
      break;
    case kTagDatabase:
      if (source.value.database) DatabaseReference(source.value.database);
      break;
    case kTagCode:
      if (source.value.code) CodeValueReference(source.value.code);
      break;
    default:
      break;
  }
  return true;
}

uint32_t StackElementTypeCode(const RTVarnoStackElement& element) {
  switch (element.tag) {
    case kTagNumber:
      return kTypeNumber;
    case kTagReal:
      return kTypeReal;
    case kTagString:
      return kTypeString;
    case kTagVector3:
      return kTypeVector3;
    case kTagList:
      return kTypeList;
    case kTagBool:
      return kTypeBool;
    case kTagCode:
      return kTypeCode;
    case kTagDatabase:
      return kTypeDatabase;
    case kTagObject:
      return element.value.object ? element.value.object->typeIndex : kTypeUnused;
    default:
      return kTypeUnused;
  }
}

}  // namespace varno
