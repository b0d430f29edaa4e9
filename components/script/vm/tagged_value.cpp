#include "vm/tagged_value.h"

#include "compiler/code_value.h"
#include "compiler/constant_value.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/list_value.h"

namespace varno {

namespace {

RTSuccess Copy(RTVarnoConstantValue* destination, const RTVarnoConstantValue& source, bool shareString) {
  destination->type = source.type;
  destination->pad = 0;
  destination->value = source.value;
  switch (source.type) {
    case kTypeString:
      if (!source.value.text) return kRTSuccess;
      destination->value.text = shareString ? StringShare(source.value.text) : StringCopy(source.value.text);
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
  return destination->value.pointer ? kRTSuccess : kRTFailure;
}

}  // namespace

RTSuccess TaggedValueRelease(RTVarnoConstantValue* value) {
  if (!value) return RTVarnoConstantValueDestructor(value);
  switch (value->type) {
    case kTypeList:
      if (ValueList(*value)) ListDestructor(ValueList(*value));
      break;
    case kTypeDatabase:
      if (ValueDatabase(*value)) DatabaseRelease(ValueDatabase(*value));
      break;
    case kTypeString:
      StringRelease(value->value.text);
      break;
    default:
      // Vector blocks and code values are released as a compiler constant's are.
      return RTVarnoConstantValueDestructor(value);
  }
  value->value.pointer = nullptr;
  return kRTSuccess;
}

RTSuccess TaggedValueCopy(RTVarnoConstantValue* destination, const RTVarnoConstantValue& source) {
  return Copy(destination, source, false);
}

RTSuccess TaggedValueShare(RTVarnoConstantValue* destination, const RTVarnoConstantValue& source) {
  return Copy(destination, source, true);
}

}  // namespace varno
