#include "tests/classfile_fixture.h"

#include <cstdio>

#include "classfile/class_file_writer.h"
#include "compiler/compile_driver.h"
#include "compiler/line_table.h"
#include "compiler/type_codes.h"
#include "host/temp_dir.h"
#include "kivo/support/stream_calls.h"

namespace varno::testing {

namespace {

std::string TypeName(RTVarnoTypeTable* table, uint32_t index) {
  return index < table->count ? Utf8(table->types[index]->name) : "#" + std::to_string(index);
}

std::string Hex(const uint8_t* bytes, uint32_t size) {
  std::string text;
  char digits[4];
  for (uint32_t i = 0; i < size; ++i) {
    std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
    text += digits;
  }
  return text;
}

std::string CodeBytes(RTInstance code) {
  if (!code) return "<none>";
  uint32_t size = 0;
  const uint8_t* bytes = nullptr;
  kivo::stream::GetSize(code, &size);
  kivo::memory_stream::GetBuffer(code, &bytes);
  return bytes ? Hex(bytes, size) : "";
}

std::string Declarations(RTVarnoTypeTable* table, const kivo::List* list) {
  std::string text;
  for (const RTVarnoAttribute* entry : kivo::ListItems<RTVarnoAttribute>(list)) {
    text += " " + Utf8(entry->name) + ":" + TypeName(table, entry->type) + "/" + std::to_string(entry->flags);
  }
  return text;
}

std::string ConstantText(const RTVarnoConstantValue& value) {
  switch (value.type) {
    case kTypeReal:
      return "real " + std::to_string(value.value.real);
    case kTypeString:
      return "string \"" + (value.value.text ? Utf8(value.value.text) : std::string()) + "\"";
    case kTypeVector3:
      return "vector3 " + std::to_string(value.value.vector->x) + "," + std::to_string(value.value.vector->y) + "," +
             std::to_string(value.value.vector->z);
    default:
      return "tag " + std::to_string(value.type) + " " + std::to_string(value.value.word);
  }
}

}  // namespace

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file) {
  const std::string text = tesk::testing::ReadFile(file);
  return std::vector<uint8_t>(text.begin(), text.end());
}

void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  tesk::testing::WriteFile(file, std::string(bytes.begin(), bytes.end()));
}

void PutWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

std::string DescribeClass(RTVarnoTypeTable* table, const RTVarnoType* type) {
  std::string text = "class " + Utf8(type->name) + " flags " + std::to_string(type->flags) + " singleton " +
                     std::to_string(type->singleton) + " parent " +
                     (type->parentIndex == kNoType ? "-" : TypeName(table, type->parentIndex)) + " own attributes " +
                     std::to_string(type->ownAttributeCount) + "\n";
  text += "attributes" + Declarations(table, type->attributes) + "\n";
  for (const RTVarnoMethod* method : kivo::ListItems<RTVarnoMethod>(type->methods)) {
    text += "method " + std::to_string(method->kind) + " " + Utf8(method->keyName) + " (" +
            Utf8(method->displayName) + ") returns " + TypeName(table, method->returnType) + "\n";
    text += "  code " + CodeBytes(method->code) + "\n";
    text += "  declarations" + (method->declarations ? Declarations(table, method->declarations) : " <none>") + "\n";
    text += "  parameters";
    if (!method->parameters) text += " <none>";
    for (const RTVarnoParameter* parameter : kivo::ListItems<RTVarnoParameter>(method->parameters)) {
      text += " " + Utf8(parameter->name) + ":" + TypeName(table, parameter->type) + "/out " +
              std::to_string(parameter->out);
    }
    text += "\n  lines";
    if (method->lineTable) {
      for (const LineEntry* entry : kivo::ListItems<LineEntry>(method->lineTable->entries)) {
        text += " " + std::to_string(entry->line) + "@" + std::to_string(entry->first) + "-" +
                std::to_string(entry->last);
      }
      text += " word " + std::to_string(method->lineTable->word);
    }
    text += "\n";
    if (method->kind == kMethodImplemented) {
      text += "  bound to " + Utf8(method->bindClass) + "." + Utf8(method->bindMethod) + "\n";
    }
  }
  text += "constants own " + std::to_string(type->ownConstantCount) + "\n";
  for (const RTVarnoConstantEntry* entry : kivo::ListItems<RTVarnoConstantEntry>(type->constants->entries)) {
    text += "  " + Utf8(entry->name) + " = " + ConstantText(entry->value) + "\n";
  }
  return text;
}

bool ClassFileTest::Save(RTVarnoType* type, const std::filesystem::path& file) {
  return StreamOutClass(WidePath(file).c_str(), table(), type) == kRTSuccess;
}

RTVarnoType* ClassFileTest::Load(const std::filesystem::path& file) {
  uint32_t index = kNoType;
  if (!VarnoParseBrellinAnsiFile(WidePath(file).c_str(), &index, nullptr, table())) return nullptr;
  return table()->types[index];
}

std::vector<std::string> ClassFileTest::NewMessages() {
  std::vector<std::string> messages = Messages();
  const size_t seen = std::min(seen_, messages.size());
  seen_ = messages.size();
  std::vector<std::string> reports;
  for (size_t i = seen; i < messages.size(); ++i)
    if (messages[i].rfind(kReadingNote, 0) != 0) reports.push_back(messages[i]);
  return reports;
}

}  // namespace varno::testing
