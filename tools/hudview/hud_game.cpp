#include "hud_game.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "kivo/rasterizer/rasterizer_calls.h"
#include "platform/utf.h"
#include "screen_drawing.h"
#include "tesk/game_slots.h"

namespace hudview {

namespace {

namespace r = kivo::rasterizer;

constexpr int32_t kOptionWidth = 1;
int32_t gWidth = 1024;

// The host's options: the screen width; every other option 0. Nothing is stored.
int32_t GetOption(int32_t id, int32_t* value) {
  *value = id == kOptionWidth ? gWidth : 0;
  return 1;
}
int32_t SetOption(int32_t, int32_t) { return 1; }

}  // namespace

bool HudGame::Start(CoreTable& core, int32_t width, std::string* error) {
  namespace game = tesk::game;
  gWidth = width;
  const auto height = static_cast<uint32_t>(width * 3 / 4);
  varno::RTVarnoConstantValue result{};
  if (!core.GetFirstInstanceByString(nullptr, game::kClassName, game_.out(), 1, nullptr) || !game_.get()) {
    *error = "the game component is missing";
    return false;
  }
  if (!kivo::CallMethod(game_.get(), game::kLevel, game::kSetOptionCallbacks, SetOption, GetOption) ||
      !kivo::CallMethod(game_.get(), game::kLevel, game::kSetMainWindowHandle, static_cast<void*>(nullptr),
                        static_cast<uint32_t>(width), height) ||
      !kivo::CallMethod(game_.get(), game::kLevel, game::kStartup, nullptr, 0u, nullptr, &result, nullptr)) {
    *error = "the game does not start";
    return false;
  }
  return true;
}

bool HudGame::Picture(const std::string& png, const std::function<void()>& draw, std::string* error) {
  const RTInstance rasterizer = record().rasterizer;
  if (!r::BeginFrame(rasterizer, record().windowContext)) {
    *error = "cannot make an offscreen frame";
    return false;
  }
  r::SetClearColor(rasterizer, 0.0f, 0.0f, 0.0f, 1.0f);
  r::SetClearMask(rasterizer, r::kClearColour | r::kClearDepth);
  r::BeginScene(rasterizer);
  tesk::game::gui::SavedProjection saved{};
  tesk::game::gui::BeginScreenDrawing(instance(), &saved);
  draw();
  tesk::game::gui::EndScreenDrawing(instance(), saved);
  r::EndScene(rasterizer);
  r::PresentFrame(rasterizer);
  if (!r::Screenshot(rasterizer, platform::FromUtf8(png).c_str())) {
    *error = "cannot write " + png;
    return false;
  }
  return true;
}

size_t HudGame::CountCalls(const std::string& prefix, const std::function<void()>& draw) {
  size_t count = 0;
  for (const std::string& line : Calls(draw)) count += line.rfind(prefix, 0) == 0;
  return count;
}

std::vector<std::string> HudGame::Calls(const std::function<void()>& draw) {
  const RTInstance rasterizer = record().rasterizer;
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("hudview-" + std::to_string(::getpid()) + ".calls");
  std::filesystem::remove(file);
  r::Record(rasterizer, file.u16string().c_str());
  draw();
  r::Record(rasterizer, nullptr);
  std::vector<std::string> lines;
  std::ifstream calls(file);
  for (std::string line; std::getline(calls, line);) lines.push_back(line);
  std::filesystem::remove(file);
  return lines;
}

}  // namespace hudview
