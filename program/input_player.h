// Plays an input file into the main window: before each pass of the message pump it turns the next
// command into SDL events on SDL's queue, so that they reach the window's handlers and the game as
// the player's own input does, and a frame is drawn between two commands. Waiting commands hold
// the rest: a number of passes, a time of the wall clock, or a debug output line holding a text.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "input_script.h"
#include "platform/window.h"

namespace tesk {

class InputPlayer {
 public:
  // Listens to the debug output from now on; `shotFolder` receives the shot commands' files.
  InputPlayer(InputScript script, std::filesystem::path shotFolder);
  ~InputPlayer();
  InputPlayer(const InputPlayer&) = delete;
  InputPlayer& operator=(const InputPlayer&) = delete;

  // One pass of the message pump: the waits that are over end, then one input command (or one
  // step of a drag) is pushed for `window`.
  void Step(const platform::Window& window);
  bool finished() const { return next_ >= script_.size(); }
  // The command the player stands at, as "line N (COMMAND)"; empty when finished.
  std::string Position() const;

 private:
  // False while the waiting command at `next_` still holds.
  bool WaitIsOver(const InputCommand& command);
  // Pushes the events of the input command at `next_` for this pass; true when it is done.
  bool Play(const InputCommand& command, const platform::Window& window);
  void MoveTo(const platform::Window& window, int x, int y);
  void Button(const platform::Window& window, platform::MouseButton button, bool pressed, int x, int y);
  void Shoot(const InputCommand& command) const;
  void Hear(std::u16string_view text);
  void Advance();

  InputScript script_;
  std::filesystem::path shotFolder_;
  size_t next_ = 0;
  uint32_t passes_ = 0;  // passes the current command has taken so far
  std::chrono::steady_clock::time_point sleepEnd_;
  int x_ = -1;  // the pointer as the injected events left it (-1: not moved yet)
  int y_ = -1;
  bool leftHeld_ = false;
  bool rightHeld_ = false;
  std::mutex heardLock_;
  std::deque<std::string> heard_;  // debug output lines not yet passed by a wait-line
};

}  // namespace tesk
