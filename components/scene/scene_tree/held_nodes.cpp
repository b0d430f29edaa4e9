// The instances a scene tree holds beside its rooms (render camera, audio listener, editor project,
// hit-test filter), its designing flags and its lightmap settings.
#include "kivo/audio/audio_service_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "scene_tree_methods.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

// Holds `instance` (null allowed) in `field` in place of what it held; the new reference is taken
// first, so handing in the instance already held never lets it go.
RTSuccess Replace(RTInstance& field, RTInstance instance) {
  if (instance && !Core().ResolveHandle(nullptr, instance)) return kRTFailure;
  if (field) Core().ReleaseInstance(nullptr, field);
  field = instance;
  return kRTSuccess;
}

// The field's instance with a reference for the caller (null and success when it holds none).
RTSuccess HandOut(RTInstance field, RTInstance* out) {
  *out = field;
  return field ? Core().ResolveHandle(nullptr, field) : kRTSuccess;
}

}  // namespace

namespace method {

RTSuccess SetRenderCameraNode(RTInstance self, RTInstance node) {
  SceneTreeState* tree = StateOf(self);
  return tree ? Replace(tree->renderCamera, node) : kRTFailure;
}

RTSuccess GetRenderCameraNode(RTInstance self, RTInstance* node) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !node) return kRTFailure;
  if (*node) Core().ReleaseInstance(nullptr, *node);
  return HandOut(tree->renderCamera, node);
}

// A null node is stored, but no listener goes to the audio service: it keeps the last one.
RTSuccess SetListenerNode(RTInstance self, RTInstance node) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !Replace(tree->listener, node)) return kRTFailure;
  const RTFMatrix4x4* world = nullptr;
  if (tree->audioService && node && scene_node::GetWorldMatrix(node, &world))
    audio_service::SetListenerMatrix(tree->audioService, world);
  return kRTSuccess;
}

RTSuccess SetEditorProject(RTInstance self, RTInstance project) {
  SceneTreeState* tree = StateOf(self);
  return tree ? Replace(tree->editorProject, project) : kRTFailure;
}

RTSuccess GetEditorProject(RTInstance self, RTInstance* project) {
  SceneTreeState* tree = StateOf(self);
  return tree && project ? HandOut(tree->editorProject, project) : kRTFailure;
}

RTSuccess SetHitTestFilter(RTInstance self, RTInstance filter) {
  SceneTreeState* tree = StateOf(self);
  return tree ? Replace(tree->hitTestFilter, filter) : kRTFailure;
}

RTSuccess SetDesigningFlags(RTInstance self, uint32_t flags) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  tree->designingFlags = flags;
  return kRTSuccess;
}

RTSuccess GetDesigningFlags(RTInstance self, uint32_t* flags) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !flags) return kRTFailure;
  *flags = tree->designingFlags;
  return kRTSuccess;
}

RTSuccess SetLightmapRez(RTInstance self, float rez) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  tree->lightmapRez = rez;
  return kRTSuccess;
}

RTSuccess GetLightmapRez(RTInstance self, float* rez) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !rez) return kRTFailure;
  *rez = tree->lightmapRez;
  return kRTSuccess;
}

RTSuccess EnableStochasticLightingMode(RTInstance self, uint32_t samples, RTBool on) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  tree->stochasticSamples = on ? samples : 0;
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::scene_tree
