// The scene tree's construction and destruction. Construction takes its steps in a fixed order; a
// required step that fails ends it with 0 after undoing every step taken, so a tree that could not
// be made holds nothing. Destruction gives back everything the tree holds.
#include "kivo/audio/audio_service_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"
#include "scene_tree_methods.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

constexpr uint32_t kNameBuckets = 139;
constexpr uint32_t kStartDesigningFlags = 0x1 | 0x2 | 0x4;
constexpr float kStartAmbient = 0.2f;
constexpr float kStartLightmapRez = 0.15f;

void Release(RTInstance& held) {
  if (held) Core().ReleaseInstance(nullptr, held);
  held = nullptr;
}

void ReleaseListed(List*& list) {
  if (!list) return;
  for (RTInstance node : ListItems<RTInstanceRecord>(list)) Core().ReleaseInstance(nullptr, node);
  ListDestroy(list);
  list = nullptr;
}

void FreeReferences(List*& references) {
  if (!references) return;
  for (char16_t* reference : ListItems<char16_t>(references)) Core().ArrayFree(nullptr, reference);
  ListDestroy(references);
  references = nullptr;
}

// Gives back whatever the state holds; the state may be only partly built.
void Teardown(RTInstance self, SceneTreeState& tree) {
  FreeQuadTree(tree);
  ListDestroy(tree.quadQuery);
  ListDestroy(tree.spareLinks);
  if (tree.rooms) ReleaseRooms(self, tree);
  ListDestroy(tree.rooms);
  FreeReferences(tree.roomReferences);
  StrHashTableDestroy(tree.roomNames);
  StrHashTableDestroy(tree.roomPaths);
  ReleaseListed(tree.deferred);
  for (RTInstance* held : {&tree.renderCamera, &tree.listener, &tree.editorProject, &tree.hitTestFilter,
                           &tree.dummyNode, &tree.audioService, &tree.script, &tree.game, &tree.rasterizer})
    Release(*held);
}

// A singleton by class name, made when there is none.
bool TakeSingleton(const char16_t* className, RTInstance* out) {
  return Core().GetFirstInstanceByString(nullptr, className, out, 1, nullptr) != 0;
}

RTComponentHandle HandleOf(const char16_t* className) {
  RTComponentHandle handle = kNoComponent;
  Core().GetComponentHandle(nullptr, className, &handle);
  return handle;
}

// The node of the rooms' own frame records. It is made under Root with the name the core gives
// it, not under the tree: a child holds a reference on its parent, so a tree holding a child of its
// own could never be destroyed.
bool MakeDummyNode(SceneTreeState& tree) {
  return Core().CreateInstanceByString(nullptr, scene_node::kClassName, &tree.dummyNode, 0, 1) != 0;
}

bool MakeContainers(SceneTreeState& tree) {
  return ListCreate(&tree.rooms) && ListCreate(&tree.roomReferences) &&
         StrHashTableCreate(&tree.roomNames, kNameBuckets, nullptr) &&
         StrHashTableCreate(&tree.roomPaths, kNameBuckets, nullptr);
}

// Steps 3 to 10: each that fails names what is missing.
const char16_t* TakeRequired(SceneTreeState& tree) {
  if (!TakeSingleton(rasterizer::kClassName, &tree.rasterizer)) return u"the RTRasterizer singleton";
  if (!TakeSingleton(game::kClassName, &tree.game)) return u"the RTTeskGame singleton";
  if (!TakeSingleton(u"RTVarno", &tree.script)) return u"the RTVarno singleton";
  tree.classes = SceneClasses{
      .room = HandleOf(room::kClassName),
      .light = HandleOf(u"RTLight"),
      .pointLight = HandleOf(u"RTPointLight"),
      .renderable = kNoComponent,
      .teskSceneNode = kNoComponent,
      .polyModel = HandleOf(u"RTPolyModel"),
      .boneModel = HandleOf(u"RTBoneModel"),
      .teskSkin = HandleOf(u"RTTeskSkin"),
      .particleSystem = HandleOf(u"RTParticleSystem"),
      .rigid = HandleOf(rigid::kClassName),
  };
  if (!Core().GetComponentHandle(nullptr, renderable::kClassName, &tree.classes.renderable))
    return u"the RTRenderable class";
  if (!Core().GetComponentHandle(nullptr, tesk_scene_node::kClassName, &tree.classes.teskSceneNode))
    return u"the RTTeskSceneNode class";
  if (!MakeDummyNode(tree)) return u"the dummy scene node";
  tree.designing = 0;
  tree.designingFlags = kStartDesigningFlags;
  tree.editorProject = nullptr;
  tree.stochasticSamples = 0;
  tree.lightmapRez = kStartLightmapRez;
  if (!MakeContainers(tree)) return u"memory for the room lists";
  tree.filterLightmap = 1;
  if (!ListCreate(&tree.deferred)) return u"memory for the deferred list";
  return nullptr;
}

}  // namespace

SceneTreeState* StateOf(RTInstance tree) { return StateIn<SceneTreeState>(tree, kStateWord); }

namespace method {

RTSuccess Construct(RTInstance self) {
  SceneTreeState* tree = MakeState<SceneTreeState>(self, kStateWord);
  if (!tree) return kRTFailure;
  tree->ambient = RTFColorRGB{kStartAmbient, kStartAmbient, kStartAmbient, 0.0f};
  const char16_t* missing = TakeRequired(*tree);
  if (!missing && !(ListCreate(&tree->quadQuery) && ListCreate(&tree->quadItems) && ListCreate(&tree->spareLinks)))
    missing = u"memory for the quad tree";
  if (missing) {
    RaiseFormatted(kLevelError, u"RTTeskSceneTree::SceneTreeConstruct(): %s is missing; the scene tree is not made",
                   missing);
    Teardown(self, *tree);
    EndState<SceneTreeState>(self, kStateWord);
    return kRTFailure;
  }
  if (!Core().GetFirstInstanceByString(nullptr, audio_service::kClassName, &tree->audioService, 0, nullptr)) {
    tree->audioService = nullptr;
    Core().RaiseError(nullptr, u"[WARNING] Cannot initialize audio service!", kLevelError);
  }
  tree->quadRoot = nullptr;
  tree->hitTestFilter = nullptr;
  return kRTSuccess;
}

RTSuccess Destruct(RTInstance self) {
  if (SceneTreeState* tree = StateOf(self)) Teardown(self, *tree);
  EndState<SceneTreeState>(self, kStateWord);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::scene_tree
