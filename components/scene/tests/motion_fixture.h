// A started core with RTAnimTrack and its parent class, and short helpers to build motions from
// keys, evaluate them, and write or read their streams.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core_host.h"
#include "host/stream_bytes.h"
#include "kivo/scene/motion_calls.h"

namespace motiontest {

// A rotation by `degrees` about the unit axis (x, y, z).
kivo::Quaternion Turn(double degrees, double x, double y, double z);
RTKeyPos PosKey(float time, float x, float y, float z);
RTKeyScl SclKey(float time, float x, float y, float z);
// A rotation key whose control point is the key's own quaternion.
RTKeyRot RotKey(float time, const kivo::Quaternion& q);
kivo::Quaternion AsQuat(const KeyQuaternion& q);
kivo::Quaternion Evaluated(const kivo::MotionNode* node);

struct NodeKeys {
  std::vector<RTKeyPos> positions;
  std::vector<RTKeyRot> rotations;
  std::vector<RTKeyScl> scales;
  RTFVector3D pivot{};
};

// A node record written by hand, in the motion stream's form.
void WriteNode(tesk::testing::StreamBytes& bytes, const std::u16string& name, const NodeKeys& keys, uint32_t childCount,
               bool pivot = true);
// RTEditable's part, then the motion's header: version, times and the continuous flag.
tesk::testing::StreamBytes MotionHeader(uint32_t version = 1536, float start = 0, float end = 1,
                                        uint8_t continuous = 0);

void ExpectQuat(const kivo::Quaternion& actual, const kivo::Quaternion& expected, float tolerance = 1e-6f);
void ExpectVector(const RTFVector3D& actual, float x, float y, float z, float tolerance = 1e-6f);

class MotionTest : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override;
  void TearDown() override;

  // A new motion, released at the end of the test.
  RTInstance NewMotion();
  kivo::MotionNode* Add(RTInstance motion, const char16_t* name, kivo::MotionNode* parent = nullptr,
                        const NodeKeys& keys = {});
  // The whole-instance stream of the motion; "<failed>" when StreamOut fails.
  std::string StreamedOut(RTInstance motion);
  RTSuccess StreamIn(RTInstance motion, const std::string& bytes, uint32_t stage = 0xFFFFFFFFu);

  bool Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }
  size_t TimesLogged(const std::string& text) const;

 private:
  std::vector<RTInstance> held_;
};

}  // namespace motiontest
