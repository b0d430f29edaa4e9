#include "hud_fixture.h"

#include <cstdlib>

#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"

namespace gametest {

Call ParseCall(const std::string& line) {
  Call call;
  const size_t open = line.find('(');
  call.name = line.substr(0, open);
  const size_t close = line.rfind(") ->");
  if (open == std::string::npos || close == std::string::npos) return call;
  const std::string args = line.substr(open + 1, close - open - 1);
  const char* p = args.c_str();
  while (*p) {
    char* end = nullptr;
    const double value = std::strtod(p, &end);
    if (end != p) {
      call.args.push_back(value);
      p = end;
    } else {
      ++p;
    }
  }
  return call;
}

std::vector<Call> Named(const std::vector<Call>& calls, const std::vector<std::string>& names) {
  std::vector<Call> kept;
  for (const Call& call : calls)
    for (const std::string& name : names)
      if (call.name == name) kept.push_back(call);
  return kept;
}

HudStates Replay(const std::vector<Call>& calls, HudStates states) {
  for (const Call& call : calls) {
    if (call.name == "EnableBlending") states.blending = call.args.at(0);
    if (call.name == "EnableTexturing") states.texturing = call.args.at(0);
    if (call.name == "EnableLighting") states.lighting = call.args.at(0);
    if (call.name == "EnableDepthTest") states.depthTest = call.args.at(0);
    if (call.name == "EnableSmoothing") states.smoothing = call.args.at(0);
    if (call.name == "SetColor" || call.name == "SetColorRGBA")
      for (int i = 0; i < 3; ++i) states.colour[i] = call.args.at(i);
  }
  return states;
}

void HudTest::SetUp() {
  GameTest::SetUp();
  if (HasFatalFailure()) return;
  GiveWindow(0, kWidth, kHeight);
  ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, kivo::rasterizer::kClassName, &record().rasterizer, 1, nullptr));
}

void HudTest::TearDown() {
  tesk::game::gui::ReleaseGuiSkin();
  GameTest::TearDown();
}

std::vector<Call> HudTest::Calls(const std::function<void()>& draw) {
  StartRecording();
  draw();
  std::vector<Call> calls;
  for (const std::string& line : Recorded()) calls.push_back(ParseCall(line));
  return calls;
}

}  // namespace gametest
