// Motions: RTAnimTrack's StreamIn, as a motion of the instance store reaches it.
#include "fuzz_host.h"
#include "kivo/scene/motion_calls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({.components = {"RTEditable", "RTAnimTrack"}});
  tesk::fuzz::StreamIntoNew(kivo::motion::kClassName, data, size);
  return 0;
}
