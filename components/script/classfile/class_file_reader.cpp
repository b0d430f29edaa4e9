#include "classfile/class_file_reader.h"

#include <vector>

#include "classfile/class_file_decoder.h"
#include "classfile/class_file_stream.h"
#include "classfile/type_rollback.h"
#include "compiler/compile_driver.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/stream_calls.h"

namespace varno {

namespace {

// The table a class file is read into, and the file.
struct Target {
  RTVarnoTypeTable* table;
  const char16_t* file;
};

// The index of a type named in the file; a class the table lacks is compiled or read first.
bool TypeIndex(const Target& target, const std::u16string& name, uint32_t* index) {
  RTVarnoType* type = nullptr;
  if (!FindOrCompileType(target.table, name.c_str(), &type)) {
    Raise(u"[VARNO] Couldn't load the type %s named by the class file %s", name, target.file);
    return false;
  }
  *index = type->index;
  return true;
}

bool Declarations(const Target& target, const MethodImage& image, RTVarnoMethod* method) {
  if (!image.hasDeclarations) return true;
  if (!kivo::ListCreate(&method->declarations)) return false;
  for (const AttributeImage& declared : image.declarations) {
    uint32_t type = kNoType;
    if (!TypeIndex(target, declared.type, &type)) return false;
    RTVarnoAttribute* declaration = AttributeCreate(type, declared.name.c_str(), declared.flags);
    if (!declaration || !kivo::ListAppend(method->declarations, declaration)) {
      AttributeFree(declaration);
      return false;
    }
  }
  return true;
}

bool Parameters(const Target& target, const MethodImage& image, RTVarnoMethod* method) {
  for (const ParameterImage& declared : image.parameters) {
    uint32_t type = kNoType;
    if (!TypeIndex(target, declared.type, &type)) return false;
    if (!method->parameters && !kivo::ListCreate(&method->parameters)) return false;
    RTVarnoParameter* parameter = ParameterCreate(declared.name.c_str(), type);
    if (!parameter || !kivo::ListAppend(method->parameters, parameter)) {
      if (parameter) {
        FreeText(parameter->name);
        FreeRecord(parameter);
      }
      return false;
    }
  }
  return true;
}

bool HasMethod(const RTVarnoType* type, const char16_t* key) {
  char16_t* upper = CopyTextUpper(key);
  void* found = nullptr;
  const bool has = upper && kivo::StrHashTableLookup(type->methodHash, upper, &found);
  FreeText(upper);
  return has;
}

// The method record of a method entry, its types found or compiled; null on failure.
RTVarnoMethod* BuildMethod(const Target& target, RTVarnoType* type, MethodImage& image) {
  RTVarnoMethod* method = MethodCreate(image.key.c_str(), image.kind);
  if (!method) return nullptr;
  method->code = image.code.Take();
  method->owner = type;
  // Run-time reports name the file the class was compiled from, as for a class compiled here.
  bool built = MethodSetSourceFile(method, type->fileName) && Declarations(target, image, method) && Parameters(target, image, method) &&
               TypeIndex(target, image.returnType, &method->returnType);
  method->lineTable = image.lines.release();
  if (built && image.kind == kMethodImplemented) {
    method->bindClass = CopyText(image.bindClass.c_str());
    method->bindMethod = CopyText(image.bindMethod.c_str());
    built = method->bindClass && method->bindMethod;
  }
  if (built) return method;
  MethodFree(method);
  return nullptr;
}

// The methods are built in the file's order, then added to the class from the last to the
// first: adding puts a method at the head of the list, so the list keeps the file's order (last
// declared first), and of a name declared twice the first declaration stays, as in a parse. The
// later one is reported and left out.
bool AddMethods(const Target& target, RTVarnoType* type, ClassImage& image) {
  std::vector<RTVarnoMethod*> methods;
  methods.reserve(image.methods.size());
  for (MethodImage& entry : image.methods) {
    RTVarnoMethod* method = BuildMethod(target, type, entry);
    if (!method) break;
    methods.push_back(method);
  }
  bool added = methods.size() == image.methods.size();
  for (auto method = methods.rbegin(); method != methods.rend(); ++method) {
    if (!added) {
      MethodFree(*method);
    } else if (HasMethod(type, (*method)->keyName)) {
      Raise(u"[VARNO] Method redeclaration error?");
      MethodFree(*method);
    } else if (!TypeAddMethod(type, *method)) {
      MethodFree(*method);
      added = false;
    }
  }
  return added;
}

// The constant's value in the form the class keeps; false when there is no memory for it.
bool ConstantValue(const ConstantImage& image, RTVarnoConstantValue* value) {
  value->type = image.tag;
  switch (image.tag) {
    case kTypeReal:
      value->value.real = image.real;
      return true;
    case kTypeString:
      value->value.text = CopyText(image.text.c_str());
      return value->value.text != nullptr;
    case kTypeVector3:
      value->value.vector = NewVectorBlock(image.vector.x, image.vector.y, image.vector.z);
      return value->value.vector != nullptr;
    default:  // number, bool
      value->value.word = image.word;
      return true;
  }
}

// Every constant of the file becomes the class's own; a name the class holds already is reported
// and skipped, so that constants inherited through the file are not added twice.
bool AddConstants(RTVarnoType* type, const ClassImage& image) {
  type->ownConstantCount = image.ownConstantCount;
  for (const ConstantImage& constant : image.constants) {
    if (ConstantTableFind(type->constants, constant.name.c_str())) {
      Raise(u"[VARNO] Constant already defined!");
      continue;
    }
    RTVarnoConstantValue value{};
    if (!ConstantValue(constant, &value) || !TypeAddConstant(type, constant.name.c_str(), value)) {
      RTVarnoConstantValueDestructor(&value);
      return false;
    }
  }
  return true;
}

bool Register(const Target& target, ClassImage& image, RTVarnoType** out) {
  RTVarnoTypeTable* table = target.table;
  uint32_t index = kNoType;
  if (!TypeTableAddType(table, image.name.c_str(), image.file.c_str(), image.flags, &index)) return false;
  RTVarnoType* type = table->types[index];
  *out = type;
  type->ownAttributeCount = image.ownAttributeCount;
  type->singleton = image.singleton ? 1 : 0;
  type->parentIndex = kNoType;
  // The class is registered before its parent is looked up, so a parent read or compiled now
  // comes after it in the table.
  if (image.hasParent && !TypeIndex(target, image.parent, &type->parentIndex)) return false;
  type->parentResolved = 0;
  type->codeGenerated = 1;
  for (const AttributeImage& attribute : image.attributes) {
    uint32_t attributeType = kNoType;
    if (!TypeIndex(target, attribute.type, &attributeType) ||
        !TypeAddAttribute(type, attributeType, attribute.name.c_str(), attribute.flags)) {
      return false;
    }
  }
  return AddMethods(target, type, image) && AddConstants(type, image);
}

}  // namespace

RTSuccess ReadClassFile(const char16_t* file, RTVarnoTypeTable* table, RTVarnoType** out) {
  if (out) *out = nullptr;
  if (!file || !table || !out) return kRTFailure;
  ClassImage image;
  {
    kivo::InstanceRef stream;
    if (!OpenClassFileStream(file, kivo::file_stream::kReadExisting, &stream)) {
      if (stream.get()) Raise(u"Couldn't open compiled VARNO file");
      return kRTFailure;
    }
    if (!DecodeClassFile(stream.get(), file, &image)) return kRTFailure;
    // Closed before the classes it names are read or compiled.
    CloseClassFileStream(stream.get());
  }
  const uint32_t before = table->count;
  RTVarnoType* type = nullptr;
  if (!Register(Target{table, file}, image, &type)) {
    TypeTableRemoveFrom(table, before);
    return kRTFailure;
  }
  *out = type;
  return kRTSuccess;
}

}  // namespace varno
