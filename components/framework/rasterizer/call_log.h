// The rasterizer's recording mode: with $TESK_RASTERIZER_RECORD naming a file when an instance is
// made, every call of that instance is appended to the file as one line, "Name(arguments) -> result".
#pragma once

#include <cstdint>
#include <string>

namespace rasterizer {

class CallLog {
 public:
  CallLog();
  void Record(const std::string& call, uint32_t result) const;

 private:
  std::string file_;
};

}  // namespace rasterizer
