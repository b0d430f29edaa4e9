#include "motion_fixture.h"

#include <cmath>

#include "kivo/support/component_calls.h"

namespace motiontest {

using namespace kivo;
using tesk::testing::StreamBytes;

Quaternion Turn(double degrees, double x, double y, double z) {
  const double half = degrees * 3.14159265358979323846 / 360;
  return {static_cast<float>(std::cos(half)), static_cast<float>(x * std::sin(half)),
          static_cast<float>(y * std::sin(half)), static_cast<float>(z * std::sin(half))};
}

RTKeyPos PosKey(float time, float x, float y, float z) { return RTKeyPos{time, RTFVector3D{x, y, z, 0}}; }

RTKeyScl SclKey(float time, float x, float y, float z) { return RTKeyScl{time, RTFVector3D{x, y, z, 0}}; }

RTKeyRot RotKey(float time, const Quaternion& q) {
  const KeyQuaternion k{q.w, RTFVector3D{q.x, q.y, q.z, 0}};
  return RTKeyRot{time, k, k};
}

Quaternion AsQuat(const KeyQuaternion& q) { return Quaternion{q.w, q.v.x, q.v.y, q.v.z}; }

Quaternion Evaluated(const MotionNode* node) { return AsQuat(node->rotation.rotation); }

void WriteNode(StreamBytes& bytes, const std::u16string& name, const NodeKeys& keys, uint32_t childCount, bool pivot) {
  bytes.Wide(name);
  bytes.U32(static_cast<uint32_t>(keys.positions.size()))
      .U32(static_cast<uint32_t>(keys.rotations.size()))
      .U32(static_cast<uint32_t>(keys.scales.size()));
  for (const RTKeyPos& k : keys.positions) bytes.F32(k.time).F32(k.position.x).F32(k.position.y).F32(k.position.z);
  for (const RTKeyRot& k : keys.rotations) {
    bytes.F32(k.time);
    for (const KeyQuaternion& q : {k.rotation, k.control}) bytes.F32(q.v.x).F32(q.v.y).F32(q.v.z).F32(q.w);
  }
  for (const RTKeyScl& k : keys.scales) bytes.F32(k.time).F32(k.scale.x).F32(k.scale.y).F32(k.scale.z);
  if (pivot) bytes.F32(keys.pivot.x).F32(keys.pivot.y).F32(keys.pivot.z);
  bytes.U32(childCount);
}

StreamBytes MotionHeader(uint32_t version, float start, float end, uint8_t continuous) {
  StreamBytes bytes;
  bytes.U32(editable::kStreamVersion).U32(version).F32(start).F32(end).U8(continuous);
  return bytes;
}

void ExpectQuat(const Quaternion& actual, const Quaternion& expected, float tolerance) {
  EXPECT_NEAR(actual.w, expected.w, tolerance);
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectVector(const RTFVector3D& actual, float x, float y, float z, float tolerance) {
  EXPECT_NEAR(actual.x, x, tolerance);
  EXPECT_NEAR(actual.y, y, tolerance);
  EXPECT_NEAR(actual.z, z, tolerance);
}

void MotionTest::InstallComponents(tesk::testing::CoreHost& host) {
  for (const char* name : {"RTEditable", "RTAnimTrack"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
}

void MotionTest::TearDown() {
  for (auto it = held_.rbegin(); it != held_.rend(); ++it) core().ReleaseInstance(nullptr, *it);
  held_.clear();
  StartedCore::TearDown();
}

RTInstance MotionTest::NewMotion() {
  RTInstance motion = nullptr;
  EXPECT_EQ(core().CreateInstanceByString(nullptr, motion::kClassName, &motion, 0, 0), kRTSuccess);
  if (motion) held_.push_back(motion);
  return motion;
}

MotionNode* MotionTest::Add(RTInstance motion, const char16_t* name, MotionNode* parent, const NodeKeys& keys) {
  MotionNode* node = nullptr;
  EXPECT_EQ(motion::AddNode(motion, name, keys.positions.data(), keys.rotations.data(), keys.scales.data(),
                            static_cast<uint32_t>(keys.positions.size()), static_cast<uint32_t>(keys.rotations.size()),
                            static_cast<uint32_t>(keys.scales.size()), &keys.pivot, parent, &node),
            kRTSuccess);
  return node;
}

std::string MotionTest::StreamedOut(RTInstance motion) {
  InstanceRef stream = tesk::testing::MemoryStreamWith("");
  if (!component::StreamOut(motion, component::kStreamWhole, stream.get())) return "<failed>";
  return tesk::testing::MemoryStreamBytes(stream.get());
}

RTSuccess MotionTest::StreamIn(RTInstance motion, const std::string& bytes, uint32_t stage) {
  InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
  return component::StreamIn(motion, stage, stream.get());
}

size_t MotionTest::TimesLogged(const std::string& text) const {
  const std::string log = host_.DebugLog();
  size_t count = 0;
  for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + text.size())) ++count;
  return count;
}

}  // namespace motiontest
