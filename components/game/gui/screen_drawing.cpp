#include "screen_drawing.h"

#include "game_record.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/matrix.h"

namespace tesk::game::gui {

namespace r = kivo::rasterizer;

RTSuccess BeginScreenDrawing(RTInstance game, SavedProjection* saved) {
  GamePrivateData* record = RecordOf(game);
  if (!record) return kRTFailure;
  return BeginScreenDrawingOn(record->rasterizer, record->windowContext, saved);
}

RTSuccess BeginScreenDrawingOn(RTInstance rasterizer, void* windowContext, SavedProjection* saved) {
  if (!saved) return kRTFailure;
  std::array<float, 6>& cell = saved->box;
  r::GetProjection(rasterizer, &cell[0], &cell[3], &cell[1], &cell[4], &cell[2], &cell[5]);
  r::GetProjectionMode(rasterizer, &saved->mode);
  r::SetProjectionMode(rasterizer, r::kOrthographic);
  // The window record's words counted from 1: word 3 left, word 2 top, word 5 width, word 4
  // height.
  uint32_t word[r::kWindowRectWords] = {};
  r::GetWindowRect(rasterizer, windowContext, word);
  r::SetProjection(rasterizer, static_cast<float>(word[2]), static_cast<float>(word[1]), -1.0f,
                   static_cast<float>(word[4]), static_cast<float>(word[3]), 1.0f);
  RTFMatrix4x4 identity;
  kivo::Mat4Identity(&identity);
  r::PushViewMatrix(rasterizer, &identity);
  r::PushWorldMatrix(rasterizer, &identity);
  r::EnableDepthTest(rasterizer, 0);
  r::EnableDepthWrite(rasterizer, 0);
  return kRTSuccess;
}

RTSuccess EndScreenDrawing(RTInstance game, const SavedProjection& saved) {
  GamePrivateData* record = RecordOf(game);
  if (!record) return kRTFailure;
  return EndScreenDrawingOn(record->rasterizer, saved);
}

RTSuccess EndScreenDrawingOn(RTInstance rasterizer, const SavedProjection& saved) {
  r::PopWorldMatrix(rasterizer);
  r::PopViewMatrix(rasterizer);
  r::EnableDepthTest(rasterizer, 1);
  r::EnableDepthWrite(rasterizer, 1);
  r::SetProjectionMode(rasterizer, saved.mode);
  const std::array<float, 6>& cell = saved.box;
  r::SetProjection(rasterizer, cell[0], cell[3], cell[1], cell[4], cell[2], cell[5]);
  return kRTSuccess;
}

}  // namespace tesk::game::gui
