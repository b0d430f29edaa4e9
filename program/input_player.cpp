#include "input_player.h"

#include "host_record.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/format.h"
#include "platform/debug_output.h"
#include "platform/injected_input.h"
#include "platform/utf.h"

namespace tesk {

namespace {

using Kind = InputCommandKind;

// Lines heard and not yet passed by a wait-line; the oldest go first beyond this many.
constexpr size_t kHeardLinesKept = 10000;

bool IsWait(Kind kind) { return kind == Kind::kWaitLine || kind == Kind::kWait || kind == Kind::kSleep; }

}  // namespace

InputPlayer::InputPlayer(InputScript script, std::filesystem::path shotFolder)
    : script_(std::move(script)), shotFolder_(std::move(shotFolder)) {
  platform::SetDebugOutputListener([this](std::u16string_view text) { Hear(text); });
}

InputPlayer::~InputPlayer() { platform::SetDebugOutputListener(nullptr); }

void InputPlayer::Step(const platform::Window& window) {
  while (!finished()) {
    const InputCommand& command = script_[next_];
    ++passes_;
    if (IsWait(command.kind)) {
      if (!WaitIsOver(command)) return;
      Advance();
    } else if (command.kind == Kind::kShot) {
      // A shot takes the frame already shown; the next command goes in this same pass.
      Shoot(command);
      Advance();
    } else {
      if (Play(command, window)) Advance();
      return;
    }
  }
}

std::string InputPlayer::Position() const {
  if (finished()) return {};
  return "line " + std::to_string(script_[next_].line) + " (" + script_[next_].source + ")";
}

bool InputPlayer::WaitIsOver(const InputCommand& command) {
  switch (command.kind) {
    case Kind::kWait:
      // The pass that reaches the command is its first; the pass after its last goes on.
      return passes_ > command.count;
    case Kind::kSleep:
      if (passes_ == 1) sleepEnd_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(command.count);
      return std::chrono::steady_clock::now() >= sleepEnd_;
    default: {
      std::lock_guard lock(heardLock_);
      for (auto line = heard_.begin(); line != heard_.end(); ++line) {
        if (line->find(command.text) == std::string::npos) continue;
        heard_.erase(heard_.begin(), line + 1);
        return true;
      }
      return false;
    }
  }
}

bool InputPlayer::Play(const InputCommand& command, const platform::Window& window) {
  switch (command.kind) {
    case Kind::kMove:
      MoveTo(window, command.x, command.y);
      return true;
    case Kind::kPress:
    case Kind::kRelease:
      Button(window, command.button, command.kind == Kind::kPress, command.x, command.y);
      return true;
    case Kind::kClick:
      Button(window, command.button, true, command.x, command.y);
      Button(window, command.button, false, command.x, command.y);
      return true;
    case Kind::kDrag: {
      // Pass 1 presses at the start, passes 2 to STEPS + 1 move, the pass after releases at the end.
      if (passes_ == 1) {
        Button(window, command.button, true, command.x, command.y);
        return false;
      }
      const uint32_t step = passes_ - 1;
      if (step <= command.count) {
        const auto along = [&](int from, int to) {
          return from + static_cast<int>((static_cast<int64_t>(to - from) * step) / command.count);
        };
        MoveTo(window, along(command.x, command.x1), along(command.y, command.y1));
        return false;
      }
      Button(window, command.button, false, command.x1, command.y1);
      return true;
    }
    case Kind::kKey:
    case Kind::kType:
      for (const platform::TypedKey& key : command.keys) platform::InjectKey(window, key.sdlKey, key.shift);
      return true;
    case Kind::kWheel:
      platform::InjectWheel(window, x_ < 0 ? 0 : x_, y_ < 0 ? 0 : y_, command.notches);
      return true;
    default:
      return true;
  }
}

void InputPlayer::MoveTo(const platform::Window& window, int x, int y) {
  platform::InjectMouseMove(window, x, y, leftHeld_, rightHeld_);
  x_ = x;
  y_ = y;
}

void InputPlayer::Button(const platform::Window& window, platform::MouseButton button, bool pressed, int x, int y) {
  // The pointer goes where the button acts first, as a player's hand does.
  if (x != x_ || y != y_) MoveTo(window, x, y);
  platform::InjectMouseButton(window, button, pressed, x, y);
  (button == platform::MouseButton::kLeft ? leftHeld_ : rightHeld_) = pressed;
}

void InputPlayer::Shoot(const InputCommand& command) const {
  const std::u16string path = platform::FromUtf8((shotFolder_ / command.text).string());
  HostRecord* host = Host();
  if (!host || !kivo::rasterizer::Screenshot(host->rasterizer, path.c_str()))
    platform::DebugOutput(kivo::Format(u"No screenshot written to %s", path));
}

void InputPlayer::Hear(std::u16string_view text) {
  const std::string utf8 = platform::ToUtf8(text);
  std::lock_guard lock(heardLock_);
  size_t start = 0;
  while (start < utf8.size()) {
    const size_t end = utf8.find('\n', start);
    heard_.push_back(utf8.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  while (heard_.size() > kHeardLinesKept) heard_.pop_front();
}

void InputPlayer::Advance() {
  ++next_;
  passes_ = 0;
}

}  // namespace tesk
