// The syntax tree of a method body or an interactive expression: built by the parser, annotated
// by the checker, turned into code by the code generator.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoMethod;

// Node kinds; the numbers are fixed.
enum SyntaxNodeKind : uint8_t {
  eSNStatementList = 1,
  eSNStatement = 2,
  eSNFor = 3,
  eSNWhile = 4,
  eSNIf = 5,
  eSNIfElse = 6,
  eSNPrint = 8,
  eSNSwitch = 9,
  eSNListen = 11,
  eSNDeafen = 12,
  eSNMethodBody = 13,
  eSNCall = 14,
  eSNReturn = 15,
  eSNAssign = 17,
  eSNAdd = 19,
  eSNSubtract = 20,
  eSNMultiply = 21,
  eSNDivide = 22,
  eSNNegate = 23,
  eSNCanBe = 24,
  eSNEqual = 26,
  eSNNotEqual = 27,
  eSNLess = 28,
  eSNGreater = 29,
  eSNLessEqual = 30,
  eSNGreaterEqual = 31,
  eSNSpeaker = 32,
  eSNCode = 33,
  eSNListAccess = 34,
  eSNList = 35,
  eSNIdentifier = 36,
  eSNConstant = 37,
  eSNBundle = 38,
  eSNStart = 39,
  eSNStop = 40,
  eSNSleep = 41,
  eSNPriority = 43,
  eSNNot = 44,
  eSNAnd = 45,
  eSNOr = 46,
  eSNXor = 47,
  eSNGoto = 48,
  eSNLabel = 49,
  eSNCallStatement = 50,
  eSNInheritedStatement = 51,
  eSNSin = 52,
  eSNCos = 53,
  eSNTan = 54,
  eSNSqrt = 58,
  eSNSqr = 59,
  eSNAbs = 60,
  eSNHasKey = 61,
  eSNAddKey = 62,
  eSNRemove = 63,
  eSNKeys = 64,
  eSNRetrieve = 65,
  eSNInState = 66,
  eSNDebug = 67,
  eSNExit = 68,
  eSNNew = 69,
  eSNDynamicNew = 70,
  eSNInherited = 71,
  eSNRand = 72,
  eSNEval = 73,
  eSNDatabase = 74,
  eSNDatabaseElement = 75,
  eSNPop = 76,
  eSNCopyListen = 77,
};

// A node in core memory. The node owns its children, its name and the string or vector block of
// its constant. One exception: a compound assignment (a += b) uses its target node twice, as the
// target and as the left operand (FreeSyntaxTree frees such a node once).
struct SyntaxNode {
  uint8_t kind;
  uint32_t childCount;
  SyntaxNode** children;  // core array block of childCount entries (each may be null), or null
  uint32_t type;          // value type code: checker; preset for eSNNew (the class), eSNDynamicNew (10)
  int32_t line;           // the scanner's line when the node was made
  uint32_t baseType;      // vector component access: the vector's type (checker)
  uint32_t constantFlag;  // value known when compiling (checker)
  uint32_t readFlag;      // list element access: 1 read, 0 assigned to
  uint8_t builtIn;        // built-in method of a call on a list or vector3 (checker)
  int32_t component;      // -1, or 0-2 for an x/y/z component access (checker)
  RTVarnoConstantValue constant;  // eSNConstant: tag and value (owned)
  RTVarnoMethod* method;  // eSNMethodBody: its method; eSNCode: the method it stands in (checker)
  uint32_t targetType;    // eSNCanBe: the type tested against
  char16_t* name;         // identifier, call, label, state or handler name (owned)
};

// A zeroed node with room for `childCount` children, component -1 and the line; null when there
// is no memory.
SyntaxNode* NewSyntaxNode(uint8_t kind, uint32_t childCount, int32_t line);
// Frees the node, its children, names and constants; null is ignored.
void FreeSyntaxTree(SyntaxNode* node);

// Argument chains: singly linked links that collect call arguments and list indexes before they
// become a node's children.
struct ArgChain {
  SyntaxNode* value;
  ArgChain* next;
};

ArgChain* ArgChainNew(SyntaxNode* value);
// Appends at the tail; 0 for no chain.
RTSuccess ArgChainAppend(ArgChain* chain, SyntaxNode* value);
uint32_t ArgChainCount(const ArgChain* chain);
// Frees the links (not the values).
void ArgChainFree(ArgChain* chain);
// Frees the links and the values.
void ArgChainFreeWithValues(ArgChain* chain);

}  // namespace varno
