// Helpers of the compiler tests: a source input that owns its string list, readable renderings of
// tokens, and the capture of the parser's trace.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "compiler/scanner.h"
#include "compiler/source_input.h"

namespace varno::testing {

// A source input with a string list of its own; it is made current when created, and when it goes
// it frees every text the scanner recorded in its list and closes its file.
class ScopedSource {
 public:
  ScopedSource();  // no input yet (mode 0)
  explicit ScopedSource(std::string_view text);
  ~ScopedSource();
  ScopedSource(const ScopedSource&) = delete;
  ScopedSource& operator=(const ScopedSource&) = delete;

  bool OpenFile(const std::filesystem::path& file);
  void MakeCurrent() { SetCurrentSourceInput(&input_); }
  SourceInput& input() { return input_; }
  size_t recorded() const { return input_.strings ? input_.strings->count : 0; }
  // The recorded texts in order, as UTF-8, separated by "|".
  std::string RecordedTexts() const;

 private:
  std::string text_;
  SourceInput input_;
};

// "IF", "ID:a.b", "INTEGER:-1", "FLOAT:1.5", "STRING:"a\nb"" (line feeds shown as \n).
std::string Describe(int token, const VarnoValue& value);
// Every token up to the end of input, separated by blanks; with `lines`, each followed by
// "@" and the scanner's line counter after it.
std::string ScanAll(Scanner& scanner, bool lines = false);
std::string ToUtf8(const char16_t* text);

// What the call wrote to standard error.
std::string CaptureStderr(const std::function<void()>& call);

}  // namespace varno::testing
