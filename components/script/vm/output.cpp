// Printing and random numbers.
#include <string>

#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "kivo/support/numeric.h"
#include "kivo/support/random.h"
#include "vm/attribute_table.h"
#include "vm/context.h"
#include "vm/exec.h"
#include "vm/operand_stack.h"
#include "vm/symbol.h"
#include "vm/value_text.h"
#include "vm/vm.h"

namespace varno {

bool ExecPrint(Exec& x) {
  const RTVarnoStackElement& tos = Tos(x.context);
  std::u16string text;
  bool printable = true;
  if (tos.tag == kTagObject) {
    // An object prints its name.
    const AttributeEntry* name = tos.value.object ? AttributeFind(tos.value.object->attributes, u"NAME") : nullptr;
    if (!name || !name->symbol) {
      Raise(u"[VARNO VM] Name is not defined as a field in the reference type???");
      return false;
    }
    if (name->symbol->typeIndex != kTypeString) {
      Raise(u"[VARNO VM] Name is not a string type in reference object?");
      return false;
    }
    if (name->symbol->value.value.text) text = name->symbol->value.value.text;
  } else {
    printable = AppendElementText(text, tos);
  }
  if (printable) {
    if (x.vm->printCallback) x.vm->printCallback(text.c_str());
    kivo::ModuleCore()->DebugPrint(nullptr, text.c_str());
  } else {
    Raise(u"[VARNO VM] Execute (print): Cannot print TOS value's type!");
  }
  return OperandPop(x.context);
}

bool ExecRand(Exec& x) {
  const RTVarnoStackElement& tos = Tos(x.context);
  int32_t range = 0;
  if (tos.tag == kTagNumber) {
    range = tos.value.number;
  } else if (tos.tag == kTagReal) {
    range = kivo::FloatToInt<int32_t>(tos.value.real);
  } else {
    Raise(u"[VARNO VM] (rand): Unsupported operand passed in!");
    return false;
  }
  if (range < 0) {
    Raise(u"[VARNO VM] (rand): Range of rand() must be POSITIVE");
    return false;
  }
  int32_t value = 0;
  if (range > 0) {
    value = kivo::FloatToInt<int32_t>(static_cast<long double>(kivo::RandomReal()) * range);
    // The generator can give exactly 1: the result stays below the range.
    if (value >= range) value = range - 1;
  }
  OperandPop(x.context);
  if (!PushNumber(x.context, value)) return false;
  MarkBalance(x);
  return true;
}

}  // namespace varno
