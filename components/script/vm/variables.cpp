// Reading and writing named variables: pushs, stores and the vector component instructions.
#include "bytecode/instruction_set.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "kivo/support/format.h"
#include "kivo/support/numeric.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/exec.h"
#include "vm/list_value.h"
#include "vm/operand_stack.h"
#include "vm/symbol.h"
#include "vm/symbol_lookup.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

int ComponentOf(const Exec& x) {
  switch (static_cast<Opcode>(x.opcode())) {
    case Opcode::kVpushx:
    case Opcode::kVstorex:
      return 0;
    case Opcode::kVpushy:
    case Opcode::kVstorey:
      return 1;
    default:
      return 2;
  }
}

float& Component(RTFVector3D& v, int index) { return index == 0 ? v.x : index == 1 ? v.y : v.z; }

bool Fail(std::u16string_view message) {
  Raise(message);
  return false;
}

// Stores TOS into a variable of a built-in type.
bool StoreValue(RTVarnoSymbol* variable, const RTVarnoStackElement& tos) {
  RTVarnoConstantValue& value = variable->value;
  switch (variable->typeIndex) {
    case kTypeNumber:
      if (tos.tag == kTagNumber) {
        value.value.number = tos.value.number;
      } else if (tos.tag == kTagReal) {
        value.value.number = kivo::FloatToInt<int32_t>(tos.value.real);
      } else if (tos.tag == kTagBool) {
        value.value.number = static_cast<int32_t>(tos.value.word);
      } else {
        return Fail(u"[VARNO VM] Cannot store the TOS type into a number symbol!");
      }
      return true;
    case kTypeReal:
      if (tos.tag == kTagNumber) {
        value.value.real = static_cast<float>(tos.value.number);
      } else if (tos.tag == kTagReal) {
        value.value.real = tos.value.real;
      } else {
        return Fail(u"[VARNO VM] Cannot store into real!");
      }
      return true;
    case kTypeString: {
      char16_t* text = nullptr;
      if (tos.tag == kTagNumber) {
        text = StringMake(kivo::Format(u"%d", tos.value.number));
      } else if (tos.tag == kTagReal) {
        text = StringMake(kivo::Format(u"%f", tos.value.real));
      } else if (tos.tag == kTagString) {
        if (tos.value.text && !(text = StringShare(tos.value.text))) return false;
      } else {
        return Fail(u"[VARNO VM] Cannot store into string!");
      }
      if (tos.tag != kTagString && !text) return false;
      StringRelease(value.value.text);
      value.value.text = text;
      return true;
    }
    case kTypeBool:
      if (tos.tag != kTagBool) return Fail(u"[VARNO VM] Execute (stores): Cannot store the TOS type into a boolean symbol");
      value.value.word = tos.value.word ? 1 : 0;
      return true;
    case kTypeVector3:
      if (tos.tag != kTagVector3) return Fail(u"[VARNO VM] Cannot store vector3 into the symbol type specified!");
      if (!value.value.vector && !(value.value.vector = NewRecord<RTFVector3D>())) return false;
      *value.value.vector = tos.value.vector;
      return true;
    case kTypeList: {
      if (tos.tag != kTagList || !tos.value.list) return Fail(u"[VARNO VM] Can only store a list into a list symbol!");
      VNlist* list = nullptr;
      if (!ListAssign(ValueList(value), tos.value.list, &list)) return false;
      value.value.pointer = list;
      return true;
    }
    case kTypeDatabase:
      if (tos.tag != kTagDatabase || !tos.value.database) {
        return Fail(u"[VARNO VM] Can only store a database into a database symbol!");
      }
      DatabaseReference(tos.value.database);
      if (ValueDatabase(value)) DatabaseRelease(ValueDatabase(value));
      value.value.pointer = tos.value.database;
      return true;
    case kTypeCode:
      // Anything but a code value is ignored.
      if (tos.tag == kTagCode && tos.value.code) {
        RTVarnoConstantValue code{};
        code.type = kTypeCode;
        code.value.code = tos.value.code;
        RTVarnoConstantValue copy{};
        TaggedValueCopy(&copy, code);
        TaggedValueRelease(&value);
        value = copy;
      }
      return true;
    default:
      return Fail(u"[VARNO VM] Execute (stores): Symbol type unrecognized!");
  }
}

bool BindObject(AttributeEntry* entry, const RTVarnoStackElement& tos) {
  if (tos.tag != kTagObject || !tos.value.object) {
    return Fail(u"[VARNO VM] Cannot store an object into the symbol type specified!");
  }
  entry->symbol = tos.value.object;
  entry->bound = 1;
  tos.value.object->stored = 1;
  return true;
}

}  // namespace

bool ExecPushs(Exec& x) {
  const char16_t* name = x.operation->name;
  NamedVariable variable;
  if (!LookupVariable(x.vm, x.context, name, true, &variable, x.operation->decodedName) || !variable.symbol) {
    Raise(u"[VARNO VM] Execute could not find symbol (%s) required to push onto stack!", name);
    return false;
  }
  RTVarnoSymbol* symbol = variable.symbol;
  if (SymbolIsObject(symbol)) return PushObject(x.context, symbol);
  const RTVarnoConstantValue& value = symbol->value;
  switch (symbol->typeIndex) {
    case kTypeNumber:
      return PushNumber(x.context, value.value.number);
    case kTypeReal:
      return PushReal(x.context, value.value.real);
    case kTypeString:
      return PushStringShared(x.context, value.value.text);
    case kTypeBool:
      return PushBool(x.context, value.value.word != 0);
    case kTypeVector3:
      return PushVector3(x.context, value.value.vector ? *value.value.vector : RTFVector3D{});
    case kTypeList:
      return PushList(x.context, ValueList(value));
    case kTypeCode:
      return PushCode(x.context, value.value.code);
    case kTypeDatabase:
      return PushDatabase(x.context, ValueDatabase(value));
    default:
      Raise(u"[VARNO VM] Execute (pushs): Cannot push type (%s) specified onto stack!",
            symbol->type && symbol->type->name ? symbol->type->name : u"");
      return false;
  }
}

bool ExecStores(Exec& x) {
  const char16_t* name = x.operation->name;
  NamedVariable variable;
  if (!LookupVariable(x.vm, x.context, name, false, &variable, x.operation->decodedName)) {
    Raise(u"[VARNO VM] Execute (stores): Could not find symbol (%s) required to store TOS into!", name);
    return false;
  }
  const RTVarnoStackElement& tos = Tos(x.context);
  AttributeEntry* entry = variable.entry;
  RTVarnoSymbol* symbol = variable.symbol;
  if (!entry || (symbol && symbol->kind == kSymbolConstant)) {
    return Fail(u"[VARNO VM] Execute (stores): Cannot assign to a constant symbol!");
  }
  const bool stored =
      (!symbol || symbol->typeIndex >= kFirstClassType) ? BindObject(entry, tos) : StoreValue(symbol, tos);
  if (!stored) return false;
  OperandPop(x.context);
  return true;
}

bool ExecVectorPush(Exec& x) {
  const char16_t* name = x.operation->name;
  const bool first = x.opcode() == static_cast<uint8_t>(Opcode::kVpushx);
  NamedVariable variable;
  if (!LookupVariable(x.vm, x.context, name, true, &variable, x.operation->decodedName) || !variable.symbol) {
    Raise(first ? u"[VARNO VM] Execute could not find symbol (%s)required to push onto stack!"
                : u"[VARNO VM] Execute could not find symbol (%s) required to push onto stack!",
          name);
    return false;
  }
  RTVarnoSymbol* symbol = variable.symbol;
  if (symbol->typeIndex != kTypeVector3) {
    Raise(first ? u"[VARNO VM] (%s) Symbol (%s)is not a vector!" : u"[VARNO VM] (%s) Symbol (%s) is not a vector!",
          x.name(), name);
    return false;
  }
  RTFVector3D v = symbol->value.value.vector ? *symbol->value.value.vector : RTFVector3D{};
  return PushReal(x.context, Component(v, ComponentOf(x)));
}

bool ExecVectorStore(Exec& x) {
  NamedVariable variable;
  if (!LookupVariable(x.vm, x.context, x.operation->name, false, &variable, x.operation->decodedName) || !variable.symbol) {
    return Fail(u"[VARNO VM] Execute (vstorex/y/z): Could not find symbol required to store TOS into!");
  }
  RTVarnoSymbol* symbol = variable.symbol;
  if (symbol->typeIndex != kTypeVector3) return Fail(u"[VARNO VM] Execute (vstorex/y/z): Symbol must be of type vector3!");
  if (symbol->kind == kSymbolConstant) return Fail(u"[VARNO VM] Execute (vstorex/y/z): Cannot assign to a constant vector3!");
  const RTVarnoStackElement& tos = Tos(x.context);
  if (tos.tag != kTagNumber && tos.tag != kTagReal) {
    return Fail(u"[VARNO VM] Execute (vstorex/y/z): Cannot coerce TOS type into a real");
  }
  if (!symbol->value.value.vector && !(symbol->value.value.vector = NewRecord<RTFVector3D>())) return false;
  Component(*symbol->value.value.vector, ComponentOf(x)) =
      tos.tag == kTagNumber ? static_cast<float>(tos.value.number) : tos.value.real;
  OperandPop(x.context);
  return true;
}

}  // namespace varno
