#include "vm/list_value.h"

#include <vector>

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/type_codes.h"
#include "vm/copy_on_write.h"
#include "vm/record_pool.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

// The lists waiting to be freed while a release runs.
std::vector<VNlist*>* gReleasing = nullptr;

// An element: its record and its link in the list, in one block.
struct Element {
  kivo::ListLink link;
  RTVarnoConstantValue value;
};

RTVarnoConstantValue* ElementAt(const kivo::ListLink* link) { return static_cast<RTVarnoConstantValue*>(link->data); }

// Takes the element out of its list, releases its value and frees it.
void FreeElement(kivo::List* elements, kivo::ListLink* link) {
  auto* element = reinterpret_cast<Element*>(link);
  kivo::ListDetachOwned(elements, link);
  TaggedValueRelease(&element->value);
  PoolFree(element);
}

// Appends a record that takes over `value` (and owns what it points to from then on).
RTSuccess AppendRecord(VNlist* list, const RTVarnoConstantValue& value) {
  RTVarnoConstantValue* record = ListAppendEmpty(list);
  if (!record) return kRTFailure;
  *record = value;
  return kRTSuccess;
}

// Appends a copy of the value (its string shared when the VM holds it).
RTSuccess AppendCopy(VNlist* list, const RTVarnoConstantValue& value, bool held) {
  RTVarnoConstantValue copy{};
  if (!(held ? TaggedValueShare(&copy, value) : TaggedValueCopy(&copy, value))) return kRTFailure;
  if (AppendRecord(list, copy)) {
    if (value.type >= kFirstClassType && value.value.pointer) {
      static_cast<RTVarnoSymbol*>(value.value.pointer)->stored = 1;
    }
    return kRTSuccess;
  }
  TaggedValueRelease(&copy);
  return kRTFailure;
}

// Makes the list unique into `out` and appends a copy of the value.
RTSuccess UniqueAppend(VNlist* list, const RTVarnoConstantValue& value, VNlist** out, bool held = false) {
  if (!out) return kRTFailure;
  *out = list;
  if (!list || !ListMakeUnique(list, out)) return kRTFailure;
  return AppendCopy(*out, value, held);
}

RTVarnoConstantValue Value(uint32_t type) {
  RTVarnoConstantValue value{};
  value.type = type;
  return value;
}

}  // namespace

RTSuccess ListFactory(VNlist** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  VNlist* list = NewRecord<VNlist>();
  if (!list) return kRTFailure;
  if (!kivo::ListCreate(&list->elements)) {
    FreeRecord(list);
    return kRTFailure;
  }
  list->references = 1;
  list->cursorIndex = kNoCursor;
  *out = list;
  return kRTSuccess;
}

RTSuccess ListFactoryFromSource(VNlist** out, VNlist* source) {
  if (!out || !source) return kRTFailure;
  ++source->references;
  *out = source;
  return kRTSuccess;
}

RTSuccess ListReference(VNlist* list) {
  if (!list) return kRTFailure;
  ++list->references;
  return kRTSuccess;
}

RTSuccess ListDestructor(VNlist* list) {
  if (!list) return kRTFailure;
  if (list->references >= 2) {
    --list->references;
    return kRTSuccess;
  }
  // Lists inside lists are freed one after another, not one inside another: a list nested a
  // million deep must not take a million stack frames.
  if (gReleasing) {
    gReleasing->push_back(list);
    return kRTSuccess;
  }
  std::vector<VNlist*> pending{list};
  gReleasing = &pending;
  while (!pending.empty()) {
    VNlist* last = pending.back();
    pending.pop_back();
    while (last->elements->first) FreeElement(last->elements, last->elements->first);
    kivo::ListDestroy(last->elements);
    FreeRecord(last);
  }
  gReleasing = nullptr;
  return kRTSuccess;
}

RTSuccess ListAssign(VNlist* oldList, VNlist* newList, VNlist** out) {
  if (!out || !newList) return kRTFailure;
  ++newList->references;  // first, so that assigning a list to itself keeps it
  if (oldList) ListDestructor(oldList);
  *out = newList;
  return kRTSuccess;
}

RTSuccess ListCopyElements(VNlist* destination, const VNlist* source) {
  if (!destination || !source) return kRTFailure;
  for (const RTVarnoConstantValue* element : kivo::ListItems<RTVarnoConstantValue>(source->elements)) {
    RTVarnoConstantValue copy{};
    if (!TaggedValueShare(&copy, *element)) return kRTFailure;
    if (!AppendRecord(destination, copy)) {
      TaggedValueRelease(&copy);
      return kRTFailure;
    }
  }
  return kRTSuccess;
}

RTSuccess ListMakeUnique(VNlist* list, VNlist** out) {
  return MakeUnique(list, out, ListFactory, ListCopyElements, ListDestructor);
}

RTSuccess ListAppendNumber(VNlist* list, int32_t value, VNlist** out) {
  RTVarnoConstantValue element = Value(kTypeNumber);
  element.value.number = value;
  return UniqueAppend(list, element, out);
}

RTSuccess ListAppendReal(VNlist* list, float value, VNlist** out) {
  RTVarnoConstantValue element = Value(kTypeReal);
  element.value.real = value;
  return UniqueAppend(list, element, out);
}

RTSuccess ListAppendBool(VNlist* list, uint32_t value, VNlist** out) {
  RTVarnoConstantValue element = Value(kTypeBool);
  element.value.word = value ? 1 : 0;
  return UniqueAppend(list, element, out);
}

RTSuccess ListAppendString(VNlist* list, const char16_t* value, VNlist** out) {
  RTVarnoConstantValue element = Value(kTypeString);
  element.value.text = const_cast<char16_t*>(value);
  return UniqueAppend(list, element, out);
}

RTSuccess ListAppendVector3(VNlist* list, const RTFVector3D* value, VNlist** out) {
  if (!value) return kRTFailure;
  RTVarnoConstantValue element = Value(kTypeVector3);
  element.value.vector = const_cast<RTFVector3D*>(value);
  return UniqueAppend(list, element, out);
}

RTSuccess ListAppendCode(VNlist* list, VNcode* code, VNlist** out) {
  RTVarnoConstantValue element = Value(kTypeCode);
  element.value.code = code;
  return UniqueAppend(list, element, out);
}

RTSuccess ListAppendObject(VNlist* list, RTVarnoSymbol* object, VNlist** out) {
  if (!object) return kRTFailure;
  RTVarnoConstantValue element = Value(object->typeIndex);
  element.value.pointer = object;
  return UniqueAppend(list, element, out);
}

RTSuccess ListAppendList(VNlist* list, VNlist* second, VNlist** out) {
  if (!out || !list || !second) return kRTFailure;
  *out = list;
  // Appending a list to itself copies the elements it had before.
  if (second == list) ++second->references;
  const RTSuccess made = ListMakeUnique(list, out);
  const RTSuccess copied = made && ListCopyElements(*out, second);
  if (second == list) ListDestructor(second);
  return copied;
}

RTSuccess ListAppendListAsList(VNlist* list, VNlist* second, VNlist** out) {
  if (!second) return kRTFailure;
  RTVarnoConstantValue element = Value(kTypeList);
  element.value.pointer = second;
  return UniqueAppend(list, element, out);
}

RTSuccess ListAppendValue(VNlist* list, const RTVarnoConstantValue& value, VNlist** out) {
  return UniqueAppend(list, value, out, true);
}

RTSuccess ListGetElementCount(const VNlist* list, uint32_t* count) {
  if (!list || !count) return kRTFailure;
  *count = list->elements->count;
  return kRTSuccess;
}

RTSuccess ListRetrieveElementN(VNlist* list, uint32_t index, RTVarnoConstantValue** out) {
  if (!list || !out || index >= list->elements->count) return kRTFailure;
  kivo::ListLink* link = nullptr;
  const int64_t cursor = list->cursorIndex;
  if (cursor != kNoCursor && list->cursorLink) {
    if (index == cursor) {
      link = list->cursorLink;
    } else if (index == cursor + 1) {
      link = list->cursorLink->next;
    } else if (index + 1 == cursor) {
      link = list->cursorLink->previous;
    }
  }
  if (!link && !kivo::ListElementAt(list->elements, index, &link)) return kRTFailure;
  list->cursorIndex = static_cast<int32_t>(index);
  list->cursorLink = link;
  *out = ElementAt(link);
  return kRTSuccess;
}

RTSuccess ListSetElementN(VNlist* list, uint32_t index, const RTVarnoConstantValue* value) {
  if (!value) return kRTFailure;
  RTVarnoConstantValue* element = nullptr;
  if (!ListRetrieveElementN(list, index, &element)) return kRTFailure;
  // Copy first: the new value may live inside the old one (a list stored over its own holder).
  RTVarnoConstantValue copy{};
  if (!TaggedValueCopy(&copy, *value)) return kRTFailure;
  TaggedValueRelease(element);
  *element = copy;
  if (copy.type >= kFirstClassType && copy.value.pointer) static_cast<RTVarnoSymbol*>(copy.value.pointer)->stored = 1;
  return kRTSuccess;
}

RTSuccess ListRemoveElementN(VNlist* list, uint32_t index) {
  kivo::ListLink* link = nullptr;
  if (!list || !kivo::ListElementAt(list->elements, index, &link)) return kRTFailure;
  list->cursorIndex = kNoCursor;
  list->cursorLink = nullptr;
  FreeElement(list->elements, link);
  return kRTSuccess;
}

RTVarnoConstantValue* ListAppendEmpty(VNlist* list) {
  Element* element = list ? NewPooled<Element>() : nullptr;
  if (!element) return nullptr;
  if (!kivo::ListAppendOwned(list->elements, &element->link, &element->value)) {
    PoolFree(element);
    return nullptr;
  }
  return &element->value;
}

}  // namespace varno
