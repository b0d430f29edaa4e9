// The talking head drawn by the software rasterizer into a whole frame of the sample's hospital at
// 1024 x 768: while its speech plays the head shows in its window in several colours, and the
// rest of the frame is the frame without speech.
#include <set>

#include "kivo/rasterizer/rasterizer_calls.h"
#include "software_rasterizer.h"
#include "talking_head.h"
#include "talking_head_fixture.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace r = kivo::rasterizer;
using tesk::testing::Picture;

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
// The window, from the top left: columns 423 to 602, rows 626 to 751.
constexpr int kLeft = 423, kTop = 626, kRight = 603, kBottom = 752;

class TalkingHeadPicture : public TalkingHeadTest {
 protected:
  void SetUp() override {
    TalkingHeadTest::SetUp();
    if (HasFatalFailure()) return;
    const uint32_t descriptor[r::kDescriptorWords] = {0, 0, 0, kScreenHeight, kScreenWidth, 32, 24, 8, 0, 0, 0, 1};
    ASSERT_TRUE(r::CreateWindowContext(record().rasterizer, nullptr, descriptor, &screen_));
    tesk::game::GamePrivateData& game = record();
    game.windowContext = game.windowHandle = screen_;
    if (!game.lists.actorList) {
      ASSERT_TRUE(kivo::ListCreate(&game.lists.actorList));
    }
    game.gameObject = NewProbe();
    game.vm = vm();
    game.ScreenMode = 0;
  }

  Picture Frame(const std::string& name) {
    EXPECT_TRUE(kivo::CallMethod(game(), tesk::game::kLevel, tesk::game::kRenderC));
    const std::filesystem::path shot = host_.root() / (name + ".png");
    EXPECT_TRUE(r::Screenshot(record().rasterizer, shot.u16string().c_str()));
    return Picture::Load(shot);
  }

  static bool InWindow(int x, int y) { return x >= kLeft && x < kRight && y >= kTop && y < kBottom; }

  r::WindowContext screen_ = nullptr;
};

TEST_F(TalkingHeadPicture, TheHeadShowsInItsWindowAndTheRestIsTheFrameWithoutSpeech) {
  ASSERT_TRUE(tesk::game::StartTalkingHead(record(), u"D_WELCOME"));
  record().gameClock = 1.0;
  SetSpeechPlaying(true);
  const Picture speaking = Frame("speaking");
  SetSpeechPlaying(false);
  const Picture silent = Frame("silent");
  ASSERT_EQ(speaking.width(), kScreenWidth);
  ASSERT_EQ(speaking.height(), kScreenHeight);
  int changedOutside = 0;
  std::set<uint32_t> windowColours;
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      if (InWindow(x, y))
        windowColours.insert(speaking.At(x, y));
      else
        changedOutside += speaking.At(x, y) != silent.At(x, y);
    }
  EXPECT_EQ(changedOutside, 0);
  EXPECT_GE(windowColours.size(), 4u) << "skin, hair, eyes, lips and the window's ground";
  int differingInside = 0;
  for (int y = kTop; y < kBottom; ++y)
    for (int x = kLeft; x < kRight; ++x) differingInside += speaking.At(x, y) != silent.At(x, y);
  EXPECT_GT(differingInside, (kRight - kLeft) * (kBottom - kTop) / 4) << "the face fills much of the window";
}

}  // namespace
