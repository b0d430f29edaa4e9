// Skins: RTBoneModel's StreamIn (its bones after the mesh it derives from), as a skin of the
// instance store reaches it.
#include "fuzz_host.h"
#include "kivo/scene/bone_model_calls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore(
      {.components = {"RTRenderable", "RTPolyModel", "RTBoneModel", "RTMaterial", "RTImage"}, .rasterizer = true});
  tesk::fuzz::StreamIntoNew(kivo::bone_model::kClassName, data, size);
  return 0;
}
