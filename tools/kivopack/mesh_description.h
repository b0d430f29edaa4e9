// Meshes in pack descriptions, built into an RTPolyModel (or RTStaticLitMesh) instance through its
// own calls (its stream then comes from the mesh's own StreamOut).
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "kivo/support/instance_ref.h"
#include "kivo/types.h"
#include "mesh_shapes.h"

namespace kivopack {

struct RoomWalls;

// The "mesh" of an RTPolyModel or RTStaticLitMesh instance entry:
//   {"materials": ["Root:Tesk:Assets:Materials:Linen", ...],
//    one of
//      "box": {"size": [x, y, z]},
//      "capsule": {"radius": r, "height": h, "segments": n},
//      "vertices": [[x, y, z], ...], "normals": [[x, y, z], ...], "uvLayers": [[[u, v], ...], ...],
//        "groups": [{"triangles": [[a, b, c], ...], "strips": [[i, j, k, ...], ...]}, ...],
//    "primitives": "lists" or "strips"}
// The materials are RTMaterial instances of the pack, in any order in the description; group i of
// an explicit mesh draws with material i, a generated shape draws with the first. Normals and
// each texture-coordinate layer (at most 32) give one entry per vertex; triangles are wound
// counter-clockwise seen from outside (see mesh_shapes.h). A generated box or capsule is stored
// as triangle lists or, with "primitives": "strips", as strips where it has them. The mesh is
// built from rasterizer primitives, its shadow geometry computed, and the given or generated
// normals set last (in the form the mesh's reader keeps). A room's walls (room_walls.h), when
// given, join the described geometry.
bool FillMesh(RTInstance mesh, const nlohmann::json& description, const RoomWalls* walls, std::string* error);

// The "materials" of a description of the kind ("mesh", "skin"): each an RTMaterial of the pack,
// held with a reference.
bool ReadMaterialList(const nlohmann::json& description, const char* kind, std::vector<kivo::InstanceRef>* materials,
                      std::string* error);
// The RTMaterial of the pack at the path, held with a reference; false when there is none.
bool FindMaterial(const std::string& path, kivo::InstanceRef* material);
// The geometry built into the mesh (or a class of it) through its own calls, as FillMesh does.
bool BuildMesh(RTInstance mesh, const MeshSource& source, const std::vector<RTInstance>& materials);

}  // namespace kivopack
