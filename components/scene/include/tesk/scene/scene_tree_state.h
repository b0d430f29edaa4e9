// The records a scene tree keeps: its state (hung on the instance at scene_tree::kStateWord), the
// cells of its quad tree and the quad items of the nodes filed in them. They are shared with the
// code that draws and inspects a tree; only the scene tree changes them.
//
// The quad tree covers the ground plane (x and z) of the rooms' boxes, made square. A cell that a
// room's footprint overlaps is split into four quadrants down to a side below 5.0 (and at most 16
// levels); the cells that stop splitting are leaves, each with the rooms that overlap it and its
// neighbour leaves in eight directions. Quadrants of a cell with centre (cx, cz): 0 east-north,
// 1 west-north, 2 west-south, 3 east-south. Directions, as offsets of one side s from a leaf's
// centre: 0 (0, +s), 1 (-s, +s), 2 (-s, 0), 3 (-s, -s), 4 (0, -s), 5 (+s, -s), 6 (+s, 0),
// 7 (+s, +s); d and (d + 4) mod 8 are opposite.
#pragma once

#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace varno {
struct RTVarnoVM;
}  // namespace varno

namespace tesk::scene_tree {

inline constexpr uint32_t kQuadrants = 4;
inline constexpr uint32_t kDirections = 8;
inline constexpr uint32_t kLeafFlag = 0x1;

struct QuadTreeNode {
  RTFVector3D min;  // x and z count; y is 0
  RTFVector3D max;
  RTFVector3D centre;
  QuadTreeNode* parent;  // null for the root
  uint32_t flags;        // kLeafFlag on leaves
  QuadTreeNode* children[kQuadrants];
  kivo::List* items;                      // the QuadItems filed in this cell or below it
  QuadTreeNode* neighbours[kDirections];  // leaves; only leaves have them
  kivo::List* rooms;                      // the rooms whose footprints overlap the cell (not held)
  uint32_t leaf;                          // 1 on leaves: filing stops here
};

struct SceneTreeState;

// One per registered scene node. The node keeps a pointer to it (RTTeskSceneNode quad item).
struct QuadItem {
  QuadTreeNode* cell;     // the deepest cell it is filed in, or null while unfiled
  RTFVector3D position;   // the translation of the node's placement when filed
  RTInstance node;        // one reference held
  SceneTreeState* owner;  // the tree whose item it is
};

// Component handles looked up at construction (kNoComponent when the class is not installed).
struct SceneClasses {
  RTComponentHandle room;
  RTComponentHandle light;
  RTComponentHandle pointLight;
  RTComponentHandle renderable;
  RTComponentHandle teskSceneNode;
  RTComponentHandle polyModel;
  RTComponentHandle boneModel;
  RTComponentHandle teskSkin;
  RTComponentHandle particleSystem;
  RTComponentHandle rigid;
};

struct SceneTreeState {
  RTInstance rasterizer;    // the RTRasterizer singleton; one reference held
  RTInstance audioService;  // the RTFMODAudioService singleton, or null; one reference held
  RTInstance renderCamera;  // one reference held, or null
  RTInstance listener;      // one reference held, or null
  RTBool designing;
  uint32_t designingFlags;   // streamed; 7 at start
  RTInstance editorProject;  // one reference held, or null
  RTFColorRGB ambient;       // AmbientColor
  SceneClasses classes;
  kivo::Plane frustum[6];         // written by rendering
  kivo::List* rooms;              // RTInstance, one reference per entry, in the order added
  kivo::List* roomReferences;     // char16_t* core arrays, owned
  kivo::StrHashTable* roomNames;  // instance name -> room
  kivo::StrHashTable* roomPaths;  // upper-cased instance path -> room
  uint32_t frameTime;             // milliseconds of the last transform update
  RTInstance dummyNode;           // a scene node of the tree's own (under Root); one reference held
  uint32_t stochasticSamples;     // LightmapStochasticSamples
  float lightmapRez;              // LightmapRez
  RTBool filterLightmap;          // FilterLightmap
  RTInstance game;                // the RTTeskGame singleton; one reference held
  RTInstance script;              // the RTVarno singleton; one reference held
  varno::RTVarnoVM* scriptVM;     // fetched from the game by each transform update
  QuadTreeNode* quadRoot;         // null until the first UpdateQuadTree
  kivo::List* quadQuery;          // the query answer: RTInstance, no references
  kivo::List* leaves;             // QuadTreeNode*, in the order subdivision made them
  RTFVector3D extentMax;
  RTFVector3D extentMin;
  kivo::List* deferred;      // nodes drawn after the others, one reference each
  RTInstance hitTestFilter;  // one reference held, or null
  kivo::List* quadItems;     // every live QuadItem, filed again after each rebuild
  kivo::List* spareLinks;    // links of the query answer and the cells' item lists, kept for reuse
};

}  // namespace tesk::scene_tree
