// An input file: the commands that drive the program as a player would, one a line. Its format is
// described in docs/input-files.md.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/virtual_keys.h"
#include "platform/window.h"

namespace tesk {

enum class InputCommandKind {
  kWaitLine,  // text: a debug output line holding it
  kWait,      // count: pump passes
  kSleep,     // count: milliseconds of wall clock
  kMove,      // to (x, y), held buttons stay held
  kPress,     // button at (x, y)
  kRelease,   // button at (x, y)
  kClick,     // button pressed and released at (x, y)
  kDrag,      // button from (x, y) to (x1, y1) in count moves
  kKey,       // keys: one
  kType,      // keys: one per character
  kWheel,     // notches
  kShot,      // text: the file name of the frame's PNG
};

struct InputCommand {
  InputCommandKind kind = InputCommandKind::kWait;
  uint32_t line = 0;   // 1-based line of the file
  std::string source;  // the line as written, for reports
  platform::MouseButton button = platform::MouseButton::kLeft;
  int x = 0;
  int y = 0;
  int x1 = 0;
  int y1 = 0;
  uint32_t count = 0;
  int notches = 0;
  std::string text;  // UTF-8
  std::vector<platform::TypedKey> keys;
};

using InputScript = std::vector<InputCommand>;

// The commands of an input file's text, or nothing with `error` naming the line and what is wrong.
std::optional<InputScript> ParseInputScript(std::string_view text, std::string* error);
// The same for a file; the error starts with the file's name.
std::optional<InputScript> LoadInputScript(const std::filesystem::path& file, std::string* error);

}  // namespace tesk
