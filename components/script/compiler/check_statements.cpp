// Statements that name something (print, switch, return, goto, inherited) and the built-in
// functions.
#include "compiler/check_rules.h"
#include "compiler/core_records.h"
#include "compiler/node_printer.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"

namespace varno {

namespace {

bool IsNumeric(uint32_t type) { return type == kTypeNumber || type == kTypeReal; }

struct FixedArity {
  uint8_t kind;
  uint32_t arguments;
  uint32_t type;
  const char16_t* message;
};

constexpr FixedArity kFixedArity[] = {
    {eSNHasKey, 2, kTypeBool, u"haskey() must take two parameters!"},
    {eSNAddKey, 3, kTypeDatabase, u"addkey() must take three parameters!"},
    {eSNRemove, 2, kTypeDatabase, u"remove() must take two parameters!"},
    {eSNKeys, 1, kTypeList, u"keys() must take one parameter!"},
    {eSNRetrieve, 2, kTypeAnything, u"retrieve() must take two parameters!"},
    {eSNInState, 2, kTypeBool, u"instate() must take two parameters!"},
    {eSNDebug, 1, kTypeNoValue, u"_DEBUG() must take a single parameter!"},
    {eSNExit, 0, kTypeNoValue, u"exit() takes no parameters!"},
};

bool IsMathFunction(uint8_t kind) {
  return kind == eSNSin || kind == eSNCos || kind == eSNTan || kind == eSNSqrt || kind == eSNSqr || kind == eSNAbs ||
         (kind >= 55 && kind <= 57);
}

}  // namespace

CheckMessage CheckPrint(const CheckScope& scope, SyntaxNode* node) {
  const uint32_t value = ChildType(node, 0);
  switch (value) {
    case kTypeNumber: case kTypeReal: case kTypeString: case kTypeBool: case kTypeVector2: case kTypeVector3:
    case kTypeList: case kTypeAnything: case kTypeNoValue: case kTypeDatabase:
      return {};
    default:
      break;
  }
  RTVarnoType* type = nullptr;
  if (!TypeRecordOf(scope, value, &type)) return u"Couldn't retrieve type from table?";
  if (type->flags & kTypeScriptClass) return {};
  return u"Expression incompatible with print statement.";
}

CheckMessage CheckSwitch(const CheckScope& scope, SyntaxNode* node) {
  UpperInPlace(node->name);
  RTVarnoMethod* target = nullptr;
  if (!node->name || !TypeRetrieveMethodByName(scope.type, node->name, &target, kRetrieveWithAncestors)) {
    return u"Cannot find state to transition to!";
  }
  if (!scope.method) return {};
  std::u16string condition = u"[ALWAYS]";
  const SyntaxNode* test = node->childCount > 0 ? node->children[0] : nullptr;
  RTInstance rendered = nullptr;
  if (test && RTVarnoSyntaxNodePrinter(test, &rendered) && rendered) condition = PrinterStreamText(rendered);
  if (rendered) kivo::ModuleCore()->ReleaseInstance(nullptr, rendered);
  if (!StateTransitionAppend(scope.method, node->line, condition.c_str(), target)) {
    return u"Syntax check unlabeled error";
  }
  return {};
}

CheckMessage CheckReturn(const CheckScope& scope, SyntaxNode* node, bool inCode) {
  // A value returned where the caller expects none would stay on the operand stack.
  const bool returnsValue = node->childCount > 0 && node->children[0];
  if (!inCode && scope.method && returnsValue && scope.method->returnType == kTypeNoValue) {
    return u"Cannot return a value from a method without a return type";
  }
  return {};
}

CheckMessage CheckGoto(const CheckScope& scope, SyntaxNode* node) {
  if (!scope.method || !LabelListFind(scope.method->labels, node->name)) return u"Cannot find label for goto!";
  return {};
}

CheckMessage CheckInherited(const CheckScope& scope, SyntaxNode* node) {
  RTVarnoMethod* inherited = nullptr;
  if (!scope.method || !TypeRetrieveMethodByName(scope.type, scope.method->keyName, &inherited, kRetrieveFromParent)) {
    return u"Cannot find inherited method in ancestor(s)";
  }
  node->type = inherited->returnType;
  return {};
}

CheckMessage CheckBuiltInFunction(SyntaxNode* node) {
  const uint8_t kind = node->kind;
  if (IsMathFunction(kind) || kind == eSNRand) {
    const bool rand = kind == eSNRand;
    if (node->childCount != 1) {
      return rand ? u"rand() must take a single parameter!" : u"Function must take a single parameter!";
    }
    if (!IsNumeric(ChildType(node, 0))) {
      return rand ? u"rand() takes either a real or number parameter!"
                  : u"Function takes either a real or number parameter!";
    }
    node->type = rand ? kTypeNumber : kTypeReal;
    return {};
  }
  if (kind == eSNSleep) {
    if (!IsNumeric(ChildType(node, 0))) return u"Sleep takes either a real or number parameter!";
    node->type = kTypeNoValue;
    return {};
  }
  if (kind == eSNEval) {
    const uint32_t operand = ChildType(node, 0);
    if (operand != kTypeAnything && operand != kTypeCode) {
      return u"Evaluation Statement has to be of code or anything types!";
    }
    node->type = kTypeAnything;
    return {};
  }
  for (const FixedArity& function : kFixedArity) {
    if (function.kind != kind) continue;
    if (node->childCount != function.arguments) return function.message;
    // There is no instruction for instate(); refuse it here rather than in the code generator.
    if (kind == eSNInState) return u"instate() is not supported";
    node->type = function.type;
    return {};
  }
  return u"INTERNAL ERROR: Invalid Syntax node type passed in!";
}

}  // namespace varno
