#include "security_view.h"

#include "form.h"
#include "form_drawing.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/numeric.h"
#include "panel.h"
#include "tesk/scene/scene_tree_calls.h"
#include "widget_kind.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;

constexpr const char16_t* kCameraPanels[3][2] = {
    {u"SC_F1_LFT_PNL", u"SC_F1_RT_PNL"},
    {u"SC_F2_LFT_PNL", u"SC_F2_RT_PNL"},
    {u"SC_AP_LFT_PNL", u"SC_AP_RT_PNL"},
};

// The monitor's offset below its panel: 48, or 9 from the first frame drawn 600 pixels high on.
int32_t gMonitorOffset = 48;

gui::TeskPanel* FormPanel(const gui::TeskForm* form, const char16_t* name) {
  return gui::OfKind<gui::TeskPanel>(FormWidget(form, name));
}

void ShowSelectedCamera(const GamePrivateData& game, const gui::TeskForm* form) {
  if (!game.securityCamerasReady) return;
  for (uint32_t camera = 0; camera < 3; ++camera)
    for (const char16_t* name : kCameraPanels[camera])
      if (gui::TeskPanel* panel = FormPanel(form, name))
        camera == game.securityCameraIndex ? panel->Show() : panel->Hide();
}

// The camera's picture inside the monitor panel (the rasterizer counts y from the bottom).
void RenderMonitor(GamePrivateData& game, const gui::TeskForm* form) {
  const gui::TeskIWidget* monitor = FormWidget(form, u"SC_MVS_PNL");
  if (!monitor || !game.securityCameraNode || !game.sceneTree) return;
  if (game.screenHeight == 600) gMonitorOffset = 9;
  const int32_t x = monitor->LocalToAbsoluteX(monitor->GetX());
  const int32_t top = monitor->LocalToAbsoluteY(monitor->GetY()) + gMonitorOffset + 4;
  const int32_t width = monitor->GetWidth();
  const int32_t height = monitor->GetHeight();
  const int32_t bottom = static_cast<int32_t>(game.screenHeight) - top - height;
  RTInstance rasterizer = game.rasterizer;
  r::SetViewport(rasterizer, x, bottom, width, height);
  r::EnableScissor(rasterizer, 1);
  r::SetScissor(rasterizer, x, bottom, width, height);
  r::SetClearMask(rasterizer, r::kClearColour | r::kClearDepth);
  r::SetProjectionMode(rasterizer, r::kPerspective);
  tesk::scene_tree::SetRenderCameraNode(game.sceneTree, game.securityCameraNode);
  tesk::scene_tree::UpdateTransforms(game.sceneTree, kivo::FloatToInt<uint32_t>(game.gameClock * 1000.0));
  game.securityViewActive = 1;
  tesk::scene_tree::Render(game.sceneTree);
  game.securityViewActive = 0;
  r::SetViewport(rasterizer, 0, 0, static_cast<int32_t>(game.screenWidth), static_cast<int32_t>(game.screenHeight));
  r::EnableScissor(rasterizer, 0);
  r::RestoreProjectionMode(rasterizer);
}

}  // namespace

void DrawSecurityScreen(GamePrivateData& game, const ScreenFormRow& row) {
  gui::TeskForm* form = game.forms.*row.form;
  if (!form) return;
  ShowSelectedCamera(game, form);
  DrawCentredForm(game, form, row.panel, row.shift);
  RenderMonitor(game, form);
}

}  // namespace tesk::game
