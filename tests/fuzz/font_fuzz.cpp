// Fonts: RTFont's StreamIn, as a font of the instance store reaches it.
#include "fuzz_host.h"
#include "kivo/font/font_calls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({.components = {"RTFont"}, .rasterizer = true});
  tesk::fuzz::StreamIntoNew(kivo::font::kClassName, data, size);
  return 0;
}
