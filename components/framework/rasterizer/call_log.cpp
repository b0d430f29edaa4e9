#include "call_log.h"

#include <charconv>
#include <cstdlib>

#include "kivo/support/pack_index.h"
#include "platform/utf.h"

namespace rasterizer {

CallLog::CallLog() {
  if (const char* file = std::getenv("TESK_RASTERIZER_RECORD"); file && *file) Open(file);
}

CallLog::~CallLog() { Open(""); }

bool CallLog::Open(const std::string& file) {
  if (out_) std::fclose(out_);
  out_ = file.empty() ? nullptr : std::fopen(file.c_str(), "a");
  // Each line is written as it comes, so a log read mid-run, or after a crash, is whole.
  if (out_) std::setvbuf(out_, nullptr, _IOLBF, 0);
  return file.empty() || out_;
}

void CallLog::Write(const std::string& line) {
  if (!out_) return;
  std::fputs(line.c_str(), out_);
  std::fputc('\n', out_);
}

namespace {

template <class T>
void Number(std::string& line, T value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  line.append(text, end);
}

void Quoted(std::string& line, std::string_view text) {
  line += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      line += '\\';
      line += c;
    } else if (c == '\n') {
      line += "\\n";
    } else if (static_cast<unsigned char>(c) < 0x20) {
      line += ' ';
    } else {
      line += c;
    }
  }
  line += '"';
}

template <class... Floats>
void Tuple(std::string& line, Floats... values) {
  line += '(';
  bool first = true;
  ((line += first ? "" : ", ", first = false, Number(line, values)), ...);
  line += ')';
}

}  // namespace

void Append(std::string& line, uint32_t value) { Number(line, value); }
void Append(std::string& line, int32_t value) { Number(line, value); }
void Append(std::string& line, float value) { Number(line, value); }

void Append(std::string& line, Hex value) {
  line += "0x";
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value.value, 16).ptr;
  line.append(text, end);
}

void Append(std::string& line, Matrix value) {
  if (!value.value) {
    line += "null";
    return;
  }
  line += '[';
  for (int i = 0; i < 16; ++i) {
    if (i) line += ", ";
    Number(line, value.value->m[i / 4][i % 4]);
  }
  line += ']';
}

void Append(std::string& line, const RTFVector3D& value) { Tuple(line, value.x, value.y, value.z); }
void Append(std::string& line, const RTFVector2D& value) { Tuple(line, value.x, value.y); }
void Append(std::string& line, const RTFColorRGB& value) { Tuple(line, value.r, value.g, value.b, value.a); }

void Append(std::string& line, const RTFVector3D* value) {
  if (value) {
    Append(line, *value);
  } else {
    line += "null";
  }
}

void Append(std::string& line, const RTFVector2D* value) {
  if (value) {
    Append(line, *value);
  } else {
    line += "null";
  }
}

void Append(std::string& line, const RTPrimitive* value) {
  if (!value) {
    line += "null";
    return;
  }
  line += "primitive ";
  Number(line, value->serial);
  line += " {kind ";
  Append(line, Hex{value->kind});
  line += ", material ";
  Number(line, value->materialIndex);
  line += ", count ";
  Number(line, value->count);
  line += ", indices ";
  const uint32_t indices = value->kind == kivo::rasterizer::kTriangleList ? value->count * 3 : value->count;
  Append(line, Array<uint32_t>{value->indices, indices <= value->capacity ? indices : 0});
  line += '}';
}

void Append(std::string& line, Text value) {
  if (value.value) {
    Quoted(line, platform::ToUtf8(value.value));
  } else {
    line += "null";
  }
}

void Append(std::string& line, ProgramText value) {
  if (value.value) {
    Quoted(line, value.value);
  } else {
    line += "null";
  }
}

// Pixel blocks are logged by their size and CRC.
void Append(std::string& line, Bytes value) {
  if (!value.data) {
    line += "null";
    return;
  }
  line += '[';
  Number(line, value.count);
  line += " bytes, crc ";
  Append(line, Hex{kivo::Crc32Mpeg2({value.data, value.count})});
  line += ']';
}

void Append(std::string& line, Named value) { line += value.name; }

void Append(std::string& line, Floats value) {
  Append(line, Array<float>{value.data, value.count});
}

}  // namespace rasterizer
