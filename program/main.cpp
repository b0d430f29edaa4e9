// Tesk: the game program. It starts as a single instance, opens its main window, starts the core
// and runs the game script, whose VM calls back into the window's message pump.
//
//   Tesk [--frames N] [--screenshot FILE.png]
//
// --frames closes the main window after N passes of the message pump (headless runs); with
// --screenshot the rasterizer first writes the last frame shown. Exit codes: 0 normal end (or
// another instance already runs), 1 the core or the program's resources did not start, 2 the
// game did not start, 3 the game crashed, 64 bad arguments.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "animated_cursors.h"
#include "game_form.h"
#include "platform/utf.h"
#include "report.h"

namespace {

constexpr int kExitUsage = 64;

bool ParseArguments(int argc, char** argv, tesk::RunLimits* limits) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--frames") == 0 && hasValue) {
      char* end = nullptr;
      const unsigned long frames = std::strtoul(argv[++i], &end, 10);
      if (*end != '\0' || frames == 0 || frames > 0xFFFFFFFFul) return false;
      limits->frames = static_cast<uint32_t>(frames);
    } else if (std::strcmp(argv[i], "--screenshot") == 0 && hasValue) {
      limits->screenshot = platform::FromUtf8(argv[++i]);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  tesk::RunLimits limits;
  if (!ParseArguments(argc, argv, &limits)) {
    std::fprintf(stderr, "usage: Tesk [--frames N] [--screenshot FILE.png]\n");
    return kExitUsage;
  }
  try {
    tesk::TGameForm form(limits, tesk::ProgramResourceFile());
    if (!form.GameFormCreate()) return form.exitCode();
    form.window()->Show();
    form.FormActivate();
    return form.exitCode();
  } catch (const std::exception& error) {
    tesk::ShowMessage(platform::FromUtf8(error.what()));
    return tesk::kExitCoreStartFailed;
  }
}
