#include "compiler/source_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "kivo/support/raise.h"
#include "platform/paths.h"

namespace varno {

namespace {

SourceInput* gCurrentInput = nullptr;

void ReportInvalidStream() { kivo::RaiseFormatted(kivo::kLevelError, u"[VARNO Lexer] Invalid input stream?"); }

// Drops the CR of every CR LF pair in place; gives the new length.
size_t JoinLineEnds(char* buffer, size_t length) {
  size_t out = 0;
  for (size_t i = 0; i < length; ++i) {
    if (buffer[i] == '\r' && i + 1 < length && buffer[i + 1] == '\n') continue;
    buffer[out++] = buffer[i];
  }
  return out;
}

size_t ReadFileChunk(SourceInput& input, char* buffer, size_t maximum) {
  long at = -1;
  if (input.file) {
    errno = 0;
    at = std::ftell(input.file);
  } else {
    errno = EBADF;
  }
  if (at < 0) {
    if (errno == EBADF) {
      kivo::RaiseFormatted(kivo::kLevelError, u"Bad file pointer?");
    } else if (errno == ESPIPE) {
      kivo::RaiseFormatted(kivo::kLevelError, u"Illegal seek on device?");
    } else {
      kivo::RaiseFormatted(kivo::kLevelError, u"Unrecognized error?");
    }
    return 0;
  }
  const size_t position = static_cast<size_t>(at);
  if (position >= input.size) return 0;
  const size_t wanted = std::min(maximum, input.size - position);
  size_t length = JoinLineEnds(buffer, std::fread(buffer, 1, wanted, input.file));
  // A CR that ends the chunk may be the first half of a pair that the next read would split.
  if (length > 0 && buffer[length - 1] == '\r' && position + wanted < input.size) {
    const int next = std::fgetc(input.file);
    if (next == '\n') {
      buffer[length - 1] = '\n';
    } else if (next != EOF) {
      std::ungetc(next, input.file);
    }
  }
  return length;
}

size_t ReadTextChunk(SourceInput& input, char* buffer, size_t maximum) {
  if (!input.text) {
    ReportInvalidStream();
    return 0;
  }
  if (input.position >= input.size) return 0;
  const size_t count = std::min(maximum, input.size - input.position);
  std::memcpy(buffer, input.text, count);
  input.text += count;
  input.position += count;
  return count;
}

}  // namespace

void SetCurrentSourceInput(SourceInput* input) { gCurrentInput = input; }

SourceInput* CurrentSourceInput() { return gCurrentInput; }

size_t ReadSourceChunk(char* buffer, size_t maximum) {
  SourceInput* input = gCurrentInput;
  if (input && input->mode == kInputFile) return ReadFileChunk(*input, buffer, maximum);
  if (input && input->mode == kInputText) return ReadTextChunk(*input, buffer, maximum);
  ReportInvalidStream();
  return 0;
}

RTSuccess OpenSourceFile(SourceInput* input, const char16_t* path) {
  if (!input || !path) return kRTFailure;
  std::FILE* file = std::fopen(platform::NativePath(path).c_str(), "rb");
  if (!file) return kRTFailure;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return kRTFailure;
  }
  input->mode = kInputFile;
  input->file = file;
  input->size = static_cast<size_t>(size);
  input->position = 0;
  return kRTSuccess;
}

void CloseSourceFile(SourceInput* input) {
  if (!input || !input->file) return;
  std::fclose(input->file);
  input->file = nullptr;
}

void SetSourceText(SourceInput* input, const char* text, size_t length) {
  if (!input) return;
  input->mode = kInputText;
  input->text = text;
  input->size = length;
  input->position = 0;
}

}  // namespace varno
