// Tesk: the game program. It starts as a single instance, opens its main window, starts the core
// and runs the game script, whose VM calls back into the window's message pump.
//
//   Tesk [--frames N] [--screenshot FILE.png] [--input FILE] [--verbose] [--help]
//
// --frames closes the main window after N passes of the message pump (headless runs); with
// --screenshot the rasterizer first writes the last frame shown. --input plays an input file
// (input_player.h). The debug output goes into the debug log, or with --verbose to standard error
// (run_output.h). Exit codes: 0 normal end (or another instance already runs), 1 the core or the
// program's resources did not start, 2 the game did not start, 3 the game crashed, 4 the frame
// limit came before the input file's end, 64 bad arguments or a refused input file.
#include <cstdio>
#include <exception>
#include <optional>
#include <string>

#include "animated_cursors.h"
#include "command_line.h"
#include "game_form.h"
#include "input_script.h"
#include "platform/utf.h"
#include "report.h"
#include "run_output.h"

namespace {

constexpr int kExitUsage = 64;

int Run(const tesk::RunLimits& limits) {
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

}  // namespace

int main(int argc, char** argv) {
  auto line = tesk::ParseCommandLine(argc, argv);
  if (!line) {
    std::fputs(tesk::kUsage, stderr);
    return kExitUsage;
  }
  if (line->help) {
    std::printf("%s%s", tesk::kUsage, tesk::kOptions);
    return 0;
  }
  if (!line->input.empty()) {
    std::string error;
    std::optional<tesk::InputScript> input = tesk::LoadInputScript(line->input, &error);
    if (!input) {
      std::fprintf(stderr, "Tesk: the input file is refused: %s\n", error.c_str());
      return kExitUsage;
    }
    line->limits.input = std::move(*input);
  }
  const std::filesystem::path log = tesk::RouteRunOutput(line->verbose);
  const int code = Run(line->limits);
  if (code != tesk::kExitNormal) tesk::ReportRunError(code, log);
  return code;
}
