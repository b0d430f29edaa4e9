#include "scene_test.h"

#include <cstring>

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/stream_calls.h"
#include "tesk/scene/scene_tree_calls.h"

namespace scenetest {

using namespace kivo;

namespace {

constexpr std::string_view kSceneComponents[] = {"RTEditable",    "RTRenderable",    "RTSceneNode", "RTTeskSceneNode",
                                                 "RTBrellinRoom", "RTTeskSceneTree", "RTVarno"};
constexpr uint32_t kNameUnits = 512;

}  // namespace

std::string U32(uint32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

std::string WString(std::u16string_view text) {
  std::string bytes = U32(static_cast<uint32_t>(text.size()));
  if (text.empty()) return bytes;
  for (char16_t unit : text) bytes += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return bytes + std::string(2, '\0');
}

std::string Vector(float x, float y, float z) {
  std::string bytes;
  for (float v : {x, y, z}) bytes.append(reinterpret_cast<const char*>(&v), 4);
  return bytes;
}

RTFVector3D At(float x, float y, float z) { return RTFVector3D{x, y, z, 0.0f}; }

void SceneTest::InstallComponents(tesk::testing::CoreHost& host) {
  for (std::string_view name : kSceneComponents) host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  std::filesystem::create_symlink(RASTERIZER_PIX, host.root() / "components/rtrasterizer.so");
  if (WithGame()) host.InstallComponent(GAME_STANDIN);
  InstallMore(host);
}

std::filesystem::path SceneTest::FixtureComponent(const char* name) {
  return std::filesystem::path(SCENE_FIXTURE_DIR) / (std::string(name) + ".so");
}

InstanceRef SceneTest::MakeTree() {
  InstanceRef tree;
  EXPECT_EQ(core().CreateInstanceByString(nullptr, tesk::scene_tree::kClassName, tree.out(), 0, 1), kRTSuccess);
  return tree;
}

InstanceRef SceneTest::MakeFolder(const char16_t* name) {
  InstanceRef folder;
  EXPECT_EQ(core().CreateInstanceByString(nullptr, u"RTComponent", folder.out(), 0, 0), kRTSuccess);
  EXPECT_EQ(core().SetInstanceName(nullptr, folder.get(), name), kRTSuccess);
  return folder;
}

InstanceRef SceneTest::MakeRoom(const char16_t* name, RTFVector3D min, RTFVector3D max, RTInstance parent,
                                const char16_t* className) {
  InstanceRef room;
  EXPECT_EQ(core().CreateInstanceByString(parent, className ? className : room::kClassName, room.out(), 0, 0),
            kRTSuccess);
  EXPECT_EQ(core().SetInstanceName(nullptr, room.get(), name), kRTSuccess);
  const RTFVector3D footprint[] = {At(min.x, 0, min.z), At(max.x, 0, min.z), At(max.x, 0, max.z), At(min.x, 0, max.z)};
  EXPECT_EQ(room::SetBoundingBox(room.get(), &min, &max), kRTSuccess);
  EXPECT_EQ(room::SetFootprint(room.get(), footprint, 4), kRTSuccess);
  return room;
}

InstanceRef SceneTest::MakeNode(const char16_t* name, RTFVector3D at, RTInstance parent) {
  InstanceRef node;
  EXPECT_EQ(core().CreateInstanceByString(parent, tesk_scene_node::kClassName, node.out(), 0, 0), kRTSuccess);
  EXPECT_EQ(core().SetInstanceName(nullptr, node.get(), name), kRTSuccess);
  RTFMatrix4x4 placement;
  Mat4Identity(&placement);
  Mat4SetTranslation(&placement, at);
  EXPECT_EQ(scene_node::SetLocalMatrix(node.get(), &placement), kRTSuccess);
  return node;
}

uint32_t SceneTest::RefCount(RTInstance instance) {
  uint32_t count = 0;
  core().GetRefCount(nullptr, instance, &count);
  return count;
}

std::u16string SceneTest::NameOf(RTInstance instance) {
  char16_t buffer[kNameUnits] = {};
  core().GetInstanceName(nullptr, instance, buffer, kNameUnits);
  return buffer;
}

std::u16string SceneTest::PathOf(RTInstance instance) {
  char16_t buffer[kNameUnits] = {};
  core().GetInstancePath(nullptr, instance, buffer, kNameUnits);
  return buffer;
}

InstanceRef SceneTest::StreamOf(const std::string& bytes) {
  InstanceRef stream;
  EXPECT_EQ(memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), stream.out()), kRTSuccess);
  return stream;
}

std::string SceneTest::Contents(RTInstance stream) {
  uint32_t size = 0;
  const uint8_t* data = nullptr;
  if (!stream::GetSize(stream, &size) || !memory_stream::GetBuffer(stream, &data)) return "<none>";
  return std::string(reinterpret_cast<const char*>(data), size);
}

std::string SceneTest::StreamedOut(RTInstance instance, uint32_t stage) {
  InstanceRef stream = StreamOf("");
  return component::StreamOut(instance, stage, stream.get()) ? Contents(stream.get()) : "<failed>";
}

bool SceneTest::Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }

size_t SceneTest::Occurrences(const std::string& text) const {
  const std::string log = host_.DebugLog();
  size_t count = 0;
  for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + text.size())) ++count;
  return count;
}

}  // namespace scenetest
