// Lightmap baking in design mode: Prelight bakes every room, PrelightRoom one room and then its
// further rooms. A room's mesh (its bounds node's entity, when it is an RTStaticLitMesh) first has
// its lightmaps laid out and filled with the ambient colour marked unlit; then each lightmap takes
// the lights of the room and of its further rooms (light_texels.h), is dilated so that no texel
// stays unlit and, when the tree asks, smoothed (lightmap_texels.h), and goes back to the mesh.
//
// A lightmap whose width or height passes its buffer's would be written past it: it is reported
// and left out.
#include "kivo/scene/poly_model_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "light_texels.h"
#include "lightmap_texels.h"
#include "scene_tree_methods.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;
namespace lit = kivo::static_lit_mesh;

// One Prelight or PrelightRoom call: the tree and the method the messages name.
struct Bake {
  RTInstance self;
  SceneTreeState& tree;
  const char16_t* method;
};

uint32_t Now() {
  uint32_t milliseconds = 0;
  Core().GetTime(nullptr, &milliseconds);
  return milliseconds;
}

void Debug(const std::u16string& text) { Core().DebugPrint(nullptr, text.c_str()); }

void ReportDummyRoom(const Bake& bake) {
  RaiseFormatted(kLevelError, u"RTTeskSceneTree::%s(): Cannot light dummy room.", bake.method);
}

std::vector<RTInstance> Items(List* list) {
  std::vector<RTInstance> items;
  for (RTInstance item : ListItems<RTInstanceRecord>(list)) items.push_back(item);
  return items;
}

// The room's further rooms (borrowed: the tree holds them), none when it cannot give them.
std::vector<RTInstance> FurtherRooms(RTInstance room) {
  List* further = nullptr;
  return room::GetFurtherRooms(room, &further) ? Items(further) : std::vector<RTInstance>{};
}

// The room's mesh when it is an RTStaticLitMesh; empty otherwise.
InstanceRef LitMeshOf(RTInstance room) {
  InstanceRef bounds, entity;
  if (!room::GetBoundsNode(room, bounds.out()) || !bounds.get() || !scene_node::GetEntity(bounds.get(), entity.out()) ||
      !entity.get() || !Core().IsKindOfByName(nullptr, entity.get(), lit::kClassName))
    entity.Reset();
  return entity;
}

// Calls `each` for every lightmap of every group of the mesh.
template <class Each>
void ForEachLightmap(RTInstance mesh, Each each) {
  RTInstance* materials = nullptr;
  uint32_t groups = 0;
  poly_model::GetMaterialList(mesh, &materials, &groups);
  for (uint32_t g = 0; g < groups; ++g) {
    uint32_t count = 0;
    Lightmap* lightmaps = nullptr;
    if (!lit::GetLightmaps(mesh, g, &count, &lightmaps)) continue;
    for (uint32_t i = 0; i < count; ++i) each(lightmaps[i], g, i);
  }
}

bool HasBuffer(const Lightmap& lightmap) {
  return lightmap.texels && lightmap.stride > 0 && lightmap.bufferRows > 0 &&
         lightmap.stride <= lit::kMaxLightmapSide && lightmap.bufferRows <= lit::kMaxLightmapSide;
}

uint64_t BufferTexels(const Lightmap& lightmap) { return uint64_t{lightmap.stride} * lightmap.bufferRows; }

// Step 4: the room prepared, its mesh's lightmaps laid out at the tree's resolution and filled
// with the ambient colour, unlit.
void CreateLightmaps(const Bake& bake, RTInstance room) {
  room::PrepareLighting(room);
  InstanceRef mesh = LitMeshOf(room);
  if (!mesh.get()) return;
  lit::SetLightmapResolution(mesh.get(), bake.tree.lightmapRez);
  lit::CreateLightmaps(mesh.get());
  const uint32_t ambient = AmbientTexel(bake.tree.ambient);
  ForEachLightmap(mesh.get(), [&](Lightmap& lightmap, uint32_t, uint32_t) {
    if (HasBuffer(lightmap)) FillLightmap(lightmap.texels, ambient, BufferTexels(lightmap));
  });
}

// False, with a message, for a lightmap that baking would write past.
bool Fits(const Bake& bake, const Lightmap& lightmap, uint32_t group, uint32_t index) {
  if (HasBuffer(lightmap) && lightmap.width <= lightmap.stride && lightmap.height <= lightmap.bufferRows) return true;
  RaiseFormatted(kLevelError,
                 u"RTTeskSceneTree::%s(): lightmap %u of group %u, %u x %u texels, does not fit its buffer of %u x %u; "
                 u"it is left out",
                 bake.method, index, group, lightmap.width, lightmap.height, lightmap.stride, lightmap.bufferRows);
  return false;
}

void LightFromRoom(const Bake& bake, RTInstance room, const std::vector<RTInstance>& further, RTInstance lightRoom,
                   Lightmap& lightmap, float stepScale) {
  List* lights = nullptr;
  if (!room::GetLightList(lightRoom, &lights)) return;
  for (RTInstance node : Items(lights)) {
    BakingLight light;
    if (TakeLight(node, &light) && LightReaches(light, lightmap))
      LightTexels(bake.tree, room, further, lightmap, light, stepScale);
  }
}

// Step 6: every lightmap of the room's mesh lit by the room's lights and its further rooms',
// dilated and, when the tree asks, filtered.
void LightRoom(const Bake& bake, RTInstance room, const std::vector<RTInstance>& further) {
  InstanceRef mesh = LitMeshOf(room);
  if (!mesh.get()) return;
  float stepScale = 0.0f;
  lit::GetStepScale(mesh.get(), &stepScale);
  ForEachLightmap(mesh.get(), [&](Lightmap& lightmap, uint32_t group, uint32_t index) {
    if (!Fits(bake, lightmap, group, index)) return;
    LightFromRoom(bake, room, further, room, lightmap, stepScale);
    for (RTInstance other : further) {
      if (IsDummyRoom(other)) {
        ReportDummyRoom(bake);
        continue;
      }
      LightFromRoom(bake, room, further, other, lightmap, stepScale);
    }
    const std::vector<uint32_t> dilated = Dilate(lightmap.texels, lightmap.stride, lightmap.bufferRows);
    lit::ReplaceTexels(mesh.get(), &lightmap, dilated.data());
    if (bake.tree.filterLightmap) {
      const std::vector<uint32_t> filtered = Filter(lightmap.texels, lightmap);
      lit::ReplaceTexels(mesh.get(), &lightmap, filtered.data());
    }
  });
  lit::LightingDone(mesh.get());
}

void ReportCreation(uint32_t& start) {
  Debug(Format(u"Creating lightmaps took: %d milliseconds", Now() - start));
  start = Now();
}

void ReportLighting(uint32_t start) {
  const uint32_t took = Now() - start;
  Debug(Format(u"Lighting took: %d minutes, %d seconds", took / 60000, took % 60000 / 1000));
}

RTSuccess PrelightRoomBake(const Bake& bake, RTInstance room, bool nested) {
  if (!bake.tree.designing) {
    RaiseFormatted(kLevelError, u"RTTeskSceneTree::Prelight(): Scene tree needs to be in design mode!");
    return kRTFailure;
  }
  scene_tree::UpdateTransforms(bake.self, 0);
  uint32_t start = Now();
  if (IsDummyRoom(room)) {
    ReportDummyRoom(bake);
    return kRTSuccess;
  }
  CreateLightmaps(bake, room);
  ReportCreation(start);
  const std::vector<RTInstance> further = FurtherRooms(room);
  if (!nested)
    for (RTInstance other : further) room::PrepareLighting(other);
  LightRoom(bake, room, further);
  if (!nested)
    for (RTInstance other : further) PrelightRoomBake(bake, other, true);
  ReportLighting(start);
  return kRTSuccess;
}

}  // namespace

namespace method {

RTSuccess PrelightRoom(RTInstance self, RTInstance room) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  if (!room || !Core().IsKindOfByName(nullptr, room, room::kClassName)) {
    RaiseFormatted(kLevelError, u"RTTeskSceneTree::PrelightRoom(): the instance to light is no RTBrellinRoom");
    return kRTFailure;
  }
  return PrelightRoomBake(Bake{self, *tree, u"PrelightRoom"}, room, false);
}

RTSuccess Prelight(RTInstance self) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  if (!tree->designing) {
    RaiseFormatted(kLevelError, u"RTTeskSceneTree::Prelight() -- Scene tree needs to be in design mode!");
    return kRTFailure;
  }
  const Bake bake{self, *tree, u"Prelight"};
  scene_tree::UpdateTransforms(self, 0);
  uint32_t start = Now();
  const std::vector<RTInstance> rooms = Items(tree->rooms);
  for (RTInstance room : rooms) {
    if (IsDummyRoom(room)) {
      ReportDummyRoom(bake);
    } else {
      CreateLightmaps(bake, room);
    }
  }
  ReportCreation(start);
  for (RTInstance room : rooms) {
    if (IsDummyRoom(room)) {
      ReportDummyRoom(bake);
    } else {
      LightRoom(bake, room, FurtherRooms(room));
    }
  }
  ReportLighting(start);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::scene_tree
