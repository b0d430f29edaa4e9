// A started core with RTPolyModel, its parent class, RTStaticLitMesh, RTMaterial and the software
// rasterizer module, and short helpers to build meshes, primitives and hand-written mesh streams.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core_host.h"
#include "host/stream_bytes.h"
#include "kivo/scene/poly_model_calls.h"

namespace meshtest {

using Indices = std::vector<uint32_t>;

RTFVector3D V(float x, float y, float z);
// The placement that moves by (x, y, z).
RTFMatrix4x4 Translation(float x, float y, float z);

// Vertices and primitives of one material.
struct Shape {
  std::vector<RTFVector3D> vertices;
  std::vector<Indices> strips;
  std::vector<Indices> lists;  // three indices per triangle
};

// The unit cube from (0, 0, 0) to (1, 1, 1): four vertices of its own for each face and one strip
// per face, wound counter-clockwise seen from outside.
Shape SplitBox();
// The square (0, 0, 0) to (1, 1, 0) as one list of two triangles, facing +z.
Shape Quad();

// Whether this process has loaded the mesh library before. Once loaded it stays (and with it its
// module-wide values), so the work of the first mesh of a process (the SSE report, the programs)
// shows only in a process's first test that makes a mesh; ctest runs each test in a process of
// its own.
bool MeshLibraryLoaded();

// A primitive of the rasterizer holding the indices (a list: three per triangle).
RTPrimitive* NewPrimitive(RTInstance rasterizer, uint32_t kind, uint32_t material, const Indices& indices);
// The shape's vertices and primitives in the mesh, all of material 0 of `materials`.
void Fill(RTInstance rasterizer, RTInstance mesh, const Shape& shape, const std::vector<RTInstance>& materials);

// A primitive written by hand, as the rasterizer writes it: kind, material index, count, indices.
void WritePrimitive(tesk::testing::StreamBytes& bytes, uint32_t kind, uint32_t material, const Indices& indices);

// The test holds the rasterizer singleton throughout, as the program does: the primitives of
// its meshes live in it.
class MeshTest : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override;
  void SetUp() override;
  void TearDown() override;

  // A new instance of the class, released at the end of the test unless the test releases it.
  RTInstance New(const char16_t* className);
  RTInstance NewMesh() { return New(kivo::poly_model::kClassName); }
  // A new material under Root, named `name` or, for null, as the core names it; released at the
  // end of the test.
  RTInstance NewMaterial(const char16_t* name = nullptr);
  RTInstance Rasterizer();
  void Release(RTInstance& instance);

  // The whole-instance stream of the mesh; "<failed>" when StreamOut fails.
  std::string StreamedOut(RTInstance mesh);
  RTSuccess StreamIn(RTInstance mesh, const std::string& bytes, uint32_t stage = 0xFFFFFFFFu);

  uint32_t RefCount(RTInstance instance);
  bool Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }
  size_t TimesLogged(const std::string& text) const;

 private:
  std::vector<RTInstance> held_;
  RTInstance rasterizer_ = nullptr;
};

}  // namespace meshtest
