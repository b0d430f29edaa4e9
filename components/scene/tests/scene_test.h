// A started core with the scene components, the software rasterizer module, the scripting
// component and the game stand-in installed, and helpers to make trees, rooms and nodes and to
// stream them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core_host.h"
#include "kivo/component_def.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/math_types.h"

namespace scenetest {

using kivo::InstanceRef;

// Four little-endian bytes.
std::string U32(uint32_t value);
// A wide string as StreamWriteWString writes it.
std::string WString(std::u16string_view text);
// Three little-endian floats, as StreamWriteVector writes them.
std::string Vector(float x, float y, float z);

RTFVector3D At(float x, float y, float z);
// The same x, y and z.
inline bool Same(const RTFVector3D& a, const RTFVector3D& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

class SceneTest : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override;
  // What a fixture leaves out or adds.
  virtual bool WithGame() const { return true; }
  virtual void InstallMore(tesk::testing::CoreHost&) {}
  // The test fixture components (an audio service, a room that records its refresh calls).
  static std::filesystem::path FixtureComponent(const char* name);

  InstanceRef MakeTree();
  // A room named `name` under `parent` (Root when null), its box from min to max and its footprint
  // the box's x-z rectangle.
  InstanceRef MakeRoom(const char16_t* name, RTFVector3D min, RTFVector3D max, RTInstance parent = nullptr,
                       const char16_t* className = nullptr);
  // An RTComponent named `name` under Root, to hold rooms.
  InstanceRef MakeFolder(const char16_t* name);
  // An RTTeskSceneNode under `parent` (Root when null) placed at (x, y, z).
  InstanceRef MakeNode(const char16_t* name, RTFVector3D at, RTInstance parent = nullptr);

  // A property of the instance, read and written through its record.
  template <class T>
  T Property(RTInstance instance, const char16_t* name) {
    RTPropertyRecord* property = nullptr;
    T value{};
    EXPECT_EQ(core().FindProperty(nullptr, instance, name, &property), kRTSuccess);
    if (property) reinterpret_cast<RTSuccess (*)(RTInstance, void*)>(property->getter)(instance, &value);
    return value;
  }
  template <class T>
  void SetProperty(RTInstance instance, const char16_t* name, const T& value) {
    RTPropertyRecord* property = nullptr;
    ASSERT_EQ(core().FindProperty(nullptr, instance, name, &property), kRTSuccess);
    reinterpret_cast<RTSuccess (*)(RTInstance, const void*)>(property->setter)(instance, &value);
  }

  uint32_t RefCount(RTInstance instance);
  std::u16string NameOf(RTInstance instance);
  std::u16string PathOf(RTInstance instance);

  InstanceRef StreamOf(const std::string& bytes);
  std::string Contents(RTInstance stream);
  // The instance's whole stream as the core takes it (RTComponent level), or "<failed>".
  std::string StreamedOut(RTInstance instance, uint32_t stage = 0xFFFFFFFFu);

  // Lines of the debug output, and how often a text occurs in it.
  bool Logged(const std::string& text) const;
  size_t Occurrences(const std::string& text) const;
};

}  // namespace scenetest
