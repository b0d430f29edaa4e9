// The Varno scanner: turns source text into the grammar's tokens, skipping blanks and comments
// and counting lines. Longest match wins; among rules that match the same text the first listed
// wins, so a word spelled exactly as a keyword is that keyword and a longer word is an identifier.
//
// The scanner does not hold its input: every refill reads the current source input
// (ReadSourceChunk). It keeps a stack of saved buffers so that the parser can compile another
// class file in the middle of a parse and then go on with the outer file where it stopped.
//
// One scanner serves the process (ProcessScanner); the class exists so that tests can use their
// own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "compiler/value.h"
#include "kivo/types.h"

namespace varno {

class Scanner {
 public:
  static constexpr size_t kBufferBytes = 16384;
  static constexpr size_t kChunkBytes = 8192;
  static constexpr size_t kMaxSavedBuffers = 64;

  Scanner() = default;
  ~Scanner();
  Scanner(const Scanner&) = delete;
  Scanner& operator=(const Scanner&) = delete;

  // The next token code; 0 at the end of input. ID and STRING put a new UTF-16 copy of their text
  // (core memory, also appended to the current input's string list) in the value's first word,
  // INTEGER its i32 and FLOAT its f32; every other token leaves the value as it was.
  //
  // At the end of an included input the saved buffer is made current again and 0 is returned;
  // the next call goes on with the outer input. At the end of the outermost input the scanner
  // resets itself for the next compilation.
  int Scan(VarnoValue* value);

  // Saves the current buffer and starts a new empty one on the current input; fails with a report
  // when 64 buffers are saved already.
  RTSuccess PushIncludeFile();
  // Frees the current buffer and makes the last saved one current, read position included; fails
  // when none is saved.
  RTSuccess PopIncludeFile();
  // Discards what the current buffer holds; the next token is read afresh from the current input.
  void ResetScanner();

  // The line of the current input, counted by line feeds in code and comments.
  int32_t line() const { return line_; }
  void set_line(int32_t line) { line_ = line; }

  size_t saved_buffer_count() const { return saved_.size(); }
  // Capacity of the current buffer in bytes; 0 before the first token.
  size_t buffer_capacity() const;

 private:
  struct Buffer;

  // The byte at `offset` from the start of the token being matched, reading more input when the
  // buffer ends before it; -1 past the end of input.
  int Peek(size_t offset);
  void Refill();
  void Consume(size_t count);
  int Take(size_t count, int token);  // consumes the token's bytes and gives its code
  const char* TokenText() const;
  int EndOfInput();
  void SkipLineComment();
  void SkipBlockComment();

  Buffer* current_ = nullptr;
  std::vector<Buffer*> saved_;
  int32_t line_ = 1;
};

// The scanner of the process and its operations.
Scanner& ProcessScanner();
int VarnoScanner(VarnoValue* value);
RTSuccess PushIncludeFile();
RTSuccess PopIncludeFile();
void ResetScanner();

}  // namespace varno
