// The motion's stream: its bytes, round trips, older versions, and every damaged stream refused
// with the motion unchanged.
#include <string>

#include "kivo/support/component_calls.h"
#include "kivo/support/quaternion.h"
#include "motion_fixture.h"

namespace {

using namespace motiontest;
using namespace kivo;
using tesk::testing::StreamBytes;

// A rotation key whose quaternion and control point have four different components each.
RTKeyRot Lopsided(float time) {
  return RTKeyRot{time, KeyQuaternion{0.1f, RTFVector3D{0.2f, 0.3f, 0.4f, 0}},
                  KeyQuaternion{0.5f, RTFVector3D{0.6f, 0.7f, 0.8f, 0}}};
}

const NodeKeys kRootKeys{{PosKey(0.5f, 1, 2, 3)}, {Lopsided(0.25f)}, {}, RTFVector3D{}};
const NodeKeys kChildKeys{{}, {}, {SclKey(0, 2, 3, 4), SclKey(1, 5, 6, 7)}, RTFVector3D{4, 5, 6, 0}};

class MotionStream : public MotionTest {
 protected:
  // Root "Bip01" with one child "Bip01 Pelvis", times 0.5 to 2, continuous.
  RTInstance SmallMotion() {
    RTInstance motion = NewMotion();
    EXPECT_EQ(motion::SetInfo(motion, 0.5f, 2), kRTSuccess);
    EXPECT_EQ(motion::SetContinuous(motion, 1), kRTSuccess);
    MotionNode* root = Add(motion, u"Bip01", nullptr, kRootKeys);
    Add(motion, u"Bip01 Pelvis", root, kChildKeys);
    return motion;
  }

  static std::string SmallMotionBytes() {
    StreamBytes bytes = MotionHeader(1536, 0.5f, 2, 1);
    WriteNode(bytes, u"Bip01", kRootKeys, 1);
    WriteNode(bytes, u"Bip01 Pelvis", kChildKeys, 0);
    return bytes.bytes();
  }
};

TEST_F(MotionStream, WritesItsKnownBytes) {
  // The quaternions go x, y, z, w; a single rotation key keeps its control point.
  EXPECT_EQ(StreamedOut(SmallMotion()), SmallMotionBytes());
}

TEST_F(MotionStream, RoundTripsByteForByte) {
  RTInstance source = SmallMotion();
  MotionNode* root = nullptr;
  motion::GetRootNode(source, &root);
  const NodeKeys turning{{}, {Lopsided(0), RotKey(1, Turn(90, 0, 1, 0)), RotKey(2, Turn(180, 0, 1, 0))}, {}, {}};
  Add(source, u"Bip01 Spine", root, turning);
  const std::string first = StreamedOut(source);

  RTInstance copy = NewMotion();
  ASSERT_EQ(StreamIn(copy, first), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy), first);

  MotionNode* node = nullptr;
  ASSERT_EQ(motion::GetNode(copy, u"Bip01", &node), kRTSuccess);
  ASSERT_EQ(node->rotations.count, 1u);
  const KeyQuaternion& q = node->rotations.keys[0].rotation;
  EXPECT_EQ(q.w, 0.1f);
  EXPECT_EQ(q.v.x, 0.2f);
  EXPECT_EQ(q.v.y, 0.3f);
  EXPECT_EQ(q.v.z, 0.4f);
  EXPECT_EQ(node->rotations.keys[0].control.w, 0.5f);
  float start = 0, end = 0;
  RTBool continuous = 0;
  motion::GetInfo(copy, &start, &end);
  motion::GetContinuous(copy, &continuous);
  EXPECT_EQ(start, 0.5f);
  EXPECT_EQ(end, 2.0f);
  EXPECT_EQ(continuous, 1u);
}

TEST_F(MotionStream, OlderStreamsHaveNoPivots) {
  StreamBytes bytes = MotionHeader(1280);
  WriteNode(bytes, u"Bip01", kRootKeys, 1, false);
  WriteNode(bytes, u"Bip01 Pelvis", kChildKeys, 0, false);
  RTInstance motion = NewMotion();
  ASSERT_EQ(StreamIn(motion, bytes.bytes()), kRTSuccess);

  MotionNode* child = nullptr;
  ASSERT_EQ(motion::GetNode(motion, u"Bip01 Pelvis", &child), kRTSuccess);
  ExpectVector(child->pivot, 0, 0, 0, 0);
  EXPECT_EQ(child->scales.count, 2u);
  EXPECT_EQ(child->parent->childCount, 1u);
}

TEST_F(MotionStream, DamagedStreamsChangeNothing) {
  auto header = [] { return MotionHeader(); };
  auto withRoot = [](StreamBytes bytes, uint32_t positions, uint32_t rotations) {
    bytes.Wide(u"Bip01").U32(positions).U32(rotations).U32(0);
    return bytes.bytes();
  };
  std::string tooDeep = header().bytes();
  for (uint32_t level = 0; level <= 256; ++level) {
    StreamBytes node;
    WriteNode(node, u"n", {}, 1);
    tooDeep += node.bytes();
  }
  const struct {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"a newer version", MotionHeader(1537).bytes() + SmallMotionBytes().substr(17),
       "the stream holds no version of 1536 or older"},
      {"a position key count of 0xFFFFFFFF", withRoot(header(), 0xFFFFFFFFu, 0),
       "the key counts 4294967295, 0 and 0 are larger than the stream"},
      {"a rotation key count of 0xFFFFFFFF", withRoot(header(), 0, 0xFFFFFFFFu),
       "the key counts 0, 4294967295 and 0 are larger than the stream"},
      {"a child count beyond the bytes left",
       header().Wide(u"Bip01").U32(0).U32(0).U32(0).F32(0).F32(0).F32(0).U32(1000).bytes(),
       "the child count 1000 is larger than the stream"},
      {"a truncated name", header().U32(10).Raw("B\0i\0p\0").bytes(), "a node name is cut short"},
      {"a name longer than any stream", header().U32(0x7FFFFFFFu).bytes(), "a node name is cut short"},
      {"no root record", header().bytes(), "a node name is cut short"},
      {"a tree deeper than 256 levels", tooDeep, "the tree is deeper than 256 levels"},
      {"a cut header", header().bytes().substr(0, 12), "the stream ends before the root node"},
  };
  RTInstance motion = SmallMotion();
  const std::string before = StreamedOut(motion);
  for (const auto& c : cases) {
    EXPECT_EQ(StreamIn(motion, c.bytes), kRTFailure) << c.what;
    EXPECT_TRUE(Logged("RTAnimTrack::StreamIn(): " + c.message)) << c.what;
    EXPECT_EQ(StreamedOut(motion), before) << c.what << ": the motion is unchanged";
  }
  EXPECT_EQ(StreamIn(motion, SmallMotionBytes(), 2), kRTFailure) << "a stage of its own";
  EXPECT_EQ(StreamedOut(motion), before);
  EXPECT_FALSE(Logged("Couldn't satisfy request")) << "no count was trusted with an allocation";
}

TEST_F(MotionStream, EveryTruncationIsRefused) {
  const std::string whole = SmallMotionBytes();
  RTInstance motion = NewMotion();
  Add(motion, u"Kept");
  const std::string before = StreamedOut(motion);
  for (size_t length = 0; length < whole.size(); ++length) {
    EXPECT_EQ(StreamIn(motion, whole.substr(0, length)), kRTFailure) << length << " bytes";
    EXPECT_EQ(StreamedOut(motion), before) << length << " bytes";
  }
  EXPECT_EQ(StreamIn(motion, whole), kRTSuccess);
}

TEST_F(MotionStream, WritingNeedsARootAndAStreamedStage) {
  RTInstance empty = NewMotion();
  EXPECT_EQ(StreamedOut(empty), "<failed>");
  EXPECT_TRUE(Logged("RTAnimTrack::StreamOut(): the motion has no nodes to write"));

  InstanceRef stream = tesk::testing::MemoryStreamWith("");
  EXPECT_EQ(component::StreamOut(SmallMotion(), 2, stream.get()), kRTFailure);
  EXPECT_EQ(tesk::testing::MemoryStreamBytes(stream.get()), StreamBytes().U32(1).U32(1536).bytes())
      << "the parent's part and the version come before the stage is refused";
}

TEST_F(MotionStream, ReadingReplacesTheWholeTree) {
  RTInstance motion = SmallMotion();
  Add(motion, u"Second root");  // the first tree stays the motion's
  ASSERT_EQ(StreamIn(motion, SmallMotionBytes()), kRTSuccess);
  MotionNode* node = nullptr;
  EXPECT_EQ(motion::GetNode(motion, u"Second root", &node), kRTFailure);
  ASSERT_EQ(motion::GetNode(motion, u"Bip01 Pelvis", &node), kRTSuccess);
  RTFMatrix4x4 m;
  ASSERT_EQ(motion::GetNodeTM(motion, node, &m), kRTSuccess);
  EXPECT_EQ(m.m[0][0], 1.0f) << "a node read in starts at the identity";
  EXPECT_EQ(m.m[3][0], 0.0f);
}

}  // namespace
