#include "compiler/scanner.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "compiler/source_input.h"
#include "kivo/support/list.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "varno_grammar.hpp"

namespace varno {

namespace {

struct Keyword {
  std::string_view text;
  int token;
};

// Case-sensitive; a word is a keyword only when it is exactly one of these.
constexpr Keyword kKeywords[] = {
    {"constants", CONSTANTS}, {"attributes", ATTRIBUTES}, {"event", EVENT},
    {"listener", LISTENER},   {"speaker", SPEAKER},       {"listen", LISTEN},
    {"deafen", DEAFEN},       {"method", METHOD},         {"state", STATE},
    {"instate", INSTATE},     {"return", RETURN},         {"eval", EVAL},
    {"new", NEW},             {"dnew", DNEW},             {"is", IS},
    {"public", PUBLIC},       {"private", PRIVATE},       {"struct", STRUCT},
    {"number", NUMBER},       {"percentage", PERCENTAGE}, {"real", REAL},
    {"string", STR},          {"Thing", THING},           {"atan", ATAN},
    {"acos", ACOS},           {"asin", ASIN},             {"sin", SIN},
    {"cos", COS},             {"tan", TAN},               {"sqrt", SQRT},
    {"sqr", SQR},             {"abs", ABS},               {"PI", C_PI},
    {"true", C_TRUE},         {"false", C_FALSE},         {"null", C_NULL},
    {"vector3", VECTOR3},     {"vector2", VECTOR2},       {"orient2", ORIENT2},
    {"orient3", ORIENT3},     {"color3", COLOR3},         {"database", DATABASE},
    {"haskey", HASKEY},       {"remove", REMOVE},         {"keys", KEYS},
    {"retrieve", RETRIEVE},   {"addkey", ADDKEY},         {"list", LIST},
    {"bool", BOOL},           {"none", NONE},             {"if", IF},
    {"else", ELSE},           {"while", WHILE},           {"for", FOR},
    {"do", DO},               {"print", PRINT},           {"nothing", NOTHING},
    {"anything", ANYTHING},   {"switch", SWITCH},         {"trigger", TRIGGER},
    {"implemented", IMPLEMENTED}, {"code", CODE},         {"in", IN},
    {"out", OUT},             {"start", START},           {"stop", STOP},
    {"sleep", SLEEP},         {"canbe", CANBE},           {"not", NOT},
    {"and", AND},             {"xor", XOR},               {"or", OR},
    {"goto", GOTO},           {"inherited", INHERITED},   {"rand", RAND},
    {"priority", PRIORITY},   {"singleton", SINGLETON},   {"_DEBUG", DEBUG},
    {"exit", EXIT_FUNC},      {"copylisten", COPYLISTEN},
};

bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameByte(int c) { return IsLetter(c) || IsDigit(c) || c == '.'; }

int FindKeyword(std::string_view word) {
  for (const Keyword& keyword : kKeywords) {
    if (keyword.text == word) return keyword.token;
  }
  return 0;
}

// A UTF-16 copy in core memory (each byte widened on its own), recorded in the current input's
// string list.
char16_t* CopyText(const char* bytes, size_t length) {
  void* block = nullptr;
  if (length >= std::numeric_limits<uint32_t>::max() ||
      !kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(char16_t), static_cast<uint32_t>(length + 1), &block, 0)) {
    return nullptr;
  }
  auto* text = static_cast<char16_t*>(block);
  for (size_t i = 0; i < length; ++i) text[i] = static_cast<unsigned char>(bytes[i]);
  text[length] = 0;
  if (SourceInput* input = CurrentSourceInput(); input && input->strings) kivo::ListAppend(input->strings, text);
  return text;
}

// Decimal text to a signed 32-bit value; out-of-range values saturate.
int32_t IntegerValue(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long>(value, std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max()));
}

float RealValue(const std::string& text) { return static_cast<float>(std::strtod(text.c_str(), nullptr)); }

}  // namespace

// Text bytes and two terminating zero bytes.
struct Scanner::Buffer {
  char* data = nullptr;
  size_t capacity = 0;
  size_t length = 0;   // bytes read so far
  size_t start = 0;    // first byte not yet scanned: the start of the token being matched
  bool ended = false;  // a read gave nothing

  explicit Buffer(size_t bytes) : capacity(bytes) {
    data = static_cast<char*>(std::calloc(capacity + 2, 1));
    if (!data) std::abort();  // running out of memory for a buffer is fatal
  }
  ~Buffer() { std::free(data); }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  void Grow() {
    const size_t bytes = capacity * 2;
    char* grown = static_cast<char*>(std::realloc(data, bytes + 2));
    if (!grown) std::abort();
    data = grown;
    capacity = bytes;
  }
};

Scanner::~Scanner() {
  delete current_;
  for (Buffer* buffer : saved_) delete buffer;
}

size_t Scanner::buffer_capacity() const { return current_ ? current_->capacity : 0; }

void Scanner::Refill() {
  Buffer& buffer = *current_;
  // The token being matched moves to the front; when it fills the whole buffer, the buffer doubles.
  const size_t kept = buffer.length - buffer.start;
  if (buffer.start > 0) {
    std::memmove(buffer.data, buffer.data + buffer.start, kept);
    buffer.start = 0;
    buffer.length = kept;
  }
  if (buffer.length == buffer.capacity) buffer.Grow();
  const size_t room = std::min(buffer.capacity - buffer.length, kChunkBytes);
  const size_t count = std::min(ReadSourceChunk(buffer.data + buffer.length, room), room);
  if (count == 0) {
    buffer.ended = true;
  } else {
    buffer.length += count;
  }
  buffer.data[buffer.length] = 0;
  buffer.data[buffer.length + 1] = 0;
}

int Scanner::Peek(size_t offset) {
  while (current_->start + offset >= current_->length && !current_->ended) Refill();
  const size_t at = current_->start + offset;
  return at < current_->length ? static_cast<unsigned char>(current_->data[at]) : -1;
}

void Scanner::Consume(size_t count) { current_->start += count; }

int Scanner::Take(size_t count, int token) {
  Consume(count);
  return token;
}

const char* Scanner::TokenText() const { return current_->data + current_->start; }

int Scanner::EndOfInput() {
  if (!saved_.empty()) {
    PopIncludeFile();
  } else {
    ResetScanner();
  }
  return 0;
}

void Scanner::SkipLineComment() {
  for (int c = Peek(0); c >= 0; c = Peek(0)) {
    Consume(1);
    if (c == '\n') break;
  }
  ++line_;
}

// Ends right after the first "*" that is directly followed by ")", or at the end of input.
void Scanner::SkipBlockComment() {
  bool afterStar = false;
  for (int c = Peek(0); c >= 0; c = Peek(0)) {
    Consume(1);
    if (afterStar && c == ')') return;
    if (c == '\n') ++line_;
    afterStar = c == '*';
  }
}

int Scanner::Scan(VarnoValue* value) {
  VarnoValue ignored;
  if (!value) value = &ignored;
  if (!current_) current_ = new Buffer(kBufferBytes);

  for (;;) {
    const int c = Peek(0);
    if (c < 0) return EndOfInput();

    if (IsLetter(c)) {
      size_t length = 1;
      while (IsNameByte(Peek(length))) ++length;
      const std::string_view word(TokenText(), length);
      if (const int keyword = FindKeyword(word)) return Take(length, keyword);
      value->word[0].text = CopyText(word.data(), length);
      return Take(length, ID);
    }

    if (IsDigit(c) || (c == '-' && IsDigit(Peek(1)))) {
      size_t length = c == '-' ? 1 : 0;
      while (IsDigit(Peek(length))) ++length;
      const bool real = Peek(length) == '.';
      if (real) {
        ++length;
        while (IsDigit(Peek(length))) ++length;
      }
      const std::string text(TokenText(), length);
      Consume(length);
      if (real) {
        value->word[0].real = RealValue(text);
        return FLOAT;
      }
      value->word[0].integer = IntegerValue(text);
      return INTEGER;
    }

    // Blanks, line feeds and comments are skipped. Longest match: for the operators that have a
    // two-byte form, the second byte decides.
    switch (c) {
      case '\n':
        Consume(1);
        ++line_;
        continue;
      case ' ':
      case '\t':
        Consume(1);
        continue;
      case '\'':
        Consume(1);
        SkipLineComment();
        continue;
      case '(':
        if (Peek(1) == '*') {
          Consume(2);
          SkipBlockComment();
          continue;
        }
        return Take(1, OPEN_PARENS);
      case '"': {
        size_t length = 1;
        int d = Peek(length);
        while (d >= 0 && d != '"') d = Peek(++length);
        if (d < 0) return Take(1, ERROR_TOKEN);  // no closing quote: the quote alone is no token
        value->word[0].text = CopyText(TokenText() + 1, length - 1);
        return Take(length + 1, STRING);
      }
      case '=': return Peek(1) == '=' ? Take(2, EQUAL) : Take(1, ASSIGNMENT);
      case '!': return Peek(1) == '=' ? Take(2, NEQUAL) : Take(1, ERROR_TOKEN);
      case '<': return Peek(1) == '=' ? Take(2, LE) : Take(1, LT);
      case '>': return Peek(1) == '=' ? Take(2, GE) : Take(1, GT);
      case '[': return Peek(1) == ']' ? Take(2, ARRAY) : Take(1, OPEN_BRACKET);
      case '*': return Peek(1) == '=' ? Take(2, MULEQUAL) : Take(1, ASTERISK);
      case '/': return Peek(1) == '=' ? Take(2, DIVEQUAL) : Take(1, FWDSLASH);
      case '+': {
        const int next = Peek(1);
        return next == '=' ? Take(2, PLUSEQUAL) : next == '+' ? Take(2, PLUSPLUS) : Take(1, PLUS);
      }
      case '-': {
        const int next = Peek(1);
        return next == '=' ? Take(2, MINUSEQUAL) : next == '-' ? Take(2, MINUSMINUS) : Take(1, MINUS);
      }
      case ';': return Take(1, END_STATEMENT);
      case ':': return Take(1, COLON);
      case ',': return Take(1, COMMA);
      case ')': return Take(1, CLOSE_PARENS);
      case '{': return Take(1, OPEN_BRACE);
      case '}': return Take(1, CLOSE_BRACE);
      case ']': return Take(1, CLOSE_BRACKET);
      case '&': return Take(1, AMPERSAND);
      case '.': return Take(1, PERIOD);
      default: return Take(1, ERROR_TOKEN);
    }
  }
}

RTSuccess Scanner::PushIncludeFile() {
  if (saved_.size() >= kMaxSavedBuffers) {
    kivo::RaiseFormatted(kivo::kLevelError, u"[VARNO LEXER] Include file nesting too deep!");
    return kRTFailure;
  }
  saved_.push_back(current_);
  current_ = new Buffer(kBufferBytes);
  return kRTSuccess;
}

RTSuccess Scanner::PopIncludeFile() {
  if (saved_.empty()) return kRTFailure;
  delete current_;
  current_ = saved_.back();
  saved_.pop_back();
  return kRTSuccess;
}

void Scanner::ResetScanner() {
  if (!current_) return;
  current_->start = 0;
  current_->length = 0;
  current_->ended = false;
  current_->data[0] = 0;
  current_->data[1] = 0;
}

Scanner& ProcessScanner() {
  static Scanner scanner;
  return scanner;
}

int VarnoScanner(VarnoValue* value) { return ProcessScanner().Scan(value); }
RTSuccess PushIncludeFile() { return ProcessScanner().PushIncludeFile(); }
RTSuccess PopIncludeFile() { return ProcessScanner().PopIncludeFile(); }
void ResetScanner() { ProcessScanner().ResetScanner(); }

}  // namespace varno
