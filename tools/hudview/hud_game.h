// The game hudview draws for: the real game component, started at a screen width (1024 x 768 or
// 800 x 600) on the software rasterizer's offscreen context, and one frame of it drawn in screen
// pixels and written to a PNG file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game_record.h"
#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"

namespace hudview {

class HudGame {
 public:
  // The game singleton, given the window and started; false with the reason.
  bool Start(CoreTable& core, int32_t width, std::string* error);
  RTInstance instance() const { return game_.get(); }
  tesk::game::GamePrivateData& record() const { return *tesk::game::RecordOf(game_.get()); }
  // A frame cleared black, `draw` in screen pixels, then the picture in the file.
  bool Picture(const std::string& png, const std::function<void()>& draw, std::string* error);
  // The number of calls `draw` makes to rasterizer operations whose names start with `prefix`.
  size_t CountCalls(const std::string& prefix, const std::function<void()>& draw);
  // The rasterizer's calls `draw` makes, a line each ("Name(arguments) -> result").
  std::vector<std::string> Calls(const std::function<void()>& draw);

 private:
  kivo::InstanceRef game_;
};

}  // namespace hudview
