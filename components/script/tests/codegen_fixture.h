// Compiler tests that check and generate code: a class folder with a standard Thing, classes
// compiled into the fixture's table, and the "Root:VNMethods" handle given back before the core
// stops.
#pragma once

#include <string>
#include <string_view>

#include "compiler/type_records.h"
#include "tests/compiler_fixture.h"

namespace varno::testing {

// The root class every test class derives from.
inline constexpr std::string_view kThingSource =
    "Thing is nothing;\n"
    "attributes { id is number; }\n"
    "method Base() { }\n"
    "method number Answer() { return 42; }\n";

class CodegenTest : public CompilerTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes classes/<name>.varno and compiles it; null when it does not compile.
  RTVarnoType* CompileClass(std::string_view name, std::string_view source);
  // Writes a class file without compiling it (a class that another one names).
  void WriteClass(std::string_view name, std::string_view source);
  std::string ClassPath(std::string_view name);
  // The method of that upper-case key, declared by the class itself.
  RTVarnoMethod* Method(RTVarnoType* type, std::u16string_view key);
  // The method's code as the disassembler lists it.
  std::string Disassembly(const RTVarnoMethod* method);
  // "[SYNTAX ERROR] <message> in file: <class file>, on line: <line>\n".
  std::string SyntaxError(std::string_view message, std::string_view className, int line);
};

}  // namespace varno::testing
