#include "tests/codegen_fixture.h"

#include "codegen/disassembler.h"
#include "codegen/methods_parent.h"
#include "compiler/type_table.h"

namespace varno::testing {

void CodegenTest::SetUp() {
  CompilerTest::SetUp();
  WriteSource("classes/Thing.varno", kThingSource);
  AddPath("classes");
}

void CodegenTest::TearDown() {
  ReleaseMethodsParent();
  CompilerTest::TearDown();
}

void CodegenTest::WriteClass(std::string_view name, std::string_view source) {
  WriteSource("classes/" + std::string(name) + ".varno", source);
}

std::string CodegenTest::ClassPath(std::string_view name) {
  return (dir() / "classes" / (std::string(name) + ".varno")).string();
}

RTVarnoType* CodegenTest::CompileClass(std::string_view name, std::string_view source) {
  WriteClass(name, source);
  if (!Compile(dir() / "classes" / (std::string(name) + ".varno"))) return nullptr;
  return Type(name);
}

RTVarnoMethod* CodegenTest::Method(RTVarnoType* type, std::u16string_view key) {
  RTVarnoMethod* method = nullptr;
  if (type) TypeRetrieveMethodByName(type, std::u16string(key).c_str(), &method, kRetrieveThisType);
  return method;
}

std::string CodegenTest::Disassembly(const RTVarnoMethod* method) {
  if (!method || !method->code) return "<no code>";
  return Utf8(DisassembleStream(method->code));
}

std::string CodegenTest::SyntaxError(std::string_view message, std::string_view className, int line) {
  return "[SYNTAX ERROR] " + std::string(message) + " in file: " + ClassPath(className) +
         ", on line: " + std::to_string(line) + "\n";
}

}  // namespace varno::testing
