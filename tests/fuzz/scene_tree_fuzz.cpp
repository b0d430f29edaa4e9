// Scene trees: RTTeskSceneTree's StreamIn, as a level of the instance store reaches it.
#include "fuzz_host.h"
#include "tesk/scene/scene_tree_calls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({.components = {"RTEditable", "RTRenderable", "RTSceneNode", "RTTeskSceneNode",
                                        "RTBrellinRoom", "RTTeskSceneTree"},
                         .rasterizer = true});
  tesk::fuzz::StreamIntoNew(tesk::scene_tree::kClassName, data, size);
  return 0;
}
