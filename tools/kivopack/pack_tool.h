// The operations of kivopack, each on a started core.
#pragma once

#include <filesystem>
#include <string>

#include "kivo/core_table.h"

namespace kivopack {

// A pack description is a JSON file:
//   {"instances": [{"path": "Root:Tesk:Assets", "class": "RTComponent"},
//                  {"path": "Root:Tesk:Assets:Ward", "class": "RTDatum", "data": "ward.bin"}]}
// Each instance is created under its parent path (missing parents become RTComponent instances)
// and, when "data" names a file (relative to the description), streamed in from its bytes. An
// RTRoutePlanner instance may instead have a "graph" of nodes and edges (see graph_description.h),
// which is streamed in as the planner's stream, an RTFont instance a "font" naming the metrics
// file that glyph-sheet wrote beside its sheet (see font_description.h), scene trees, rooms and
// scene nodes a "sceneTree", a "room" or a "node" (see scene_description.h; a room's walls go
// into its bounds node's mesh, room_walls.h), an RTAnimTrack
// instance a "motion" generated from a skeleton and a family of curves (see
// motion_description.h), an RTMaterial a "material" (material_description.h), an RTPolyModel
// a "mesh" (mesh_description.h), an RTBoneModel (or RTTeskSkin) a "skin" generated over a skeleton
// (skin_description.h) and an RTArticulated a motion player's "articulated" (see
// articulated_description.h), each filled in through the instance's own methods. The pack then
// holds every described instance with its ancestors, and the child nodes of rooms and nodes; the
// rooms' meshes of a scene tree described with "bake" are stored with their lightmaps baked
// (baked_lightmaps.h). An existing pack is replaced only once the new one is complete.
bool BuildPack(CoreTable& core, const std::filesystem::path& description, const std::filesystem::path& pack,
               std::string* error);

// A resource description is a JSON file:
//   {"streams": [{"name": "hud_panel_1024", "file": "panel.bin"}, {"name": "tuning", "text": "42"},
//                {"name": "MENU_GENERIC", "form": "forms/menu_generic.json"}]}
// A "form" stream is the widget stream of the form its JSON file describes (form_description.h).
bool BuildResource(CoreTable& core, const std::filesystem::path& description, const std::filesystem::path& resource,
                   std::string* error);

// A sound bank description is a JSON file:
//   {"sounds": [{"name": "INTERFACE_OK", "file": "interface_ok.wav", "channels": 1}]}
// Files are relative to the bank's own folder (the audio folder) and must be there, as WAV or Ogg;
// "channels" (1 or 2, 1 when left out) is what the sound is decoded to. Unknown keys and a name
// given twice (ignoring case) are refused. Needs no core.
bool BuildBank(const std::filesystem::path& description, const std::filesystem::path& bank, std::string* error);

// One line per instance: path, class, data bytes, children; for a mesh (RTPolyModel) also its
// counts of vertices, texture-coordinate layers, materials, strips, lists, shadow triangles, and
// open and shared edges, as the mesh reads its data.
bool ListPack(CoreTable& core, const std::filesystem::path& pack, std::string* listing, std::string* error);
// The component data stored for one path.
bool ExtractData(CoreTable& core, const std::filesystem::path& pack, const std::u16string& path,
                 const std::filesystem::path& output, std::string* error);

}  // namespace kivopack
