// The input of a parse: the fields of a parse context that the scanner reads through and fills.
// One record is current at a time; a compilation makes its context's record current, a nested
// compilation (a parent class) makes its own current and the outer one current again afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

inline constexpr uint8_t kInputFile = 2;  // a source file, read with stdio
inline constexpr uint8_t kInputText = 3;  // a narrow text in memory

struct SourceInput {
  uint8_t mode = 0;
  size_t position = 0;          // read position in the text
  size_t size = 0;              // the file's size when opened, or the text's length
  std::FILE* file = nullptr;
  const char* text = nullptr;   // advances as the text is read
  kivo::List* strings = nullptr;  // every text the scanner hands out, in core memory; may be null
};

// The record every refill reads from; null reads as an invalid input.
void SetCurrentSourceInput(SourceInput* input);
SourceInput* CurrentSourceInput();

// Copies the next bytes of the current input into the buffer, at most `maximum`; 0 is the end of
// input. A file's CR LF pairs arrive as one LF (a lone CR stays).
size_t ReadSourceChunk(char* buffer, size_t maximum);

// Opens a source file for reading (the path is a system path) and records its size; failure
// leaves the record as it was and reports nothing.
RTSuccess OpenSourceFile(SourceInput* input, const char16_t* path);
void CloseSourceFile(SourceInput* input);
// Reads `length` bytes of the text; the text must outlive the reading.
void SetSourceText(SourceInput* input, const char* text, size_t length);

}  // namespace varno
