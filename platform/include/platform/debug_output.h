// The debug output: one UTF-8 line per call, on standard error or appended to the file named by
// $TESK_DEBUG_LOG.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

void DebugOutput(std::u16string_view text);

// Hears every debug output text as it is written, wherever it goes (one listener; an empty one
// removes it). Used by the program's scripted input to wait for a line.
using DebugOutputListener = std::function<void(std::u16string_view text)>;
void SetDebugOutputListener(DebugOutputListener listener);

// Where a program's debug output goes, decided once at its start: on standard error when
// `toStandardError`; else into the file $TESK_DEBUG_LOG names, appended to as it may gather several
// programs' output; else into `ownLog`, started afresh (its folder made), which the variable then
// names for the programs this one starts. Returns the file, or an empty path for standard error
// (also when `ownLog` cannot be written).
std::filesystem::path RouteDebugOutput(bool toStandardError, const std::filesystem::path& ownLog);

// A file of the user's state folder for Tesk's logs: $XDG_STATE_HOME/tesk/NAME, else
// ~/.local/state/tesk/NAME.
std::filesystem::path UserStateFile(std::string_view name);

}  // namespace platform
