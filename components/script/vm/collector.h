// The collector: the list of every symbol of the component, the objects native code holds, and
// the mark-and-sweep run that destroys objects nothing reaches. Roots are the native references,
// the singletons of every type, and for every context of every VM its object, its frames (object,
// locals, arguments), its operand stack, and the speaker of a running listener. A reached object
// reaches its attributes, the arguments of its queued events, its listeners and the elements of
// its list or database value.
#pragma once

#include <cstdint>

#include "kivo/support/list.h"
#include "kivo/types.h"
#include "vm/symbol.h"

namespace varno {

struct AttributeTable;
struct RTVarnoSymbol;
struct RTVarnoType;
struct RTVarnoTypeTable;
struct RTVarnoVM;

struct VarnoCollector {
  kivo::List* symbols;           // RTVarnoSymbol, in creation order
  // The variables of running frames' locals: roots while their frame runs, gone when it returns,
  // counted among the symbols without a place on the list.
  uint32_t frameVariables;
  kivo::List* nativeReferences;  // RTVarnoSymbol
  kivo::List* machines;          // RTVarnoVM: every VM of the component
  kivo::List* constantTables;    // ConstantTableRecord: the constant symbols of each class
};

// The component's collector once made (null before and after the component's shutdown).
inline VarnoCollector* gCollector = nullptr;
// The component's collector, created on first use; null only without memory.
VarnoCollector* Collector();
// Destroys every symbol left (singletons and constants included), the constant tables and the
// collector: the component's shutdown.
void CollectorShutdown();
// 1 while idle, 0 during a run.
bool CollectorIdle();
// While held, a collector run does nothing (a snapshot being read holds objects that no root
// reaches yet).
void CollectorHold(bool hold);

// Before a type table goes: the VMs that use it lose their contexts and the table, and every
// symbol of its types (singletons and constants included) is destroyed.
void CollectorForgetTypeTable(RTVarnoTypeTable* table);

RTSuccess CollectorAddSymbol(RTVarnoSymbol* symbol);
// Takes the symbol off the collector's lists (all symbols, native references).
void CollectorUnlinkSymbol(RTVarnoSymbol* symbol);
inline void CollectorRemoveSymbol(RTVarnoSymbol* symbol) {
  if (symbol && (symbol->allLink || symbol->nativeLink)) CollectorUnlinkSymbol(symbol);
}
// Variables of a frame's locals join (count > 0) or leave the count of symbols.
inline RTSuccess CollectorCountFrameVariables(int32_t count) {
  if (count > 0 && !Collector()) return kRTFailure;
  if (gCollector) gCollector->frameVariables += static_cast<uint32_t>(count);
  return kRTSuccess;
}
RTSuccess CollectorAddMachine(RTVarnoVM* vm);
void CollectorRemoveMachine(RTVarnoVM* vm);

// The object becomes a root (once) and gets its stored flag.
RTSuccess CollectorReferenceObjectC(RTVarnoSymbol* symbol);
RTSuccess CollectorReleaseObjectC(RTVarnoSymbol* symbol);
// Drops every native reference.
void CollectorForgetNativeReferences();
RTSuccess VMCollectorGetSymbolCount(uint32_t* count);
// One run now (the VM argument must not be null; roots come from every VM).
RTSuccess VMCollectorCollect(RTVarnoVM* vm);
RTSuccess CollectorSweep(RTVarnoVM* vm);

// The constant symbols (kind 3) of a class, made from its constant table on first use.
AttributeTable* ClassConstantTable(RTVarnoTypeTable* table, RTVarnoType* type);

}  // namespace varno
