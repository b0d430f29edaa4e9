// Materials: RTMaterial's StreamIn, as a material of the instance store reaches it.
#include "fuzz_host.h"
#include "kivo/material/material_calls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({.components = {"RTMaterial", "RTImage"}, .rasterizer = true});
  tesk::fuzz::StreamIntoNew(kivo::material::kClassName, data, size);
  return 0;
}
