// The talking head's window and its drawing, once a frame from the HUD stage.
#include "game_context.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/support/numeric.h"
#include "speech.h"
#include "talking_head.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;
namespace tree = kivo::plain_scene_tree;

// The window at 1024 x 768, scaled to the screen (exactly: width / 1024, height / 768); y counts
// from the bottom, 16 above it on screens taller than 600 pixels, else 31.
struct HeadWindow {
  int32_t x, y, width, height;
};

HeadWindow WindowFor(uint32_t screenWidth, uint32_t screenHeight) {
  const double width = screenWidth;
  const double height = screenHeight;
  return HeadWindow{kivo::FloatToInt<int32_t>(width * 0.5 - 89.0 * width / 1024.0), screenHeight > 600 ? 16 : 31,
                    kivo::FloatToInt<int32_t>(180.0 * width / 1024.0),
                    kivo::FloatToInt<int32_t>(126.0 * height / 768.0)};
}

bool MotionFinished(const HeadScene& head) {
  RTBool done = 0;
  return head.animator && kivo::rigid::IsMotionDone(head.animator, &done) && done;
}

}  // namespace

uint32_t TalkingHeadActive(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game || MotionFinished(game->environment.head)) return 0;
  return SpeechStillPlaying(*game) ? 1 : 0;
}

RTSuccess DrawTalkingHead(RTInstance self, const gui::SavedProjection& viewVolume) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->environment.head.rootNode) return kRTFailure;
  const HeadScene& head = game->environment.head;
  if (MotionFinished(head) || !SpeechStillPlaying(*game)) return kRTSuccess;
  tree::Update(head.scene, kivo::FloatToInt<uint32_t>(game->gameClock * 1000.0), 0);
  const HeadWindow window = WindowFor(game->screenWidth, game->screenHeight);
  RTInstance rasterizer = game->rasterizer;
  r::SetViewport(rasterizer, window.x, window.y, window.width, window.height);
  r::EnableCulling(rasterizer, 0);
  r::EnableScissor(rasterizer, 1);
  r::SetScissor(rasterizer, window.x, window.y, window.width, window.height);
  r::Clear(rasterizer, r::kClearColour);
  r::Clear(rasterizer, r::kClearDepth);
  tree::SetRenderCameraNode(head.scene, head.cameraNode);
  tree::Render(head.scene);
  r::EnableScissor(rasterizer, 0);
  r::EnableCulling(rasterizer, 1);
  r::SetViewport(rasterizer, 0, 0, static_cast<int32_t>(game->screenWidth), static_cast<int32_t>(game->screenHeight));
  // The saved cells hold the projection as GetProjection hands it out: left, near, bottom, top,
  // right, far.
  const std::array<float, 6>& cell = viewVolume.box;
  r::SetViewVolume(rasterizer, cell[0], cell[4], cell[2], cell[3], cell[1], cell[5]);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  return kRTSuccess;
}

}  // namespace tesk::game
