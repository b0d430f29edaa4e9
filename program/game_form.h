// The main form: a borderless window whose whole client area is the render panel. Its
// construction takes the single-instance guard, reads the roots and options, copies the
// rasterizer module, starts the core and registers the cursors; its first activation applies the
// display options and runs the game; closing it asks the game to quit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "input_player.h"
#include "input_script.h"
#include "platform/window.h"

namespace tesk {

// How the process ends: normal end and second instance 0, then a failed core start, a failed
// game start, a crash, and an input file not played to its end when the pass limit came.
enum ExitCode : int {
  kExitNormal = 0,
  kExitCoreStartFailed = 1,
  kExitGameStartFailed = 2,
  kExitGameCrashed = 3,
  kExitInputUnfinished = 4,
};

struct RunLimits {
  // After this many passes of the message pump the form closes itself (0: runs until closed).
  uint32_t frames = 0;
  // Written by the rasterizer when the form closes itself (empty: none).
  std::u16string screenshot;
  // Played into the window, a command per pass of the message pump; its shots go beside the
  // screenshot (else into the current folder).
  InputScript input;
};

class TGameForm {
 public:
  TGameForm(RunLimits limits, std::filesystem::path resourceFile);
  ~TGameForm();
  TGameForm(const TGameForm&) = delete;
  TGameForm& operator=(const TGameForm&) = delete;

  // The construction; false when the program must end at once with exitCode().
  bool GameFormCreate();
  // The first activation runs the whole game; later activations do nothing.
  void FormActivate();
  // Asks the game to quit and gives the screen saver back (once).
  void FormClose();

  int exitCode() const { return exitCode_; }
  platform::Window* window() { return window_; }

  // The pump handed to the game: processes the pending window messages.
  static void ProcessPendingMessages();

 private:
  void InstallHandlers();
  void PlayInput();
  void OnFrame();

  RunLimits limits_;
  std::filesystem::path resourceFile_;
  platform::Window* window_ = nullptr;
  bool screenSaverWasActive_ = false;
  bool coreStarted_ = false;
  bool closed_ = false;
  uint8_t flag_ = 1;  // the form's one-byte flag, cleared at construction
  uint32_t pumps_ = 0;
  std::unique_ptr<InputPlayer> input_;
  bool inputUnfinished_ = false;  // the pass limit came before the input file's end
  int exitCode_ = kExitNormal;
  struct VideoCapture {
    uint32_t state = 0;
    uint8_t* buffer = nullptr;
    uint8_t own[16] = {};
  } capture_;
  std::u16string capturePath_;
};

}  // namespace tesk
