#include "vm/tagged_value.h"

#include "compiler/code_value.h"
#include "compiler/constant_value.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "vm/database_value.h"
#include "vm/list_value.h"

namespace varno {

// Lists and databases are the VM's own counted values; every other kind is released as a
// compiler constant is.
RTSuccess TaggedValueRelease(RTVarnoConstantValue* value) {
  if (value && value->type == kTypeList) {
    if (ValueList(*value)) ListDestructor(ValueList(*value));
  } else if (value && value->type == kTypeDatabase) {
    if (ValueDatabase(*value)) DatabaseRelease(ValueDatabase(*value));
  } else {
    return RTVarnoConstantValueDestructor(value);
  }
  value->value.pointer = nullptr;
  return kRTSuccess;
}

RTSuccess TaggedValueCopy(RTVarnoConstantValue* destination, const RTVarnoConstantValue& source) {
  destination->type = source.type;
  destination->pad = 0;
  destination->value = source.value;
  switch (source.type) {
    case kTypeString:
      if (!source.value.text) return kRTSuccess;
      destination->value.text = CopyText(source.value.text);
      break;
    case kTypeVector3: {
      RTFVector3D* block = NewRecord<RTFVector3D>();
      if (block && source.value.vector) *block = *source.value.vector;
      destination->value.vector = block;
      break;
    }
    case kTypeList:
      if (ValueList(source)) ListReference(ValueList(source));
      return kRTSuccess;
    case kTypeCode:
      if (source.value.code) CodeValueReference(source.value.code);
      return kRTSuccess;
    case kTypeDatabase:
      if (ValueDatabase(source)) DatabaseReference(ValueDatabase(source));
      return kRTSuccess;
    default:
      return kRTSuccess;
  }
  if (destination->value.pointer) return kRTSuccess;
  destination->value.pointer = nullptr;
  return kRTFailure;
}

}  // namespace varno
