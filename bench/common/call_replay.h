// A frame's rasterizer calls, recorded once and replayed straight through the rasterizer's slots:
// the anchor of the benchmarks that draw through the recording rasterizer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "kivo/rasterizer/rasterizer_calls.h"

namespace tesk::bench {

// The handles a log names by what they are: "window" and "context".
struct ReplayHandles {
  void* window = nullptr;
  kivo::rasterizer::WindowContext context = nullptr;
};

struct ReplayCall;

class CallReplay {
 public:
  // Records the calls `draw` makes into `log` (emptied first: the rasterizer appends) and reads
  // them back. A call with no replay ends the process with its line on standard error. Two are
  // replayed by their nearest equivalent: a primitive the log gives by content is made here, once
  // per recorded serial, with CreatePrimitive and that content (in place of the stream it was read
  // from), and a getter's out arguments go to scratch places of the replay's own.
  CallReplay(RTInstance rasterizer, const std::filesystem::path& log, const std::function<void()>& draw,
             ReplayHandles handles = {});
  ~CallReplay();
  CallReplay(const CallReplay&) = delete;
  CallReplay& operator=(const CallReplay&) = delete;

  void Run() const;
  size_t size() const;

 private:
  ReplayCall Parse(const std::string& line);
  // The primitive of a recorded serial, made once with the content the log gives it.
  RTPrimitive* PrimitiveOf(uint32_t serial, uint32_t kind, uint32_t material, uint32_t count,
                           const std::vector<uint32_t>& indices);

  RTInstance rasterizer_;
  ReplayHandles handles_;
  std::vector<ReplayCall> calls_;
  std::map<uint32_t, RTPrimitive*> primitives_;
};

}  // namespace tesk::bench
