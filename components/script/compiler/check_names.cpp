// Names in expressions: identifiers, list element accesses and calls.
#include "compiler/built_in_members.h"
#include "compiler/check_rules.h"
#include "compiler/core_records.h"
#include "compiler/dotted_name.h"
#include "compiler/dump.h"
#include "compiler/report.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

bool ClassIndex(const CheckScope& scope, uint32_t* index) {
  return scope.type && TypeTableRetrieveTypeIdxByName(scope.table, scope.type->name, index);
}

bool IsThis(const char16_t* name) { return FirstPartsEqual(name, u"this"); }

// A method named through a variable of a type without methods (number, string, database, anything
// and the other built-in types): the message names the construct and the type, where the lookup
// would raise "Type has no method table!" without the file and line. Empty when the type has methods.
CheckMessage WithoutMethodTable(const CheckScope& scope, uint32_t code, const RTVarnoType* type,
                                std::u16string_view construct) {
  if (type->methodHash) return {};
  return kivo::Format(u"%s on type %s: Type has no method table!", construct, TypeCodeName(scope.table, code));
}

// The method a handler name denotes: with no ".", in the class or its ancestors; with one, in the
// type of the part before the last ".".
CheckMessage FindHandler(const CheckScope& scope, const char16_t* head, const char16_t* rest, RTVarnoMethod** method) {
  if (!rest) {
    if (!TypeRetrieveMethodByName(scope.type, head, method, kRetrieveWithAncestors)) {
      return kivo::Format(u"Method (%s) not found.", head);
    }
    return {};
  }
  RTVarnoAttribute* attribute = nullptr;
  uint32_t component = kNoType;
  if (!ResolveName(scope, head, &attribute, &component)) return kivo::Format(u"Attribute (%s) not found.", head);
  RTVarnoType* type = nullptr;
  if (!TypeRecordOf(scope, attribute->type, &type)) return u"Cannot find the type index!";
  const CheckMessage methodless = WithoutMethodTable(scope, attribute->type, type, std::u16string(head) + u"." + rest);
  if (!methodless.empty()) return methodless;
  if (!TypeRetrieveMethodByName(type, rest, method, kRetrieveWithAncestors)) {
    return kivo::Format(u"Method (%s) not found.", rest);
  }
  return {};
}

CheckMessage ArgumentCount(const SyntaxNode* node, const RTVarnoMethod* method) {
  const uint32_t parameters = method->parameters ? method->parameters->count : 0;
  return node->childCount == parameters ? CheckMessage() : CheckMessage(u"Argument count mismatch in method call");
}

void SetCall(SyntaxNode* node, uint32_t type, uint8_t builtIn) {
  node->type = type;
  node->builtIn = builtIn;
}

bool NumberOrAnything(uint32_t type) { return type == kTypeNumber || type == kTypeAnything; }
bool VectorOrAnything(uint32_t type) { return type == kTypeVector3 || type == kTypeAnything; }

CheckMessage CheckListMember(SyntaxNode* node, const char16_t* member) {
  const uint32_t arguments = node->childCount;
  if (NamesEqual(member, u"pop")) {
    if (arguments != 0) return u"list.pop() takes no parameters!";
    // No instruction sequence is generated for it; removing element 0 does the same.
    return u"list.pop() is not supported, use list.remove(0) instead";
  }
  if (NamesEqual(member, u"count")) {
    if (arguments != 0) return u"list.count() takes no parameters!";
    SetCall(node, kTypeNumber, kListCount);
    return {};
  }
  if (NamesEqual(member, u"remove")) {
    if (arguments != 1) return u"list.remove() takes a single parameter!";
    if (!NumberOrAnything(ChildType(node, 0))) {
      return u"list.remove() needs an expression that can be resolved to a number";
    }
    SetCall(node, kTypeNoValue, kListRemove);
    return {};
  }
  return u"Unrecognized method for list object";
}

CheckMessage CheckVectorMember(SyntaxNode* node, const char16_t* member) {
  const uint32_t arguments = node->childCount;
  if (NamesEqual(member, u"length")) {
    if (arguments != 0) return u"vector3.length() takes no parameters!";
    SetCall(node, kTypeReal, kVectorLength);
    return {};
  }
  if (NamesEqual(member, u"distance")) {
    if (arguments != 1 || !VectorOrAnything(ChildType(node, 0))) {
      return u"vector3.distance() takes a single parameter of type vector3!";
    }
    SetCall(node, kTypeReal, kVectorDistance);
    return {};
  }
  if (NamesEqual(member, u"clamped")) {
    if (arguments != 0) return u"vector3.clamped() takes no parameters!";
    SetCall(node, kTypeVector3, kVectorClamped);
    return {};
  }
  if (NamesEqual(member, u"normalized")) {
    if (arguments != 0) return u"vector3.normalized() takes no parameters!";
    SetCall(node, kTypeVector3, kVectorNormalized);
    return {};
  }
  if (NamesEqual(member, u"dot")) {
    if (arguments != 1 || !VectorOrAnything(ChildType(node, 0))) {
      return u"vector3.dot() takes a single vector3 parameter!";
    }
    SetCall(node, kTypeReal, kVectorDot);
    return {};
  }
  return u"Unrecognized method for vector3 object";
}

}  // namespace

uint32_t ChildType(const SyntaxNode* node, uint32_t index) {
  if (index >= node->childCount || !node->children[index]) return kTypeNoValue;
  return node->children[index]->type;
}

bool TypeRecordOf(const CheckScope& scope, uint32_t type, RTVarnoType** record) {
  *record = nullptr;
  return scope.table && type < scope.table->count && TypeTableRetrieveTypeByIdx(scope.table, type, record);
}

bool ResolveName(const CheckScope& scope, const char16_t* name, RTVarnoAttribute** attribute, uint32_t* component) {
  *attribute = nullptr;
  *component = kNoType;
  char16_t head[kNameUnits];
  const char16_t* rest = nullptr;
  if (!name || !NameSplitFirst(name, head, kNameUnits, &rest)) return false;
  const kivo::List* attributes = scope.type ? scope.type->attributes : nullptr;
  const kivo::List* list = AttributeListFind(attributes, head) ? attributes : scope.declarations;
  return ResolveAttributePath(scope.table, list, name, attribute, component) == kRTSuccess;
}

CheckMessage CheckIdentifier(const CheckScope& scope, SyntaxNode* node, bool inCode) {
  node->component = -1;
  if (inCode) {
    node->type = kTypeAnything;
    return {};
  }
  if (IsThis(node->name)) {
    uint32_t index = kNoType;
    if (!ClassIndex(scope, &index)) return u"Syntax check unlabeled error";
    node->type = index;
    return {};
  }

  RTVarnoAttribute* attribute = nullptr;
  uint32_t component = kNoType;
  if (ResolveName(scope, node->name, &attribute, &component)) {
    if (component == kNoType) {
      node->type = attribute->type;
      return {};
    }
    // "pos.x": the vector "pos" with component 0, a real.
    const char16_t* lastDot = nullptr;
    for (const char16_t* at = node->name; *at; ++at) {
      if (*at == u'.') lastDot = at;
    }
    char16_t* vector = CopyTextPart(node->name, static_cast<size_t>(lastDot - node->name));
    if (!vector) return u"Syntax check unlabeled error";
    FreeText(node->name);
    node->name = vector;
    node->baseType = kTypeVector3;
    node->component = static_cast<int32_t>(component);
    node->type = kTypeReal;
    return {};
  }

  // Not a variable: the name of an event or a listener of this class or of an attribute's class.
  UpperInPlace(node->name);
  char16_t head[kNameUnits];
  const char16_t* rest = nullptr;
  if (!NameSplitLast(node->name, head, kNameUnits, &rest)) return kivo::Format(u"Method (%s) not found.", node->name);
  RTVarnoMethod* method = nullptr;
  const CheckMessage missing = FindHandler(scope, head, rest, &method);
  if (!missing.empty()) return missing;
  if (method->kind == kMethodEvent) {
    node->type = kTypeEventName;
  } else if (method->kind == kMethodListener) {
    node->type = kTypeListenerName;
  } else {
    return u"Only listeners and events can be used as identifiers!";
  }
  return {};
}

CheckMessage CheckListAccess(const CheckScope& scope, SyntaxNode* node, bool inCode) {
  if (inCode) {
    node->type = kTypeAnything;
    return {};
  }
  for (uint32_t i = 0; i < node->childCount; ++i) {
    if (!NumberOrAnything(ChildType(node, i))) return u"List expressions must be either a number or anything";
  }
  char16_t head[kNameUnits];
  const char16_t* rest = nullptr;
  if (!node->name || !NameSplitFirst(node->name, head, kNameUnits, &rest)) return u"Error parsing name...";
  uint32_t type = kNoType;
  if (NamesEqual(head, u"this")) {
    if (!ClassIndex(scope, &type)) return u"Cannot retrieve type index";
  } else {
    RTVarnoAttribute* attribute = nullptr;
    uint32_t component = kNoType;
    if (!ResolveName(scope, node->name, &attribute, &component)) {
      return kivo::Format(u"Attribute (%s) not found.", node->name);
    }
    type = attribute->type;
  }
  if (type != kTypeList && type != kTypeAnything) {
    return u"Identifier must be either a list object or an anything object";
  }
  node->type = kTypeAnything;
  return {};
}

CheckMessage CheckCall(const CheckScope& scope, SyntaxNode* node, bool inCode) {
  if (inCode) {
    node->type = kTypeAnything;
    return {};
  }
  UpperInPlace(node->name);
  char16_t head[kNameUnits];
  const char16_t* rest = nullptr;
  if (!node->name || !NameSplitLast(node->name, head, kNameUnits, &rest)) {
    return u"Cannot find specified method in class";
  }

  RTVarnoMethod* method = nullptr;
  if (!rest) {
    if (!TypeRetrieveMethodByName(scope.type, head, &method, kRetrieveWithAncestors)) {
      return u"Cannot find specified method in class";
    }
  } else {
    RTVarnoAttribute* attribute = nullptr;
    uint32_t component = kNoType;
    if (!ResolveName(scope, head, &attribute, &component)) return kivo::Format(u"Attribute (%s) not found.", head);
    RTVarnoType* type = nullptr;
    if (!TypeRecordOf(scope, attribute->type, &type)) return u"Cannot find the type index!";
    if (attribute->type == kTypeList) return CheckListMember(node, rest);
    if (attribute->type == kTypeVector3) return CheckVectorMember(node, rest);
    const std::u16string call = std::u16string(node->name) + u"()";
    const CheckMessage methodless = WithoutMethodTable(scope, attribute->type, type, call);
    if (!methodless.empty()) return methodless;
    if (!TypeRetrieveMethodByName(type, rest, &method, kRetrieveWithAncestors)) return u"Cannot retrieve method";
  }
  CheckMessage count = ArgumentCount(node, method);
  if (!count.empty()) return count;
  SetCall(node, method->returnType, 0);
  return {};
}

}  // namespace varno
