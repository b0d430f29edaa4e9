// Reading the values of a snapshot: tagged values (lists and databases to any depth, without
// recursion), stack elements and attribute tables.
#include <unordered_set>
#include <vector>

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/wide_string.h"
#include "vm/attribute_table.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/snapshot_format.h"
#include "vm/snapshot_input.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

// A list or database being filled and the number of its items still to come.
struct OpenContainer {
  VNlist* list;
  DatabaseValue* database;
  uint32_t left;
};

}  // namespace

bool SnapshotInput::Value(RTVarnoConstantValue* value, std::u16string_view what) {
  *value = RTVarnoConstantValue{};
  uint32_t code = 0;
  if (!Word(&code, what)) return false;
  return ValueOfCode(value, code);
}

bool SnapshotInput::ValueOfCode(RTVarnoConstantValue* root, uint32_t rootCode) {
  std::vector<OpenContainer> open;
  // Reads one value into an empty record; a list or database is opened for its items.
  auto contents = [&](RTVarnoConstantValue* value, uint32_t code) {
    switch (code) {
      case kTypeNumber: {
        uint32_t word = 0;
        if (!Word(&word, u"a number")) return false;
        value->type = code;
        value->value.number = static_cast<int32_t>(word);
        return true;
      }
      case kTypeReal:
        value->type = code;
        return Float(&value->value.real, u"a real");
      case kTypeString:
        value->type = code;
        return String(&value->value.text, u"a string");
      case kTypeBool:
        value->type = code;
        return Flag(&value->value.word, u"a bool");
      case kTypeVector3: {
        float x = 0;
        float y = 0;
        float z = 0;
        if (!Float(&x, u"a vector") || !Float(&y, u"a vector") || !Float(&z, u"a vector")) return false;
        value->type = code;
        value->value.vector = NewVectorBlock(x, y, z);
        return value->value.vector ? true : NoMemory();
      }
      case kTypeList: {
        uint32_t count = 0;
        if (!Count(&count, kMinValueBytes, u"the element count of a list")) return false;
        VNlist* list = nullptr;
        if (!ListFactory(&list)) return NoMemory();
        value->type = code;
        value->value.pointer = list;
        open.push_back({list, nullptr, count});
        return true;
      }
      case kTypeCode:
        value->type = code;
        return CodeValue(&value->value.code, u"a code value");
      case kTypeDatabase: {
        uint32_t buckets = 0;
        uint32_t count = 0;
        if (!Word(&buckets, u"the bucket count of a database") ||
            !Count(&count, kMinKeyedValueBytes, u"the entry count of a database")) {
          return false;
        }
        value->type = code;
        if (buckets == 0) {  // a database that a refused copy left out
          return count == 0 ? true : Damaged(u"a database without buckets has %u entries", count);
        }
        // Whatever bucket count the writer had, the database has the usual one.
        DatabaseValue* database = nullptr;
        if (!DatabaseFactory(&database)) return NoMemory();
        value->value.pointer = database;
        open.push_back({nullptr, database, count});
        return true;
      }
      default:
        if (code >= kFirstClassType) {
          if (code >= types().size()) {
            return Damaged(u"an object value's type %u is beyond the %u types of the snapshot", code,
                           static_cast<uint32_t>(types().size()));
          }
          value->type = types()[code]->index;
          if (value->type < kFirstClassType) return Damaged(u"an object value is of the built-in type %u", value->type);
          return Reference(value, u"an object value");
        }
        Raise(u"Unrecognized type sent...");
        return Damaged(u"a value has the type code %u, which has no wire form", code);
    }
  };
  if (!contents(root, rootCode)) return false;
  while (!open.empty()) {
    OpenContainer& top = open.back();
    if (top.left == 0) {
      open.pop_back();
      continue;
    }
    --top.left;
    // The record belongs to its list or database before anything is read into it.
    RTVarnoConstantValue* record = nullptr;
    if (top.list) {
      if (!(record = ListAppendEmpty(top.list))) return NoMemory();
    } else {
      char16_t* key = nullptr;
      if (!Text(&key, kSnapshotStringUnits, u"a database key")) return false;
      const char16_t* name = key ? key : u"";
      if (DatabaseHasKey(top.database, name)) {
        Damaged(u"the database key \"%s\" is there twice", name);
      } else if (!(record = DatabaseAddEmpty(top.database, name))) {
        NoMemory();
      }
      FreeText(key);
      if (!record) return false;
    }
    uint32_t code = 0;
    if (!Word(&code, u"a value's type code")) return false;
    if (!contents(record, code)) return false;  // may open a container: `top` is not used after this
  }
  return true;
}

bool SnapshotInput::Element(RTVarnoStackElement* element, std::u16string_view what) {
  *element = RTVarnoStackElement{};
  uint32_t tag = 0;
  if (!Word(&tag, what)) return false;
  switch (tag) {
    case kTagEmpty:
      return true;
    case kTagNumber: {
      uint32_t word = 0;
      if (!Word(&word, u"a number")) return false;
      element->tag = kTagNumber;
      element->value.number = static_cast<int32_t>(word);
      return true;
    }
    case kTagReal:
      element->tag = kTagReal;
      return Float(&element->value.real, u"a real");
    case kTagString:
      element->tag = kTagString;
      return String(&element->value.text, u"a string");
    case kTagVector3:
      element->tag = kTagVector3;
      return Float(&element->value.vector.x, u"a vector") && Float(&element->value.vector.y, u"a vector") &&
             Float(&element->value.vector.z, u"a vector");
    case kTagList:
    case kTagDatabase: {
      RTVarnoConstantValue value{};
      const bool read = ValueOfCode(&value, tag == kTagList ? kTypeList : kTypeDatabase);
      element->tag = static_cast<uint8_t>(tag);
      if (tag == kTagList) {
        element->value.list = ValueList(value);
      } else {
        element->value.database = ValueDatabase(value);
      }
      return read;
    }
    case kTagBool:
      element->tag = kTagBool;
      return Flag(&element->value.word, u"a bool");
    case kTagCode:
      element->tag = kTagCode;
      return CodeValue(&element->value.code, u"a code value");
    case kTagObject:
      element->tag = kTagObject;
      return Reference(&element->value.object, u"an object element");
    default:
      return Damaged(u"%s has the tag %u, which is no stack element", what, tag);
  }
}

bool SnapshotInput::Attributes(AttributeTable* table, std::u16string_view what) {
  uint32_t count = 0;
  if (!Count(&count, kMinEntryBytes, what)) return false;
  std::unordered_set<std::u16string> names;
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t start = Position();
    char16_t* text = nullptr;
    if (!Text(&text, kSnapshotNameUnits, u"an attribute name")) return false;
    std::u16string name;
    for (const char16_t* unit = text; unit && *unit; ++unit) name.push_back(kivo::WideStrUpperChar(*unit));
    FreeText(text);
    if (name.empty()) {
      Raise(u"Identifier is NULL...");
      return DamagedAt(start, u"an attribute has no name");
    }
    if (!names.insert(name).second) return DamagedAt(start, kivo::Format(u"the attribute %s is there twice", name));
    uint32_t typeIndex = 0;
    uint32_t bound = 0;
    uint32_t has = 0;
    if (!Type(&typeIndex, u"an attribute's type") || !Flag(&bound, u"an attribute's bound flag") ||
        !Flag(&has, u"an attribute's symbol flag")) {
      return false;
    }
    RTVarnoType* type = nullptr;
    TypeTableRetrieveTypeByIdx(table_, typeIndex, &type);
    uint32_t isObject = 0;
    uint32_t reference = 0;
    RTVarnoSymbol* variable = nullptr;
    if (has) {
      uint32_t symbolType = 0;
      if (!Flag(&isObject, u"an attribute's object flag") || !Type(&symbolType, u"an attribute symbol's type")) {
        return false;
      }
      if (isObject) {
        if (typeIndex < kFirstClassType) return Damaged(u"the variable %s of a built-in type holds an object", name);
        if (!ReferenceNumber(&reference, u"an attribute's object")) return false;
      } else {
        if (symbolType >= kFirstClassType || symbolType != typeIndex) {
          return Damaged(u"the variable %s is of type %u, its entry of type %u", name, symbolType, typeIndex);
        }
        if (!SymbolFactory(table_, symbolType, &variable, kSymbolOrdinary, true)) return NoMemory();
        TaggedValueRelease(&variable->value);
        variable->value = RTVarnoConstantValue{};
        uint32_t code = 0;
        bool read = Word(&code, u"a variable's type code");
        if (read && code != symbolType) read = Damaged(u"the variable %s of type %u holds a value of type %u", name, symbolType, code);
        if (read) read = ValueOfCode(&variable->value, code);
        if (!read) {
          variable->value.type = variable->typeIndex;
          RTVarnoSymbolDestructor(variable);
          return false;
        }
      }
    }
    AttributeEntry* entry = AttributeFind(table, name.c_str());
    if (!entry && AttributeAddLazy(table, name.c_str(), type)) entry = AttributeFind(table, name.c_str());
    if (!entry) {
      RTVarnoSymbolDestructor(variable);
      return NoMemory();
    }
    entry->type = type;
    entry->bound = bound;
    if (!has) continue;
    // The variable the entry had (a new object's or frame's own) gives way.
    if (entry->symbol && entry->symbol->typeIndex < kFirstClassType) RTVarnoSymbolDestructor(entry->symbol);
    entry->symbol = variable;
    if (isObject) NoteReference(&entry->symbol, reference);
  }
  return true;
}

}  // namespace varno
