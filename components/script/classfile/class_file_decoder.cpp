#include "classfile/class_file_decoder.h"

#include <string_view>

#include "classfile/class_file_format.h"
#include "codegen/line_table_stream.h"
#include "codegen/methods_parent.h"
#include "compiler/dotted_name.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "kivo/support/format.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"

namespace varno {

namespace {

// String constants are bounded only by the file.
constexpr uint32_t kMaxTextUnits = 0x7FFFFFFEu;

enum class Presence { kRequired, kOptional };

class Decoder {
 public:
  Decoder(RTInstance stream, const char16_t* file) : stream_(stream), file_(file) {}

  bool Decode(ClassImage& image);

 private:
  bool Header(ClassImage& image);
  bool Attribute(AttributeImage& attribute, std::u16string_view what);
  bool Method(MethodImage& method);
  bool Code(MethodImage& method, uint32_t* size);
  bool Lines(MethodImage& method, uint32_t codeSize);
  bool Constant(ConstantImage& constant);

  uint32_t Position() {
    uint32_t position = 0;
    kivo::stream::GetPosition(stream_, &position);
    return position;
  }
  uint64_t Left() {
    const uint32_t position = Position();
    return size_ > position ? size_ - position : 0;
  }
  // Reports the damage at the start of the field being read.
  template <class... Args>
  bool Damaged(std::u16string_view format, const Args&... args) {
    Raise(u"[VARNO] Class file %s is damaged at byte %u: %s", file_, at_, kivo::Format(format, args...));
    return false;
  }

  bool Word(uint32_t* value, std::u16string_view what);
  bool Flag(bool* value, std::u16string_view what);
  bool Float(float* value, std::u16string_view what);
  // A count of entries of at least `entryBytes` each, which the bytes left must be able to hold.
  bool Count(uint32_t* count, uint32_t entryBytes, std::u16string_view what);
  bool Text(std::u16string* text, uint32_t limit, Presence presence, std::u16string_view what);
  bool Name(std::u16string* text, std::u16string_view what) {
    return Text(text, kClassFileMaxNameUnits, Presence::kRequired, what);
  }

  RTInstance stream_;
  const char16_t* file_;
  uint32_t size_ = 0;
  uint32_t at_ = 0;  // where the field being read starts
};

bool Decoder::Word(uint32_t* value, std::u16string_view what) {
  at_ = Position();
  if (Left() < 4 || !kivo::StreamReadUInt(stream_, value)) return Damaged(u"the file ends inside %s", what);
  return true;
}

bool Decoder::Flag(bool* value, std::u16string_view what) {
  at_ = Position();
  uint32_t byte = 0;
  if (Left() < 1 || !kivo::StreamReadByte(stream_, &byte)) return Damaged(u"the file ends inside %s", what);
  if (byte > 1) return Damaged(u"%s is %u, not 0 or 1", what, byte);
  *value = byte == 1;
  return true;
}

bool Decoder::Float(float* value, std::u16string_view what) {
  at_ = Position();
  // The float reader does not count the bytes that came, so the file's end is tested first.
  if (Left() < 4 || !kivo::StreamReadFloat(stream_, value)) return Damaged(u"the file ends inside %s", what);
  return true;
}

bool Decoder::Count(uint32_t* count, uint32_t entryBytes, std::u16string_view what) {
  if (!Word(count, what)) return false;
  const uint64_t left = Left();
  if (uint64_t{*count} * entryBytes > left) {
    return Damaged(u"%s %u is more than the %u bytes left can hold", what, *count, static_cast<uint32_t>(left));
  }
  return true;
}

bool Decoder::Text(std::u16string* text, uint32_t limit, Presence presence, std::u16string_view what) {
  uint32_t length = 0;
  if (!Word(&length, what)) return false;
  if (length > limit) return Damaged(u"%s is %u characters long (limit %u)", what, length, limit);
  if (length > 0 && (uint64_t{length} + 1) * 2 > Left()) return Damaged(u"the file ends inside %s", what);
  // The length word is read again by the bounded string reader.
  char16_t* read = nullptr;
  if (!kivo::stream::Seek(stream_, at_) || !kivo::StreamReadWStringBounded(stream_, limit, &read)) {
    return Damaged(u"%s cannot be read", what);
  }
  text->assign(read ? read : u"", length);
  if (read) kivo::ModuleCore()->ArrayFree(nullptr, read);
  if (text->find(u'\0') != std::u16string::npos) return Damaged(u"%s holds a zero character", what);
  if (presence == Presence::kRequired && text->empty()) return Damaged(u"%s is empty", what);
  return true;
}

bool Decoder::Header(ClassImage& image) {
  if (!Word(&image.version, u"the version")) return false;
  if (image.version > kClassFileVersion) {
    Raise(u"Stream in function has failed for .varnoc file.");
    return false;
  }
  if (!Name(&image.name, u"the class name") ||
      !Text(&image.file, kClassFileMaxPathUnits, Presence::kOptional, u"the file name") ||
      !Word(&image.flags, u"the class flags")) {
    return false;
  }
  // The flags must make a class with an attribute list and a constant table.
  if (!(image.flags & (kTypeScriptClass | kTypeRecordOnly)) || (image.flags & kTypeBuiltIn)) {
    return Damaged(u"the class flags 0x%X name no script class", image.flags);
  }
  if (!Word(&image.classWord, u"the class word") ||
      !Count(&image.ownAttributeCount, kMinAttributeBytes, u"the attribute count") ||
      !Flag(&image.singleton, u"the singleton flag") || !Flag(&image.hasParent, u"the parent flag")) {
    return false;
  }
  if (image.hasParent) {
    if (!Name(&image.parent, u"the parent name")) return false;
    if (NamesEqual(image.parent.c_str(), image.name.c_str())) return Damaged(u"the class names itself as its parent");
  }
  return true;
}

bool Decoder::Attribute(AttributeImage& attribute, std::u16string_view what) {
  uint32_t flags = 0;
  if (!Name(&attribute.type, kivo::Format(u"the type name of %s", what)) ||
      !Name(&attribute.name, kivo::Format(u"the name of %s", what)) ||
      !Word(&flags, kivo::Format(u"the flag of %s", what))) {
    return false;
  }
  attribute.flags = static_cast<uint8_t>(flags);
  return true;
}

bool Decoder::Code(MethodImage& method, uint32_t* size) {
  if (!Count(size, 1, kivo::Format(u"the code size of method %s", method.key))) return false;
  CoreTable* core = kivo::ModuleCore();
  RTInstance parent = nullptr;
  uint32_t copied = 0;
  if (!MethodsParent(&parent) || !core->CreateInstanceByString(parent, u"RTMemoryStream", method.code.out(), 0, 0) ||
      !kivo::memory_stream::Open(method.code.get(), kivo::memory_stream::kReadWrite) ||
      (*size > 0 && !kivo::stream::WriteFromStream(method.code.get(), stream_, *size, &copied)) || copied != *size ||
      !kivo::stream::Seek(method.code.get(), 0)) {
    Raise(u"[VARNO] Couldn't read the code of method %s from the class file %s", method.key, file_);
    return false;
  }
  return true;
}

bool Decoder::Lines(MethodImage& method, uint32_t codeSize) {
  uint32_t count = 0;
  const std::u16string what = kivo::Format(u"the line table of method %s", method.key);
  if (!Count(&count, kLineEntryBytes, what)) return false;
  if (Left() - uint64_t{count} * kLineEntryBytes < 4) return Damaged(u"the file ends inside %s", what);
  LineTable* lines = nullptr;
  if (!kivo::stream::Seek(stream_, at_) || !LineTableRead(stream_, &lines)) return Damaged(u"%s cannot be read", what);
  method.lines.reset(lines);
  for (const LineEntry* entry : kivo::ListItems<LineEntry>(lines->entries)) {
    if (entry->first > entry->last || entry->last >= codeSize) {
      return Damaged(u"a line of method %s covers 0x%X-0x%X, outside its %u bytes of code", method.key, entry->first,
                     entry->last, codeSize);
    }
  }
  return true;
}

bool Decoder::Method(MethodImage& method) {
  uint32_t kind = 0;
  if (!Word(&kind, u"a method kind")) return false;
  method.kind = static_cast<uint8_t>(kind);
  if (method.kind < kMethodPlain || method.kind > kMethodListener) {
    return Damaged(u"the method kind %u is unknown", method.kind);
  }
  std::u16string display;
  uint32_t codeSize = 0;
  if (!Name(&method.key, u"a method name") ||
      !Text(&display, kClassFileMaxNameUnits, Presence::kOptional, u"a method's display name") ||
      !Code(method, &codeSize) ||
      !Flag(&method.hasDeclarations, kivo::Format(u"the declarations flag of method %s", method.key))) {
    return false;
  }
  if (method.hasDeclarations) {
    uint32_t count = 0;
    if (!Count(&count, kMinAttributeBytes, kivo::Format(u"the declaration count of method %s", method.key))) {
      return false;
    }
    method.declarations.resize(count);
    for (AttributeImage& declaration : method.declarations) {
      if (!Attribute(declaration, kivo::Format(u"a declaration of method %s", method.key))) return false;
    }
  }
  uint32_t count = 0;
  if (!Count(&count, kMinParameterBytes, kivo::Format(u"the parameter count of method %s", method.key))) return false;
  method.parameters.resize(count);
  for (ParameterImage& parameter : method.parameters) {
    if (!Name(&parameter.name, kivo::Format(u"a parameter name of method %s", method.key)) ||
        !Name(&parameter.type, kivo::Format(u"a parameter type of method %s", method.key))) {
      return false;
    }
  }
  if (!Name(&method.returnType, kivo::Format(u"the return type of method %s", method.key)) ||
      !Lines(method, codeSize)) {
    return false;
  }
  if (method.kind == kMethodImplemented) {
    return Name(&method.bindClass, kivo::Format(u"the bound class of method %s", method.key)) &&
           Name(&method.bindMethod, kivo::Format(u"the bound method of method %s", method.key));
  }
  return true;
}

bool Decoder::Constant(ConstantImage& constant) {
  if (!Name(&constant.name, u"a constant name") ||
      !Word(&constant.tag, kivo::Format(u"the type of constant %s", constant.name))) {
    return false;
  }
  const std::u16string what = kivo::Format(u"the value of constant %s", constant.name);
  switch (constant.tag) {
    case kTypeNumber:
      return Word(&constant.word, what);
    case kTypeReal:
      return Float(&constant.real, what);
    case kTypeString:
      return Text(&constant.text, kMaxTextUnits, Presence::kOptional, what);
    case kTypeBool: {
      bool value = false;
      if (!Flag(&value, what)) return false;
      constant.word = value ? 1 : 0;
      return true;
    }
    case kTypeVector3:
      return Float(&constant.vector.x, what) && Float(&constant.vector.y, what) && Float(&constant.vector.z, what);
    default:
      Raise(u"Couldn't recognize the constant type");
      return false;
  }
}

bool Decoder::Decode(ClassImage& image) {
  if (!kivo::stream::GetSize(stream_, &size_)) return Damaged(u"its size cannot be read");
  if (!Header(image)) return false;
  image.attributes.resize(image.ownAttributeCount);
  for (AttributeImage& attribute : image.attributes) {
    if (!Attribute(attribute, u"an attribute")) return false;
  }
  uint32_t count = 0;
  if (!Count(&count, kMinMethodBytes, u"the method count")) return false;
  if (count > 0 && !(image.flags & kTypeScriptClass)) return Damaged(u"a class without a method table has methods");
  image.methods.resize(count);
  for (MethodImage& method : image.methods) {
    if (!Method(method)) return false;
  }
  if (!Word(&image.ownConstantCount, u"the own constant count") ||
      !Count(&count, kMinConstantBytes, u"the constant count")) {
    return false;
  }
  if (image.ownConstantCount > count) {
    return Damaged(u"the own constant count %u is above the constant count %u", image.ownConstantCount, count);
  }
  image.constants.resize(count);
  for (ConstantImage& constant : image.constants) {
    if (!Constant(constant)) return false;
  }
  at_ = Position();
  if (Left() > 0) return Damaged(u"%u bytes follow the last constant", static_cast<uint32_t>(Left()));
  return true;
}

}  // namespace

RTSuccess DecodeClassFile(RTInstance stream, const char16_t* file, ClassImage* image) {
  if (!stream || !image) return kRTFailure;
  Decoder decoder(stream, file ? file : u"");
  return decoder.Decode(*image) ? kRTSuccess : kRTFailure;
}

}  // namespace varno
