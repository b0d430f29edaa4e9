#include "mesh_fixture.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#include "kivo/material/material_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/matrix.h"

namespace meshtest {

using namespace kivo;
namespace r = kivo::rasterizer;

RTFVector3D V(float x, float y, float z) { return RTFVector3D{x, y, z, 0}; }

RTFMatrix4x4 Translation(float x, float y, float z) {
  RTFMatrix4x4 m;
  Mat4Identity(&m);
  Mat4SetTranslation(&m, V(x, y, z));
  return m;
}

Shape SplitBox() {
  // Each face's corners in strip order: top left, bottom left, top right, bottom right.
  const float corners[6][4][3] = {
      {{0, 1, 1}, {0, 0, 1}, {1, 1, 1}, {1, 0, 1}},  // +z
      {{1, 1, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}},  // -z
      {{1, 1, 1}, {1, 0, 1}, {1, 1, 0}, {1, 0, 0}},  // +x
      {{0, 1, 0}, {0, 0, 0}, {0, 1, 1}, {0, 0, 1}},  // -x
      {{0, 1, 0}, {0, 1, 1}, {1, 1, 0}, {1, 1, 1}},  // +y
      {{0, 0, 1}, {0, 0, 0}, {1, 0, 1}, {1, 0, 0}},  // -y
  };
  Shape box;
  for (const auto& face : corners) {
    const auto first = static_cast<uint32_t>(box.vertices.size());
    for (const auto& c : face) box.vertices.push_back(V(c[0], c[1], c[2]));
    box.strips.push_back({first, first + 1, first + 2, first + 3});
  }
  return box;
}

Shape Quad() { return Shape{{V(0, 0, 0), V(1, 0, 0), V(1, 1, 0), V(0, 1, 0)}, {}, {{0, 1, 2, 0, 2, 3}}}; }

bool MeshLibraryLoaded() {
  void* library = dlopen(tesk::testing::CoreHost::StagedComponent("RTPolyModel").c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (library) dlclose(library);
  return library != nullptr;
}

void WritePrimitive(tesk::testing::StreamBytes& bytes, uint32_t kind, uint32_t material, const Indices& indices) {
  const auto count = static_cast<uint32_t>(kind == r::kTriangleList ? indices.size() / 3 : indices.size());
  bytes.U32(kind).U32(material).U32(count);
  for (uint32_t index : indices) bytes.U32(index);
}

RTPrimitive* NewPrimitive(RTInstance rasterizer, uint32_t kind, uint32_t material, const Indices& indices) {
  RTPrimitive* primitive = nullptr;
  const auto count = static_cast<uint32_t>(kind == r::kTriangleList ? indices.size() / 3 : indices.size());
  EXPECT_EQ(r::CreatePrimitive(rasterizer, kind, &primitive), kRTSuccess);
  EXPECT_EQ(r::ResizePrimitiveList(rasterizer, primitive, count), kRTSuccess);
  std::copy(indices.begin(), indices.end(), primitive->indices);
  primitive->materialIndex = material;
  return primitive;
}

void Fill(RTInstance rasterizer, RTInstance mesh, const Shape& shape, const std::vector<RTInstance>& materials) {
  ASSERT_EQ(poly_model::SetVectorListF(mesh, shape.vertices.data(), static_cast<uint32_t>(shape.vertices.size())),
            kRTSuccess);
  ASSERT_EQ(poly_model::SetMaterialList(mesh, materials.data(), static_cast<uint32_t>(materials.size())), kRTSuccess);
  for (const Indices& strip : shape.strips) {
    RTPrimitive* primitive = NewPrimitive(rasterizer, r::kTriangleStrip, 0, strip);
    ASSERT_EQ(poly_model::AddPrimitive(mesh, r::kTriangleStrip, primitive), kRTSuccess);
  }
  for (const Indices& list : shape.lists) {
    RTPrimitive* primitive = NewPrimitive(rasterizer, r::kTriangleList, 0, list);
    ASSERT_EQ(poly_model::AddPrimitive(mesh, r::kTriangleList, primitive), kRTSuccess);
  }
}

void MeshTest::InstallComponents(tesk::testing::CoreHost& host) {
  for (const char* name : {"RTRenderable", "RTPolyModel", "RTMaterial", "RTStaticLitMesh"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  std::filesystem::create_symlink(RASTERIZER_PIX, host.root() / "components/rtrasterizer.so");
}

void MeshTest::SetUp() {
  StartedCore::SetUp();
  if (!HasFatalFailure()) core().GetFirstInstanceByString(nullptr, r::kClassName, &rasterizer_, 1, nullptr);
}

void MeshTest::TearDown() {
  for (auto it = held_.rbegin(); it != held_.rend(); ++it) core().ReleaseInstance(nullptr, *it);
  held_.clear();
  if (rasterizer_) core().ReleaseInstance(nullptr, rasterizer_);
  StartedCore::TearDown();
}

RTInstance MeshTest::New(const char16_t* className) {
  RTInstance made = nullptr;
  EXPECT_EQ(core().CreateInstanceByString(nullptr, className, &made, 0, 1), kRTSuccess) << host_.ErrorLog();
  if (made) held_.push_back(made);
  return made;
}

RTInstance MeshTest::NewMaterial(const char16_t* name) {
  RTInstance made = nullptr;
  EXPECT_EQ(core().CreateInstanceByString(nullptr, material::kClassName, &made, 0, name ? 0 : 1), kRTSuccess);
  if (name) {
    EXPECT_EQ(core().SetInstanceName(nullptr, made, name), kRTSuccess);
  }
  if (made) held_.push_back(made);
  return made;
}

RTInstance MeshTest::Rasterizer() { return rasterizer_; }

void MeshTest::Release(RTInstance& instance) {
  auto it = std::find(held_.begin(), held_.end(), instance);
  if (it != held_.end()) held_.erase(it);
  core().ReleaseInstance(nullptr, instance);
  instance = nullptr;
}

std::string MeshTest::StreamedOut(RTInstance mesh) {
  InstanceRef stream = tesk::testing::MemoryStreamWith("");
  if (!component::StreamOut(mesh, component::kStreamWhole, stream.get())) return "<failed>";
  return tesk::testing::MemoryStreamBytes(stream.get());
}

RTSuccess MeshTest::StreamIn(RTInstance mesh, const std::string& bytes, uint32_t stage) {
  InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
  return component::StreamIn(mesh, stage, stream.get());
}

uint32_t MeshTest::RefCount(RTInstance instance) {
  uint32_t count = 0;
  core().GetRefCount(nullptr, instance, &count);
  return count;
}

size_t MeshTest::TimesLogged(const std::string& text) const {
  const std::string log = host_.DebugLog();
  size_t count = 0;
  for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + text.size())) ++count;
  return count;
}

}  // namespace meshtest
