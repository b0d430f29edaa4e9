// Where a run's output goes. The debug output (the core's raised errors and every debug print)
// goes into the debug log: the file $TESK_DEBUG_LOG names, else the user's state folder's
// tesk-debug.log, made afresh; with --verbose it goes to standard error as the debug output
// otherwise does. The game script's prints go to standard output (and stay in the debug output,
// as every print does). A run that ends in error says so on standard error, naming the log.
#pragma once

#include <filesystem>
#include <string>

namespace tesk {

// Decided once, before anything is written; returns the debug log (empty: standard error).
std::filesystem::path RouteRunOutput(bool verbose);

// The VM's print callback: the text on standard output as a line.
void PrintScriptLine(const char16_t* text);

// The note on standard error when the pass limit comes before the input file's end; `position`
// names the command it stopped at.
void ReportUnfinishedInput(const std::string& position);

// The note on standard error at the end of a run with a non-zero exit code.
void ReportRunError(int exitCode, const std::filesystem::path& debugLog);

}  // namespace tesk
