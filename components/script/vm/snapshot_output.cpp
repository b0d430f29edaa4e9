#include "vm/snapshot_output.h"

#include <unordered_set>
#include <vector>

#include "compiler/code_value.h"
#include "compiler/report.h"
#include "compiler/type_records.h"
#include "kivo/support/stream_values.h"
#include "vm/attribute_table.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

struct Item {
  const char16_t* key;  // database entries only
  const RTVarnoConstantValue* value;
};

// A list or database being written: its items in wire order and the next one to write.
struct OpenContainer {
  const void* container;
  bool database;
  std::vector<Item> items;
  size_t next;
};

std::vector<Item> ListItemsOf(const VNlist* list) {
  std::vector<Item> items;
  if (!list) return items;
  items.reserve(list->elements ? list->elements->count : 0);
  for (const RTVarnoConstantValue* element : kivo::ListItems<RTVarnoConstantValue>(list->elements)) {
    items.push_back({nullptr, element});
  }
  return items;
}

// Bucket by bucket, each chain from its oldest entry: a reader that puts every new entry at the
// head of its bucket rebuilds the same chains, so the keys come back in the same order.
std::vector<Item> DatabaseItemsOf(const DatabaseValue* database) {
  std::vector<Item> items;
  std::vector<Item> chain;
  for (const DatabaseEntry* bucket : database->buckets) {
    chain.clear();
    for (const DatabaseEntry* entry = bucket; entry; entry = entry->next) chain.push_back({entry->key, &entry->value});
    items.insert(items.end(), chain.rbegin(), chain.rend());
  }
  return items;
}

bool HoldsItself() {
  Raise(u"VNConstantValueStreamOut(). A list or database that holds itself cannot be written!");
  return false;
}

}  // namespace

bool SnapshotOutput::Word(uint32_t value) { return kivo::StreamWriteUInt(stream_, value); }

bool SnapshotOutput::Byte(uint32_t value) { return kivo::StreamWriteByte(stream_, value); }

bool SnapshotOutput::Float(float value) { return kivo::StreamWriteFloat(stream_, value); }

bool SnapshotOutput::Text(const char16_t* text) { return kivo::StreamWriteWString(stream_, text); }

bool SnapshotOutput::Code(RTInstance code) {
  return code ? kivo::StreamWriteStreamCopy(stream_, code) : Word(0);
}

bool SnapshotOutput::Reference(const RTVarnoSymbol* object) {
  if (!object) return Word(0);
  const auto found = tables_.references.find(object);
  if (found == tables_.references.end()) {
    Raise(u"Cannot resolve a symbol reference index. Critical error");
    return false;
  }
  return Word(found->second);
}

bool SnapshotOutput::TypeIndex(const RTVarnoType* type) { return Word(type ? type->index : 0); }

bool SnapshotOutput::Value(const RTVarnoConstantValue& value) { return ValueTree(value, true); }

bool SnapshotOutput::ValueTree(const RTVarnoConstantValue& root, bool withCode) {
  std::vector<OpenContainer> open;
  std::unordered_set<const void*> path;  // the lists and databases being written
  auto head = [&](const RTVarnoConstantValue& value, bool code) {
    if (code && !Word(value.type)) return false;
    switch (value.type) {
      case kTypeNumber:
        return Word(static_cast<uint32_t>(value.value.number));
      case kTypeReal:
        return Float(value.value.real);
      case kTypeString:
        return Text(value.value.text);
      case kTypeBool:
        return Byte(value.value.word ? 1 : 0);
      case kTypeVector3: {
        const RTFVector3D vector = value.value.vector ? *value.value.vector : RTFVector3D{};
        return Float(vector.x) && Float(vector.y) && Float(vector.z);
      }
      case kTypeCode:
        return Code(value.value.code ? value.value.code->stream : nullptr);
      case kTypeList: {
        const VNlist* list = ValueList(value);
        if (list && !path.insert(list).second) return HoldsItself();
        OpenContainer container{list, false, ListItemsOf(list), 0};
        if (!Word(static_cast<uint32_t>(container.items.size()))) return false;
        open.push_back(std::move(container));
        return true;
      }
      case kTypeDatabase: {
        const DatabaseValue* database = ValueDatabase(value);
        // A database that a refused copy left out: no buckets.
        if (!database) return Word(0) && Word(0);
        if (!path.insert(database).second) return HoldsItself();
        OpenContainer container{database, true, DatabaseItemsOf(database), 0};
        if (!Word(kDatabaseBuckets) || !Word(static_cast<uint32_t>(container.items.size()))) {
          return false;
        }
        open.push_back(std::move(container));
        return true;
      }
      default:
        if (value.type >= kFirstClassType) return Reference(static_cast<const RTVarnoSymbol*>(value.value.pointer));
        Raise(u"VNConstantValueStreamOut(). Unrecognized type sent...");
        return false;
    }
  };
  if (!head(root, withCode)) return false;
  while (!open.empty()) {
    OpenContainer& top = open.back();
    if (top.next == top.items.size()) {
      path.erase(top.container);
      open.pop_back();
      continue;
    }
    const Item item = top.items[top.next++];
    const bool inList = !top.database;
    if (!inList && !Text(item.key)) return false;
    if (!head(*item.value, true)) {  // may open a container: `top` is not used after this
      if (inList) Raise(u"VNlistStreamOut() returned failure");
      return false;
    }
  }
  return true;
}

bool SnapshotOutput::Element(const RTVarnoStackElement& element) {
  switch (element.tag) {
    case kTagEmpty:
      return Word(element.tag);
    case kTagNumber:
      return Word(element.tag) && Word(static_cast<uint32_t>(element.value.number));
    case kTagReal:
      return Word(element.tag) && Float(element.value.real);
    case kTagString:
      return Word(element.tag) && Text(element.value.text);
    case kTagVector3:
      return Word(element.tag) && Float(element.value.vector.x) && Float(element.value.vector.y) &&
             Float(element.value.vector.z);
    case kTagList: {
      RTVarnoConstantValue list{};
      list.type = kTypeList;
      list.value.pointer = element.value.list;
      return Word(element.tag) && ValueTree(list, false);
    }
    case kTagBool:
      return Word(element.tag) && Byte(element.value.word ? 1 : 0);
    case kTagCode:
      return Word(element.tag) && Code(element.value.code ? element.value.code->stream : nullptr);
    case kTagDatabase: {
      RTVarnoConstantValue database{};
      database.type = kTypeDatabase;
      database.value.pointer = element.value.database;
      return Word(element.tag) && ValueTree(database, false);
    }
    case kTagObject:
      return Word(element.tag) && Reference(element.value.object);
    default:
      Raise(u"RTVarnoVMStackElementStreamOut(). Unrecognized stack value type: (%d)", element.tag);
      return false;
  }
}

bool SnapshotOutput::Attributes(const AttributeTable* table) {
  if (!Word(AttributeCount(table))) return false;
  bool written = true;
  AttributeForEach(table, [&](const AttributeEntry* entry) {
    if (!written) return;
    const RTVarnoSymbol* symbol = entry->symbol;
    written = Text(entry->name) && TypeIndex(entry->type) && Byte(entry->bound ? 1 : 0) && Byte(symbol ? 1 : 0);
    if (!written || !symbol) return;
    if (symbol->typeIndex >= kFirstClassType) {
      written = Byte(1) && Word(symbol->typeIndex) && Reference(symbol);
      return;
    }
    // A variable: its value under the code of its type.
    RTVarnoConstantValue value = symbol->value;
    value.type = symbol->typeIndex;
    written = Byte(0) && Word(symbol->typeIndex) && Value(value);
  });
  return written;
}

}  // namespace varno
