// The talking head through the calls PlaySpeech and the HUD stage make: the rows its speech ids
// choose, what a start holds and a stop gives back, the failures, its window and the draw's calls.
#include "talking_head.h"

#include <bit>

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "platform/utf.h"
#include "recorded_calls.h"
#include "talking_head_fixture.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
namespace r = kivo::rasterizer;

constexpr char16_t kDoctorSkin[] = u"Root:Heads:Assets:Meshes:Skins:DrHead";
constexpr char16_t kDoctorMotion[] = u"Root:Heads:Assets:Motions:DrHead_D_WELCOME";

class TalkingHead : public TalkingHeadTest {
 protected:
  RTFVector3D CameraPosition() {
    const RTFMatrix4x4* local = nullptr;
    EXPECT_TRUE(kivo::scene_node::GetLocalMatrix(Head().cameraNode, &local));
    return local ? RTFVector3D{local->m[3][0], local->m[3][1], local->m[3][2], 0.0f} : RTFVector3D{};
  }
  RTInstance HeadNodeEntity() {
    kivo::InstanceRef entity;
    kivo::scene_node::GetEntity(Head().headNode, entity.out());
    return entity.get();
  }
  bool MotionDone() {
    RTBool done = 0;
    EXPECT_TRUE(kivo::rigid::IsMotionDone(Head().animator, &done));
    return done != 0;
  }
  // A new instance of the class under the folder instance, named.
  kivo::InstanceRef MakeUnder(const char16_t* folder, const char16_t* className, const char16_t* name) {
    kivo::InstanceRef parent = Find(folder);
    kivo::InstanceRef made;
    EXPECT_TRUE(parent.get()) << platform::ToUtf8(folder);
    EXPECT_TRUE(core().CreateInstanceByString(parent.get(), className, made.out(), 0, 0));
    EXPECT_TRUE(core().SetInstanceName(nullptr, made.get(), name));
    return made;
  }
  // The draw between a screen-drawing bracket's end and the next one's start, as the HUD stage
  // calls it, with its calls recorded.
  std::vector<std::string> RecordDraw(RTSuccess* result = nullptr) {
    game::gui::SavedProjection saved{};
    game::gui::BeginScreenDrawing(game(), &saved);
    game::gui::EndScreenDrawing(game(), saved);
    StartRecording();
    const RTSuccess drawn = DrawHead(saved);
    if (result) *result = drawn;
    return Recorded();
  }
};

TEST_F(TalkingHead, TheSpeechIdChoosesTheRowThatPlacesTheCamera) {
  const struct {
    const char16_t* id;
    RTFVector3D camera;
    bool started;  // else the row's motion is missing: the id is raised
  } cases[] = {
      {u"A_ROW", {0.0f, 1.69f, 1.63f, 0}, false},       {u"CHxx", {-0.01f, 1.99f, 1.99f, 0}, false},
      {u"Chxx", {-0.0f, 1.6f, 1.75f, 0}, false},        {u"chxx", {-0.0f, 1.6f, 1.75f, 0}, false},
      {u"D_WELCOME", {0.0f, 2.0f, 1.94f, 0}, true},     {u"K_ROW", {0.029f, -0.05f, 1.72f, 0}, false},
      {u"lEx", {0.0f, 1.66f, 1.715f, 0}, false},        {u"Lex", {-0.01f, 1.65f, 1.775f, 0}, false},
      {u"M_ROW", {0.012f, 1.66f, 1.9f, 0}, false},      {u"P_PAIN", {0.22f, 1.68f, 1.775f, 0}, true},
      {u"RMxx", {0.005f, 1.62f, 1.65f, 0}, false},      {u"Rmxx", {-0.02f, 1.69f, 1.77f, 0}, false},
      {u"S_ROW", {-0.005f, 1.68f, 1.87f, 0}, false},    {u"v_row", {-0.188f, 1.66f, 1.79f, 0}, false},
  };
  for (const auto& c : cases) {
    const std::string id = platform::ToUtf8(c.id);
    const size_t raised = Logged(id);
    EXPECT_EQ(game::StartTalkingHead(record(), c.id), c.started) << id;
    const RTFVector3D at = CameraPosition();
    EXPECT_EQ(at.x, c.camera.x) << id;
    EXPECT_EQ(at.y, c.camera.y) << id;
    EXPECT_EQ(at.z, c.camera.z) << id;
    EXPECT_EQ(Logged(id), raised + (c.started ? 0 : 1)) << id;
  }
  const RTFVector3D before = CameraPosition();
  EXPECT_FALSE(game::StartTalkingHead(record(), u"Bxx"));
  EXPECT_EQ(Logged("Bxx"), 1u) << "no row: the id raised";
  EXPECT_EQ(CameraPosition().x, before.x) << "the camera stays";
  EXPECT_EQ(HeadNodeEntity(), nullptr);
}

TEST_F(TalkingHead, AStartHoldsTheHeadAndTheNextStartOrAStopGivesItBack) {
  kivo::InstanceRef skin = Find(kDoctorSkin);
  kivo::InstanceRef motion = Find(kDoctorMotion);
  ASSERT_TRUE(skin.get() && motion.get());
  const uint32_t skinReferences = References(skin.get());
  const uint32_t motionReferences = References(motion.get());
  EXPECT_TRUE(MotionDone()) << "no motion before a start";

  ASSERT_TRUE(game::StartTalkingHead(record(), u"D_WELCOME"));
  EXPECT_EQ(HeadNodeEntity(), skin.get());
  EXPECT_EQ(Head().mesh, skin.get());
  EXPECT_EQ(Head().motion, motion.get());
  EXPECT_GT(References(skin.get()), skinReferences);
  EXPECT_GT(References(motion.get()), motionReferences);
  float time = -1.0f;
  ASSERT_TRUE(kivo::rigid::GetMotionTime(Head().animator, &time));
  EXPECT_EQ(time, 0.0f);
  EXPECT_FALSE(MotionDone());

  ASSERT_TRUE(game::StartTalkingHead(record(), u"P_PAIN"));
  EXPECT_EQ(References(skin.get()), skinReferences) << "the doctor's head is given back";
  EXPECT_EQ(References(motion.get()), motionReferences);
  EXPECT_NE(HeadNodeEntity(), skin.get());

  kivo::InstanceRef patient = Find(u"Root:Heads:Assets:Meshes:Skins:PatHead");
  const uint32_t patientReferences = References(patient.get());
  EXPECT_TRUE(game::StopTalkingHead(record()));
  EXPECT_EQ(HeadNodeEntity(), nullptr);
  EXPECT_EQ(Head().mesh, nullptr);
  EXPECT_EQ(Head().motion, nullptr);
  EXPECT_LT(References(patient.get()), patientReferences);
  EXPECT_TRUE(MotionDone()) << "the animator holds no motion";
}

TEST_F(TalkingHead, AFailedStartRaisesTheIdOrTheMeshNameAndHoldsNothing) {
  // The row A has a motion of the id but no mesh; the row C a mesh and, at the motion's path,
  // something the animator refuses.
  kivo::InstanceRef onlyMotion =
      MakeUnder(u"Root:Heads:Assets:Motions", u"RTAnimTrack", u"AdminHead_A_MOTION_ONLY");
  kivo::InstanceRef copSkin = MakeUnder(u"Root:Heads:Assets:Meshes:Skins", u"RTTeskSkin", u"CopHead");
  kivo::InstanceRef notAMotion = MakeUnder(u"Root:Heads:Assets:Motions", u"RTMaterial", u"CopHead_C_REFUSED");
  kivo::InstanceRef skin = Find(kDoctorSkin);
  const struct {
    const char16_t* id;
    const char* raised;
  } cases[] = {
      {u"K_NO_MOTION", "K_NO_MOTION"},
      {u"A_MOTION_ONLY", "AdminHead"},
      {u"C_REFUSED", "CopHead"},
  };
  std::vector<uint32_t> references;
  for (RTInstance held : {onlyMotion.get(), copSkin.get(), notAMotion.get(), skin.get()})
    references.push_back(References(held));
  for (const auto& c : cases) {
    ASSERT_TRUE(game::StartTalkingHead(record(), u"D_WELCOME"));
    const size_t raised = Logged(c.raised);
    EXPECT_FALSE(game::StartTalkingHead(record(), c.id)) << c.raised;
    EXPECT_EQ(Logged(c.raised), raised + 1) << c.raised;
    EXPECT_EQ(HeadNodeEntity(), nullptr) << c.raised;
    EXPECT_EQ(Head().mesh, nullptr) << c.raised;
    EXPECT_EQ(Head().motion, nullptr) << c.raised;
    EXPECT_TRUE(MotionDone()) << c.raised;
    size_t i = 0;
    for (RTInstance held : {onlyMotion.get(), copSkin.get(), notAMotion.get(), skin.get()})
      EXPECT_EQ(References(held), references[i++]) << c.raised;
  }
}

TEST_F(TalkingHead, TheWindowSitsAtTheBottomCentreOfTheScreen) {
  ASSERT_TRUE(game::StartTalkingHead(record(), u"D_WELCOME"));
  SetSpeechPlaying(true);
  const struct {
    uint32_t width, height;
    const char* window;
    const char* screen;
  } cases[] = {
      {1024, 768, "(423, 16, 180, 126)", "SetViewport(0, 0, 1024, 768)"},
      {800, 600, "(330, 31, 140, 98)", "SetViewport(0, 0, 800, 600)"},
  };
  for (const auto& c : cases) {
    SetScreen(c.width, c.height);
    RTSuccess result = kRTFailure;
    const std::vector<std::string> calls = RecordDraw(&result);
    EXPECT_EQ(result, kRTSuccess);
    EXPECT_TRUE(InOrder(calls, {std::string("SetViewport") + c.window, "EnableCulling(0)", "EnableScissor(1)",
                                std::string("SetScissor") + c.window, "Clear(1)", "Clear(2)", "PushViewMatrix",
                                "SetProjection", "SetVertexArray", "PopViewMatrix", "EnableScissor(0)",
                                "EnableCulling(1)", c.screen, "SetViewVolume", "SetColor(1, 1, 1)"}))
        << c.window;
  }
}

TEST_F(TalkingHead, TheViewVolumeAfterTheDrawIsTheOneBefore) {
  ASSERT_TRUE(game::StartTalkingHead(record(), u"D_WELCOME"));
  SetSpeechPlaying(true);
  ASSERT_TRUE(r::BeginFrame(record().rasterizer, context()));
  ASSERT_TRUE(r::SetProjection(record().rasterizer, -0.0412f, -0.0309f, -0.1f, 0.0413f, 0.0308f, -480.5f));
  float before[6] = {}, after[6] = {};
  r::GetProjection(record().rasterizer, &before[0], &before[1], &before[2], &before[3], &before[4], &before[5]);
  const std::vector<std::string> calls = RecordDraw();
  ASSERT_EQ(CountStarting(calls, "SetVertexArray"), 1u) << "the head was drawn";
  r::GetProjection(record().rasterizer, &after[0], &after[1], &after[2], &after[3], &after[4], &after[5]);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(std::bit_cast<uint32_t>(after[i]), std::bit_cast<uint32_t>(before[i])) << i;
}

TEST_F(TalkingHead, TheMotionPlaysOnTheGameClockFromEachStart) {
  SetSpeechPlaying(true);
  const auto drawAt = [&](double clock) {
    record().gameClock = clock;
    RecordDraw();
    float time = -1.0f;
    EXPECT_TRUE(kivo::rigid::GetMotionTime(Head().animator, &time));
    return time;
  };
  ASSERT_TRUE(game::StartTalkingHead(record(), u"D_WELCOME"));
  EXPECT_EQ(drawAt(1.0), 0.0f);
  EXPECT_EQ(drawAt(1.5), 0.5f);
  ASSERT_TRUE(game::StartTalkingHead(record(), u"D_WELCOME"));
  EXPECT_EQ(drawAt(30.0), 0.0f) << "the time the head was not drawn does not count";
  EXPECT_EQ(HeadActive(), 1u);
}

TEST_F(TalkingHead, NothingIsDrawnOnceTheMotionEndsOrTheSpeechStops) {
  ASSERT_TRUE(game::StartTalkingHead(record(), u"D_WELCOME"));
  SetSpeechPlaying(true);
  EXPECT_EQ(HeadActive(), 1u);
  ASSERT_TRUE(kivo::rigid::SetMotionTime(Head().animator, 4.0f)) << "the motion's end";
  EXPECT_EQ(HeadActive(), 0u) << "finished while the speech plays";
  RTSuccess result = kRTFailure;
  EXPECT_EQ(CountStarting(RecordDraw(&result), "SetViewport"), 0u);
  EXPECT_EQ(result, kRTSuccess);

  ASSERT_TRUE(game::StartTalkingHead(record(), u"D_WELCOME"));
  SetSpeechPlaying(false);
  EXPECT_EQ(HeadActive(), 0u);
  EXPECT_EQ(CountStarting(RecordDraw(&result), "SetViewport"), 0u);
  EXPECT_EQ(result, kRTSuccess);
}

// Before any environment there is no talking-head scene: nothing starts, nothing is raised, and
// the draw answers 0.
class TalkingHeadBeforeTheEnvironment : public TalkingHead {
 protected:
  void SetUp() override {
    EnvironmentTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, r::kClassName, &record().rasterizer, 1, nullptr));
    SetScreen(1024, 768);
  }
};

TEST_F(TalkingHeadBeforeTheEnvironment, NothingStartsAndTheDrawGivesZero) {
  const size_t lines = LogLines().size();
  EXPECT_FALSE(game::StartTalkingHead(record(), u"D_WELCOME"));
  EXPECT_EQ(LogLines().size(), lines);
  SetSpeechPlaying(true);
  RTSuccess result = kRTSuccess;
  EXPECT_EQ(CountStarting(RecordDraw(&result), "SetViewport"), 0u);
  EXPECT_EQ(result, kRTFailure);
}

}  // namespace
