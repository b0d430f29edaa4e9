#include "compiler/syntax_error.h"

#include "compiler/parse_errors.h"
#include "compiler/report.h"
#include "kivo/support/stream_values.h"

namespace varno {

void ReportSyntaxError(std::u16string_view message, const char16_t* file, int32_t line) {
  const std::u16string_view cut = message.substr(0, kMessageUnits - 1);
  char16_t text[kMessageUnits];
  kivo::FormatTo(text, kMessageUnits, u"[SYNTAX ERROR] %s in file: %s, on line: %d\n", cut, file, line);
  CoreTable* core = kivo::ModuleCore();
  core->RaiseError(nullptr, text, kivo::kLevelError);
  if (RTInstance stream = ParseErrorStream()) kivo::StreamWriteWString(stream, text);
  core->RaiseError(nullptr, text, kivo::kLevelError);
}

}  // namespace varno
