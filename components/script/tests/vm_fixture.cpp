#include "tests/vm_fixture.h"

#include "codegen/generate_code.h"
#include "codegen/methods_parent.h"
#include "compiler/compile_driver.h"
#include "compiler/core_records.h"
#include "compiler/line_table.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "vm/collector.h"
#include "vm/interpreter.h"
#include "vm/symbol.h"

namespace varno::testing {

namespace {

VmTest* gCapturing = nullptr;

}  // namespace

CodeBuilder::CodeBuilder() { EXPECT_EQ(kivo::memory_stream::Create(&stream_), kRTSuccess); }

CodeBuilder::~CodeBuilder() {
  if (stream_) kivo::ModuleCore()->ReleaseInstance(nullptr, stream_);
}

CodeBuilder& CodeBuilder::Op(Opcode op) {
  kivo::StreamWriteUInt8(stream_, static_cast<uint8_t>(op));
  return *this;
}

CodeBuilder& CodeBuilder::Name(Opcode op, std::u16string_view name) {
  Op(op);
  kivo::StreamWriteWString(stream_, std::u16string(name).c_str());
  return *this;
}

CodeBuilder& CodeBuilder::Int(Opcode op, int32_t value) {
  Op(op);
  kivo::StreamWriteUInt(stream_, static_cast<uint32_t>(value));
  return *this;
}

CodeBuilder& CodeBuilder::Real(Opcode op, float value) {
  Op(op);
  kivo::StreamWriteFloat(stream_, value);
  return *this;
}

CodeBuilder& CodeBuilder::Str(Opcode op, std::u16string_view text) {
  Op(op);
  kivo::StreamWriteWString(stream_, std::u16string(text).c_str());
  return *this;
}

CodeBuilder& CodeBuilder::Vec(Opcode op, float x, float y, float z) {
  Op(op);
  kivo::StreamWriteVector(stream_, RTFVector3D{x, y, z, 0});
  return *this;
}

CodeBuilder& CodeBuilder::Code(CodeBuilder& nested, std::initializer_list<LineEntry> lines) {
  Op(Opcode::kPushvc);
  const std::vector<uint8_t> bytes = nested.Contents();
  kivo::StreamWriteUInt(stream_, static_cast<uint32_t>(bytes.size()));
  uint32_t written = 0;
  if (!bytes.empty()) kivo::stream::Write(stream_, bytes.data(), static_cast<uint32_t>(bytes.size()), &written);
  kivo::StreamWriteUInt8(stream_, lines.size() ? 1 : 0);
  if (lines.size()) {
    kivo::StreamWriteUInt(stream_, static_cast<uint32_t>(lines.size()));
    for (const LineEntry& entry : lines) {
      kivo::StreamWriteUInt(stream_, entry.first);
      kivo::StreamWriteUInt(stream_, entry.last);
      kivo::StreamWriteUInt(stream_, entry.line);
    }
    kivo::StreamWriteUInt(stream_, 0xFFFFFFFFu);
  }
  return *this;
}

CodeBuilder& CodeBuilder::Bytes(std::initializer_list<uint8_t> bytes) {
  for (uint8_t byte : bytes) kivo::StreamWriteUInt8(stream_, byte);
  return *this;
}

CodeBuilder& CodeBuilder::Word(uint32_t value) {
  kivo::StreamWriteUInt(stream_, value);
  return *this;
}

uint32_t CodeBuilder::Position() {
  uint32_t position = 0;
  kivo::stream::GetPosition(stream_, &position);
  return position;
}

std::vector<uint8_t> CodeBuilder::Contents() {
  uint32_t size = 0;
  const uint8_t* bytes = nullptr;
  kivo::stream::GetSize(stream_, &size);
  kivo::memory_stream::GetBuffer(stream_, &bytes);
  return bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>{};
}

RTInstance CodeBuilder::Take() {
  RTInstance stream = stream_;
  stream_ = nullptr;
  kivo::stream::Seek(stream, 0);
  return stream;
}

RTSuccess VmTest::CaptureDebugPrint(RTInstance context, const char16_t* text) {
  if (gCapturing && text) {
    std::string line = Utf8(text);
    while (!line.empty() && line.back() == '\n') line.pop_back();
    gCapturing->output_.push_back(line);
  }
  return gCapturing ? gCapturing->debugPrint_(context, text) : kRTSuccess;
}

void VmTest::SetUp() {
  CompilerTest::SetUp();
  debugPrint_ = core().DebugPrint;
  core().DebugPrint = CaptureDebugPrint;
  gCapturing = this;
  WriteClass("Thing", kVmThingSource);
  AddPath("classes");
}

void VmTest::TearDown() {
  if (vm_) VarnoVMDestructor(vm_);
  vm_ = nullptr;
  VarnoVmShutdown();
  ReleaseMethodsParent();
  core().DebugPrint = debugPrint_;
  gCapturing = nullptr;
  CompilerTest::TearDown();
}

RTVarnoVM* VmTest::vm() {
  if (!vm_) {
    EXPECT_EQ(VarnoVMFactory(&vm_), kRTSuccess);
    VarnoVMSetTypeTable(vm_, table());
  }
  return vm_;
}

std::vector<std::string> VmTest::TakeOutput() {
  std::vector<std::string> lines(output_.begin() + static_cast<std::ptrdiff_t>(taken_), output_.end());
  taken_ = output_.size();
  return lines;
}

void VmTest::WriteClass(std::string_view name, std::string_view source) {
  WriteSource("classes/" + std::string(name) + ".varno", source);
}

bool VmTest::CompileClass(std::string_view name, std::string_view source, uint32_t* index) {
  WriteClass(name, source);
  return Compile(dir() / "classes" / (std::string(name) + ".varno"), index) && TypeTableGenerateCode(table());
}

int VmTest::RunClass(std::string_view name, std::string_view source) {
  uint32_t index = 0;
  if (!CompileClass(name, source, &index)) {
    // A class left without code would fail every later generation of the table: start afresh.
    if (vm_) VarnoVMDestructor(vm_);
    vm_ = nullptr;
    VarnoVmShutdown();
    ResetTable();
    return -1;
  }
  RTVarnoSymbol* object = nullptr;
  if (!ConstructScriptObject(vm(), index, &object) || !VarnoVMSetNewContext(vm(), object, u"Switchboard", 1)) {
    return -1;
  }
  return static_cast<int>(VarnoVMRun(vm()));
}

int VmTest::RunStatements(std::string_view name, std::string_view attributes, std::string_view statements) {
  std::string source = std::string(name) + " is Thing;\nattributes { " + std::string(attributes) +
                       " }\nstate Switchboard {\n" + std::string(statements) + "\nexit();\n}\n";
  return RunClass(name, source);
}

std::string VmTest::Printed(std::string_view attributes, std::string_view statements) {
  TakeOutput();
  reported_ = Messages().size();
  const int result = RunStatements("Prog" + std::to_string(++handClasses_), attributes, statements);
  std::string joined;
  for (const std::string& line : TakeOutput()) joined += (joined.empty() ? "" : "|") + line;
  if (result == -1) {
    const std::vector<std::string> messages = Messages();
    joined += "<not run: " + (messages.empty() ? std::string() : messages.back()) + ">";
  } else if (result != kRunExit) {
    joined += "<result " + std::to_string(result) + ">";
    // The first report of the run, to show what ended it.
    const std::vector<std::string> messages = Messages();
    for (size_t i = reported_; i < messages.size(); ++i) {
      if (messages[i].rfind("[VARNO] Compiler", 0) == 0 || messages[i].find("/classes/") == 0) continue;
      joined += "<" + messages[i] + ">";
      break;
    }
  }
  reported_ = Messages().size();
  return joined;
}

RTVarnoType* VmTest::HandClass(std::string_view name,
                               std::initializer_list<std::pair<std::u16string, uint32_t>> attributes) {
  uint32_t index = 0;
  const std::u16string wide = Wide(name);
  if (!TypeTableAddType(table(), wide.c_str(), u"hand.varno", kTypeScriptClass, &index)) return nullptr;
  RTVarnoType* type = nullptr;
  TypeTableRetrieveTypeByIdx(table(), index, &type);
  for (const auto& [attribute, code] : attributes) TypeAddAttribute(type, code, attribute.c_str(), 0);
  TypeAddAttribute(type, kTypeString, u"name", 0);
  TypeResolveParent(type, table(), kNoType);
  type->codeGenerated = 1;
  CodeBuilder constructor;
  constructor.Op(Opcode::kReturn);
  AddMethod(type, u"Constructor", kMethodPlain, constructor);
  return type;
}

RTVarnoMethod* VmTest::AddMethod(RTVarnoType* type, std::u16string_view name, uint8_t kind, CodeBuilder& code,
                                 std::initializer_list<LineEntry> lines,
                                 std::initializer_list<std::pair<std::u16string, uint32_t>> declarations,
                                 uint32_t parameterCount) {
  RTVarnoMethod* method = MethodCreate(std::u16string(name).c_str(), kind);
  if (!method) return nullptr;
  method->returnType = kTypeNoValue;
  method->code = code.Take();
  method->owner = type;
  MethodSetSourceFile(method, u"hand.varno");
  method->lineTable = lines.size() ? LineTableCreate() : nullptr;
  for (const LineEntry& entry : lines) {
    LineEntry* copy = NewRecord<LineEntry>();
    *copy = entry;
    kivo::ListAppend(method->lineTable->entries, copy);
  }
  uint32_t parameters = 0;
  for (const auto& [declared, declaredType] : declarations) {
    if (!method->declarations) kivo::ListCreate(&method->declarations);
    kivo::ListAppend(method->declarations, AttributeCreate(declaredType, declared.c_str(), 0));
    if (parameters++ < parameterCount) {
      if (!method->parameters) kivo::ListCreate(&method->parameters);
      kivo::ListAppend(method->parameters, ParameterCreate(declared.c_str(), declaredType));
    }
  }
  if (!TypeAddMethod(type, method)) {
    MethodFree(method);
    return nullptr;
  }
  return method;
}

RTVarnoSymbol* VmTest::StartObject(RTVarnoType* type, std::u16string_view entry) {
  RTVarnoSymbol* object = nullptr;
  if (!SymbolFactory(table(), type->index, &object, kSymbolOrdinary, true)) return nullptr;
  if (!VarnoVMSetNewContext(vm(), object, std::u16string(entry).c_str(), 0)) return nullptr;
  return object;
}

uint32_t VmTest::RunCode(CodeBuilder& code, std::initializer_list<LineEntry> lines) {
  RTVarnoType* type = HandClass("Hand" + std::to_string(++handClasses_));
  if (!type || !AddMethod(type, u"Switchboard", kMethodState, code, lines) || !StartObject(type)) return 99;
  return VarnoVMRun(vm());
}

uint32_t VmTest::SymbolCount() {
  uint32_t count = 0;
  VMCollectorGetSymbolCount(&count);
  return count;
}

}  // namespace varno::testing
