// Assignments and the operators: arithmetic, negation, comparisons and the logical operators.
#include "compiler/check_rules.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/format.h"

namespace varno {

namespace {

bool IsNumeric(uint32_t type) { return type == kTypeNumber || type == kTypeReal; }
bool IsLogical(uint32_t type) { return type == kTypeBool || type == kTypeAnything || type == kTypeCode; }

const char16_t* NameOf(const SyntaxNode* node) { return node && node->name ? node->name : u"(value)"; }

bool BothConstant(const SyntaxNode* node) {
  return node->childCount >= 2 && node->children[0] && node->children[1] && node->children[0]->constantFlag &&
         node->children[1]->constantFlag;
}

// The result type of an arithmetic operator, or the message of its failure.
CheckMessage ArithmeticType(uint8_t kind, uint32_t left, uint32_t right, uint32_t* type) {
  static constexpr char16_t kBadRight[] = u"Cannot perform arithmetic on the right expression to the left one.";
  if (left == kTypeAnything || left == kTypeCode || right == kTypeAnything || right == kTypeCode) {
    *type = kTypeAnything;
    return {};
  }
  switch (left) {
    case kTypeVector3:
      if (right != kTypeVector3 && !IsNumeric(right)) return kBadRight;
      *type = (kind == eSNMultiply && right == kTypeVector3) ? kTypeReal : kTypeVector3;  // the dot product
      return {};
    case kTypeNumber:
      if (right != kTypeNumber && right != kTypeReal && right != kTypeString) return kBadRight;
      *type = right;
      return {};
    case kTypeReal:
      if (IsNumeric(right)) {
        *type = kTypeReal;
      } else if (right == kTypeString) {
        *type = kTypeString;
      } else {
        return kBadRight;
      }
      return {};
    case kTypeString:
      if (kind != eSNAdd) return u"Invalid operator for string arithmetic.";
      *type = kTypeString;
      return {};
    case kTypeList:
      if (kind != eSNAdd) return u"Only arithmetic operator defined for lists is (+)";
      if (right != kTypeList) return u"Can only concatenate lists to lists";
      *type = kTypeList;
      return {};
    default:
      return u"Cannot perform arithmetic on left expression";
  }
}

}  // namespace

CheckMessage CheckAssignment(const CheckScope& scope, SyntaxNode* node) {
  SyntaxNode* target = node->childCount > 0 ? node->children[0] : nullptr;
  if (!target || (target->kind != eSNIdentifier && target->kind != eSNListAccess)) {
    return u"Must assign to an identifier or list element.";
  }
  if (target->kind == eSNListAccess) target->readFlag = 0;
  const uint32_t to = target->type;
  const uint32_t from = ChildType(node, 1);
  if (to == from || to == kTypeAnything || from == kTypeAnything || to == kTypeEventName) return {};
  if ((IsNumeric(to) || to == kTypeString) && IsNumeric(from)) return {};
  if (to == kTypeListenerName) return u"Cannot assign *to* a listener";
  RTVarnoType* toType = nullptr;
  RTVarnoType* fromType = nullptr;
  if (!TypeRecordOf(scope, to, &toType) || !TypeRecordOf(scope, from, &fromType)) {
    // An event or listener name assigned to a variable ("this.Admit = nurse.Heard;" makes the target
    // the object itself): the message names the assignment.
    return kivo::Format(u"%s = %s: Syntax check unlabeled error", NameOf(target), NameOf(node->children[1]));
  }
  if (TypeTableCanBe(scope.table, toType, fromType)) return {};
  return u"Incompatible types in assignment.";
}

CheckMessage CheckArithmetic(SyntaxNode* node) {
  uint32_t type = kTypeNoValue;
  CheckMessage failure = ArithmeticType(node->kind, ChildType(node, 0), ChildType(node, 1), &type);
  if (!failure.empty()) return failure;
  node->type = type;
  node->constantFlag = BothConstant(node) ? 1 : 0;
  return {};
}

CheckMessage CheckNegate(SyntaxNode* node) {
  const uint32_t operand = ChildType(node, 0);
  if (!IsNumeric(operand)) return u"Negation only works on real and number types";
  node->type = operand;
  return {};
}

CheckMessage CheckComparison(SyntaxNode* node) {
  const uint32_t left = ChildType(node, 0);
  const uint32_t right = ChildType(node, 1);
  if (left != kTypeAnything && right != kTypeAnything) {
    if (IsNumeric(left) || left == kTypeString || left == kTypeBool) {
      const bool matches = IsNumeric(left) ? IsNumeric(right) : right == left;
      if (!matches) return u"Incompatible expressions in comparison";
    } else if (left < kFirstClassType) {
      return u"Invalid left expression type in comparison";
    } else if (right <= kTypeCode) {
      // A class, or an event or listener name (large codes read unsigned), needs a class on the right.
      return u"Incompatible types in comparison";
    }
  }
  node->type = kTypeBool;
  return {};
}

CheckMessage CheckLogical(SyntaxNode* node) {
  if (node->kind == eSNNot) {
    if (!IsLogical(ChildType(node, 0))) return u"NOT operator can only take a boolean or anything type!";
  } else if (!IsLogical(ChildType(node, 0)) || !IsLogical(ChildType(node, 1))) {
    return u"Logical operators can only take a boolean or anything type!";
  }
  node->type = kTypeBool;
  return {};
}

}  // namespace varno
