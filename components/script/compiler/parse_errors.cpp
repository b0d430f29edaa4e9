#include "compiler/parse_errors.h"

#include <string>

#include "compiler/parse_context.h"
#include "compiler/report.h"
#include "compiler/scanner.h"
#include "kivo/support/stream_values.h"

namespace varno {

namespace {

bool gErrorFlag = false;
RTInstance gErrorStream = nullptr;

}  // namespace

RTSuccess ReportParseError(const char16_t* message, int32_t line, const char16_t* file) {
  char16_t text[kMessageUnits];
  kivo::FormatTo(text, kMessageUnits, u"[PARSE ERROR] %s in file: %s, on line: %d\n", message, file, line);
  kivo::ModuleCore()->RaiseError(nullptr, text, kivo::kLevelError);
  if (gErrorStream) kivo::StreamWriteWString(gErrorStream, text);
  return kRTSuccess;
}

void ParserError(const char* message) {
  std::u16string wide;
  for (const char* at = message ? message : ""; *at; ++at) wide += static_cast<char16_t>(static_cast<unsigned char>(*at));
  ParseContext* context = CurrentParseContext();
  ReportParseError(wide.c_str(), ProcessScanner().line(), context ? context->fileName : nullptr);
  if (context) context->errorMark = 1;
}

void FailAction(const char16_t* message) {
  Raise(u"%s", message);
  ParserError("");
  gErrorFlag = true;
}

bool ParserErrorFlag() { return gErrorFlag; }
void SetParserErrorFlag(bool set) { gErrorFlag = set; }

RTSuccess SetParseErrorStream(RTInstance stream) {
  CoreTable* core = kivo::ModuleCore();
  if (gErrorStream) core->ReleaseInstance(nullptr, gErrorStream);
  gErrorStream = nullptr;
  if (stream && core->ResolveHandle(nullptr, stream)) gErrorStream = stream;
  return kRTSuccess;
}

RTInstance ParseErrorStream() { return gErrorStream; }

}  // namespace varno
