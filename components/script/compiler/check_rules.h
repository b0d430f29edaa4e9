// The checker's rules by node kind. Each rule annotates the node and gives the message of its
// failure, or an empty text when the node is accepted; the walk (checker.cpp) reports it.
#pragma once

#include <string>

#include "kivo/support/list.h"

namespace varno {

struct RTVarnoAttribute;
struct RTVarnoMethod;
struct RTVarnoType;
struct RTVarnoTypeTable;
struct SyntaxNode;

struct CheckScope {
  RTVarnoTypeTable* table;
  RTVarnoType* type;           // the class whose method is examined (may be null)
  kivo::List* declarations;    // the method's parameters and locals (may be null)
  RTVarnoMethod* method;       // null for an interactive expression
};

// Empty: accepted.
using CheckMessage = std::u16string;

// A name resolved among the class's attributes, else among the declarations: the attribute of the
// last part and the vector component it names (kNoType for none).
bool ResolveName(const CheckScope& scope, const char16_t* name, RTVarnoAttribute** attribute, uint32_t* component);

// Names (check_names.cpp).
CheckMessage CheckIdentifier(const CheckScope& scope, SyntaxNode* node, bool inCode);
CheckMessage CheckListAccess(const CheckScope& scope, SyntaxNode* node, bool inCode);
CheckMessage CheckCall(const CheckScope& scope, SyntaxNode* node, bool inCode);

// Operators and assignments (check_operators.cpp).
CheckMessage CheckAssignment(const CheckScope& scope, SyntaxNode* node);
CheckMessage CheckArithmetic(SyntaxNode* node);
CheckMessage CheckComparison(SyntaxNode* node);
CheckMessage CheckLogical(SyntaxNode* node);
CheckMessage CheckNegate(SyntaxNode* node);

// Statements and built-in functions (check_statements.cpp).
CheckMessage CheckPrint(const CheckScope& scope, SyntaxNode* node);
CheckMessage CheckSwitch(const CheckScope& scope, SyntaxNode* node);
CheckMessage CheckReturn(const CheckScope& scope, SyntaxNode* node, bool inCode);
CheckMessage CheckGoto(const CheckScope& scope, SyntaxNode* node);
CheckMessage CheckInherited(const CheckScope& scope, SyntaxNode* node);
// Functions of one number or real argument, and the functions whose argument count is fixed.
CheckMessage CheckBuiltInFunction(SyntaxNode* node);

// The type of child `index`, or kTypeNoValue when there is no such child.
uint32_t ChildType(const SyntaxNode* node, uint32_t index);

// The record of a type code. An event or listener name has none: false, and nothing is raised (the
// table's own lookup would raise a line without the file and line of the check).
bool TypeRecordOf(const CheckScope& scope, uint32_t type, RTVarnoType** record);

}  // namespace varno
