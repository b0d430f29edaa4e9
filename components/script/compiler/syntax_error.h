// The checker's error report: "[SYNTAX ERROR] <message> in file: <file>, on line: <line>\n". The
// report is raised at level 5, written to the parse-error stream when one is set, and raised a
// second time.
#pragma once

#include <cstdint>
#include <string_view>

namespace varno {

// The message is cut to 511 units, the whole report to 511 units.
void ReportSyntaxError(std::u16string_view message, const char16_t* file, int32_t line);

}  // namespace varno
