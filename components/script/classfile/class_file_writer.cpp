#include "classfile/class_file_writer.h"

#include "classfile/class_file_format.h"
#include "classfile/class_file_stream.h"
#include "codegen/line_table_stream.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

// A byte field stored as a u32 keeps its sign.
uint32_t SignExtended(uint8_t byte) { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(byte))); }

// Writes the values of one class file. The first failure is reported once; every later call then
// does nothing.
class ClassWriter {
 public:
  ClassWriter(RTInstance stream, const char16_t* file, RTVarnoTypeTable* table)
      : stream_(stream), file_(file), table_(table) {}

  bool ok() const { return ok_; }
  // Ends the writing after a failure that has been reported already.
  void Fail() { ok_ = false; }

  void Word(uint32_t value) { Put(ok_ && kivo::StreamWriteUInt(stream_, value)); }
  void Byte(uint32_t value) { Put(ok_ && kivo::StreamWriteByte(stream_, value)); }
  void Float(float value) { Put(ok_ && kivo::StreamWriteFloat(stream_, value)); }
  void Vector(const RTFVector3D& value) { Put(ok_ && kivo::StreamWriteVector(stream_, value)); }
  void Text(const char16_t* text) { Put(ok_ && kivo::StreamWriteWString(stream_, text)); }
  void Code(RTInstance code) {
    if (!code) {
      Word(0);
    } else {
      Put(ok_ && kivo::StreamWriteStreamCopy(stream_, code));
    }
  }
  void Lines(const LineTable* lines) {
    if (!lines) {
      Word(0);
      Word(0xFFFFFFFFu);
    } else {
      Put(ok_ && LineTableWrite(stream_, lines));
    }
  }

  // A name or path, refused when a reader would refuse it.
  void Name(const char16_t* name, uint32_t limit = kClassFileMaxNameUnits) {
    if (!ok_) return;
    if (kivo::WideStrLen(name) > limit) {
      Raise(u"[VARNO] Name too long for a class file (limit is %u characters): %s", limit, name);
      ok_ = false;
      return;
    }
    Text(name);
  }
  // The table's name of a type index.
  void TypeName(uint32_t index) {
    if (!ok_) return;
    RTVarnoType* type = nullptr;
    if (!TypeTableRetrieveTypeByIdx(table_, index, &type)) {
      ok_ = false;
      return;
    }
    Name(type->name);
  }

 private:
  void Put(bool written) {
    if (ok_ && !written) {
      Raise(u"[VARNO] Couldn't write the class file %s", file_);
      ok_ = false;
    }
  }

  RTInstance stream_;
  const char16_t* file_;
  RTVarnoTypeTable* table_;
  bool ok_ = true;
};

void WriteAttribute(ClassWriter& out, const RTVarnoAttribute* attribute) {
  out.TypeName(attribute->type);
  out.Name(attribute->name);
  out.Word(SignExtended(attribute->flags));
}

void WriteHeader(ClassWriter& out, const RTVarnoType* type) {
  out.Word(kClassFileVersion);
  out.Name(type->name);
  out.Name(type->fileName, kClassFileMaxPathUnits);
  out.Word(type->flags);
  out.Word(type->classWord);
  out.Word(type->ownAttributeCount);
  out.Byte(type->singleton);
  const bool hasParent = type->parentIndex != kNoType;
  out.Byte(hasParent ? 1 : 0);
  if (hasParent) out.TypeName(type->parentIndex);
}

// The class's own attributes: the first ones of its list.
void WriteAttributes(ClassWriter& out, const RTVarnoType* type) {
  const uint32_t held = type->attributes ? type->attributes->count : 0;
  if (type->ownAttributeCount > held) {
    Raise(u"[VARNO] Class %s has %u attributes, fewer than its own count of %u", type->name, held,
          type->ownAttributeCount);
    out.Fail();
    return;
  }
  uint32_t written = 0;
  for (const RTVarnoAttribute* attribute : kivo::ListItems<RTVarnoAttribute>(type->attributes)) {
    if (written++ == type->ownAttributeCount || !out.ok()) break;
    WriteAttribute(out, attribute);
  }
}

void WriteMethod(ClassWriter& out, const RTVarnoMethod* method) {
  out.Word(SignExtended(method->kind));
  out.Name(method->keyName);
  out.Name(method->displayName);
  out.Code(method->code);
  out.Byte(method->declarations ? 1 : 0);
  if (method->declarations) {
    out.Word(method->declarations->count);
    for (const RTVarnoAttribute* declaration : kivo::ListItems<RTVarnoAttribute>(method->declarations)) {
      WriteAttribute(out, declaration);
    }
  }
  out.Word(method->parameters ? method->parameters->count : 0);
  for (const RTVarnoParameter* parameter : kivo::ListItems<RTVarnoParameter>(method->parameters)) {
    out.Name(parameter->name);
    out.TypeName(parameter->type);
  }
  out.TypeName(method->returnType);
  out.Lines(method->lineTable);
  if (method->kind == kMethodImplemented) {
    out.Name(method->bindClass);
    out.Name(method->bindMethod);
  }
}

void WriteMethods(ClassWriter& out, const RTVarnoType* type) {
  out.Word(type->methods ? type->methods->count : 0);
  for (const RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(type->methods)) {
    if (!out.ok()) return;
    WriteMethod(out, method);
  }
}

void WriteConstant(ClassWriter& out, const RTVarnoConstantEntry* entry) {
  const RTVarnoConstantValue& value = entry->value;
  out.Name(entry->name);
  out.Word(value.type);
  switch (value.type) {
    case kTypeNumber:
      out.Word(static_cast<uint32_t>(value.value.number));
      break;
    case kTypeReal:
      out.Float(value.value.real);
      break;
    case kTypeString:
      out.Text(value.value.text);
      break;
    case kTypeBool:
      out.Byte(value.value.word);
      break;
    case kTypeVector3:
      out.Vector(value.value.vector ? *value.value.vector : RTFVector3D{});
      break;
    default:
      if (!out.ok()) return;
      Raise(u"Couldn't identify constant type!");
      out.Fail();
      break;
  }
}

void WriteConstants(ClassWriter& out, const RTVarnoType* type) {
  out.Word(type->ownConstantCount);
  out.Word(ConstantTableCount(type->constants));
  if (!type->constants) return;
  for (const RTVarnoConstantEntry* entry : kivo::ListItems<RTVarnoConstantEntry>(type->constants->entries)) {
    if (!out.ok()) return;
    WriteConstant(out, entry);
  }
}

}  // namespace

RTSuccess StreamOutClass(const char16_t* file, RTVarnoTypeTable* table, RTVarnoType* type) {
  if (!file || !table || !type) return kRTFailure;
  if (!type->codeGenerated) {
    Raise(u"[VARNO] Class %s has no generated code to write", type->name);
    return kRTFailure;
  }
  kivo::InstanceRef stream;
  if (!OpenClassFileStream(file, kivo::file_stream::kWriteNew, &stream)) {
    if (stream.get()) Raise(u"Couldn't open the file specified to compile to");
    return kRTFailure;
  }
  ClassWriter out(stream.get(), file, table);
  WriteHeader(out, type);
  WriteAttributes(out, type);
  WriteMethods(out, type);
  WriteConstants(out, type);
  // After a failure the stream goes unclosed, which drops what was written.
  if (!out.ok()) return kRTFailure;
  if (!CloseClassFileStream(stream.get())) {
    Raise(u"[VARNO] Couldn't write the class file %s", file);
    return kRTFailure;
  }
  return kRTSuccess;
}

}  // namespace varno
