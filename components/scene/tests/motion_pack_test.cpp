// Motions that kivopack generates from a skeleton and a family of curves, loaded by path from the
// pack; descriptions it refuses.
#include <cmath>
#include <filesystem>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"
#include "kivo/support/instance_ref.h"
#include "motion_fixture.h"

namespace {

using namespace motiontest;
using namespace kivo;
using tesk::testing::Quoted;

constexpr char kSkeleton[] = R"({"bones": [
    {"name": "Root", "offset": [0, 1, 0]},
    {"name": "Left", "parent": "Root", "offset": [0.5, 0, 0]},
    {"name": "Right", "parent": "Root", "offset": [-0.5, 0, 0]},
    {"name": "Left Hand", "parent": "Left", "offset": [0, -0.5, 0]}]})";

// Two seconds at 2 keys a second: keys at 0, 0.5, 1, 1.5 and 2.
constexpr char kFamily[] = R"({"duration": 2, "keysPerSecond": 2, "continuous": true, "curves": [
    {"bone": "Left", "rotation": [10, 0, 0], "swing": [30, 0, 0], "cycles": 1},
    {"bone": "Root", "position": [0, 0, 0], "swing": [0, 0.25, 0], "cycles": 1, "phase": 90}]})";

struct Written {
  int status;
  std::string errors;
};

Written Kivopack(const std::filesystem::path& dir, const std::string& motion, const std::string& className,
                 const std::filesystem::path& pack) {
  tesk::testing::WriteFile(dir / "skeleton.json", kSkeleton);
  tesk::testing::WriteFile(dir / "family.json", kFamily);
  tesk::testing::WriteFile(dir / "pack.json", R"({"instances": [{"path": "Root:Motions:Wave", "class": ")" + className +
                                                  R"(", "motion": )" + motion + "}]}");
  const auto outcome = tesk::testing::RunCommand(
      std::string(KIVOPACK) + " build " + Quoted((dir / "pack.json").string()) + " " + Quoted(pack.string()), dir);
  return {outcome.status, outcome.err};
}

class PackedMotion : public MotionTest {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    MotionTest::InstallComponents(host);
    std::filesystem::create_directories(host.root() / "store");
    const Written written = Kivopack(dir_.path(), R"({"skeleton": "skeleton.json", "family": "family.json"})",
                                     "RTAnimTrack", host.root() / "store/root.kivopack");
    ASSERT_EQ(written.status, 0) << written.errors;
  }

  tesk::testing::TempDir dir_;
};

TEST_F(PackedMotion, KeysFollowTheCurvesOverTheSkeleton) {
  InstanceRef motion;
  ASSERT_EQ(core().GetInstanceByName(nullptr, u"Root:Motions:Wave", motion.out(), 0), kRTSuccess);
  MotionNode* root = nullptr;
  ASSERT_EQ(motion::GetRootNode(motion.get(), &root), kRTSuccess);
  ASSERT_EQ(root->childCount, 2u);
  const MotionNode* left = root->children[0];
  EXPECT_EQ(std::u16string(left->name), u"Left");
  EXPECT_EQ(std::u16string(root->children[1]->name), u"Right");
  ASSERT_EQ(left->childCount, 1u);
  EXPECT_EQ(std::u16string(left->children[0]->name), u"Left Hand");

  float start = -1, end = -1;
  RTBool continuous = 0;
  motion::GetInfo(motion.get(), &start, &end);
  motion::GetContinuous(motion.get(), &continuous);
  EXPECT_EQ(start, 0.0f);
  EXPECT_EQ(end, 2.0f);
  EXPECT_EQ(continuous, 1u);

  ASSERT_EQ(left->rotations.count, 5u);
  EXPECT_EQ(left->rotations.keys[4].time, 2.0f);
  // A quarter of the cycle: 10 + 30 degrees about x.
  ExpectQuat(AsQuat(left->rotations.keys[1].rotation), Turn(40, 1, 0, 0));
  ASSERT_EQ(left->positions.count, 1u) << "no position curve: the rest offset alone";
  ExpectVector(left->positions.keys[0].position, 0.5f, 0, 0, 0);
  ASSERT_EQ(root->positions.count, 5u);
  ExpectVector(root->positions.keys[0].position, 0, 1.25f, 0);  // phase 90: the top of the swing
  ExpectVector(root->positions.keys[2].position, 0, 0.75f, 0);
  const MotionNode* right = root->children[1];
  ASSERT_EQ(right->rotations.count, 1u);
  ExpectQuat(AsQuat(right->rotations.keys[0].rotation), {1, 0, 0, 0}, 0);
}

TEST(KivopackMotions, RefusesDescriptionsItCannotGenerate) {
  tesk::testing::CoreHost host;
  for (const char* name : {"RTEditable", "RTAnimTrack"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  tesk::testing::TempDir dir;
  const struct {
    const char* what;
    std::string motion;
    std::string className;
    std::string family;
    const char* message;
  } cases[] = {
      {"no family", R"({"skeleton": "skeleton.json"})", "RTAnimTrack", "",
       "a \"motion\" names a \"skeleton\" and a \"family\" file"},
      {"not a motion class", R"({"skeleton": "skeleton.json", "family": "family.json"})", "RTComponent", "",
       "a \"motion\" is generated only into an RTAnimTrack instance"},
      {"a missing skeleton", R"({"skeleton": "nowhere.json", "family": "family.json"})", "RTAnimTrack", "",
       "cannot open"},
      {"a bone the skeleton lacks", R"({"skeleton": "skeleton.json", "family": "other.json"})", "RTAnimTrack",
       R"({"duration": 1, "keysPerSecond": 4, "curves": [{"bone": "Tail", "rotation": [0, 0, 0]}]})",
       "curve 0 the bone \"Tail\" is not in the skeleton"},
      {"a duration of 0", R"({"skeleton": "skeleton.json", "family": "other.json"})", "RTAnimTrack",
       R"({"duration": 0, "keysPerSecond": 4, "curves": []})", "a family needs a \"duration\" of up to 600 seconds"},
      {"a swing of two numbers", R"({"skeleton": "skeleton.json", "family": "other.json"})", "RTAnimTrack",
       R"({"duration": 1, "keysPerSecond": 4, "curves": [{"bone": "Left", "rotation": [0, 0, 0], "swing": [1, 2]}]})",
       "the base and \"swing\" are three finite numbers"},
  };
  for (const auto& c : cases) {
    if (!c.family.empty()) tesk::testing::WriteFile(dir.path() / "other.json", c.family);
    const Written written = Kivopack(dir.path(), c.motion, c.className, dir.path() / "out.kivopack");
    EXPECT_EQ(written.status, 1) << c.what;
    EXPECT_NE(written.errors.find(c.message), std::string::npos) << c.what << ": " << written.errors;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.kivopack")) << c.what;
  }
}

TEST(KivopackSkeletons, RefusesSkeletonsThatAreNoTree) {
  tesk::testing::CoreHost host;
  for (const char* name : {"RTEditable", "RTAnimTrack"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  tesk::testing::TempDir dir;
  const struct {
    const char* what;
    const char* skeleton;
    const char* message;
  } cases[] = {
      {"no bones", R"({"bones": []})", "a skeleton needs a list of \"bones\""},
      {"a root with a parent", R"({"bones": [{"name": "A", "parent": "A", "offset": [0, 0, 0]}]})",
       "bone 0: the first bone is the root and has no \"parent\""},
      {"two roots", R"({"bones": [{"name": "A", "offset": [0, 0, 0]}, {"name": "B", "offset": [0, 0, 0]}]})",
       "bone 1: every bone but the first names its \"parent\""},
      {"a parent listed later",
       R"({"bones": [{"name": "A", "offset": [0, 0, 0]}, {"name": "B", "parent": "C", "offset": [0, 0, 0]},
                     {"name": "C", "parent": "A", "offset": [0, 0, 0]}]})",
       "bone 1: the parent \"C\" is not listed before it"},
      {"a name twice",
       R"({"bones": [{"name": "A", "offset": [0, 0, 0]}, {"name": "A", "parent": "A", "offset": [0, 0, 0]}]})",
       "bone 1: the name \"A\" stands twice"},
      {"an offset that is not finite", R"({"bones": [{"name": "A", "offset": [0, 1e300, 0]}]})",
       "bone 0: \"offset\" must be three finite numbers"},
  };
  for (const auto& c : cases) {
    tesk::testing::WriteFile(dir.path() / "bad.json", c.skeleton);
    tesk::testing::WriteFile(dir.path() / "family.json", kFamily);
    tesk::testing::WriteFile(dir.path() / "pack.json", R"({"instances": [{"path": "Root:M", "class": "RTAnimTrack",
        "motion": {"skeleton": "bad.json", "family": "family.json"}}]})");
    const auto outcome =
        tesk::testing::RunCommand(std::string(KIVOPACK) + " build " + Quoted((dir.path() / "pack.json").string()) +
                                      " " + Quoted((dir.path() / "out.kivopack").string()),
                                  dir.path());
    EXPECT_EQ(outcome.status, 1) << c.what;
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << c.what << ": " << outcome.err;
  }
}

}  // namespace
