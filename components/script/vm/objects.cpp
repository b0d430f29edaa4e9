// Creating objects (new, dnew) and type tests (canbe). A class the type table does not hold yet is
// found on the search paths and compiled at run time.
#include "bytecode/instruction_set.h"
#include "codegen/generate_code.h"
#include "compiler/compile_driver.h"
#include "compiler/report.h"
#include "compiler/search_paths.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "vm/context.h"
#include "vm/exec.h"
#include "vm/name_cache.h"
#include "vm/operand_stack.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace varno {

namespace {

// The index of the named class; a class not in the table is compiled into it (with type
// replacement off meanwhile) and the table's code generated. `op` names the instruction in the
// messages.
bool FindOrLoadClass(Exec& x, const char16_t* name, const char16_t* op, uint32_t* index) {
  RTVarnoTypeTable* table = x.vm->types;
  if (TypeTableRetrieveTypeIdxByName(table, name, index)) return true;
  char16_t path[kNameUnits];
  if (!VarnoFindClass(name, path, kNameUnits)) {
    Raise(u"[VARNO VM] (%s): Cannot locate class (%s) on system", op, name);
    return false;
  }
  VarnoEnableReplaceTypes(0);
  const RTSuccess parsed = VarnoParseBrellinAnsiFile(path, index, nullptr, table);
  // Switched on again after a failure too: a failed compile must not leave replacement off.
  VarnoEnableReplaceTypes(1);
  if (!parsed) {
    Raise(u"[VARNO VM] (%s): Cannot dynamically parse class specified (%s)", op, name);
    return false;
  }
  return TypeTableGenerateCode(table) == kRTSuccess;
}

// The index of the class a decoded operand names (null: a name read afresh or from the stack) as
// FindOrLoadClass finds it, remembered in the operand's cache while no type or method table
// changes; `cache` is that cache when there is one.
bool ClassOfOperand(Exec& x, const DecodedName* operand, const char16_t* name, const char16_t* op, uint32_t* index,
                    ClassCache** cache) {
  *cache = operand ? &operand->classCache : nullptr;
  if (*cache && (*cache)->table == x.vm->types && (*cache)->generation == MethodTablesGeneration()) {
    *index = (*cache)->index;
    return true;
  }
  if (!FindOrLoadClass(x, name, op, index)) return false;
  if (*cache) **cache = ClassCache{x.vm->types, MethodTablesGeneration(), *index, nullptr};
  return true;
}

}  // namespace

bool ExecNew(Exec& x) {
  const bool dynamic = x.opcode() == static_cast<uint8_t>(Opcode::kDnew);
  const char16_t* op = dynamic ? u"dnew" : u"new";
  const char16_t* name = x.operation->name;
  if (dynamic) {
    const RTVarnoStackElement& tos = Tos(x.context);
    if (tos.tag != kTagString) {
      Raise(u"[VARNO VM] (dnew): TOS must be a string!");
      return false;
    }
    name = tos.value.text ? tos.value.text : u"";
  }
  uint32_t index = kNoType;
  ClassCache* cache = nullptr;
  if (!ClassOfOperand(x, dynamic ? nullptr : x.operation->decodedName, name, op, &index, &cache)) return false;
  RTVarnoSymbol* object = nullptr;
  if (!SymbolFactory(x.vm->types, index, &object, kSymbolOrdinary, true)) return false;
  RTVarnoType* type = object->type;
  if (!(type->singleton && SingletonConstructed(type))) {
    RTVarnoMethod* constructor = cache && cache->constructor ? cache->constructor : MethodToRun(object, u"CONSTRUCTOR");
    // Remembered before the constructor runs, which may change the tables or the running code.
    if (cache) cache->constructor = constructor;
    if (!constructor || !RunFoundMethod(x.vm, object, constructor, 1)) {
      Raise(dynamic ? u"Couldn't locate constructor()" : u"Couldn't retrieve constructor()");
      return false;
    }
    if (type->singleton) MarkSingletonConstructed(type);
  }
  if (dynamic) OperandPop(x.context);
  return PushObject(x.context, object);
}

bool ExecCanBe(Exec& x) {
  uint32_t index = kNoType;
  ClassCache* cache = nullptr;
  if (!ClassOfOperand(x, x.operation->decodedName, x.operation->name, u"canbe", &index, &cache)) return false;
  RTVarnoType* tester = nullptr;
  if (!TypeTableRetrieveTypeByIdx(x.vm->types, index, &tester) || !tester) {
    Raise(u"[VARNO VM] (canbe): Cannot retrieve tester type!?");
    return false;
  }
  const RTVarnoStackElement& tos = Tos(x.context);
  bool result = false;
  switch (tos.tag) {
    case kTagList:
      result = index == kTypeList;
      break;
    case kTagNumber:
    case kTagReal:
      result = index == kTypeNumber || index == kTypeReal;
      break;
    case kTagString:
      result = index == kTypeString;
      break;
    case kTagVector3:
      result = index == kTypeVector3;
      break;
    case kTagBool:
      result = index == kTypeBool;
      break;
    case kTagObject:
      result = tos.value.object && TypeTableCanBe(x.vm->types, tester, tos.value.object->type) == kRTSuccess;
      break;
    default:
      Raise(u"[VARNO VM] (canbe): Unrecognized TOS element type?");
      return false;
  }
  OperandPop(x.context);
  return PushBool(x.context, result);
}

}  // namespace varno
