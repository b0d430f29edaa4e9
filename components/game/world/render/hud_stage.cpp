#include "hud_stage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "form.h"
#include "form_drawing.h"
#include "game_context.h"
#include "icon.h"
#include "kivo/font/font_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "panel.h"
#include "screen_drawing.h"
#include "security_view.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;

constexpr double kToolTipLife = 3.0;
constexpr double kCurbsideAckLife = 8.0;
constexpr double kHintLife = 30.0;
constexpr float kPopUpHiddenAlpha = 0.7f;
constexpr int32_t kCounterStyle = 10;
constexpr int32_t kCounterOffset = -12;

void Hook(HudHooks::Draw draw, RTInstance self) {
  if (draw) draw(self);
}

uint32_t HeadTalks(RTInstance self, const GamePrivateData& game) {
  return game.hudHooks.TalkingHeadActive ? game.hudHooks.TalkingHeadActive(self) : 0;
}

bool ModeIn(uint8_t mode, std::initializer_list<uint8_t> modes) {
  for (uint8_t m : modes)
    if (m == mode) return true;
  return false;
}

void DrawIconAt(const GamePrivateData& game, gui::TeskIWidget* icon, int32_t x, int32_t y) {
  icon->SetX(x);
  icon->SetY(y);
  icon->Draw(0, 0, game.rasterizer);
}

// The HUD form (or the conversation's) along the bottom of the screen, in a bracket of its own.
void DrawBottomForm(RTInstance self, GamePrivateData& game, gui::TeskForm* form) {
  if (!form) return;
  gui::SavedProjection saved{};
  gui::BeginScreenDrawing(self, &saved);
  form->SetX(static_cast<int32_t>(game.screenWidth / 2) - 3);
  form->SetY(static_cast<int32_t>(game.screenHeight) - 91);
  form->Draw(0, 0, game.rasterizer);
  gui::EndScreenDrawing(self, saved);
}

// The specials button glows every other second for 20 seconds after a perk was received.
void SetSpecialsGlow(GamePrivateData& game) {
  gui::TeskIcon* button = FormIcon(game.forms.hud, u"SPECIALS_BUTTON");
  if (!button) return;
  const double since = game.gameClock - game.perkReceiveTime;
  button->SetGlow(since < 20.0 && std::fmod(std::trunc(since), 2.0) == 0.0 ? 1 : 0);
}

void DrawPortalAndSpecials(RTInstance self, GamePrivateData& game) {
  const HudHooks& hooks = game.hudHooks;
  r::SetOverlayMode(game.rasterizer, 2);
  SetSpecialsGlow(game);
  for (gui::TeskIcon* rotate : {game.widgets.cameraRotateLeft, game.widgets.cameraRotateRight})
    if (rotate) rotate->Draw(0, 0, game.rasterizer);
  if (ModeIn(game.ScreenMode, {0, 16, 20, 21, 26, 27})) {
    DrawBottomForm(self, game, game.forms.hud);
    if (gui::TeskIcon* portal = FormIcon(game.forms.hud, u"DEFAULT_PORTAL")) portal->SetHidden(0);
    for (HudHooks::Draw draw : {hooks.DrawSkillGrid, hooks.DrawExpStars, hooks.DrawStatMarkers, hooks.DrawTimerDial})
      Hook(draw, self);
    if (!HeadTalks(self, game)) Hook(hooks.DrawPortal, self);
    Hook(hooks.DrawEdictNoFirePanel, self);
    Hook(hooks.DrawBedMapRooms, self);
  } else if (ModeIn(game.ScreenMode, {22, 28})) {
    DrawBottomForm(self, game, game.forms.conversationHud);
    for (HudHooks::Draw draw :
         {hooks.DrawPortalWedges, hooks.DrawTimerDial, hooks.DrawEdictNoFirePanel, hooks.DrawExpStars})
      Hook(draw, self);
  }
  r::SetOverlayMode(game.rasterizer, 0);
}

void DrawSubtitles(RTInstance self, GamePrivateData& game) {
  if (!game.subtitleActive || game.subtitleEndTime <= game.gameClock) {
    game.subtitleActive = 0;
    if (game.subtitleFont) kivo::font::ClearQueuedLines(game.subtitleFont);
    return;
  }
  Hook(game.hudHooks.DrawSubtitleBox, self);
}

// A tool tip stays 3 seconds after it was shown.
void DrawActorToolTip(RTInstance self, const GamePrivateData& game, RTTeskActorWrapper*& wrapper,
                      void (*draw)(RTInstance, RTTeskActorWrapper*, int32_t, int32_t)) {
  if (!wrapper) return;
  if (game.gameClock - game.tipShownAt >= kToolTipLife)
    wrapper = nullptr;
  else if (draw)
    draw(self, wrapper, game.tipX, game.tipY);
}

void DrawHandsOff(GamePrivateData& game) {
  if (!game.handsOff) return;
  if (gui::TeskIcon* icon = FormIcon(game.forms.icons, u"NO_MOUSE_ICN"))
    DrawIconAt(game, icon, CentredX(game.screenWidth, icon->GetWidth()), 100);
}

// The shown boost icons, packed downward from y 290.
void DrawBoostIcons(GamePrivateData& game) {
  const int32_t x = static_cast<int32_t>(game.screenWidth) - (SkinIs800() ? 68 : 70);
  int32_t y = 290;
  for (gui::TeskIcon* icon : kivo::ListItems<gui::TeskIcon>(game.lists.boostIconList)) {
    if (!icon || icon->IsHidden()) continue;
    DrawIconAt(game, icon, x, y);
    y += 60;
  }
}

// An icon at the right edge with, for more than one of what it counts, the count over its corner.
void DrawCountedIcon(RTInstance self, GamePrivateData& game, gui::TeskIcon* icon, int32_t margin, int32_t y,
                     uint32_t count, int32_t numberInset, bool draw) {
  const int32_t x = static_cast<int32_t>(game.screenWidth) - icon->GetWidth() - margin;
  icon->SetX(x);
  icon->SetY(y);
  if (!draw) return;
  icon->Draw(0, 0, game.rasterizer);
  if (count > 1 && game.hudHooks.DrawNumber)
    game.hudHooks.DrawNumber(self, static_cast<int32_t>(std::min<uint32_t>(count, INT32_MAX)), kCounterStyle, x + icon->GetWidth() - numberInset, y + icon->GetHeight() - 15,
                             kCounterOffset);
}

uint32_t CountOf(const kivo::List* list) { return list ? list->count : 0; }

void DrawCurbside(RTInstance self, GamePrivateData& game) {
  const int32_t margin = SkinIs800() ? 35 : 25;
  gui::TeskIcon* curb = FormIcon(game.forms.icons, u"CURB");
  const uint32_t requests = CountOf(game.curbsideList);
  if (requests && curb) DrawCountedIcon(self, game, curb, margin, 220, requests, 5, true);
  if (!game.curbsideAckActive) return;
  if (game.gameClock - game.curbsideAckTime >= kCurbsideAckLife) {
    game.curbsideAckActive = 0;
    for (kivo::ListLink* link = game.curbsideList ? game.curbsideList->first : nullptr; link; link = link->next) {
      if (*static_cast<const uint32_t*>(link->data) != game.curbsideAckId) continue;
      void* request = link->data;
      kivo::ListRemoveLink(game.curbsideList, link);
      Core().MemFree(nullptr, request);
      break;
    }
    return;
  }
  if (curb) DrawCountedIcon(self, game, curb, margin, 220, 1, 5, requests == 0);
  gui::TeskForm* popup = game.forms.curbsidePopup;
  if (!popup) return;
  const gui::TeskIWidget* panel = FormWidget(popup, u"CURB_ACK_PNL");
  popup->SetX(static_cast<int32_t>(game.screenWidth) - (curb ? curb->GetWidth() : 0) - (panel ? panel->GetWidth() : 0) -
              margin);
  popup->SetY(225);
  popup->Draw(0, 0, game.rasterizer);
}

// The hint icon, then the oldest hint goes to the log once it is 30 seconds old: one a frame.
void DrawHints(RTInstance self, GamePrivateData& game) {
  kivo::List* hints = game.hintList;
  if (!hints || !hints->first) return;
  if (gui::TeskIcon* icon = FormIcon(game.forms.icons, u"HINT_ICON"))
    DrawCountedIcon(self, game, icon, SkinIs800() ? 28 : 20, 145, hints->count, 15, true);
  HintEntry* oldest = static_cast<HintEntry*>(hints->first->data);
  if (!oldest || !(game.gameClock - oldest->createdAt > kHintLife)) return;
  if (game.hudHooks.AddLogLine) game.hudHooks.AddLogLine(self, u"Hint", oldest->text);
  kivo::ListRemoveLink(hints, hints->first);
  if (oldest->text) Core().ArrayFree(nullptr, oldest->text);
  Core().MemFree(nullptr, oldest);
}

bool ToolTipDue(const GamePrivateData& game) {
  return game.fadeColor[3] < kPopUpHiddenAlpha && game.tooltipActive &&
         game.gameClock - game.tooltipStart >= game.tooltipDelay;
}

void DrawToolTip(const GamePrivateData& game) {
  if (ToolTipDue(game) && game.hudHooks.DrawMouseOverPopUp)
    game.hudHooks.DrawMouseOverPopUp(game.rasterizer, game.tooltipX, game.tooltipY, game.tooltipWidth,
                                     game.tooltipText);
}

void DrawActorMenus(RTInstance self, GamePrivateData& game) {
  if (game.doctorMenuOpen && game.forms.doctorMenu) game.forms.doctorMenu->Draw(0, 0, game.rasterizer);
  gui::TeskForm* patient = game.forms.patientMenu;
  if (!game.patientMenuOpen || !patient) return;
  patient->Draw(0, 0, game.rasterizer);
  const gui::TeskIWidget* bedMap = FormWidget(patient, u"PM_BEDMAP");
  const gui::TeskIWidget* underlay = FormWidget(patient, u"PM_BEDMAP_UNDERLAY");
  if (!bedMap || bedMap->GetType() != gui::kWidgetPanel || !static_cast<const gui::TeskPanel*>(bedMap)->IsVisible() ||
      !underlay || !game.hudHooks.DrawBedMap)
    return;
  game.hudHooks.DrawBedMap(self, underlay->LocalToAbsoluteX(underlay->GetX()),
                           underlay->LocalToAbsoluteY(underlay->GetY()), 1);
}

void DrawHudForms(GamePrivateData& game, FormStage stage) {
  const ScreenFormRow* chosen[kMaxChosenForms];
  const size_t count = SelectScreenForms(stage, game.ScreenMode, game.previousScreenMode, game.antidoteOpen, chosen);
  for (size_t i = 0; i < count; ++i) {
    if (chosen[i]->form == &ScreenForms::security)
      DrawSecurityScreen(game, *chosen[i]);
    else
      DrawChosenForm(game, *chosen[i]);
  }
}

void DrawHud(RTInstance self, GamePrivateData& game, gui::SavedProjection& saved) {
  const HudHooks& hooks = game.hudHooks;
  Hook(hooks.DrawClock, self);
  DrawPortalAndSpecials(self, game);
  gui::EndScreenDrawing(self, saved);
  if (hooks.DrawTalkingHead) hooks.DrawTalkingHead(self, saved);
  gui::BeginScreenDrawing(self, &saved);
  if (HeadTalks(self, game)) Hook(hooks.DrawPortalFrame, self);
  DrawSubtitles(self, game);
  r::SetOverlayMode(game.rasterizer, 2);
  Hook(hooks.DrawPatientIcons, self);
  DrawActorToolTip(self, game, game.patientTipWrapper, hooks.DrawPatientToolTip);
  DrawActorToolTip(self, game, game.doctorTipWrapper, hooks.DrawDoctorToolTip);
  Hook(hooks.DrawActivePerks, self);
  DrawHandsOff(game);
  DrawBoostIcons(game);
  DrawCurbside(self, game);
  DrawHints(self, game);
  r::SetOverlayMode(game.rasterizer, 0);
  DrawHudForms(game, FormStage::kHud);
  // The shot set-up's mode draws none of the HUD's forms.
  if (game.ScreenMode == 27 && game.bballShotArmed && !game.bballShotBusy) {
    RaiseGameEvent(game, u"DoTakeShot", {0});
  }
  DrawToolTip(game);
  DrawActorMenus(self, game);
  DrawHudForms(game, FormStage::kHudEnd);
}

}  // namespace

bool HudShown(const GamePrivateData& game) {
  if (game.hudHidden) return false;
  const uint8_t mode = game.ScreenMode;
  if (ModeIn(mode, {0, 2, 16, 20, 22, 26, 27, 28})) return true;
  return mode == 21 && !ModeIn(game.previousScreenMode, {15, 6, 8});
}

void DrawHudStage(RTInstance self, GamePrivateData& game, gui::SavedProjection& saved) {
  if (HudShown(game)) {
    DrawHud(self, game, saved);
    return;
  }
  if (!ToolTipDue(game)) return;
  r::EnableDepthTest(game.rasterizer, 0);
  r::EnableDepthWrite(game.rasterizer, 0);
  DrawToolTip(game);
  r::EnableDepthTest(game.rasterizer, 1);
  r::EnableDepthWrite(game.rasterizer, 1);
}

}  // namespace tesk::game
