#include "compiler/parser_actions.h"

#include "compiler/compile_driver.h"
#include "compiler/core_records.h"
#include "compiler/dotted_name.h"
#include "compiler/parse_context.h"
#include "compiler/parse_errors.h"
#include "compiler/report.h"
#include "compiler/scanner.h"
#include "compiler/search_paths.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

// Built-in numbers of the function_name symbol.
enum FunctionNumber : uint32_t {
  kFunctionNamed = 1,
  kFunctionSin,
  kFunctionCos,
  kFunctionTan,
  kFunctionAbs,
  kFunctionSqrt,
  kFunctionSqr,
  kFunctionRand,
  kFunctionHasKey,
  kFunctionAddKey,
  kFunctionRetrieve,
  kFunctionDebug,
  kFunctionInState,
  kFunctionRemove,
  kFunctionKeys,
  kFunctionExit,
};

constexpr uint8_t kFunctionKinds[] = {
    0,        eSNCall,     eSNSin,      eSNCos,   eSNTan,     eSNAbs,    eSNSqrt,    eSNSqr, eSNRand,
    eSNHasKey, eSNAddKey, eSNRetrieve, eSNDebug, eSNInState, eSNRemove, eSNKeys,    eSNExit,
};
static_assert(sizeof(kFunctionKinds) == kFunctionExit + 1);

ParseContext* Context() { return CurrentParseContext(); }

bool EnsureList(kivo::List** list) { return *list || kivo::ListCreate(list); }

void ClearMethodLists(ParseContext* context) {
  if (!context->borrowedDeclarations) AttributeListFree(context->declarations);
  context->declarations = nullptr;
  context->borrowedDeclarations = 0;
  ParameterListFree(context->parameters);
  context->parameters = nullptr;
  LabelListFree(context->labels);
  context->labels = nullptr;
}

// Checks a declaration against the method's declarations (first dotted parts, ASCII case
// ignored) and appends it; false (and the declaration freed) on a clash.
bool AppendDeclaration(ParseContext* context, RTVarnoDeclaration* declaration) {
  if (!EnsureList(&context->declarations)) {
    AttributeFree(declaration);
    return false;
  }
  for (RTVarnoDeclaration* earlier : kivo::ListItems<RTVarnoDeclaration>(context->declarations)) {
    if (FirstPartsEqual(earlier->name, declaration->name)) {
      FailAction(u"Argument name conflict [redeclaration]!");
      AttributeFree(declaration);
      return false;
    }
  }
  if (kivo::ListAppend(context->declarations, declaration)) return true;
  AttributeFree(declaration);
  return false;
}

// Finds a class's file on the search paths and compiles it into the context's table with a
// scanner buffer of its own; the outer line counter is kept. kNoType on failure, after the
// failure's report.
uint32_t CompileOnTheSpot(Scanner& scanner, const char16_t* name, const char16_t* notFound,
                          const char16_t* notCompiled) {
  char16_t path[kMessageUnits];
  if (!VarnoFindClass(name, path, kMessageUnits)) {
    FailAction(notFound);
    return kNoType;
  }
  if (!scanner.PushIncludeFile()) {
    FailAction(u"Couldn't push a new lexer context!");
    return kNoType;
  }
  const size_t pushed = scanner.saved_buffer_count();
  const int32_t line = scanner.line();
  uint32_t index = kNoType;
  const RTSuccess compiled = VarnoParseBrellinAnsiFile(path, &index, nullptr, Context()->table);
  scanner.set_line(line);
  if (compiled) return index;
  // The failed file's buffer is still pushed when its end was never reached.
  if (scanner.saved_buffer_count() == pushed) scanner.PopIncludeFile();
  if (notCompiled) FailAction(notCompiled);
  return kNoType;
}

// The class record a header names: in replace mode an existing script class is emptied, else the
// class is added. Null when the parse has to stop (reported).
RTVarnoType* RegisterClass(ParseContext* context, const char16_t* name) {
  RTVarnoType* type = nullptr;
  uint32_t index = kNoType;
  if (ReplaceTypesEnabled() && TypeTableRetrieveTypeIdxByName(context->table, name, &index) &&
      (context->table->types[index]->flags & kTypeScriptClass)) {
    type = context->table->types[index];
    if (TypeReset(type, context->fileName)) return type;
    FailAction(u"Couldn't add class type. Does it already exist?");
    return nullptr;
  }
  if (!TypeTableAddType(context->table, name, context->fileName, kTypeScriptClass, &index)) {
    FailAction(u"Couldn't add class type. Does it already exist?");
    return nullptr;
  }
  if (!TypeTableRetrieveTypeByName(context->table, name, &type)) {
    FailAction(u"Internal weird error when retrieving added type?");
    return nullptr;
  }
  return type;
}

void MakeCurrentClass(ParseContext* context, RTVarnoType* type) {
  FreeText(context->className);
  context->className = CopyText(type->name);
  context->currentClass = type;
}

}  // namespace

SyntaxNode* BuildNode(uint8_t kind, int32_t line, std::initializer_list<SyntaxNode*> children) {
  return BuildNamedNode(kind, line, nullptr, children);
}

namespace {

// A node with room for `count` children and a copy of the name (when given); null when either
// allocation fails.
SyntaxNode* NewNamedNode(uint8_t kind, uint32_t count, int32_t line, const char16_t* name) {
  SyntaxNode* node = NewSyntaxNode(kind, count, line);
  if (node && name) {
    node->name = CopyText(name);
    if (!node->name) {
      FreeSyntaxTree(node);
      node = nullptr;
    }
  }
  return node;
}

}  // namespace

SyntaxNode* BuildNamedNode(uint8_t kind, int32_t line, const char16_t* name,
                           std::initializer_list<SyntaxNode*> children) {
  SyntaxNode* node = NewNamedNode(kind, static_cast<uint32_t>(children.size()), line, name);
  if (!node) {
    for (SyntaxNode* child : children) FreeSyntaxTree(child);
    return nullptr;
  }
  uint32_t i = 0;
  for (SyntaxNode* child : children) node->children[i++] = child;
  return node;
}

SyntaxNode* BuildNodeFromChain(uint8_t kind, int32_t line, const char16_t* name, ArgChain* chain) {
  SyntaxNode* node = NewNamedNode(kind, ArgChainCount(chain), line, name);
  if (!node) {
    ArgChainFreeWithValues(chain);
    return nullptr;
  }
  uint32_t i = 0;
  for (ArgChain* link = chain; link; link = link->next) node->children[i++] = link->value;
  ArgChainFree(chain);
  return node;
}

SyntaxNode* BuildNodeFromElements(uint8_t kind, int32_t line, kivo::List* elements) {
  const uint32_t count = elements ? elements->count : 0;
  SyntaxNode* node = NewSyntaxNode(kind, count, line);
  if (!node) {
    ElementListFree(elements);
    return nullptr;
  }
  // Prepending put the last element first.
  uint32_t i = count;
  for (SyntaxNode* element : kivo::ListItems<SyntaxNode>(elements)) node->children[--i] = element;
  if (elements) kivo::ListDestroy(elements);
  return node;
}

SyntaxNode* BuildConstantNode(int32_t line, uint32_t tag, ValueWord value) {
  RTVarnoConstantValue constant{};
  constant.type = tag;
  constant.value.pointer = value.pointer;
  SyntaxNode* node = NewSyntaxNode(eSNConstant, 0, line);
  if (!node) {
    RTVarnoConstantValueDestructor(&constant);
    return nullptr;
  }
  node->constant = constant;
  return node;
}

SyntaxNode* BuildCompoundAssignment(uint8_t operation, int32_t line, SyntaxNode* target, SyntaxNode* value) {
  SyntaxNode* combined = BuildNode(operation, line, {target, value});
  if (!combined) return nullptr;  // target and value are freed
  return BuildNode(eSNAssign, line, {target, combined});
}

SyntaxNode* BuildFunctionCall(int32_t line, uint32_t function, const char16_t* name, ArgChain* arguments,
                              bool withArgumentList) {
  if (function == kFunctionExit && withArgumentList) {
    FailAction(u"Invalid function type detected?");
    ArgChainFreeWithValues(arguments);
    return nullptr;
  }
  if (function < kFunctionNamed || function > kFunctionExit) {
    ArgChainFreeWithValues(arguments);
    return nullptr;
  }
  return BuildNodeFromChain(kFunctionKinds[function], line, function == kFunctionNamed ? name : nullptr,
                            arguments);
}

SyntaxNode* BuildNewExpression(int32_t line, uint32_t type) {
  if (type < kFirstClassType) {
    FailAction(u"New can only create a reference type!");
    return nullptr;
  }
  SyntaxNode* node = BuildNode(eSNNew, line, {});
  if (node) node->type = type;
  return node;
}

SyntaxNode* BuildLabel(int32_t line, const char16_t* name) {
  ParseContext* context = Context();
  if (!EnsureList(&context->labels)) {
    FailAction(u"Can't add label???");
  } else if (LabelListFind(context->labels, name)) {
    FailAction(u"Label already exists (duplicate label)");
  } else if (!LabelAppend(context->labels, name)) {
    FailAction(u"Can't add label???");
  }
  return BuildNamedNode(eSNLabel, line, name, {});
}

kivo::List* ElementListAdd(kivo::List* elements, SyntaxNode* element) {
  if (!elements && !kivo::ListCreate(&elements)) {
    FreeSyntaxTree(element);
    return nullptr;
  }
  if (!kivo::ListPrepend(elements, element)) FreeSyntaxTree(element);
  return elements;
}

void ElementListFree(kivo::List* elements) {
  for (SyntaxNode* element : kivo::ListItems<SyntaxNode>(elements)) FreeSyntaxTree(element);
  if (elements) kivo::ListDestroy(elements);
}

ArgChain* ChainAdd(ArgChain* chain, SyntaxNode* value) {
  if (!chain) {
    chain = ArgChainNew(value);
    if (!chain) FreeSyntaxTree(value);
    return chain;
  }
  if (!ArgChainAppend(chain, value)) FreeSyntaxTree(value);
  return chain;
}

bool ActionClassHeader(Scanner& scanner, const char16_t* name, bool parentIsThing, const char16_t* parentName,
                       uint32_t singleton) {
  ParseContext* context = Context();
  if (!RegisterClass(context, name)) return false;

  const char16_t* parent = parentIsThing ? u"Thing" : parentName;
  uint32_t parentIndex = kNoType;
  if (!TypeTableRetrieveTypeIdxByName(context->table, parent, &parentIndex)) {
    parentIndex = CompileOnTheSpot(scanner, parent, u"Cannot find ancestor class!", u"Error parsing included file");
  }

  RTVarnoType* type = nullptr;
  if (!TypeTableRetrieveTypeByName(context->table, name, &type)) {
    FailAction(u"Baffling error, self type lookup");
    return true;
  }
  type->singleton = singleton;
  type->parentIndex = parentIndex;
  MakeCurrentClass(context, type);
  return true;
}

void ActionThingHeader() {
  ParseContext* context = Context();
  RTVarnoType* type = nullptr;
  uint32_t index = kNoType;
  if (ReplaceTypesEnabled() && TypeTableRetrieveTypeIdxByName(context->table, u"Thing", &index) &&
      (context->table->types[index]->flags & kTypeScriptClass)) {
    if (!TypeReset(context->table->types[index], context->fileName)) {
      FailAction(u"Couldn't add class type. Does it already exist?");
    }
  } else if (!TypeTableAddType(context->table, u"Thing", context->fileName, kTypeScriptClass, &index)) {
    FailAction(u"Couldn't add class type. Does it already exist?");
  }
  if (!TypeTableRetrieveTypeByName(context->table, u"Thing", &type)) {
    FailAction(u"Baffling... I couldn't retrieve Thing?");
    return;
  }
  MakeCurrentClass(context, type);
}

void ActionParameter(RTVarnoDeclaration* declaration, bool startsList, uint32_t out) {
  ParseContext* context = Context();
  if (!declaration) return;
  if (startsList) {
    ParameterListFree(context->parameters);
    context->parameters = nullptr;
  }
  if (!AppendDeclaration(context, declaration)) return;
  RTVarnoParameter* parameter = ParameterCreate(declaration->name, declaration->type);
  if (!parameter) return;
  parameter->out = out;
  if (!EnsureList(&context->parameters) || !kivo::ListAppend(context->parameters, parameter)) {
    FreeText(parameter->name);
    FreeRecord(parameter);
  }
}

void ActionNoParameters() {
  ParseContext* context = Context();
  ParameterListFree(context->parameters);
  context->parameters = nullptr;
}

void ActionLocalDeclaration(RTVarnoDeclaration* declaration) {
  if (declaration) AppendDeclaration(Context(), declaration);
}

SyntaxNode* AddParsedMethod(uint32_t returnType, const char16_t* name, SyntaxNode* body, uint8_t kind,
                            int32_t line) {
  ParseContext* context = Context();
  RTVarnoMethod* method = context->currentClass ? MethodCreate(name, kind) : nullptr;
  SyntaxNode* node = method ? BuildNode(eSNMethodBody, line, {body}) : nullptr;
  if (!node) {
    if (!method) FreeSyntaxTree(body);
    MethodFree(method);
    ClearMethodLists(context);
    return nullptr;
  }
  method->returnType = returnType;
  node->method = method;
  if (!TypeAddMethod(context->currentClass, method)) {
    MethodFree(method);
    FreeSyntaxTree(node);
    ClearMethodLists(context);
    return nullptr;
  }
  method->tree = node;
  method->declarations = context->borrowedDeclarations ? nullptr : context->declarations;
  method->parameters = context->parameters;
  method->labels = context->labels;
  if (!context->borrowedDeclarations) context->declarations = nullptr;
  context->parameters = nullptr;
  context->labels = nullptr;
  return node;
}

RTSuccess AddImplementedMethod(uint32_t returnType, const char16_t* name, const char16_t* binding) {
  ParseContext* context = Context();
  // "Class.Method": the class part before the first ".", the method part after it; each at most
  // 255 characters.
  char16_t classPart[kNameUnits];
  char16_t methodPart[kNameUnits];
  const char16_t* rest = nullptr;
  bool split = NameSplitFirst(binding, classPart, kNameUnits, &rest) && rest;
  if (split && !kivo::WideStrCopyBounded(methodPart, kNameUnits, rest)) {
    Raise(u"[VARNO] Name too long (limit is %d characters): %s", static_cast<int>(kNameUnits - 1), rest);
    split = false;
  }
  RTVarnoMethod* method = split && context->currentClass ? MethodCreate(name, kMethodImplemented) : nullptr;
  bool added = false;
  if (method) {
    method->returnType = returnType;
    method->bindClass = CopyText(classPart);
    method->bindMethod = CopyText(methodPart);
    added = method->bindClass && method->bindMethod && TypeAddMethod(context->currentClass, method);
  }
  if (added) {
    method->parameters = context->parameters;
    context->parameters = nullptr;
  } else {
    MethodFree(method);
  }
  ClearMethodLists(context);
  return added ? kRTSuccess : kRTFailure;
}

void ActionClassConstant(const char16_t* name, uint32_t tag, ValueWord value) {
  ParseContext* context = Context();
  RTVarnoConstantValue constant{};
  constant.type = tag;
  constant.value.pointer = value.pointer;
  RTVarnoType* type = context->currentClass;
  if (!type || !TypeAddAttribute(type, tag, name, kDeclarationConstant) || !TypeAddConstant(type, name, constant)) {
    FailAction(u"Cannot add constant attribute to class.");
    RTVarnoConstantValueDestructor(&constant);
  }
}

void ActionAttribute(RTVarnoDeclaration* declaration) {
  if (!declaration) return;
  RTVarnoType* type = Context()->currentClass;
  if (!type || !TypeAddAttribute(type, declaration->type, declaration->name, declaration->flags)) {
    FailAction(u"Cannot add attribute to class?");
  }
  AttributeFree(declaration);
}

RTVarnoDeclaration* BuildDeclaration(uint32_t type, const char16_t* name) { return AttributeCreate(type, name, 0); }

uint32_t ActionClassType(Scanner& scanner, const char16_t* name, bool* stop) {
  ParseContext* context = Context();
  uint32_t index = kNoType;
  if (TypeTableRetrieveTypeIdxByName(context->table, name, &index)) return index;
  index = CompileOnTheSpot(scanner, name, u"Cannot find class!", nullptr);
  if (index == kNoType) {
    FailAction(u"Cannot find the type specified");
    *stop = true;
  }
  return index;
}

uint32_t ActionThingType() {
  uint32_t index = kNoType;
  if (TypeTableRetrieveTypeIdxByName(Context()->table, u"Thing", &index)) return index;
  FailAction(u"Cannot find the Thing class!?");
  return kTypeUnused;
}

void ActionProgramTree(SyntaxNode* tree) {
  ParseContext* context = Context();
  FreeSyntaxTree(context->tree);
  context->tree = tree;
}

}  // namespace varno
