#include "tests/compiler_fixture.h"

#include <sstream>

#include "compiler/compile_driver.h"
#include "compiler/dump.h"
#include "compiler/parse_errors.h"
#include "compiler/scanner.h"
#include "compiler/search_paths.h"
#include "compiler/syntax_node.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "platform/utf.h"

namespace varno::testing {

std::string Utf8(std::u16string_view text) { return platform::ToUtf8(text); }
std::u16string Wide(std::string_view text) { return platform::FromUtf8(text); }
std::u16string WidePath(const std::filesystem::path& path) { return platform::FromUtf8(path.string()); }

void CompilerTest::TearDown() {
  if (table_) TypeTableDestructor(table_);
  table_ = nullptr;
  ClearSearchPaths();
  SetParseErrorStream(nullptr);
  if (errorStream_) core().ReleaseInstance(nullptr, errorStream_);
  errorStream_ = nullptr;
  VarnoEnableReplaceTypes(1);
  SetParserErrorFlag(false);
  Scanner& scanner = ProcessScanner();
  while (scanner.PopIncludeFile()) {
  }
  scanner.ResetScanner();
  StartedCore::TearDown();
}

std::filesystem::path CompilerTest::WriteSource(std::string_view relative, std::string_view contents) {
  const std::filesystem::path file = dir() / relative;
  tesk::testing::WriteFile(file, contents);
  return file;
}

void CompilerTest::AddPath(std::string_view folder) {
  std::filesystem::path path = dir() / folder;
  std::filesystem::create_directories(path);
  ASSERT_EQ(AddSearchPath(WidePath(path / "").c_str()), kRTSuccess);
}

RTVarnoTypeTable* CompilerTest::table() {
  if (!table_) {
    EXPECT_EQ(TypeTableFactory(&table_), kRTSuccess);
  }
  return table_;
}

void CompilerTest::ResetTable() {
  if (table_) TypeTableDestructor(table_);
  table_ = nullptr;
}

bool CompilerTest::Compile(const std::filesystem::path& file, uint32_t* index) {
  uint32_t type = 0;
  const bool compiled = VarnoParseBrellinAnsiFile(WidePath(file).c_str(), &type, nullptr, table()) == kRTSuccess;
  if (index) *index = type;
  return compiled;
}

RTVarnoType* CompilerTest::Type(std::string_view name) {
  RTVarnoType* type = nullptr;
  TypeTableRetrieveTypeByName(table(), Wide(name).c_str(), &type);
  return type;
}

std::string CompilerTest::ExpressionTree(std::string_view text) {
  SyntaxNode* tree = nullptr;
  if (!ParseInteractiveExpression(table(), nullptr, nullptr, text.data(), text.size(), &tree)) return "<failed>";
  const std::string dump = Utf8(DumpSyntaxTree(tree, table()));
  FreeSyntaxTree(tree);
  return dump;
}

std::string CompilerTest::MethodTree(std::string_view className, std::u16string_view methodKey) {
  RTVarnoType* type = Type(className);
  RTVarnoMethod* method = nullptr;
  if (!type || !TypeRetrieveMethodByName(type, std::u16string(methodKey).c_str(), &method, kRetrieveThisType)) {
    return "<no method>";
  }
  return Utf8(DumpSyntaxTree(method->tree, table()));
}

std::vector<std::string> CompilerTest::Messages() {
  std::vector<std::string> messages;
  std::istringstream lines(host_.ErrorLog());
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line.front() != '(') continue;  // the header, and the ends of texts with line breaks
    const size_t text = line.find(") ");
    if (text != std::string::npos) messages.push_back(line.substr(text + 2));
  }
  return messages;
}

std::vector<std::string> CompilerTest::MessagesWith(std::string_view part) {
  std::vector<std::string> found;
  for (std::string& message : Messages()) {
    if (message.find(part) != std::string::npos) found.push_back(std::move(message));
  }
  return found;
}

void CompilerTest::CaptureParseErrors() {
  ASSERT_EQ(kivo::memory_stream::Create(&errorStream_), kRTSuccess);
  ASSERT_EQ(SetParseErrorStream(errorStream_), kRTSuccess);
}

std::vector<std::string> CompilerTest::ParseErrors() {
  std::vector<std::string> texts;
  if (!errorStream_) return texts;
  uint32_t end = 0;
  kivo::stream::GetPosition(errorStream_, &end);
  kivo::stream::Seek(errorStream_, 0);
  char16_t* text = nullptr;
  uint32_t at = 0;
  while (at < end && kivo::StreamReadWString(errorStream_, &text) && text) {
    texts.push_back(Utf8(text));
    core().ArrayFree(nullptr, text);
    text = nullptr;
    kivo::stream::GetPosition(errorStream_, &at);
  }
  kivo::stream::Seek(errorStream_, end);
  return texts;
}

}  // namespace varno::testing
