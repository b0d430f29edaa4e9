// What every command-line tool shares before its own work: the options --help and --verbose, the
// refusal of a bad command line, the registry file of the staged tree the tool runs from, and
// where the core's debug output goes.
//
// The registry file of a tool is $TESK_REGISTRY when that is set; else the "registry.ini" of the
// staged tree the tool was installed into (the folder above the tool's own folder), when there is
// one; else the user's ($XDG_CONFIG_HOME/tesk/registry.ini). The core's debug output (its
// registration lines, the memory report at shutdown) goes to $TESK_DEBUG_LOG, or nowhere, unless
// --verbose sends it to standard error; the tool's own errors always go to standard error, after
// what it printed on standard output.
#pragma once

#include <optional>

namespace tesk {

// Exit status of a command line a tool cannot use.
inline constexpr int kExitUsage = 2;

struct ToolText {
  const char* usage;    // the usage lines, each starting "usage: " or aligned below it
  const char* options;  // what the arguments and options mean, for --help
};

// Takes --help and --verbose out of the arguments wherever they stand, and prepares the registry
// and the debug output. With --help the help is printed on standard output and the exit status
// (0) is returned; otherwise nothing, and the tool goes on with the arguments left.
std::optional<int> StartTool(int& argc, char** argv, const ToolText& text);

// The usage on standard error; returns kExitUsage.
int RefuseCommandLine(const ToolText& text);

// A message on standard error (printf-style), after what the tool has printed on standard output
// so far, which is flushed first: both keep their order when they go to one place.
void PrintError(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tesk
