#include "compiler/checker.h"

#include <unordered_set>
#include <vector>

#include "compiler/check_rules.h"
#include "compiler/report.h"
#include "compiler/syntax_error.h"
#include "compiler/syntax_node.h"
#include "compiler/tree_limits.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

constexpr int kMostNesting = kMostTreeNesting;
// Name operands of the instructions are read into 256-unit buffers.
constexpr size_t kLongestName = kNameUnits - 1;
// A node kind that the parser never builds and that is accepted without a test.
constexpr uint8_t kKindTen = 10;

CheckMessage CheckNode(const CheckScope& scope, SyntaxNode* node, bool inCode) {
  if (node->name && kivo::WideStrLen(node->name) > kLongestName) {
    return kivo::Format(u"Name too long (limit is %d characters)", static_cast<int>(kLongestName));
  }
  switch (node->kind) {
    case eSNStatementList:
      return node->childCount == 2 ? CheckMessage() : CheckMessage(u"Statement list needs two children.");
    case eSNFor: case eSNWhile: case eSNIf: case eSNIfElse: case eSNListen: case eSNDeafen: case eSNMethodBody:
    case eSNStart: case eSNStop: case eSNLabel: case eSNCallStatement: case eSNInheritedStatement: case eSNNew:
    case eSNDatabaseElement: case eSNPop: case eSNCopyListen: case kKindTen:
      return {};
    case eSNReturn:
      return CheckReturn(scope, node, inCode);
    case eSNPrint:
      return CheckPrint(scope, node);
    case eSNSwitch:
      return CheckSwitch(scope, node);
    case eSNCall:
      return CheckCall(scope, node, inCode);
    case eSNAssign:
      return CheckAssignment(scope, node);
    case eSNAdd: case eSNSubtract: case eSNMultiply: case eSNDivide:
      return CheckArithmetic(node);
    case eSNNegate:
      return CheckNegate(node);
    case eSNCanBe:
      node->type = kTypeBool;
      return {};
    case eSNEqual: case eSNNotEqual: case eSNLess: case eSNGreater: case eSNLessEqual: case eSNGreaterEqual:
      return CheckComparison(node);
    case eSNSpeaker: case eSNDynamicNew:
      node->type = kTypeAnything;
      return {};
    case eSNCode:
      node->type = kTypeCode;
      node->method = scope.method;
      return {};
    case eSNList:
      node->type = kTypeList;
      return {};
    case eSNDatabase:
      node->type = kTypeDatabase;
      return {};
    case eSNListAccess:
      return CheckListAccess(scope, node, inCode);
    case eSNIdentifier:
      return CheckIdentifier(scope, node, inCode);
    case eSNConstant:
      if (node->constant.type == kTypeNoValue) return u"Constant of type NULL is not allowed";
      node->type = node->constant.type;
      node->constantFlag = 1;
      return {};
    case eSNBundle:
      return node->childCount >= 1 ? CheckMessage() : CheckMessage(u"eSNBundle must have at least one child");
    case eSNSleep: case eSNEval: case eSNRand: case eSNSin: case eSNCos: case eSNTan: case 55: case 56: case 57:
    case eSNSqrt: case eSNSqr: case eSNAbs: case eSNHasKey: case eSNAddKey: case eSNRemove: case eSNKeys:
    case eSNRetrieve: case eSNInState: case eSNDebug: case eSNExit:
      return CheckBuiltInFunction(node);
    case eSNNot: case eSNAnd: case eSNOr: case eSNXor:
      return CheckLogical(node);
    case eSNGoto:
      return CheckGoto(scope, node);
    case eSNInherited:
      return CheckInherited(scope, node);
    default:
      return u"INTERNAL ERROR: Invalid Syntax node type passed in!";
  }
}

class Checker {
 public:
  explicit Checker(const CheckScope& scope) : scope_(scope) {}

  // Children first, then the node. A node met a second time (the target of a compound
  // assignment is also its left operand) keeps the annotations of its first check.
  bool Check(SyntaxNode* node, bool inCode) {
    if (!node || !checked_.insert(node).second) return true;
    if (node->kind == eSNStatementList) return CheckStatementList(node, inCode);
    if (depth_ >= kMostNesting) {
      return Fail(kivo::Format(u"Statements nested too deeply (limit is %d levels)", kMostNesting), node->line);
    }
    ++depth_;
    const bool childrenInCode = inCode || node->kind == eSNCode;
    bool accepted = true;
    for (uint32_t i = 0; accepted && i < node->childCount; ++i) accepted = Check(node->children[i], childrenInCode);
    --depth_;
    return accepted && CheckSelf(node, inCode);
  }

 private:
  // A statement list leans left (earlier statements, next statement); its chain is walked in a
  // loop, in the order the recursion would take.
  bool CheckStatementList(SyntaxNode* list, bool inCode) {
    std::vector<SyntaxNode*> chain{list};
    for (SyntaxNode* at = list; at->childCount == 2 && at->children[0] && at->children[0]->kind == eSNStatementList &&
                                checked_.insert(at->children[0]).second;) {
      at = at->children[0];
      chain.push_back(at);
    }
    for (size_t i = chain.size(); i-- > 0;) {
      SyntaxNode* node = chain[i];
      const uint32_t first = i + 1 == chain.size() ? 0 : 1;  // child 0 of the others is the next inner list
      for (uint32_t c = first; c < node->childCount; ++c) {
        if (!Check(node->children[c], inCode)) return false;
      }
      if (!CheckSelf(node, inCode)) return false;
    }
    return true;
  }

  bool CheckSelf(SyntaxNode* node, bool inCode) {
    const CheckMessage failure = CheckNode(scope_, node, inCode);
    return failure.empty() || Fail(failure, node->line);
  }

  bool Fail(const CheckMessage& message, int32_t line) {
    ReportSyntaxError(message, scope_.type ? scope_.type->fileName : nullptr, line);
    return false;
  }

  CheckScope scope_;
  std::unordered_set<const SyntaxNode*> checked_;
  int depth_ = 0;
};

}  // namespace

RTSuccess CheckSyntaxTree(RTVarnoTypeTable* table, SyntaxNode* node, RTVarnoType* type, kivo::List* declarations,
                          RTVarnoMethod* method, uint32_t inCode) {
  Checker checker(CheckScope{table, type, declarations, method});
  return checker.Check(node, inCode != 0) ? kRTSuccess : kRTFailure;
}

}  // namespace varno
