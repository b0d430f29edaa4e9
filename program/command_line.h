// Tesk's command line: the limits of a headless run, where the debug output goes, and the help.
#pragma once

#include <optional>

#include "game_form.h"

namespace tesk {

struct CommandLine {
  RunLimits limits;
  std::filesystem::path input;  // the input file to play (empty: none)
  bool verbose = false;  // the debug output on standard error instead of the debug log
  bool help = false;
};

// What the arguments ask for, or nothing when they cannot be used.
std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv);

// The usage line: a refused command line gets it on standard error, --help before kOptions.
inline constexpr char kUsage[] =
    "usage: Tesk [--frames N] [--screenshot FILE.png] [--input FILE] [--verbose] [--help]\n";
// What the program does and a line for each option.
inline constexpr char kOptions[] =
    "Plays the game in its window until the window closes.\n"
    "  --frames N           closes the window after N passes of the game's message pump (1 or more)\n"
    "  --screenshot FILE    with --frames, writes the last frame shown into the PNG file FILE\n"
    "  --input FILE         plays the input file FILE (keys and pointer, a command per pass; see\n"
    "                       docs/input-files.md); a refused file ends the run at once with exit code 64\n"
    "  --verbose            the debug output on standard error instead of the debug log\n"
    "  --help               prints this help and ends\n"
    "The debug output goes to the file $TESK_DEBUG_LOG names, else to $XDG_STATE_HOME/tesk/tesk-debug.log\n"
    "(~/.local/state/tesk/tesk-debug.log), made afresh each run; the game's prints go to standard output.\n";

}  // namespace tesk
