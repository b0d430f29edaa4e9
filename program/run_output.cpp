#include "run_output.h"

#include <cstdio>
#include <string>

#include "platform/debug_output.h"
#include "platform/utf.h"

namespace tesk {

std::filesystem::path RouteRunOutput(bool verbose) {
  return platform::RouteDebugOutput(verbose, platform::UserStateFile("tesk-debug.log"));
}

// Flushed a line at a time, so that the prints and the messages on standard error keep their order.
void PrintScriptLine(const char16_t* text) {
  std::string line = platform::ToUtf8(text ? text : u"");
  if (line.empty() || line.back() != '\n') line += '\n';
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
}

void ReportUnfinishedInput(const std::string& position) {
  std::fflush(stdout);
  std::fprintf(stderr, "Tesk: the frame limit came before the input file's end: it stopped at %s\n", position.c_str());
}

void ReportRunError(int exitCode, const std::filesystem::path& debugLog) {
  std::fflush(stdout);
  if (debugLog.empty()) {
    std::fprintf(stderr, "Tesk: the run ended with an error (exit code %d)\n", exitCode);
  } else {
    std::fprintf(stderr, "Tesk: the run ended with an error (exit code %d); the debug log is %s\n", exitCode,
                 debugLog.c_str());
  }
}

}  // namespace tesk
