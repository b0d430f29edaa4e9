// The records of the type table: types, attributes (and declarations, which share their layout),
// methods with their parameters, labels and state transitions, and the constant table of a
// class. Everything lives in core memory; each record owns its texts.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct LineTable;
struct SyntaxNode;
struct RTVarnoType;
struct RTVarnoMethod;
struct RTVarnoSymbol;  // a script object of the virtual machine

// An attribute of a class, and a declaration of a parameter or local (same layout).
struct RTVarnoAttribute {
  uint32_t type;   // type code
  char16_t* name;  // as written
  uint8_t flags;   // kDeclarationConstant for a class constant
};
using RTVarnoDeclaration = RTVarnoAttribute;

struct RTVarnoParameter {
  char16_t* name;  // upper-cased
  uint32_t type;
  uint32_t out;    // 1 for a parameter declared "out"
};

struct RTVarnoLabel {
  char16_t* name;
  void* target;  // the code generator's instruction for the label
};

// A "switch" of a method, recorded by the checker: where, under which condition, to which state.
struct StateTransition {
  int32_t line;
  char16_t* condition;  // rendered condition, or "[ALWAYS]"
  RTVarnoMethod* target;
};

struct RTVarnoMethod {
  uint8_t kind;                 // MethodKind
  char16_t* keyName;            // upper-cased when the method is added to its class
  char16_t* displayName;        // the name as written, copied when the method is added
  RTInstance code;              // memory stream with the method's bytecode (code generator)
  SyntaxNode* tree;             // eSNMethodBody node from the parser, until code is generated
  kivo::List* declarations;     // RTVarnoDeclaration: the parameters, then the locals; or null
  kivo::List* parameters;       // RTVarnoParameter, or null
  kivo::List* labels;           // RTVarnoLabel, or null
  uint32_t returnType;          // type code; 11 for none
  LineTable* lineTable;         // debug line table (code generator)
  char16_t* sourceFileName;     // set before code generation
  void* vmPlan;                 // the virtual machine's data on the method, released with it
  RTVarnoType* owner;
  char16_t* bindClass;          // implemented methods: "Class" of "Class.Method"
  char16_t* bindMethod;         // and "Method"
  uintptr_t reserved16;
  RTInstance boundInstance;     // implemented methods: bound on first call
  void* boundMethod;            // the component's method record
  kivo::List* transitions;      // StateTransition records (checker)
  kivo::List* nestedLineTables; // LineTable of the method's code literals (code generator)
  uint64_t profileStart;        // profiling (VM): time-stamp count when the last native call began
  uint64_t profileTicks;        // time-stamp ticks spent in the method
  uint32_t profileCalls;        // calls counted while profiling
  uint64_t serial;              // this record among every method record ever made (never 0)
};

// The named constants of a class, own ones first. Each entry owns its name and value.
struct RTVarnoConstantEntry {
  char16_t* name;
  RTVarnoConstantValue value;
};
struct RTVarnoConstantTable {
  kivo::List* entries;  // RTVarnoConstantEntry
};

struct RTVarnoType {
  char16_t* name;
  char16_t* fileName;           // the file the class came from; "built-in" for built-in types
  uint32_t flags;               // kTypeBuiltIn, kTypeRecordOnly, kTypeScriptClass (low byte)
  uint32_t classWord;           // carried by class files, not interpreted
  kivo::List* attributes;       // RTVarnoAttribute: own in declaration order, then inherited
  uint32_t index;               // position in the table
  uint32_t parentIndex;         // kNoType when there is none
  RTVarnoType* parent;          // set when the parent is resolved
  RTVarnoConstantTable* constants;
  kivo::List* methods;          // RTVarnoMethod, last declared first
  kivo::List* secondMethodList; // created with the method list; the compiler does not use it
  uint32_t parentResolved;
  uint32_t codeGenerated;
  uint32_t singleton;           // 1 for a class declared ", singleton"
  uint32_t singletonConstructed;  // set once the singleton object has run its constructor (VM)
  RTVarnoSymbol* singletonObject;
  kivo::StrHashTable* methodHash;  // upper-cased name -> RTVarnoMethod (157 buckets)
  char16_t* compiledFileName;   // the ".varnoc" path that belongs to the source
  uint32_t ownAttributeCount;   // fixed when the parent is resolved
  uint32_t ownConstantCount;    // likewise
  uint32_t resolving;           // set while the parent chain is being resolved (finds cycles)
  void* vmPlan;                 // the virtual machine's data on the class, released with its members
};

// Attributes and declarations. The record takes a copy of the name.
RTVarnoAttribute* AttributeCreate(uint32_t type, const char16_t* name, uint8_t flags);
void AttributeFree(RTVarnoAttribute* attribute);
// Frees every record of a list of attributes or declarations and the list; null is ignored.
void AttributeListFree(kivo::List* list);
// First record of the list whose name matches (ASCII case ignored), or null.
RTVarnoAttribute* AttributeListFind(const kivo::List* list, const char16_t* name);

// Parameters: the record takes an upper-cased copy of the name; out flag 0.
RTVarnoParameter* ParameterCreate(const char16_t* name, uint32_t type);
void ParameterListFree(kivo::List* list);
RTVarnoParameter* ParameterListFind(const kivo::List* list, const char16_t* name);

// Labels: appends a label with a copy of the name and no target.
RTSuccess LabelAppend(kivo::List* list, const char16_t* name);
void LabelListFree(kivo::List* list);
RTVarnoLabel* LabelListFind(const kivo::List* list, const char16_t* name);

// Appends a transition (with a copy of the condition text) to the method's transition list.
RTSuccess StateTransitionAppend(RTVarnoMethod* method, int32_t line, const char16_t* condition,
                                RTVarnoMethod* target);

// A method record with a copy of the name as its key name, the kind, no return type yet and its
// two empty lists.
RTVarnoMethod* MethodCreate(const char16_t* name, uint8_t kind);
// Frees the method and all it owns: tree, declarations, parameters, labels, transitions, line
// tables, texts; its code stream is released.
void MethodFree(RTVarnoMethod* method);
// The virtual machine keeps data of its own on method and type records (vmPlan); the compiler
// releases it through this function when the method goes or the type's members go.
using VmPlanRelease = void (*)(void* plan);
void SetVmPlanRelease(VmPlanRelease release);
void ReleaseVmPlan(void** plan);

// Gives the method a copy of the file name, replacing an earlier one.
RTSuccess MethodSetSourceFile(RTVarnoMethod* method, const char16_t* file);

// Constant tables.
RTVarnoConstantTable* ConstantTableCreate();
void ConstantTableFree(RTVarnoConstantTable* table);
uint32_t ConstantTableCount(const RTVarnoConstantTable* table);
RTVarnoConstantEntry* ConstantTableFind(const RTVarnoConstantTable* table, const char16_t* name);

}  // namespace varno
