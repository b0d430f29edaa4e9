/* The Varno grammar: an LALR(1) grammar over the scanner's tokens, generated into a pure
 * (reentrant) parser at build time.
 *
 * This file holds the syntax only. The semantic actions (registering the class and its members in
 * the type table, building the syntax trees, the parse error report) live with the parser: they
 * are added to the rules below. The rules are numbered in their order (bison's trace output shows
 * the numbers); a rule without an action hands the value of its first symbol up.
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
#include "compiler/scanner.h"

namespace {

int yylex(VARNO_STYPE* value, varno::Scanner& scanner) { return scanner.Scan(value); }

// The parser's error report replaces this; until then a failed parse is seen in the result.
void yyerror(varno::Scanner&, const char*) {}

}  // namespace
}

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
  | expression
  | assignment_expression
  ;

optional_singleton
  : COMMA SINGLETON END_STATEMENT
  | END_STATEMENT
  ;

class_declaration
  : ID IS class_name optional_singleton
  | THING IS NOTHING END_STATEMENT
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
  : argument_list_def COMMA declaration
  | declaration
  | OUT declaration
  | %empty
  ;

method
  : METHOD type ID OPEN_PARENS argument_list_def CLOSE_PARENS compound_statement
  | METHOD ID OPEN_PARENS argument_list_def CLOSE_PARENS compound_statement
  ;

implemented_method
  : METHOD type ID OPEN_PARENS argument_list_def CLOSE_PARENS IMPLEMENTED STRING END_STATEMENT
  | METHOD ID OPEN_PARENS argument_list_def CLOSE_PARENS IMPLEMENTED STRING END_STATEMENT
  ;

state
  : STATE ID compound_statement
  ;

event
  : EVENT ID OPEN_PARENS argument_list_def CLOSE_PARENS optional_state_specifier compound_statement
  ;

listener
  : LISTENER ID OPEN_PARENS argument_list_def CLOSE_PARENS compound_statement
  ;

optional_state_specifier
  : COLON identifier_list
  | %empty
  ;

identifier_list
  : identifier_list COMMA ID
  | ID
  ;

statement_list
  : statement_list statement
  | statement
  ;

statement
  : declaration_statement
  | return_statement
  | assignment_statement
  | if_statement
  | priority_statement
  | while_statement
  | for_statement
  | switch_statement
  | copylisten_statement
  | function_call END_STATEMENT
  | inherited_call END_STATEMENT
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
  : ID COLON
  ;

goto_statement
  : GOTO ID END_STATEMENT
  ;

priority_statement
  : PRIORITY OPEN_PARENS ID COMMA expression CLOSE_PARENS END_STATEMENT
  ;

start_statement
  : START OPEN_PARENS ID CLOSE_PARENS END_STATEMENT
  ;

stop_statement
  : STOP OPEN_PARENS ID CLOSE_PARENS END_STATEMENT
  ;

sleep_statement
  : SLEEP OPEN_PARENS expression CLOSE_PARENS END_STATEMENT
  ;

compound_statement
  : OPEN_BRACE CLOSE_BRACE
  | OPEN_BRACE statement_list CLOSE_BRACE
  ;

return_statement
  : RETURN expression END_STATEMENT
  | RETURN END_STATEMENT
  ;

assignment_expression
  : expression ASSIGNMENT expression
  | expression PLUSEQUAL expression
  | expression MINUSEQUAL expression
  | expression MULEQUAL expression
  | expression DIVEQUAL expression
  | PLUSPLUS ID
  | MINUSMINUS ID
  | expression PLUSPLUS
  | expression MINUSMINUS
  ;

assignment_statement
  : assignment_expression END_STATEMENT
  ;

listen_statement
  : LISTEN OPEN_PARENS CLOSE_PARENS END_STATEMENT
  ;

deafen_statement
  : DEAFEN OPEN_PARENS CLOSE_PARENS END_STATEMENT
  ;

switch_statement
  : SWITCH OPEN_PARENS expression COMMA ID CLOSE_PARENS END_STATEMENT
  | SWITCH OPEN_PARENS ID CLOSE_PARENS END_STATEMENT
  ;

for_statement
  : FOR OPEN_PARENS assignment_statement expression END_STATEMENT assignment_expression CLOSE_PARENS
    optional_compound_statement
  ;

print_statement
  : PRINT OPEN_PARENS expression CLOSE_PARENS END_STATEMENT
  ;

optional_compound_statement
  : compound_statement
  | statement
  ;

else_statement
  : ELSE optional_compound_statement
  ;

copylisten_statement
  : COPYLISTEN OPEN_PARENS expression COMMA expression CLOSE_PARENS END_STATEMENT
  ;

if_statement
  : IF OPEN_PARENS expression CLOSE_PARENS optional_compound_statement else_statement
  | IF OPEN_PARENS expression CLOSE_PARENS optional_compound_statement
  ;

while_statement
  : WHILE OPEN_PARENS expression CLOSE_PARENS optional_compound_statement
  ;

upconverted_real_constant
  : INTEGER
  | FLOAT
  ;

constant
  : INTEGER
  | FLOAT
  | STRING
  | vector3_const
  | C_PI
  | C_FALSE
  | C_TRUE
  | C_NULL
  ;

/* There is no two-number vector constant: "<1, 2>" is a syntax error. */
vector3_const
  : LT upconverted_real_constant COMMA upconverted_real_constant COMMA upconverted_real_constant GT
  ;

database_def
  : OPEN_PARENS database_element_list CLOSE_PARENS
  | OPEN_PARENS CLOSE_PARENS
  ;

database_element_list
  : database_element_list COMMA database_element
  | database_element
  ;

database_element
  : expression COLON expression
  ;

list_def
  : OPEN_BRACKET list_element_list CLOSE_BRACKET
  | OPEN_BRACKET CLOSE_BRACKET
  ;

list_element_list
  : list_element_list COMMA list_element
  | list_element
  ;

list_element
  : expression
  ;

expression
  : constant
  | database_def
  | list_def
  | ID
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
  | SPEAKER
  ;

code_construct_expression
  : CODE OPEN_BRACE statement_list CLOSE_BRACE
  ;

eval_expression
  : EVAL OPEN_PARENS expression CLOSE_PARENS
  ;

new_expression
  : NEW type
  ;

dynamic_new_expression
  : DNEW OPEN_PARENS expression CLOSE_PARENS
  ;

list_dimension
  : OPEN_BRACKET expression CLOSE_BRACKET
  ;

list_dimension_list
  : list_dimension_list list_dimension
  | list_dimension
  ;

list_access_expression
  : ID list_dimension_list
  ;

boolean_expression
  : NOT expression
  | expression CANBE type
  | expression AND expression
  | expression OR expression
  | expression XOR expression
  ;

conditional_expression
  : expression EQUAL expression
  | expression LT expression
  | expression GT expression
  | expression LE expression
  | expression GE expression
  | expression NEQUAL expression
  ;

arithmetic_expression
  : expression PLUS expression
  | expression ASTERISK expression
  | expression MINUS expression
  | expression FWDSLASH expression
  | OPEN_PARENS expression CLOSE_PARENS
  | MINUS expression
  ;

inherited_call
  : INHERITED OPEN_PARENS argument_list CLOSE_PARENS
  | INHERITED OPEN_PARENS CLOSE_PARENS
  ;

function_call
  : function_name OPEN_PARENS argument_list CLOSE_PARENS
  | function_name OPEN_PARENS CLOSE_PARENS
  ;

function_name
  : ID
  | SIN
  | COS
  | TAN
  | ABS
  | SQR
  | SQRT
  | RAND
  | HASKEY
  | INSTATE
  | ADDKEY
  | RETRIEVE
  | REMOVE
  | KEYS
  | DEBUG
  | EXIT_FUNC
  ;

argument_list
  : argument_list COMMA expression
  | expression
  ;

constant_block
  : CONSTANTS OPEN_BRACE constant_def_list CLOSE_BRACE
  | CONSTANTS OPEN_BRACE CLOSE_BRACE
  ;

constant_def_list
  : constant_declaration
  | constant_def_list constant_declaration
  ;

constant_declaration
  : ID ASSIGNMENT constant END_STATEMENT
  ;

attribute_block
  : ATTRIBUTES OPEN_BRACE attribute_def_list CLOSE_BRACE
  | ATTRIBUTES OPEN_BRACE CLOSE_BRACE
  ;

attribute_def_list
  : declaration_statement
  | attribute_def_list declaration_statement
  ;

declaration_statement
  : declaration END_STATEMENT
  | declaration ASSIGNMENT expression END_STATEMENT
  ;

declaration
  : ID IS type
  ;

type
  : intrinsic_type
  | ID
  ;

intrinsic_type
  : NUMBER
  | REAL
  | STR
  | VECTOR3
  | VECTOR2
  | ORIENT3
  | ORIENT2
  | COLOR3
  | LIST
  | DATABASE
  | BOOL
  | ANYTHING
  | CODE
  | THING
  ;

class_name
  : ID
  | THING
  ;

%%

namespace varno {

const char* TokenName(int token) { return yysymbol_name(YYTRANSLATE(token)); }

}  // namespace varno
