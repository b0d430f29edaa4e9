// A started core with a class folder, a type table and a VM: scripts are compiled, their code
// generated and run; what they print is captured line by line. Hand-assembled code runs through a
// class built directly in the table. At the end the VM, every script object and the methods'
// parent instance go before the core stops.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "bytecode/instruction_set.h"
#include "compiler/line_table.h"
#include "compiler/type_records.h"
#include "tests/compiler_fixture.h"
#include "vm/vm.h"

namespace varno::testing {

// The root class of the test classes: a name (objects print it) and a constructor.
inline constexpr std::string_view kVmThingSource =
    "Thing is nothing;\n"
    "attributes { name is string; }\n"
    "method Constructor() { }\n";

// Writes bytecode into a memory stream through the typed stream helpers.
class CodeBuilder {
 public:
  CodeBuilder();
  ~CodeBuilder();
  CodeBuilder(const CodeBuilder&) = delete;
  CodeBuilder& operator=(const CodeBuilder&) = delete;

  CodeBuilder& Op(Opcode op);
  CodeBuilder& Name(Opcode op, std::u16string_view name);
  CodeBuilder& Int(Opcode op, int32_t value);
  CodeBuilder& Real(Opcode op, float value);
  CodeBuilder& Str(Opcode op, std::u16string_view text);
  CodeBuilder& Vec(Opcode op, float x, float y, float z);
  // pushvc with the nested code's bytes and, when given, a line table of one entry per line.
  CodeBuilder& Code(CodeBuilder& nested, std::initializer_list<LineEntry> lines = {});
  CodeBuilder& Bytes(std::initializer_list<uint8_t> bytes);
  CodeBuilder& Word(uint32_t value);

  uint32_t Position();
  std::vector<uint8_t> Contents();
  // The stream at position 0; the caller owns the reference.
  RTInstance Take();

 private:
  RTInstance stream_ = nullptr;
};

class VmTest : public CompilerTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  RTVarnoVM* vm();
  // Every line printed (debug output) since the start, and since the last call of TakeOutput.
  const std::vector<std::string>& Output() const { return output_; }
  std::vector<std::string> TakeOutput();

  // Writes classes/<name>.varno.
  void WriteClass(std::string_view name, std::string_view source);
  // Compiles classes/<name>.varno and generates the table's code; false when either fails.
  bool CompileClass(std::string_view name, std::string_view source, uint32_t* index = nullptr);
  // Compiles the class and runs its "Switchboard" (constructor first); the run's result, or -1
  // when the class does not compile or start.
  int RunClass(std::string_view name, std::string_view source);
  // A class `name` with the attributes and a Switchboard of the statements followed by exit().
  int RunStatements(std::string_view name, std::string_view attributes, std::string_view statements);
  // The printed lines of RunStatements, joined with "|"; "<result N>" is appended for a result
  // other than 3 (exit).
  std::string Printed(std::string_view attributes, std::string_view statements);

  // A script class built in the table (no source): its attributes, a "CONSTRUCTOR" that returns,
  // and methods made with AddMethod.
  RTVarnoType* HandClass(std::string_view name, std::initializer_list<std::pair<std::u16string, uint32_t>> attributes = {});
  // Adds a method of the kind with the code (taken from the builder), a line table of `lines`,
  // the declarations (name, type) and parameters (upper-case names) given.
  RTVarnoMethod* AddMethod(RTVarnoType* type, std::u16string_view name, uint8_t kind, CodeBuilder& code,
                           std::initializer_list<LineEntry> lines = {},
                           std::initializer_list<std::pair<std::u16string, uint32_t>> declarations = {},
                           uint32_t parameterCount = 0);
  // An object of the class (no constructor run) with a context at the method; null on failure.
  RTVarnoSymbol* StartObject(RTVarnoType* type, std::u16string_view entry = u"Switchboard");
  // Runs hand-assembled code as the Switchboard of a fresh hand class; the interpreter's result.
  uint32_t RunCode(CodeBuilder& code, std::initializer_list<LineEntry> lines = {});

  uint32_t SymbolCount();

 private:
  static RTSuccess CaptureDebugPrint(RTInstance context, const char16_t* text);

  RTVarnoVM* vm_ = nullptr;
  std::vector<std::string> output_;
  size_t taken_ = 0;
  size_t reported_ = 0;
  int handClasses_ = 0;
  RTSuccess (*debugPrint_)(RTInstance, const char16_t*) = nullptr;
};

}  // namespace varno::testing
