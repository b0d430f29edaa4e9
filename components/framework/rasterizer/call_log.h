// The rasterizer's recording mode. While a log file is open, every call is appended to it as one
// line, "Name(arguments) -> result", with every argument by value so that logs repeat from run to
// run: numbers in decimal (GL enumerants in hex), floats in their shortest exact form, matrices as
// 16 floats, arrays as "[count: values]", texts quoted, primitives by their content, out arguments
// as "out value" once the call has run, and handles by what they are ("context", "stream").
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "kivo/rasterizer/rasterizer_calls.h"

namespace rasterizer {

class CallLog {
 public:
  // Opens $TESK_RASTERIZER_RECORD when it names a file.
  CallLog();
  ~CallLog();
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;

  // Appends to `file` from now on; an empty name stops recording.
  bool Open(const std::string& file);
  bool active() const { return out_ != nullptr; }
  void Write(const std::string& line);

 private:
  std::FILE* out_ = nullptr;
};

// Arguments that are logged otherwise than as plain numbers.
struct Hex {
  uint32_t value;
};
struct Matrix {
  const RTFMatrix4x4* value;
};
template <class T>
struct Array {
  const T* data;
  uint32_t count;
};
template <class T>
struct Out {
  const T* value;
};
struct Text {
  const char16_t* value;
};
struct ProgramText {
  const char* value;
};
struct Bytes {
  const uint8_t* data;
  size_t count;
};
// A handle described by what it is.
struct Named {
  const char* name;
};
// Floats behind a pointer, `count` of them.
struct Floats {
  const float* data;
  uint32_t count;
};

void Append(std::string& line, uint32_t value);
void Append(std::string& line, int32_t value);
void Append(std::string& line, float value);
void Append(std::string& line, Hex value);
void Append(std::string& line, Matrix value);
void Append(std::string& line, const RTFVector3D& value);
void Append(std::string& line, const RTFVector2D& value);
void Append(std::string& line, const RTFColorRGB& value);
void Append(std::string& line, const RTPrimitive* value);
void Append(std::string& line, Text value);
void Append(std::string& line, ProgramText value);
void Append(std::string& line, Bytes value);
void Append(std::string& line, Named value);
void Append(std::string& line, Floats value);
// A vector given by pointer.
void Append(std::string& line, const RTFVector3D* value);
void Append(std::string& line, const RTFVector2D* value);

template <class T>
void Append(std::string& line, Array<T> value) {
  if (!value.data) {
    line += value.count ? "null" : "[0]";
    return;
  }
  line += '[';
  Append(line, value.count);
  line += value.count ? ": " : "";
  for (uint32_t i = 0; i < value.count; ++i) {
    if (i) line += ", ";
    Append(line, value.data[i]);
  }
  line += ']';
}

template <class T>
void Append(std::string& line, Out<T> value) {
  line += "out ";
  if (value.value) {
    Append(line, *value.value);
  } else {
    line += "null";
  }
}

// An argument described once the call has run, by a callable that appends to the line.
template <class F>
struct Later {
  F describe;
};
template <class F>
Later(F) -> Later<F>;

template <class F>
void Append(std::string& line, const Later<F>& value) {
  value.describe(line);
}

// "Name(a, b) -> result".
template <class... Args>
std::string CallLine(const char* name, bool result, const Args&... args) {
  std::string line = name;
  line += '(';
  bool first = true;
  ((line += first ? "" : ", ", first = false, Append(line, args)), ...);
  line += result ? ") -> 1" : ") -> 0";
  return line;
}

}  // namespace rasterizer
