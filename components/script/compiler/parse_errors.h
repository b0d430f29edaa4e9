// Parse error reports, the parser's error flag and the optional parse-error stream.
//
// Every report is "[PARSE ERROR] <message> in file: <file>, on line: <line>\n", raised at level 5
// and, when the host has set a parse-error stream, also written to it as one wide string.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace varno {

// Formats and raises the report (and writes it to the parse-error stream). Returns 1.
RTSuccess ReportParseError(const char16_t* message, int32_t line, const char16_t* file);
// Reports a narrow message (Latin-1) at the scanner's line with the current context's file name
// and sets the context's error mark.
void ParserError(const char* message);
// A failed parser action: raises the message, reports an empty parse error and sets the parser's
// error flag. The parse goes on unless the action also stops it.
void FailAction(const char16_t* message);

// Set by every failed action; the compile driver tests and clears it.
bool ParserErrorFlag();
void SetParserErrorFlag(bool set);

// Keeps the stream (with a reference of its own) for parse error reports, releasing the one held
// before; null only releases.
RTSuccess SetParseErrorStream(RTInstance stream);
RTInstance ParseErrorStream();

}  // namespace varno
