// The scene tree's ray and sphere tests over rooms whose answers are planted: which room's answer
// stands, which rooms are asked, the room looked up at the start point, the filter handed to the
// sphere tests only, and the references of hit word B.
#include <limits>

#include "fixtures/recorded_calls.h"
#include "kivo/scene/room_calls.h"
#include "scene_test.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace tree_calls = tesk::scene_tree;

constexpr float kNoHit = std::numeric_limits<float>::max();
constexpr float kNone = -1.0f;  // a planted distance that answers no hit

// Plants a room's answer.
RTSuccess Plant(RTInstance room, float distance, uint32_t wordA, RTInstance node) {
  return CallMethod(room, room::kObjectSize, scenefixture::kPlant, distance, wordA, node);
}

struct Outcome {
  RTSuccess result;
  float distance;
  uint32_t wordA;
  RTInstance wordB;
};

class HitTests : public SceneTest {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override { host.InstallComponent(FixtureComponent("RTPlantedRoom")); }

  void SetUp() override {
    SceneTest::SetUp();
    tree_ = MakeTree();
    // The room under test with its neighbours in list order; N3 is left out of the scenario.
    room_ = MakeRoom(u"R", At(0, 0, 0), At(10, 3, 10), nullptr, u"RTPlantedRoom");
    for (const char16_t* name : {u"N1", u"N2", u"N3"}) {
      const float x = 10.0f * static_cast<float>(neighbours_.size() + 1);
      neighbours_.push_back(MakeRoom(name, At(x, 0, 0), At(x + 10, 3, 10), nullptr, u"RTPlantedRoom"));
      ASSERT_EQ(room::AddNeighbourRoom(room_.get(), name), kRTSuccess);
    }
    ASSERT_EQ(tree_calls::AddRoom(tree_.get(), room_.get()), kRTSuccess);
    for (const InstanceRef& neighbour : neighbours_)
      ASSERT_EQ(tree_calls::AddRoom(tree_.get(), neighbour.get()), kRTSuccess);
    ASSERT_EQ(room::SetFlags(neighbours_[2].get(), room::kDisabled), kRTSuccess);
    ASSERT_EQ(tree_calls::UpdateQuadTree(tree_.get()), kRTSuccess);
    for (const char16_t* name : {u"HitR", u"HitN1", u"HitN2", u"HitN3"}) hits_.push_back(MakeNode(name, At(0, 0, 0)));
  }

  void TearDown() override {
    hits_.clear();
    neighbours_.clear();
    room_.Reset();
    tree_.Reset();
    SceneTest::TearDown();
  }

  // Plants the distances of R, N1, N2 and N3 (kNone: no hit), each with its own node as word B and
  // word A = its place.
  void PlantAll(float r, float n1, float n2, float n3) {
    const float distances[] = {r, n1, n2, n3};
    RTInstance rooms[] = {room_.get(), neighbours_[0].get(), neighbours_[1].get(), neighbours_[2].get()};
    for (uint32_t i = 0; i < 4; ++i) ASSERT_EQ(Plant(rooms[i], distances[i], i, hits_[i].get()), kRTSuccess);
  }

  // Runs a test from a point of R (the room given, or looked up when `given` is null) and gives
  // word B's reference back.
  Outcome Ray(RTInstance given) {
    const RTFVector3D origin = At(5, 1, 5), direction = At(1, 0, 0);
    Outcome out{0, 0, 99, nullptr};
    RTFVector3D point;
    out.result =
        tree_calls::RayHitTest(tree_.get(), given, &origin, &direction, &out.distance, &point, &out.wordA, &out.wordB);
    if (out.wordB) core().ReleaseInstance(nullptr, out.wordB);
    return out;
  }
  Outcome Sphere(RTInstance given) {
    const RTFVector3D start = At(5, 1, 5), movement = At(1, 0, 0);
    Outcome out{0, 0, 99, nullptr};
    RTFVector3D point, normal;
    out.result = tree_calls::SphereHitTest(tree_.get(), given, &start, &movement, 0.3f, &out.distance, &point, &normal,
                                           &out.wordA, &out.wordB);
    if (out.wordB) core().ReleaseInstance(nullptr, out.wordB);
    return out;
  }

  InstanceRef tree_;
  InstanceRef room_;
  std::vector<InstanceRef> neighbours_;
  std::vector<InstanceRef> hits_;
};

TEST_F(HitTests, TheRayPrefersTheRoomAndTheSphereTheNearestAnswer) {
  const struct {
    const char* what;
    float r, n1, n2, n3;
    bool sphere;
    RTSuccess result;
    float distance;
    uint32_t wordA;  // whose answer stands: 0 R, 1 N1, 2 N2
  } cases[] = {
      {"ray: the room's 5 stands over a neighbour's 2", 5, 2, kNone, 1, false, 1, 5, 0},
      {"sphere: the neighbour's 2 beats the room's 5", 5, 2, kNone, 1, true, 1, 2, 1},
      {"ray: the nearest neighbour without a room hit", kNone, 3, 2, 1, false, 1, 2, 2},
      {"sphere: equal neighbours, the earlier wins", 5, 2, 2, 1, true, 1, 2, 1},
      {"sphere: a tie with the room goes to the room", 2, 2, kNone, 1, true, 1, 2, 0},
      {"ray: nothing but the disabled neighbour", kNone, kNone, kNone, 1, false, 0, kNoHit, 99},
      {"sphere: nothing but the disabled neighbour", kNone, kNone, kNone, 1, true, 0, kNoHit, 99},
  };
  for (const auto& c : cases) {
    PlantAll(c.r, c.n1, c.n2, c.n3);
    for (RTInstance given : {room_.get(), static_cast<RTInstance>(nullptr)}) {
      const Outcome out = c.sphere ? Sphere(given) : Ray(given);
      EXPECT_EQ(out.result, c.result) << c.what;
      EXPECT_EQ(out.distance, c.distance) << c.what;
      EXPECT_EQ(out.wordA, c.wordA) << c.what;
    }
  }
  EXPECT_EQ(Occurrences("Test(N3)"), 0u) << "a disabled neighbour is never asked";
  EXPECT_EQ(Occurrences("RayHitTest(N1)"), 4u) << "only when the room has no hit";
}

TEST_F(HitTests, ARoomOutOfLookupsAnswersNothingEvenWhenItsNeighboursWouldHit) {
  PlantAll(5, 2, 2, kNone);
  ASSERT_EQ(room::SetFlags(room_.get(), room::kOutOfQuadTree), kRTSuccess);
  const uint32_t count = RefCount(room_.get());
  for (const Outcome& out : {Ray(room_.get()), Sphere(room_.get())}) {
    EXPECT_EQ(out.result, kRTFailure);
    EXPECT_EQ(out.distance, kNoHit);
    EXPECT_EQ(out.wordA, 99u) << "untouched";
  }
  EXPECT_EQ(Occurrences("HitTest("), 0u);
  ASSERT_EQ(room::SetFlags(room_.get(), 0), kRTSuccess);
  const RTFVector3D outside = At(-50, 1, 5), direction = At(1, 0, 0);
  float distance = 0;
  RTFVector3D point;
  uint32_t wordA = 99;
  RTInstance wordB = nullptr;
  EXPECT_EQ(tree_calls::RayHitTest(tree_.get(), nullptr, &outside, &direction, &distance, &point, &wordA, &wordB),
            kRTFailure)
      << "no room under the origin";
  EXPECT_EQ(distance, kNoHit);
  EXPECT_EQ(RefCount(room_.get()), count) << "the looked-up room is given back on every path";
}

TEST_F(HitTests, TheFilterGoesToEverySphereTestUntilClearedAndNeverToTheRay) {
  PlantAll(kNone, kNone, kNone, kNone);
  InstanceRef filter = MakeNode(u"Self", At(5, 0, 5));
  ASSERT_EQ(tree_calls::SetHitTestFilter(tree_.get(), filter.get()), kRTSuccess);
  EXPECT_EQ(RefCount(filter.get()), 2u);
  Sphere(room_.get());
  Sphere(nullptr);
  Ray(room_.get());
  EXPECT_EQ(Occurrences("SetHitTestFilter(R, Self)"), 2u);
  EXPECT_EQ(Occurrences("SetHitTestFilter(N1, Self)"), 2u);
  EXPECT_EQ(Occurrences("SetHitTestFilter("), 6u) << "R, N1 and N2 twice; the ray hands none";
  ASSERT_EQ(tree_calls::SetHitTestFilter(tree_.get(), nullptr), kRTSuccess);
  EXPECT_EQ(RefCount(filter.get()), 1u);
  Sphere(room_.get());
  EXPECT_EQ(Occurrences("SetHitTestFilter(R, none)"), 1u);
}

TEST_F(HitTests, OnlyTheAnswerReturnedKeepsAReference) {
  PlantAll(5, 2, 3, kNone);
  std::vector<uint32_t> counts;
  for (const InstanceRef& hit : hits_) counts.push_back(RefCount(hit.get()));
  for (int i = 0; i < 1000; ++i) {
    Sphere(room_.get());
    Ray(nullptr);
  }
  PlantAll(kNone, 4, 2, kNone);
  for (int i = 0; i < 1000; ++i) Ray(room_.get());
  for (size_t i = 0; i < hits_.size(); ++i) EXPECT_EQ(RefCount(hits_[i].get()), counts[i]) << i;
}

}  // namespace
