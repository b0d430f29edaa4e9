// Meshes: RTPolyModel's StreamIn, as a mesh of the instance store reaches it.
#include "fuzz_host.h"
#include "kivo/scene/poly_model_calls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({.components = {"RTRenderable", "RTPolyModel", "RTMaterial", "RTImage"}, .rasterizer = true});
  tesk::fuzz::StreamIntoNew(kivo::poly_model::kClassName, data, size);
  return 0;
}
