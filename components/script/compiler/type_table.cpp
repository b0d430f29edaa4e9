#include "compiler/type_table.h"

#include "compiler/core_records.h"
#include "compiler/dotted_name.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"

namespace varno {

namespace {

constexpr uint32_t kMethodHashBuckets = 157;

constexpr const char16_t* kBuiltInTypes[] = {
    u"!@-_-*(unused)*-_-@!", u"number", u"real",     u"string",   u"percent", u"rank", u"bool",
    u"vector2",              u"vector3", u"list",    u"anything", u"database", u"null", u"code",
};
static_assert(sizeof(kBuiltInTypes) / sizeof(kBuiltInTypes[0]) == kFirstClassType);

void FreeMethods(RTVarnoType* type) {
  for (RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(type->methods)) MethodFree(method);
}

// The member containers that the type's flags call for.
bool CreateMembers(RTVarnoType* type) {
  NoteMethodTablesChanged();
  if (type->flags & (kTypeScriptClass | kTypeRecordOnly)) {
    if (!kivo::ListCreate(&type->attributes)) return false;
    type->constants = ConstantTableCreate();
    if (!type->constants) return false;
  }
  if (type->flags & kTypeScriptClass) {
    if (!kivo::ListCreate(&type->methods) || !kivo::ListCreate(&type->secondMethodList) ||
        !kivo::StrHashTableCreate(&type->methodHash, kMethodHashBuckets, nullptr)) {
      return false;
    }
  }
  return true;
}

void FreeMembers(RTVarnoType* type) {
  NoteMethodTablesChanged();
  ReleaseVmPlan(&type->vmPlan);
  AttributeListFree(type->attributes);
  type->attributes = nullptr;
  ConstantTableFree(type->constants);
  type->constants = nullptr;
  FreeMethods(type);
  if (type->methods) kivo::ListDestroy(type->methods);
  type->methods = nullptr;
  if (type->secondMethodList) kivo::ListDestroy(type->secondMethodList);
  type->secondMethodList = nullptr;
  if (type->methodHash) kivo::StrHashTableDestroy(type->methodHash);
  type->methodHash = nullptr;
}

void FreeType(RTVarnoType* type) {
  if (!type) return;
  FreeMembers(type);
  FreeText(type->name);
  FreeText(type->fileName);
  FreeText(type->compiledFileName);
  FreeRecord(type);
}

bool IsVectorComponent(const char16_t* part, uint32_t* component) {
  constexpr const char16_t* kComponents[] = {u"x", u"y", u"z", u"r", u"g", u"b"};
  for (uint32_t i = 0; i < 6; ++i) {
    if (NamesEqual(part, kComponents[i])) {
      *component = i % 3;
      return true;
    }
  }
  return false;
}

RTSuccess ResolveParentOf(RTVarnoType* type, RTVarnoTypeTable* table, uint32_t parentIndex);

}  // namespace

RTSuccess TypeTableFactory(RTVarnoTypeTable** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  RTVarnoTypeTable* table = NewRecord<RTVarnoTypeTable>();
  if (!table) return kRTFailure;
  for (const char16_t* name : kBuiltInTypes) {
    uint32_t index = 0;
    if (!TypeTableAddType(table, name, u"built-in", kTypeBuiltIn, &index)) {
      TypeTableDestructor(table);
      return kRTFailure;
    }
  }
  *out = table;
  return kRTSuccess;
}

RTSuccess TypeTableDestructor(RTVarnoTypeTable* table) {
  if (!table) return kRTFailure;
  for (uint32_t i = 0; i < table->count; ++i) FreeType(table->types[i]);
  if (table->types) kivo::ModuleCore()->ArrayFree(nullptr, table->types);
  FreeRecord(table);
  return kRTSuccess;
}

RTSuccess TypeTableRetrieveTypeIdxByName(RTVarnoTypeTable* table, const char16_t* name, uint32_t* out) {
  if (out) *out = kNoType;
  if (!table || !name || !out) return kRTFailure;
  for (uint32_t i = 0; i < table->count; ++i) {
    if (NamesEqual(table->types[i]->name, name)) {
      *out = i;
      return kRTSuccess;
    }
  }
  return kRTFailure;
}

RTSuccess TypeTableRetrieveTypeByIdx(RTVarnoTypeTable* table, uint32_t index, RTVarnoType** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!table || index >= table->count) {
    Raise(u"[VARNO] type index couldn't be found!");
    return kRTFailure;
  }
  *out = table->types[index];
  return kRTSuccess;
}

RTSuccess TypeTableRetrieveTypeByName(RTVarnoTypeTable* table, const char16_t* name, RTVarnoType** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  uint32_t index = kNoType;
  if (!TypeTableRetrieveTypeIdxByName(table, name, &index)) return kRTFailure;
  return TypeTableRetrieveTypeByIdx(table, index, out);
}

RTSuccess TypeTableRetrieveTypeByFilename(RTVarnoTypeTable* table, const char16_t* file, RTVarnoType** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!table || !file) return kRTFailure;
  for (uint32_t i = 0; i < table->count; ++i) {
    if (NamesEqual(table->types[i]->fileName, file)) {
      *out = table->types[i];
      return kRTSuccess;
    }
  }
  return kRTFailure;
}

RTSuccess TypeTableCanBe(RTVarnoTypeTable*, RTVarnoType* target, RTVarnoType* testing) {
  if (!target) return kRTFailure;
  for (RTVarnoType* type = testing; type; type = type->parent) {
    if (type == target) return kRTSuccess;
  }
  return kRTFailure;
}

RTSuccess TypeRetrieveAttributeByName(RTVarnoTypeTable*, RTVarnoType* type, const char16_t* name,
                                      RTVarnoAttribute** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!type || !type->attributes) return kRTFailure;
  *out = AttributeListFind(type->attributes, name);
  return *out ? kRTSuccess : kRTFailure;
}

RTSuccess TypeRetrieveMethodByName(RTVarnoType* type, const char16_t* name, RTVarnoMethod** out,
                                   RTVarnoMethodRetrieve mode) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!type || !name) return kRTFailure;
  if (mode == kRetrieveFromParent) {
    type = type->parent;
    if (!type) return kRTFailure;
  }
  for (; type; type = type->parent) {
    if (!type->methodHash) {
      Raise(u"Type has no method table!");
      return kRTFailure;
    }
    void* found = nullptr;
    if (kivo::StrHashTableLookup(type->methodHash, name, &found)) {
      *out = static_cast<RTVarnoMethod*>(found);
      return kRTSuccess;
    }
    if (mode == kRetrieveThisType) break;
  }
  return kRTFailure;
}

RTSuccess TypeTableAddType(RTVarnoTypeTable* table, const char16_t* name, const char16_t* file, uint32_t flags,
                           uint32_t* index) {
  if (!table || !name || !index) return kRTFailure;
  uint32_t existing = kNoType;
  if (TypeTableRetrieveTypeIdxByName(table, name, &existing)) {
    Raise(u"[VARNO] type name already defined!");
    return kRTFailure;
  }
  RTVarnoType* type = NewRecord<RTVarnoType>();
  if (!type) return kRTFailure;
  type->name = CopyText(name);
  type->fileName = CopyText(file);
  type->flags = flags;
  type->index = table->count;
  type->parentIndex = kNoType;
  void* grown = nullptr;
  const bool stored = type->name && type->fileName && CreateMembers(type) &&
                      (table->types ? kivo::ModuleCore()->ArrayResize(nullptr, table->count + 1, table->types, &grown)
                                    : kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(RTVarnoType*), 1, &grown, 1));
  if (!stored) {
    FreeType(type);
    return kRTFailure;
  }
  table->types = static_cast<RTVarnoType**>(grown);
  table->types[table->count++] = type;
  *index = type->index;
  return kRTSuccess;
}

RTSuccess TypeReset(RTVarnoType* type, const char16_t* file) {
  if (!type) return kRTFailure;
  char16_t* fileCopy = CopyText(file);
  if (!fileCopy) return kRTFailure;
  FreeMembers(type);
  FreeText(type->fileName);
  FreeText(type->compiledFileName);
  type->fileName = fileCopy;
  type->compiledFileName = nullptr;
  type->flags = kTypeScriptClass;
  type->classWord = 0;
  type->parentIndex = kNoType;
  type->parent = nullptr;
  type->parentResolved = 0;
  type->codeGenerated = 0;
  type->singleton = 0;
  type->ownAttributeCount = 0;
  type->ownConstantCount = 0;
  type->resolving = 0;
  return CreateMembers(type) ? kRTSuccess : kRTFailure;
}

RTSuccess TypeSetParentIndex(RTVarnoType* type, uint32_t parentIndex) {
  if (!type) return kRTFailure;
  type->parentIndex = parentIndex;
  return kRTSuccess;
}

namespace {

RTSuccess ResolveParentOf(RTVarnoType* type, RTVarnoTypeTable* table, uint32_t parentIndex) {
  if (type->parentResolved) return kRTSuccess;
  type->parentIndex = parentIndex;
  if (!(type->flags & kTypeScriptClass)) return kRTSuccess;
  type->ownAttributeCount = type->attributes ? type->attributes->count : 0;
  type->ownConstantCount = ConstantTableCount(type->constants);
  if (parentIndex == kNoType) return kRTSuccess;

  RTVarnoType* parent = nullptr;
  if (!TypeTableRetrieveTypeByIdx(table, parentIndex, &parent)) return kRTFailure;
  if (parent->resolving || parent == type) {
    Raise(u"[VARNO] Class %s is its own ancestor!", type->name);
    return kRTFailure;
  }
  if (!parent->parentResolved) {
    type->resolving = 1;
    const RTSuccess resolved = ResolveParentOf(parent, table, parent->parentIndex);
    type->resolving = 0;
    if (!resolved) return kRTFailure;
  }
  type->parent = parent;
  NoteMethodTablesChanged();

  for (RTVarnoAttribute* attribute : kivo::ListItems<RTVarnoAttribute>(parent->attributes)) {
    if (!TypeAddInheritedAttribute(type, attribute)) {
      Raise(u"Couldn't add an inherited attribute to the class!");
      return kRTFailure;
    }
  }
  // A constant of the class's own shadows one of the same name that the parent has.
  if (parent->constants) {
    for (RTVarnoConstantEntry* entry : kivo::ListItems<RTVarnoConstantEntry>(parent->constants->entries)) {
      if (ConstantTableFind(type->constants, entry->name)) continue;
      RTVarnoConstantValue copy{};
      if (!ConstantValueCopy(&copy, &entry->value)) return kRTFailure;
      if (!TypeAddConstant(type, entry->name, copy)) {
        RTVarnoConstantValueDestructor(&copy);
        return kRTFailure;
      }
    }
  }
  type->parentResolved = 1;
  return kRTSuccess;
}

}  // namespace

RTSuccess TypeResolveParent(RTVarnoType* type, RTVarnoTypeTable* table, uint32_t parentIndex) {
  if (!type || !table) return kRTFailure;
  return ResolveParentOf(type, table, parentIndex);
}

RTSuccess TypeTableResolveParents(RTVarnoTypeTable* table) {
  if (!table) return kRTFailure;
  for (uint32_t i = 0; i < table->count; ++i) {
    if (!TypeResolveParent(table->types[i], table, table->types[i]->parentIndex)) return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess TypeAddMethod(RTVarnoType* type, RTVarnoMethod* method) {
  if (!type || !method || !method->keyName) return kRTFailure;
  NoteMethodTablesChanged();
  if (!type->methods || !type->methodHash) {
    Raise(u"Type has no method table!");
    return kRTFailure;
  }
  char16_t* display = CopyText(method->keyName);
  if (!display) return kRTFailure;
  UpperInPlace(method->keyName);
  void* existing = nullptr;
  if (kivo::StrHashTableLookup(type->methodHash, method->keyName, &existing)) {
    FreeText(display);
    Raise(u"[VARNO] Method redeclaration error?");
    return kRTFailure;
  }
  if (!kivo::ListPrepend(type->methods, method)) {
    FreeText(display);
    return kRTFailure;
  }
  if (!kivo::StrHashTableInsert(type->methodHash, method->keyName, method)) {
    kivo::ListRemove(type->methods, method);
    FreeText(display);
    return kRTFailure;
  }
  FreeText(method->displayName);
  method->displayName = display;
  method->owner = type;
  return kRTSuccess;
}

RTSuccess TypeAddAttribute(RTVarnoType* type, uint32_t attributeType, const char16_t* name, uint8_t flags) {
  if (!type || !type->attributes || !name) return kRTFailure;
  if (AttributeListFind(type->attributes, name)) {
    Raise(u"[VARNO] Attribute name (%s) already exists!", name);
    return kRTFailure;
  }
  RTVarnoAttribute* attribute = AttributeCreate(attributeType, name, flags);
  if (attribute && kivo::ListAppend(type->attributes, attribute)) return kRTSuccess;
  AttributeFree(attribute);
  return kRTFailure;
}

RTSuccess TypeAddInheritedAttribute(RTVarnoType* type, const RTVarnoAttribute* attribute) {
  if (!attribute) return kRTFailure;
  return TypeAddAttribute(type, attribute->type, attribute->name, attribute->flags);
}

RTSuccess TypeAddConstant(RTVarnoType* type, const char16_t* name, const RTVarnoConstantValue& value) {
  if (!type || !type->constants || !name) return kRTFailure;
  if (ConstantTableFind(type->constants, name)) {
    Raise(u"[VARNO] Constant already defined!");
    return kRTFailure;
  }
  RTVarnoConstantEntry* entry = NewRecord<RTVarnoConstantEntry>();
  if (!entry) return kRTFailure;
  entry->name = CopyText(name);
  entry->value = value;
  if (entry->name && kivo::ListAppend(type->constants->entries, entry)) return kRTSuccess;
  FreeText(entry->name);
  FreeRecord(entry);
  return kRTFailure;
}

RTSuccess ResolveAttributePath(RTVarnoTypeTable* table, const kivo::List* attributes, const char16_t* path,
                               RTVarnoAttribute** out, uint32_t* component) {
  if (!out || !component) return kRTFailure;
  *out = nullptr;
  *component = kNoType;
  char16_t head[kNameUnits];
  const char16_t* rest = nullptr;
  if (!NameSplitFirst(path, head, kNameUnits, &rest)) return kRTFailure;
  RTVarnoAttribute* attribute = AttributeListFind(attributes, head);
  if (!attribute) return kRTFailure;
  if (!rest) {
    *out = attribute;
    return kRTSuccess;
  }
  if (attribute->type == kTypeVector3) {
    if (!IsVectorComponent(rest, component)) return kRTFailure;
    *out = attribute;
    return kRTSuccess;
  }
  if (attribute->type == kTypeList) return kRTFailure;
  RTVarnoType* type = nullptr;
  if (!TypeTableRetrieveTypeByIdx(table, attribute->type, &type) || !type->attributes) return kRTFailure;
  return ResolveAttributePath(table, type->attributes, rest, out, component);
}

}  // namespace varno
