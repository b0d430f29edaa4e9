#include "compiler/constant_value.h"

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"

namespace varno {

RTSuccess RTVarnoConstantValueDestructor(RTVarnoConstantValue* value) {
  if (!value) {
    Raise(u"(RTVarnoConstantValueDestructor() )?!Caught an apValue of NULL?!");
    return kRTSuccess;
  }
  switch (value->type) {
    case kTypeString:
      FreeText(value->value.text);
      break;
    case kTypeVector3:
      FreeRecord(value->value.vector);
      break;
    case kTypeCode:
      if (value->value.code) CodeValueRelease(value->value.code);
      break;
    default:
      // Lists and databases are counted values of the virtual machine; the compiler makes none.
      break;
  }
  value->value.pointer = nullptr;
  return kRTSuccess;
}

RTSuccess ConstantValueCopy(RTVarnoConstantValue* destination, const RTVarnoConstantValue* source) {
  if (!destination || !source) return kRTFailure;
  destination->type = source->type;
  destination->pad = 0;
  switch (source->type) {
    case kTypeString:
      destination->value.text = CopyText(source->value.text);
      return destination->value.text ? kRTSuccess : kRTFailure;
    case kTypeVector3: {
      const RTFVector3D* from = source->value.vector;
      destination->value.vector = NewVectorBlock(from ? from->x : 0, from ? from->y : 0, from ? from->z : 0);
      if (destination->value.vector && from) destination->value.vector->w = from->w;
      return destination->value.vector ? kRTSuccess : kRTFailure;
    }
    case kTypeCode:
      destination->value.code = source->value.code;
      if (source->value.code) CodeValueReference(source->value.code);
      return kRTSuccess;
    case kTypeDatabase:
      Raise(u"ConstantValueCopy() -- Database type not supported yet!");
      destination->value.pointer = nullptr;
      return kRTSuccess;
    default:
      destination->value = source->value;
      return kRTSuccess;
  }
}

RTFVector3D* NewVectorBlock(float x, float y, float z) {
  RTFVector3D* block = NewRecord<RTFVector3D>();
  if (block) *block = RTFVector3D{x, y, z, 0};
  return block;
}

}  // namespace varno
