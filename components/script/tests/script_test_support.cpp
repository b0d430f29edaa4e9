#include "tests/script_test_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>

#include "host/temp_dir.h"
#include "kivo/support/module_core.h"
#include "platform/utf.h"
#include "varno_grammar.hpp"

namespace varno::testing {

ScopedSource::ScopedSource() {
  kivo::ListCreate(&input_.strings);
  MakeCurrent();
}

ScopedSource::ScopedSource(std::string_view text) : ScopedSource() {
  text_ = text;
  SetSourceText(&input_, text_.data(), text_.size());
}

ScopedSource::~ScopedSource() {
  CloseSourceFile(&input_);
  for (kivo::ListLink* link = input_.strings->first; link; link = link->next) {
    kivo::ModuleCore()->ArrayFree(nullptr, link->data);
  }
  kivo::ListDestroy(input_.strings);
  if (CurrentSourceInput() == &input_) SetCurrentSourceInput(nullptr);
}

bool ScopedSource::OpenFile(const std::filesystem::path& file) {
  return OpenSourceFile(&input_, platform::FromUtf8(file.string()).c_str()) == kRTSuccess;
}

std::string ScopedSource::RecordedTexts() const {
  std::string texts;
  for (const kivo::ListLink* link = input_.strings->first; link; link = link->next) {
    if (link != input_.strings->first) texts += '|';
    texts += ToUtf8(static_cast<const char16_t*>(link->data));
  }
  return texts;
}

std::string ToUtf8(const char16_t* text) { return text ? platform::ToUtf8(text) : "(null)"; }

std::string Describe(int token, const VarnoValue& value) {
  std::string name = TokenName(token);
  switch (token) {
    case ID:
      return name + ":" + ToUtf8(value.word[0].text);
    case STRING: {
      std::string text;
      for (char c : ToUtf8(value.word[0].text)) text += c == '\n' ? std::string("\\n") : std::string(1, c);
      return name + ":\"" + text + "\"";
    }
    case INTEGER:
      return name + ":" + std::to_string(value.word[0].integer);
    case FLOAT: {
      char digits[32];
      const auto end = std::to_chars(digits, digits + sizeof digits, value.word[0].real).ptr;
      return name + ":" + std::string(digits, end);
    }
    default:
      return name;
  }
}

std::string ScanAll(Scanner& scanner, bool lines) {
  std::string all;
  for (;;) {
    VarnoValue value{};
    const int token = scanner.Scan(&value);
    if (token == 0) return all;
    if (!all.empty()) all += ' ';
    all += Describe(token, value);
    if (lines) all += "@" + std::to_string(scanner.line());
  }
}

std::string CaptureStderr(const std::function<void()>& call) {
  tesk::testing::TempDir dir;
  const std::filesystem::path file = dir.path() / "stderr.txt";
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  const int target = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(target, STDERR_FILENO);
  close(target);
  call();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  return tesk::testing::ReadFile(file);
}

}  // namespace varno::testing
