#include "vm/fast_values.h"

#include <algorithm>
#include <string_view>

#include "compiler/code_value.h"
#include "kivo/support/wide_string.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/element_value.h"
#include "vm/list_value.h"
#include "vm/tagged_value.h"
#include "vm/value_text.h"

namespace varno {

namespace {

// Operands of the longest in-place run (`pushs X; add; add; stores X`), and how long their texts
// joined may be.
constexpr uint32_t kMaxInPlaceOperands = 2;
constexpr size_t kJoinedTailUnits = 64;

// Drops TOS, whose value has moved elsewhere or owns nothing.
void Drop(RTVarnoContext* c) { --c->operandTop; }

}  // namespace

bool CopyVariable(const AttributeEntry* entry, RTVarnoStackElement* out) {
  if (ReadVariable(entry, out)) return true;
  RTVarnoSymbol* symbol = entry && entry->bound ? entry->symbol : nullptr;
  if (!symbol) return false;
  const RTVarnoConstantValue& value = symbol->value;
  switch (symbol->typeIndex) {
    case kTypeString:
      if (value.value.text && !(out->value.text = StringShare(value.value.text))) return false;
      if (!value.value.text) out->value.text = nullptr;
      out->tag = kTagString;
      return true;
    case kTypeVector3:
      out->tag = kTagVector3;
      out->value.vector = value.value.vector ? *value.value.vector : RTFVector3D{};
      return true;
    case kTypeList:
      if (!ValueList(value)) return false;
      ListReference(ValueList(value));
      out->tag = kTagList;
      out->value.list = ValueList(value);
      return true;
    case kTypeDatabase:
      if (!ValueDatabase(value)) return false;
      DatabaseReference(ValueDatabase(value));
      out->tag = kTagDatabase;
      out->value.database = ValueDatabase(value);
      return true;
    case kTypeCode:
      if (!value.value.code) return false;
      CodeValueReference(value.value.code);
      out->tag = kTagCode;
      out->value.code = value.value.code;
      return true;
    default:
      if (!SymbolIsObject(symbol)) return false;
      out->tag = kTagObject;
      out->value.object = symbol;
      return true;
  }
}

bool PushVariable(RTVarnoContext* c, const AttributeEntry* entry) {
  if (!Room(c, 1) || !CopyVariable(entry, &c->operands[c->operandTop + 1])) return false;
  ++c->operandTop;
  return true;
}

bool StoreVariable(RTVarnoContext* c, AttributeEntry* entry) {
  if (!Holds(c, 1)) return false;
  RTVarnoStackElement& tos = Top(c, 0);
  RTVarnoSymbol* symbol = entry->symbol;
  if (!symbol || symbol->typeIndex >= kFirstClassType) {
    // An attribute or local of a class type refers to the object from now on.
    if (tos.tag != kTagObject || !tos.value.object) return false;
    entry->symbol = tos.value.object;
    entry->bound = 1;
    tos.value.object->stored = 1;
    Drop(c);
    return true;
  }
  if (symbol->kind == kSymbolConstant) return false;
  RTVarnoConstantValue& value = symbol->value;
  switch (symbol->typeIndex) {
    case kTypeNumber:
      if (tos.tag == kTagBool) {
        value.value.number = static_cast<int32_t>(tos.value.word);
        break;
      }
      if (!IsNumeric(tos)) return false;
      value.value.number = tos.tag == kTagNumber ? tos.value.number : kivo::FloatToInt<int32_t>(tos.value.real);
      break;
    case kTypeReal:
      if (!IsNumeric(tos)) return false;
      value.value.real = AsFloat(tos);
      break;
    case kTypeBool:
      if (tos.tag != kTagBool) return false;
      value.value.word = tos.value.word ? 1 : 0;
      break;
    case kTypeString:
      if (tos.tag != kTagString) return false;
      StringRelease(value.value.text);
      value.value.text = tos.value.text;
      break;
    case kTypeList:
      if (tos.tag != kTagList || !tos.value.list) return false;
      if (ValueList(value)) ListDestructor(ValueList(value));
      value.value.pointer = tos.value.list;
      break;
    case kTypeDatabase:
      if (tos.tag != kTagDatabase || !tos.value.database) return false;
      if (ValueDatabase(value)) DatabaseRelease(ValueDatabase(value));
      value.value.pointer = tos.value.database;
      break;
    case kTypeCode:
      if (tos.tag != kTagCode || !tos.value.code) return false;
      if (value.value.code) CodeValueRelease(value.value.code);
      value.value.code = tos.value.code;
      break;
    case kTypeVector3:
      if (tos.tag != kTagVector3 || !value.value.vector) return false;
      *value.value.vector = tos.value.vector;
      break;
    default:
      return false;
  }
  Drop(c);
  return true;
}

bool AccumulateInPlace(RTVarnoContext* c, AttributeEntry* entry, uint32_t operands) {
  RTVarnoSymbol* symbol = entry && entry->bound ? entry->symbol : nullptr;
  if (!symbol || symbol->kind == kSymbolConstant || !Holds(c, operands) || !Room(c, 1)) return false;
  RTVarnoConstantValue& value = symbol->value;
  switch (symbol->typeIndex) {
    case kTypeNumber:
    case kTypeReal: {
      RTVarnoStackElement sum;
      if (!ReadVariable(entry, &sum)) return false;
      for (uint32_t i = 0; i < operands; ++i) {
        uint8_t tag = 0;
        uint32_t word = 0;
        if (!NumericResult(Opcode::kAdd, sum, Top(c, i), &tag, &word)) return false;
        sum.tag = tag;
        sum.value.word = word;
      }
      StoreNumeric(symbol, sum.tag, sum.value.word);
      c->operandTop -= operands;
      return true;
    }
    case kTypeList: {
      RTVarnoStackElement& b = Top(c, 0);
      VNlist* list = ValueList(value);
      if (operands != 1 || !list || list->references != 1 || b.tag != kTagList || !b.value.list ||
          b.value.list == list) {
        return false;
      }
      const uint32_t before = list->elements->count;
      if (!ListCopyElements(list, b.value.list)) {
        while (list->elements->count > before) ListRemoveElementN(list, list->elements->count - 1);
        return false;
      }
      Pop(c);
      return true;
    }
    case kTypeString: {
      // The operands' texts are joined first (short ones only), so that the text grows once or,
      // when it cannot, not at all.
      char16_t digits[kMaxInPlaceOperands][kivo::kWideIntTextUnits];
      std::u16string_view parts[kMaxInPlaceOperands];
      char16_t joined[kJoinedTailUnits];
      size_t joinedLength = 0;
      for (uint32_t i = 0; i < operands; ++i) {
        if (!PlainElementText(Top(c, i), digits[i], &parts[i])) return false;
        joinedLength += parts[i].size();
      }
      std::u16string_view tail = parts[0];
      if (operands > 1) {
        if (joinedLength > kJoinedTailUnits) return false;
        joinedLength = 0;
        for (uint32_t i = 0; i < operands; ++i) {
          std::copy(parts[i].begin(), parts[i].end(), joined + joinedLength);
          joinedLength += parts[i].size();
        }
        tail = std::u16string_view(joined, joinedLength);
      }
      // A text stops growing at its limit, as a joined one does.
      char16_t* text = value.value.text;
      const size_t length = StringLength(text);
      if (!StringSoleHolder(text) || length > kMaxTextUnits) return false;
      char16_t* grown = StringAppend(text, tail.substr(0, kMaxTextUnits - length));
      if (!grown) return false;
      value.value.text = grown;
      for (uint32_t i = 0; i < operands; ++i) Pop(c);
      return true;
    }
    default:
      return false;
  }
}

bool AppendInPlace(RTVarnoContext* c, AttributeEntry* entry) {
  RTVarnoSymbol* symbol = entry && entry->bound ? entry->symbol : nullptr;
  if (!symbol || symbol->kind == kSymbolConstant || symbol->typeIndex != kTypeList || !Holds(c, 1) || !Room(c, 1)) {
    return false;
  }
  VNlist* list = ValueList(symbol->value);
  RTVarnoStackElement& v = Top(c, 0);
  RTVarnoConstantValue borrowed{};
  if (!list || list->references != 1 || !StorableKind(v.tag) || !ElementAsValue(v, &borrowed)) return false;
  VNlist* out = list;
  if (!ListAppendValue(list, borrowed, &out)) return false;
  StackElementRelease(&v);
  Drop(c);
  return true;
}

bool ChangeDatabaseInPlace(RTVarnoContext* c, CallFrame* frame, Opcode opcode, AttributeEntry* entry) {
  RTVarnoSymbol* symbol = entry && entry->bound ? entry->symbol : nullptr;
  if (!symbol || symbol->kind == kSymbolConstant || symbol->typeIndex != kTypeDatabase) return false;
  const bool add = opcode == Opcode::kDbadd;
  const uint32_t below = add ? 2 : 1;
  if (!Holds(c, below + 1)) return false;
  DatabaseValue* database = ValueDatabase(symbol->value);
  const RTVarnoStackElement& held = Top(c, below);
  const RTVarnoStackElement& key = Top(c, below - 1);
  if (!database || held.tag != kTagDatabase || held.value.database != database || database->references != 2 ||
      key.tag != kTagString) {
    return false;
  }
  if (add) {
    RTVarnoConstantValue borrowed{};
    if (!StorableKind(Top(c, 0).tag) || !ElementAsValue(Top(c, 0), &borrowed) ||
        !DatabaseSetHeld(database, key.value.text, borrowed)) {
      return false;
    }
  } else if (!DatabaseHasKey(database, key.value.text) || !DatabaseRemove(database, key.value.text)) {
    return false;
  }
  for (uint32_t i = 0; i < below; ++i) Pop(c);
  frame->balanceMark = c->operandTop - 1;
  // D holds the database already: the stack's reference goes.
  DatabaseRelease(database);
  Drop(c);
  return true;
}

bool RetrieveFromDatabase(RTVarnoContext* c, CallFrame* frame) {
  if (!Holds(c, 2) || !Room(c, 1)) return false;
  RTVarnoStackElement& key = Top(c, 0);
  RTVarnoStackElement& held = Top(c, 1);
  RTVarnoConstantValue* value = nullptr;
  RTVarnoStackElement loaded;
  if (key.tag != kTagString || held.tag != kTagDatabase || !held.value.database ||
      !DatabaseRetrieve(held.value.database, key.value.text, &value) || value->type == kTypeCode ||
      !ElementFromValue(*value, false, &loaded)) {
    return false;
  }
  // The value is loaded before the database, which the stack may hold last, goes.
  Pop(c);
  Pop(c);
  c->operands[++c->operandTop] = loaded;
  frame->balanceMark = c->operandTop - 1;
  return true;
}

bool JoinPlainTexts(RTVarnoContext* c, bool* joined) {
  *joined = false;
  if (!Holds(c, 2)) return true;
  RTVarnoStackElement& a = Top(c, 0);
  RTVarnoStackElement& b = Top(c, 1);
  char16_t digitsA[kivo::kWideIntTextUnits];
  char16_t digitsB[kivo::kWideIntTextUnits];
  std::u16string_view first;
  std::u16string_view second;
  *joined = (a.tag == kTagString || b.tag == kTagString) && PlainElementText(a, digitsA, &first) &&
            PlainElementText(b, digitsB, &second);
  if (!*joined) return true;
  // A text stops growing at its limit, as the general text path's does.
  const size_t length = std::min(first.size() + second.size(), kMaxTextUnits);
  const size_t head = std::min(first.size(), length);
  second = second.substr(0, length - head);
  if (a.tag == kTagString && StringSoleHolder(a.value.text)) {
    char16_t* grown = StringAppend(a.value.text, second);
    if (!grown) return false;
    a.value.text = grown;
    StackElementRelease(&b);
    b = a;
    Drop(c);
    return true;
  }
  char16_t* text = StringMakeRoom(length, length + length / 4 + 8);
  if (!text) return false;
  std::copy_n(first.data(), head, text);
  std::copy_n(second.data(), second.size(), text + head);
  Pop(c);
  Pop(c);
  PushWord(c, kTagString, 0);
  Top(c, 0).value.text = text;
  return true;
}

}  // namespace varno
