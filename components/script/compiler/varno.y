/* The Varno grammar: an LALR(1) grammar over the scanner's tokens, generated into a pure
 * (reentrant) parser at build time.
 *
 * The actions register the class and its members in the type table of the current parse context
 * and build the syntax trees (the work itself is in parser_actions.cpp). The rules are numbered
 * in their order (bison's trace output shows the numbers); a rule without an action hands the
 * value of its first symbol up. Values are four words (value.h): word 0 holds a symbol's node,
 * declaration, argument chain, element list, type code or text.
 *
 * The parser is pure so that an action may compile another class file (a parent class, a class
 * used as a type) by running a nested parse: the look-ahead token and the stacks are locals of
 * each varno_parse call, and the scanner keeps the outer file on its include stack meanwhile.
 * Every call takes the scanner it reads from; the process uses the one scanner.
 *
 * Conflicts: the operator precedences below settle every ambiguity of the expressions. The one
 * conflict left is the dangling "else" (shift: an "else" belongs to the nearest "if"). */

%require "3.5"
%define api.pure full
%define api.prefix {varno_}
%define api.value.type {varno::VarnoValue}
%define parse.trace
%define parse.error custom
%param {varno::Scanner& scanner}
%expect 1

%code requires {
#include "compiler/value.h"

namespace varno {
class Scanner;
// The grammar's name of a token code ("ID", "END_STATEMENT", "$end").
const char* TokenName(int token);
}  // namespace varno
}

%code {
#include <cstring>

#include "compiler/core_records.h"
#include "compiler/parse_context.h"
#include "compiler/parse_errors.h"
#include "compiler/parser_actions.h"
#include "compiler/scanner.h"
#include "compiler/type_codes.h"

// Stacks of 200 entries that double when full, up to 10000.
#define YYINITDEPTH 200
#define YYMAXDEPTH 10000

using namespace varno;

namespace {

int yylex(VARNO_STYPE* value, Scanner& scanner) { return scanner.Scan(value); }

// Syntax errors are reported by yyreport_syntax_error; the only other report is a parse that
// needs more than the largest stacks.
void yyerror(Scanner&, const char*) { ParserError("parser stack overflow"); }

SyntaxNode* N(const VarnoValue& value) { return value.word[0].node; }

void SetNode(VarnoValue& value, SyntaxNode* node) {
  value = VarnoValue{};
  value.word[0].node = node;
}

void SetBits(VarnoValue& value, uint32_t bits) {
  value = VarnoValue{};
  value.word[0].bits = bits;
}

// A constant: word 0 its type code, word 1 its value.
void SetConstant(VarnoValue& value, uint32_t type, ValueWord word) {
  value = VarnoValue{};
  value.word[0].bits = type;
  value.word[1] = word;
}

ValueWord Bits(uint32_t bits) {
  ValueWord word{};
  word.bits = bits;
  return word;
}

ValueWord Real(float real) {
  ValueWord word{};
  word.real = real;
  return word;
}

void FreeConstant(uint32_t type, ValueWord word) {
  RTVarnoConstantValue constant{};
  constant.type = type;
  constant.value.pointer = word.pointer;
  RTVarnoConstantValueDestructor(&constant);
}

void MethodAction(VarnoValue& value, uint32_t returnType, const char16_t* name, SyntaxNode* body, uint8_t kind,
                  const char16_t* failure, int32_t line) {
  if (!AddParsedMethod(returnType, name, body, kind, line)) FailAction(failure);
  value = VarnoValue{};
}

void NotImplemented(VarnoValue& value, const char16_t* message, SyntaxNode* operand) {
  FailAction(message);
  FreeSyntaxTree(operand);
  value = VarnoValue{};
}

}  // namespace
}

/* Values that own memory are freed when a failed parse drops them. */
%destructor { FreeSyntaxTree($$.word[0].node); }
  statement_list statement label_statement goto_statement priority_statement start_statement
  stop_statement sleep_statement compound_statement return_statement assignment_expression
  assignment_statement listen_statement deafen_statement switch_statement for_statement
  print_statement optional_compound_statement else_statement copylisten_statement if_statement
  while_statement list_element database_element database_def list_def expression
  code_construct_expression eval_expression new_expression dynamic_new_expression list_dimension
  list_access_expression boolean_expression conditional_expression arithmetic_expression
  inherited_call function_call
%destructor { AttributeFree($$.word[0].declaration); } declaration declaration_statement
%destructor { ArgChainFreeWithValues($$.word[0].chain); } argument_list list_dimension_list
%destructor { ElementListFree($$.word[0].list); } list_element_list database_element_list
%destructor { FreeConstant($$.word[0].bits, $$.word[1]); } constant
%destructor { FreeConstant($$.word[1].bits, $$.word[2]); } constant_declaration

/* Keywords, in the scanner's rule order. */
%token CONSTANTS ATTRIBUTES EVENT LISTENER SPEAKER LISTEN DEAFEN METHOD STATE INSTATE RETURN EVAL
%token NEW DNEW IS PUBLIC PRIVATE STRUCT NUMBER PERCENTAGE REAL STR THING ATAN ACOS ASIN SIN COS
%token TAN SQRT SQR ABS C_PI C_TRUE C_FALSE C_NULL VECTOR3 VECTOR2 ORIENT2 ORIENT3 COLOR3 DATABASE
%token HASKEY REMOVE KEYS RETRIEVE ADDKEY LIST BOOL NONE IF ELSE WHILE FOR DO PRINT NOTHING
%token ANYTHING SWITCH TRIGGER IMPLEMENTED CODE IN OUT START STOP SLEEP CANBE NOT AND XOR OR GOTO
%token INHERITED RAND PRIORITY SINGLETON DEBUG EXIT_FUNC COPYLISTEN
/* Operators and punctuation. */
%token ASSIGNMENT EQUAL NEQUAL LT GT LE GE END_STATEMENT COLON COMMA OPEN_PARENS CLOSE_PARENS
%token OPEN_BRACE CLOSE_BRACE ARRAY OPEN_BRACKET CLOSE_BRACKET PLUSEQUAL MINUSEQUAL MULEQUAL
%token DIVEQUAL PLUSPLUS MINUSMINUS ASTERISK AMPERSAND PLUS MINUS FWDSLASH PERIOD
/* Names and literals. */
%token ID STRING INTEGER FLOAT ERROR_TOKEN

/* Loosest to tightest; every two-operand operator is left-associative. "canbe" takes a type on
 * its right, so only its level counts. The prefix "-" takes the level of MINUS, so it binds
 * looser than "*" and "/". */
%precedence CANBE
%left EQUAL NEQUAL LT GT LE GE
%left AND OR XOR
%precedence NOT
%left PLUS MINUS
%left ASTERISK FWDSLASH

%start program

%%

program
  : class_declaration class_definition
  | expression { ActionProgramTree(BuildNode(eSNPrint, scanner.line(), {N($1)})); SetNode($$, nullptr); }
  | assignment_expression { ActionProgramTree(N($1)); SetNode($$, nullptr); }
  ;

optional_singleton
  : COMMA SINGLETON END_STATEMENT { SetBits($$, 1); }
  | END_STATEMENT { SetBits($$, 0); }
  ;

class_declaration
  : ID IS class_name optional_singleton {
      if (!ActionClassHeader(scanner, $1.word[0].text, $3.word[0].bits == 1, $3.word[1].text, $4.word[0].bits)) {
        YYABORT;
      }
    }
  | THING IS NOTHING END_STATEMENT { ActionThingHeader(); }
  ;

class_definition
  : class_member_list
  ;

class_member_list
  : class_member_list class_member
  | class_member
  ;

class_member
  : attribute_block
  | constant_block
  | method
  | implemented_method
  | state
  | event
  | listener
  ;

argument_list_def
  : argument_list_def COMMA declaration { ActionParameter($3.word[0].declaration, false, 0); }
  | declaration { ActionParameter($1.word[0].declaration, true, 0); }
  | OUT declaration { ActionParameter($2.word[0].declaration, true, 1); }
  | %empty { ActionNoParameters(); SetNode($$, nullptr); }
  ;

method
  : METHOD type ID OPEN_PARENS argument_list_def CLOSE_PARENS compound_statement {
      MethodAction($$, $2.word[0].bits, $3.word[0].text, N($7), kMethodPlain, u"Couldn't create method!",
                   scanner.line());
    }
  | METHOD ID OPEN_PARENS argument_list_def CLOSE_PARENS compound_statement {
      MethodAction($$, kTypeNoValue, $2.word[0].text, N($6), kMethodPlain, u"Couldn't create method!",
                   scanner.line());
    }
  ;

implemented_method
  : METHOD type ID OPEN_PARENS argument_list_def CLOSE_PARENS IMPLEMENTED STRING END_STATEMENT {
      if (!AddImplementedMethod($2.word[0].bits, $3.word[0].text, $8.word[0].text)) {
        FailAction(u"Couldn't create implemented method");
      }
    }
  | METHOD ID OPEN_PARENS argument_list_def CLOSE_PARENS IMPLEMENTED STRING END_STATEMENT {
      if (!AddImplementedMethod(kTypeNoValue, $2.word[0].text, $7.word[0].text)) {
        FailAction(u"Couldn't create implemented method");
      }
    }
  ;

state
  : STATE ID compound_statement {
      MethodAction($$, kTypeNoValue, $2.word[0].text, N($3), kMethodState, u"Couldn't create state!", scanner.line());
    }
  ;

event
  : EVENT ID OPEN_PARENS argument_list_def CLOSE_PARENS optional_state_specifier compound_statement {
      MethodAction($$, kTypeNoValue, $2.word[0].text, N($7), kMethodEvent, u"Couldn't create event!", scanner.line());
    }
  ;

listener
  : LISTENER ID OPEN_PARENS argument_list_def CLOSE_PARENS compound_statement {
      MethodAction($$, kTypeNoValue, $2.word[0].text, N($6), kMethodListener, u"Couldn't create listener!",
                   scanner.line());
    }
  ;

/* The state names are accepted and not used. */
optional_state_specifier
  : COLON identifier_list
  | %empty { SetNode($$, nullptr); }
  ;

identifier_list
  : identifier_list COMMA ID
  | ID
  ;

statement_list
  : statement_list statement { SetNode($$, BuildNode(eSNStatementList, scanner.line(), {N($1), N($2)})); }
  | statement
  ;

statement
  : declaration_statement { ActionLocalDeclaration($1.word[0].declaration); SetNode($$, nullptr); }
  | return_statement
  | assignment_statement
  | if_statement
  | priority_statement
  | while_statement
  | for_statement
  | switch_statement
  | copylisten_statement
  | function_call END_STATEMENT { SetNode($$, BuildNode(eSNCallStatement, scanner.line(), {N($1)})); }
  | inherited_call END_STATEMENT { SetNode($$, BuildNode(eSNInheritedStatement, scanner.line(), {N($1)})); }
  | print_statement
  | start_statement
  | stop_statement
  | label_statement
  | goto_statement
  | sleep_statement
  | eval_expression END_STATEMENT
  | listen_statement
  | deafen_statement
  ;

label_statement
  : ID COLON { SetNode($$, BuildLabel(scanner.line(), $1.word[0].text)); }
  ;

goto_statement
  : GOTO ID END_STATEMENT { SetNode($$, BuildNamedNode(eSNGoto, scanner.line(), $2.word[0].text, {})); }
  ;

priority_statement
  : PRIORITY OPEN_PARENS ID COMMA expression CLOSE_PARENS END_STATEMENT {
      SetNode($$, BuildNamedNode(eSNPriority, scanner.line(), $3.word[0].text, {N($5), nullptr}));
    }
  ;

start_statement
  : START OPEN_PARENS ID CLOSE_PARENS END_STATEMENT {
      SetNode($$, BuildNamedNode(eSNStart, scanner.line(), $3.word[0].text, {}));
    }
  ;

stop_statement
  : STOP OPEN_PARENS ID CLOSE_PARENS END_STATEMENT {
      SetNode($$, BuildNamedNode(eSNStop, scanner.line(), $3.word[0].text, {}));
    }
  ;

sleep_statement
  : SLEEP OPEN_PARENS expression CLOSE_PARENS END_STATEMENT {
      SetNode($$, BuildNode(eSNSleep, scanner.line(), {N($3)}));
    }
  ;

compound_statement
  : OPEN_BRACE CLOSE_BRACE { SetNode($$, nullptr); }
  | OPEN_BRACE statement_list CLOSE_BRACE { SetNode($$, N($2)); }
  ;

return_statement
  : RETURN expression END_STATEMENT { SetNode($$, BuildNode(eSNReturn, scanner.line(), {N($2)})); }
  | RETURN END_STATEMENT { SetNode($$, BuildNode(eSNReturn, scanner.line(), {})); }
  ;

assignment_expression
  : expression ASSIGNMENT expression { SetNode($$, BuildNode(eSNAssign, scanner.line(), {N($1), N($3)})); }
  | expression PLUSEQUAL expression { SetNode($$, BuildCompoundAssignment(eSNAdd, scanner.line(), N($1), N($3))); }
  | expression MINUSEQUAL expression {
      SetNode($$, BuildCompoundAssignment(eSNSubtract, scanner.line(), N($1), N($3)));
    }
  | expression MULEQUAL expression {
      SetNode($$, BuildCompoundAssignment(eSNMultiply, scanner.line(), N($1), N($3)));
    }
  | expression DIVEQUAL expression {
      SetNode($$, BuildCompoundAssignment(eSNDivide, scanner.line(), N($1), N($3)));
    }
  | PLUSPLUS ID { NotImplemented($$, u"++(pre) operator not implemented yet.", nullptr); }
  | MINUSMINUS ID { NotImplemented($$, u"--(pre) operator not implemented yet.", nullptr); }
  | expression PLUSPLUS { NotImplemented($$, u"++(post) operator not implemented yet.", N($1)); }
  | expression MINUSMINUS { NotImplemented($$, u"--(post) operator not implemented yet.", N($1)); }
  ;

assignment_statement
  : assignment_expression END_STATEMENT
  ;

listen_statement
  : LISTEN OPEN_PARENS CLOSE_PARENS END_STATEMENT { SetNode($$, BuildNode(eSNListen, scanner.line(), {})); }
  ;

deafen_statement
  : DEAFEN OPEN_PARENS CLOSE_PARENS END_STATEMENT { SetNode($$, BuildNode(eSNDeafen, scanner.line(), {})); }
  ;

switch_statement
  : SWITCH OPEN_PARENS expression COMMA ID CLOSE_PARENS END_STATEMENT {
      SetNode($$, BuildNamedNode(eSNSwitch, scanner.line(), $5.word[0].text, {N($3)}));
    }
  | SWITCH OPEN_PARENS ID CLOSE_PARENS END_STATEMENT {
      SetNode($$, BuildNamedNode(eSNSwitch, scanner.line(), $3.word[0].text, {}));
    }
  ;

for_statement
  : FOR OPEN_PARENS assignment_statement expression END_STATEMENT assignment_expression CLOSE_PARENS
    optional_compound_statement {
      SetNode($$, BuildNode(eSNFor, scanner.line(), {N($3), N($4), N($6), N($8)}));
    }
  ;

print_statement
  : PRINT OPEN_PARENS expression CLOSE_PARENS END_STATEMENT {
      SetNode($$, BuildNode(eSNPrint, scanner.line(), {N($3)}));
    }
  ;

optional_compound_statement
  : compound_statement
  | statement
  ;

else_statement
  : ELSE optional_compound_statement { SetNode($$, N($2)); }
  ;

copylisten_statement
  : COPYLISTEN OPEN_PARENS expression COMMA expression CLOSE_PARENS END_STATEMENT {
      SetNode($$, BuildNode(eSNCopyListen, scanner.line(), {N($3), N($5)}));
    }
  ;

if_statement
  : IF OPEN_PARENS expression CLOSE_PARENS optional_compound_statement else_statement {
      SetNode($$, BuildNode(eSNIfElse, scanner.line(), {N($3), N($5), N($6)}));
    }
  | IF OPEN_PARENS expression CLOSE_PARENS optional_compound_statement {
      SetNode($$, BuildNode(eSNIf, scanner.line(), {N($3), N($5)}));
    }
  ;

while_statement
  : WHILE OPEN_PARENS expression CLOSE_PARENS optional_compound_statement {
      SetNode($$, BuildNode(eSNWhile, scanner.line(), {N($3), N($5)}));
    }
  ;

upconverted_real_constant
  : INTEGER { SetConstant($$, kTypeReal, Real(static_cast<float>($1.word[0].integer))); $$.word[0] = $$.word[1]; }
  | FLOAT { SetConstant($$, kTypeReal, $1.word[0]); $$.word[0] = $$.word[1]; }
  ;

constant
  : INTEGER { SetConstant($$, kTypeNumber, $1.word[0]); }
  | FLOAT { SetConstant($$, kTypeReal, $1.word[0]); }
  | STRING {
      ValueWord text{};
      text.text = CopyText($1.word[0].text);
      SetConstant($$, kTypeString, text);
    }
  | vector3_const {
      ValueWord vector{};
      vector.pointer = NewVectorBlock($1.word[0].real, $1.word[1].real, $1.word[2].real);
      SetConstant($$, kTypeVector3, vector);
    }
  | C_PI { SetConstant($$, kTypeReal, Real(3.14159274f)); }
  | C_FALSE { SetConstant($$, kTypeBool, Bits(0)); }
  | C_TRUE { SetConstant($$, kTypeBool, Bits(1)); }
  | C_NULL { SetConstant($$, kTypeNoValue, Bits(0)); }
  ;

/* There is no two-number vector constant: "<1, 2>" is a syntax error. */
vector3_const
  : LT upconverted_real_constant COMMA upconverted_real_constant COMMA upconverted_real_constant GT {
      $$ = VarnoValue{};
      $$.word[0] = $2.word[0];
      $$.word[1] = $4.word[0];
      $$.word[2] = $6.word[0];
    }
  ;

database_def
  : OPEN_PARENS database_element_list CLOSE_PARENS {
      SetNode($$, BuildNodeFromElements(eSNDatabase, scanner.line(), $2.word[0].list));
    }
  | OPEN_PARENS CLOSE_PARENS { SetNode($$, BuildNodeFromElements(eSNDatabase, scanner.line(), nullptr)); }
  ;

database_element_list
  : database_element_list COMMA database_element {
      kivo::List* elements = ElementListAdd($1.word[0].list, N($3));
      $$ = VarnoValue{};
      $$.word[0].list = elements;
    }
  | database_element {
      kivo::List* elements = ElementListAdd(nullptr, N($1));
      $$ = VarnoValue{};
      $$.word[0].list = elements;
    }
  ;

database_element
  : expression COLON expression { SetNode($$, BuildNode(eSNDatabaseElement, scanner.line(), {N($1), N($3)})); }
  ;

list_def
  : OPEN_BRACKET list_element_list CLOSE_BRACKET {
      SetNode($$, BuildNodeFromElements(eSNList, scanner.line(), $2.word[0].list));
    }
  | OPEN_BRACKET CLOSE_BRACKET { SetNode($$, BuildNodeFromElements(eSNList, scanner.line(), nullptr)); }
  ;

list_element_list
  : list_element_list COMMA list_element {
      kivo::List* elements = ElementListAdd($1.word[0].list, N($3));
      $$ = VarnoValue{};
      $$.word[0].list = elements;
    }
  | list_element {
      kivo::List* elements = ElementListAdd(nullptr, N($1));
      $$ = VarnoValue{};
      $$.word[0].list = elements;
    }
  ;

list_element
  : expression
  ;

expression
  : constant { SetNode($$, BuildConstantNode(scanner.line(), $1.word[0].bits, $1.word[1])); }
  | database_def
  | list_def
  | ID { SetNode($$, BuildNamedNode(eSNIdentifier, scanner.line(), $1.word[0].text, {})); }
  | arithmetic_expression
  | conditional_expression
  | boolean_expression
  | function_call
  | inherited_call
  | list_access_expression
  | new_expression
  | dynamic_new_expression
  | code_construct_expression
  | eval_expression
  | SPEAKER { SetNode($$, BuildNode(eSNSpeaker, scanner.line(), {})); }
  ;

code_construct_expression
  : CODE OPEN_BRACE statement_list CLOSE_BRACE { SetNode($$, BuildNode(eSNCode, scanner.line(), {N($3)})); }
  ;

eval_expression
  : EVAL OPEN_PARENS expression CLOSE_PARENS { SetNode($$, BuildNode(eSNEval, scanner.line(), {N($3)})); }
  ;

new_expression
  : NEW type { SetNode($$, BuildNewExpression(scanner.line(), $2.word[0].bits)); }
  ;

dynamic_new_expression
  : DNEW OPEN_PARENS expression CLOSE_PARENS {
      SetNode($$, BuildNode(eSNDynamicNew, scanner.line(), {N($3)}));
      if (N($$)) N($$)->type = kTypeAnything;
    }
  ;

list_dimension
  : OPEN_BRACKET expression CLOSE_BRACKET { SetNode($$, N($2)); }
  ;

list_dimension_list
  : list_dimension_list list_dimension {
      ArgChain* chain = ChainAdd($1.word[0].chain, N($2));
      $$ = VarnoValue{};
      $$.word[0].chain = chain;
    }
  | list_dimension {
      ArgChain* chain = ChainAdd(nullptr, N($1));
      $$ = VarnoValue{};
      $$.word[0].chain = chain;
    }
  ;

list_access_expression
  : ID list_dimension_list {
      SetNode($$, BuildNodeFromChain(eSNListAccess, scanner.line(), $1.word[0].text, $2.word[0].chain));
      if (N($$)) N($$)->readFlag = 1;
    }
  ;

boolean_expression
  : NOT expression { SetNode($$, BuildNode(eSNNot, scanner.line(), {N($2)})); }
  | expression CANBE type {
      SetNode($$, BuildNode(eSNCanBe, scanner.line(), {N($1)}));
      if (N($$)) N($$)->targetType = $3.word[0].bits;
    }
  | expression AND expression { SetNode($$, BuildNode(eSNAnd, scanner.line(), {N($1), N($3)})); }
  | expression OR expression { SetNode($$, BuildNode(eSNOr, scanner.line(), {N($1), N($3)})); }
  | expression XOR expression { SetNode($$, BuildNode(eSNXor, scanner.line(), {N($1), N($3)})); }
  ;

conditional_expression
  : expression EQUAL expression { SetNode($$, BuildNode(eSNEqual, scanner.line(), {N($1), N($3)})); }
  | expression LT expression { SetNode($$, BuildNode(eSNLess, scanner.line(), {N($1), N($3)})); }
  | expression GT expression { SetNode($$, BuildNode(eSNGreater, scanner.line(), {N($1), N($3)})); }
  | expression LE expression { SetNode($$, BuildNode(eSNLessEqual, scanner.line(), {N($1), N($3)})); }
  | expression GE expression { SetNode($$, BuildNode(eSNGreaterEqual, scanner.line(), {N($1), N($3)})); }
  | expression NEQUAL expression { SetNode($$, BuildNode(eSNNotEqual, scanner.line(), {N($1), N($3)})); }
  ;

arithmetic_expression
  : expression PLUS expression { SetNode($$, BuildNode(eSNAdd, scanner.line(), {N($1), N($3)})); }
  | expression ASTERISK expression { SetNode($$, BuildNode(eSNMultiply, scanner.line(), {N($1), N($3)})); }
  | expression MINUS expression { SetNode($$, BuildNode(eSNSubtract, scanner.line(), {N($1), N($3)})); }
  | expression FWDSLASH expression { SetNode($$, BuildNode(eSNDivide, scanner.line(), {N($1), N($3)})); }
  | OPEN_PARENS expression CLOSE_PARENS { SetNode($$, N($2)); }
  | MINUS expression { SetNode($$, BuildNode(eSNNegate, scanner.line(), {N($2)})); }
  ;

inherited_call
  : INHERITED OPEN_PARENS argument_list CLOSE_PARENS {
      SetNode($$, BuildNodeFromChain(eSNInherited, scanner.line(), nullptr, $3.word[0].chain));
    }
  | INHERITED OPEN_PARENS CLOSE_PARENS { SetNode($$, BuildNodeFromChain(eSNInherited, scanner.line(), nullptr, nullptr)); }
  ;

function_call
  : function_name OPEN_PARENS argument_list CLOSE_PARENS {
      SetNode($$, BuildFunctionCall(scanner.line(), $1.word[0].bits, $1.word[1].text, $3.word[0].chain, true));
    }
  | function_name OPEN_PARENS CLOSE_PARENS {
      SetNode($$, BuildFunctionCall(scanner.line(), $1.word[0].bits, $1.word[1].text, nullptr, false));
    }
  ;

/* Word 0 the built-in number, word 1 the name of a named method. */
function_name
  : ID { SetBits($$, 1); $$.word[1] = $1.word[0]; }
  | SIN { SetBits($$, 2); }
  | COS { SetBits($$, 3); }
  | TAN { SetBits($$, 4); }
  | ABS { SetBits($$, 5); }
  | SQR { SetBits($$, 7); }
  | SQRT { SetBits($$, 6); }
  | RAND { SetBits($$, 8); }
  | HASKEY { SetBits($$, 9); }
  | INSTATE { SetBits($$, 13); }
  | ADDKEY { SetBits($$, 10); }
  | RETRIEVE { SetBits($$, 11); }
  | REMOVE { SetBits($$, 14); }
  | KEYS { SetBits($$, 15); }
  | DEBUG { SetBits($$, 12); }
  | EXIT_FUNC { SetBits($$, 16); }
  ;

argument_list
  : argument_list COMMA expression {
      ArgChain* chain = ChainAdd($1.word[0].chain, N($3));
      $$ = VarnoValue{};
      $$.word[0].chain = chain;
    }
  | expression {
      ArgChain* chain = ChainAdd(nullptr, N($1));
      $$ = VarnoValue{};
      $$.word[0].chain = chain;
    }
  ;

constant_block
  : CONSTANTS OPEN_BRACE constant_def_list CLOSE_BRACE
  | CONSTANTS OPEN_BRACE CLOSE_BRACE
  ;

constant_def_list
  : constant_declaration {
      ActionClassConstant($1.word[0].text, $1.word[1].bits, $1.word[2]);
      SetNode($$, nullptr);
    }
  | constant_def_list constant_declaration {
      ActionClassConstant($2.word[0].text, $2.word[1].bits, $2.word[2]);
      SetNode($$, nullptr);
    }
  ;

/* Word 0 the name, word 1 the type code, word 2 the value. */
constant_declaration
  : ID ASSIGNMENT constant END_STATEMENT {
      $$ = VarnoValue{};
      $$.word[0] = $1.word[0];
      $$.word[1] = $3.word[0];
      $$.word[2] = $3.word[1];
    }
  ;

attribute_block
  : ATTRIBUTES OPEN_BRACE attribute_def_list CLOSE_BRACE
  | ATTRIBUTES OPEN_BRACE CLOSE_BRACE
  ;

attribute_def_list
  : declaration_statement { ActionAttribute($1.word[0].declaration); SetNode($$, nullptr); }
  | attribute_def_list declaration_statement { ActionAttribute($2.word[0].declaration); SetNode($$, nullptr); }
  ;

/* An initial value is parsed and dropped. */
declaration_statement
  : declaration END_STATEMENT
  | declaration ASSIGNMENT expression END_STATEMENT { FreeSyntaxTree(N($3)); $$ = $1; }
  ;

declaration
  : ID IS type {
      RTVarnoDeclaration* declaration = BuildDeclaration($3.word[0].bits, $1.word[0].text);
      $$ = VarnoValue{};
      $$.word[0].declaration = declaration;
    }
  ;

type
  : intrinsic_type
  | ID {
      bool stop = false;
      const uint32_t type = ActionClassType(scanner, $1.word[0].text, &stop);
      if (stop) YYABORT;
      SetBits($$, type);
    }
  ;

intrinsic_type
  : NUMBER { SetBits($$, kTypeNumber); }
  | REAL { SetBits($$, kTypeReal); }
  | STR { SetBits($$, kTypeString); }
  | VECTOR3 { SetBits($$, kTypeVector3); }
  | VECTOR2 { SetBits($$, kTypeVector2); }
  | ORIENT3 { FailAction(u"Orient3 unsupported currently"); SetBits($$, kTypeUnused); }
  | ORIENT2 { FailAction(u"Orient2 unsupported currently"); SetBits($$, kTypeUnused); }
  | COLOR3 { FailAction(u"Color3 unsupported currently"); SetBits($$, kTypeUnused); }
  | LIST { SetBits($$, kTypeList); }
  | DATABASE { SetBits($$, kTypeDatabase); }
  | BOOL { SetBits($$, kTypeBool); }
  | ANYTHING { SetBits($$, kTypeAnything); }
  | CODE { SetBits($$, kTypeCode); }
  | THING { SetBits($$, ActionThingType()); }
  ;

/* Word 0 is 1 for "Thing", else 0 with the name in word 1. */
class_name
  : ID { SetBits($$, 0); $$.word[1] = $1.word[0]; }
  | THING { SetBits($$, 1); }
  ;

%%

namespace varno {

const char* TokenName(int token) { return yysymbol_name(YYTRANSLATE(token)); }

}  // namespace varno

// "parse error", and when fewer than five tokens could follow, ", expecting `A' or `B' ...".
static int yyreport_syntax_error(const yypcontext_t* context, varno::Scanner&) {
  constexpr int kMostListed = 4;
  yysymbol_kind_t expected[kMostListed + 1];
  int count = yypcontext_expected_tokens(context, expected, kMostListed + 1);
  if (count < 0 || count > kMostListed) count = 0;

  size_t bytes = sizeof("parse error");
  for (int i = 0; i < count; ++i) bytes += std::strlen(yysymbol_name(expected[i])) + 16;
  void* block = nullptr;
  if (!kivo::ModuleCore()->ArrayAlloc(nullptr, 1, static_cast<uint32_t>(bytes), &block, 1)) {
    varno::ParserError("parse error; also virtual memory exceeded");
    return 0;
  }
  char* message = static_cast<char*>(block);
  std::strcpy(message, "parse error");
  for (int i = 0; i < count; ++i) {
    std::strcat(message, i == 0 ? ", expecting `" : " or `");
    std::strcat(message, yysymbol_name(expected[i]));
    std::strcat(message, "'");
  }
  varno::ParserError(message);
  kivo::ModuleCore()->ArrayFree(nullptr, message);
  return 0;
}
