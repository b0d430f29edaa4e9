#include "render_debug.h"

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "scene_tree_methods.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

constexpr float kMarker = 0.2f;

struct Line {
  RTFVector3D a, b;
};

void DrawLines(RTInstance r, std::initializer_list<Line> lines) {
  rasterizer::BeginPrimitive(r, rasterizer::kBatchLines);
  for (const Line& line : lines) {
    rasterizer::Vertex3(r, line.a.x, line.a.y, line.a.z);
    rasterizer::Vertex3(r, line.b.x, line.b.y, line.b.z);
  }
  rasterizer::EndPrimitive(r);
}

RTFVector3D At(float x, float y, float z) { return RTFVector3D{x, y, z, 0.0f}; }

// The four edges of a square on the ground, from min to max in x and z: in one batch, or each in
// a batch of its own.
void DrawSquare(RTInstance r, const RTFVector3D& min, const RTFVector3D& max, bool batchEach) {
  const Line edges[] = {{At(min.x, 0, min.z), At(max.x, 0, min.z)},
                        {At(max.x, 0, min.z), At(max.x, 0, max.z)},
                        {At(max.x, 0, max.z), At(min.x, 0, max.z)},
                        {At(min.x, 0, max.z), At(min.x, 0, min.z)}};
  if (!batchEach) {
    DrawLines(r, {edges[0], edges[1], edges[2], edges[3]});
    return;
  }
  for (const Line& edge : edges) DrawLines(r, {edge});
}

void DrawCell(RTInstance r, const QuadTreeNode* cell) {
  if (!cell) return;
  if (cell->flags & kLeafFlag) {
    if (cell->items && cell->items->count) {
      DrawLines(r, {{At(cell->min.x, 0, cell->min.z), At(cell->max.x, 0, cell->max.z)}});
      DrawLines(r, {{At(cell->min.x, 0, cell->max.z), At(cell->max.x, 0, cell->min.z)}});
    }
    DrawSquare(r, cell->min, cell->max, true);
  }
  for (const QuadTreeNode* child : cell->children) DrawCell(r, child);
}

// The twelve edges of the box from a to b, as pairs of points.
void AddBoxEdges(const RTFVector3D& a, const RTFVector3D& b, RTInstance r) {
  const auto corner = [&](int i) { return At(i & 1 ? b.x : a.x, i & 2 ? b.y : a.y, i & 4 ? b.z : a.z); };
  for (int i = 0; i < 8; ++i)
    for (int axis : {1, 2, 4})
      if (!(i & axis)) {
        const RTFVector3D from = corner(i), to = corner(i | axis);
        rasterizer::Vertex3(r, from.x, from.y, from.z);
        rasterizer::Vertex3(r, to.x, to.y, to.z);
      }
}

}  // namespace

void DrawQuadTree(const SceneTreeState& tree) {
  RTInstance r = tree.rasterizer;
  RTFMatrix4x4 identity;
  Mat4Identity(&identity);
  rasterizer::PushWorldMatrix(r, &identity);
  rasterizer::SetColor(r, 1.0f, 1.0f, 0.0f);
  DrawSquare(r, tree.extentMin, tree.extentMax, false);
  DrawCell(r, tree.quadRoot);
  rasterizer::PopWorldMatrix(r);
}

void DrawNodeBounds(const SceneTreeState& tree, RTInstance node) {
  RTInstance r = tree.rasterizer;
  uint32_t flags = 0;
  if (Core().IsKindOf(nullptr, node, tree.classes.teskSceneNode)) tesk_scene_node::GetStateWord(node, &flags);
  const RTFMatrix4x4* world = nullptr;
  if (!scene_node::GetWorldMatrix(node, &world)) return;
  rasterizer::PushWorldMatrix(r, world);
  InstanceRef entity;
  if (scene_node::GetEntity(node, entity.out()) && entity.get() &&
      Core().IsKindOfByName(nullptr, entity.get(), renderable::kClassName)) {
    RTFVector3D min{}, max{};
    renderable::GetBoundingBox(entity.get(), &min, &max);
    const bool red = flags & tesk_scene_node::kRedOutlineBit;
    rasterizer::SetColor(r, 1.0f, red ? 0.0f : 1.0f, 0.0f);
    rasterizer::EnableCulling(r, 0);
    rasterizer::EnableDepthTest(r, 0);
    rasterizer::SetLineWidth(r, 1.0f);
    rasterizer::BeginPrimitive(r, rasterizer::kBatchLines);
    AddBoxEdges(min, max, r);
    for (const Line& axis : {Line{At(1, 0, 0), At(-1, 0, 0)}, Line{At(0, 1, 0), At(0, -1, 0)},
                             Line{At(0, 0, 1), At(0, 0, -1)}}) {
      rasterizer::Vertex3(r, axis.a.x, axis.a.y, axis.a.z);
      rasterizer::Vertex3(r, axis.b.x, axis.b.y, axis.b.z);
    }
    AddBoxEdges(At(-kMarker, -kMarker, -kMarker), At(kMarker, kMarker, kMarker), r);
    rasterizer::EndPrimitive(r);
    rasterizer::SetLineWidth(r, 1.0f);
    rasterizer::EnableCulling(r, 1);
    rasterizer::EnableDepthTest(r, 1);
  }
  rasterizer::PopWorldMatrix(r);
}

}  // namespace tesk::scene_tree
