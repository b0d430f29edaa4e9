#include "parameter_list.h"

#include <string>

#include "classes.h"
#include "coreregistry/registry.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "type_table.h"

namespace kivo::core {

namespace {

class ListText {
 public:
  explicit ListText(const char16_t* text) : text_(text ? text : u"") {}

  bool AtEnd() const { return text_[position_] == 0; }
  // The character `ahead` places on; only called while the characters before it are not the end.
  char16_t Peek(size_t ahead = 0) const { return text_[position_ + ahead]; }
  void Skip(size_t count) { position_ += count; }
  size_t position() const { return position_; }
  void Rewind(size_t position) { position_ = position; }

  void SkipBlanks() {
    while (text_[position_] == u' ' || text_[position_] == u'\t') ++position_;
  }

  // The longest run of characters that are not ',', '[', ']', a blank or the end.
  std::u16string Token() {
    const size_t start = position_;
    for (char16_t c; (c = text_[position_]) && c != u',' && c != u'[' && c != u']' && c != u' ' && c != u'\t';)
      ++position_;
    return std::u16string(text_ + start, text_ + position_);
  }

 private:
  const char16_t* text_;
  size_t position_ = 0;
};

bool AppendParameter(RTMethodRecord& method, const std::u16string& name, const std::u16string& typeName,
                     uint32_t flags) {
  void* block = nullptr;
  if (!MemAlloc(nullptr, sizeof(RTParameterRecord), &block, 1)) return false;
  auto* record = static_cast<RTParameterRecord*>(block);
  WideStrDup(name.c_str(), &record->name);
  WideStrDup(typeName.c_str(), &record->typeName);
  record->flags = flags;
  FindType(typeName.c_str(), &record->typeId);
  (method.lastParameter ? method.lastParameter->next : method.firstParameter) = record;
  method.lastParameter = record;
  return true;
}

}  // namespace

RTSuccess ParseParameterList(RTMethodRecord& method) {
  ListText text(method.parameters);
  for (;;) {
    text.SkipBlanks();
    if (text.AtEnd()) return kRTFailure;
    const std::u16string type = text.Token();
    if (type.empty()) return kRTFailure;
    text.SkipBlanks();
    if (text.AtEnd()) return kRTFailure;

    uint32_t flags = 0;
    if (text.Peek() == u'[' && text.Peek(1) == u']') {
      flags |= kParameterArray;
      text.Skip(2);
    }
    text.SkipBlanks();
    if (text.AtEnd()) return kRTFailure;

    const size_t beforeModifier = text.position();
    const std::u16string modifier = text.Token();
    if (WideStrEqualNoCase(modifier.c_str(), u"out") == 0) {
      flags |= kParameterOut;
    } else if (WideStrEqualNoCase(modifier.c_str(), u"in") == 0) {
      flags |= kParameterIn;
    } else {
      text.Rewind(beforeModifier);
    }
    text.SkipBlanks();
    if (text.AtEnd()) return kRTFailure;

    const std::u16string name = text.Token();
    if (name.empty()) return kRTFailure;
    if (!AppendParameter(method, name, type, flags)) return kRTFailure;
    text.SkipBlanks();
    if (text.AtEnd()) return kRTSuccess;
    if (text.Peek() != u',') return kRTFailure;
    text.Skip(1);
  }
}

bool EnsureParameterList(RTMethodRecord& method) {
  if (method.parameterState == kParametersNotParsed)
    method.parameterState = ParseParameterList(method) ? kParametersParsed : kParametersMalformed;
  return method.parameterState == kParametersParsed;
}

void FreeParameterList(RTMethodRecord& method) {
  for (RTParameterRecord* record = method.firstParameter; record;) {
    RTParameterRecord* next = record->next;
    ArrayFree(nullptr, record->name);
    ArrayFree(nullptr, record->typeName);
    MemFree(nullptr, record);
    record = next;
  }
  method.firstParameter = nullptr;
  method.lastParameter = nullptr;
  method.parameterState = kParametersNotParsed;
}

RTSuccess FindMethodInClass(ComponentEntry* entry, const char16_t* name, RTMethodRecord** out) {
  for (; entry && entry->definition; entry = ParentEntry(entry)) {
    for (RTMethodRecord* method = entry->definition->methods; method->name; ++method) {
      if (WideStrEqualNoCase(method->name, name) != 0) continue;
      EnsureParameterList(*method);
      *out = method;
      return kRTSuccess;
    }
  }
  return kRTFailure;
}

RTSuccess FindMethod(RTInstance, RTInstance instance, const char16_t* name, RTMethodRecord** out) {
  if (!instance || !name || !out) return kRTFailure;
  return FindMethodInClass(ClassOf(instance), name, out);
}

}  // namespace kivo::core
