// The work the parser does while it reduces: registering the class and its members in the type
// table of the current parse context, and building syntax nodes. Failures are reported as failed
// actions (FailAction) unless said otherwise.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "compiler/syntax_node.h"
#include "compiler/type_records.h"
#include "compiler/value.h"

namespace varno {

class Scanner;

// Nodes. Each takes the line the scanner is on; names are copied. On failure the children are
// freed and the result is null.
SyntaxNode* BuildNode(uint8_t kind, int32_t line, std::initializer_list<SyntaxNode*> children);
SyntaxNode* BuildNamedNode(uint8_t kind, int32_t line, const char16_t* name,
                           std::initializer_list<SyntaxNode*> children);
// One child per link, in order; the chain is freed.
SyntaxNode* BuildNodeFromChain(uint8_t kind, int32_t line, const char16_t* name, ArgChain* chain);
// One child per element in source order from a list built by prepending; the list is freed.
SyntaxNode* BuildNodeFromElements(uint8_t kind, int32_t line, kivo::List* elements);
// An eSNConstant node that takes over the constant's value.
SyntaxNode* BuildConstantNode(int32_t line, uint32_t tag, ValueWord value);
// target op= value: eSNAssign(target, operation(target, value)), the target node used twice.
SyntaxNode* BuildCompoundAssignment(uint8_t operation, int32_t line, SyntaxNode* target, SyntaxNode* value);
// A call of a named method or built-in function (numbers of the function_name symbol).
SyntaxNode* BuildFunctionCall(int32_t line, uint32_t function, const char16_t* name, ArgChain* arguments,
                              bool withArgumentList);
SyntaxNode* BuildNewExpression(int32_t line, uint32_t type);
SyntaxNode* BuildLabel(int32_t line, const char16_t* name);
// Prepends an element, creating the list on the first.
kivo::List* ElementListAdd(kivo::List* elements, SyntaxNode* element);
void ElementListFree(kivo::List* elements);
// Starts a chain or appends to it.
ArgChain* ChainAdd(ArgChain* chain, SyntaxNode* value);

// Class header "Name is Parent ;": registers (or, in replace mode, empties) the class, compiles
// the parent when the table does not hold it, and makes the class current. False when the parse
// must stop.
bool ActionClassHeader(Scanner& scanner, const char16_t* name, bool parentIsThing, const char16_t* parentName,
                       uint32_t singleton);
// "Thing is nothing ;".
void ActionThingHeader();

// A parameter declaration: checked against the method's declarations and appended to them and
// to the parameter list (a new one when `startsList`).
void ActionParameter(RTVarnoDeclaration* declaration, bool startsList, uint32_t out);
void ActionNoParameters();
// A local declaration: checked and appended to the method's declarations.
void ActionLocalDeclaration(RTVarnoDeclaration* declaration);

// Creates a method of the kind, wraps the body in an eSNMethodBody node and adds the method to
// the current class; the method takes the context's declarations, parameters and labels. Null on
// failure (the body and those lists are freed then too).
SyntaxNode* AddParsedMethod(uint32_t returnType, const char16_t* name, SyntaxNode* body, uint8_t kind,
                            int32_t line);
// An implemented method bound by "Class.Method"; fails for a text without "." or with a part
// longer than 255 characters.
RTSuccess AddImplementedMethod(uint32_t returnType, const char16_t* name, const char16_t* binding);

// A class constant: an attribute with the constant flag and an entry of the constant table,
// which takes over the value.
void ActionClassConstant(const char16_t* name, uint32_t tag, ValueWord value);
// An attribute of the class; the declaration is freed.
void ActionAttribute(RTVarnoDeclaration* declaration);
RTVarnoDeclaration* BuildDeclaration(uint32_t type, const char16_t* name);

// A class name as a type: its index, compiling the class on the spot when the table does not
// hold it. Sets `stop` when the class cannot be had.
uint32_t ActionClassType(Scanner& scanner, const char16_t* name, bool* stop);
// "Thing" as a type.
uint32_t ActionThingType();

// The tree of an interactive program.
void ActionProgramTree(SyntaxNode* tree);

}  // namespace varno
