// Lit meshes: RTStaticLitMesh's StreamIn (its lightmaps after the mesh it derives from), as a
// room's geometry in the instance store reaches it.
#include "fuzz_host.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore(
      {.components = {"RTRenderable", "RTPolyModel", "RTStaticLitMesh", "RTMaterial", "RTImage"}, .rasterizer = true});
  tesk::fuzz::StreamIntoNew(kivo::static_lit_mesh::kClassName, data, size);
  return 0;
}
