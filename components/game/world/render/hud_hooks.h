// The HUD stage's calls into the screens and the talking head, as one table of hooks of the game:
// each is filled by the code that draws its piece, and an empty hook is skipped.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "screen_drawing.h"

struct RTTeskActorWrapper;

namespace tesk::game {

struct HudHooks {
  using Draw = void (*)(RTInstance game);
  Draw DrawClock;
  Draw DrawPortalFrame;
  Draw DrawSubtitleBox;
  Draw DrawPatientIcons;
  Draw DrawActivePerks;
  Draw DrawSkillGrid;
  Draw DrawExpStars;
  Draw DrawStatMarkers;
  Draw DrawTimerDial;
  Draw DrawPortal;
  Draw DrawEdictNoFirePanel;
  Draw DrawBedMapRooms;
  Draw DrawPortalWedges;
  void (*DrawBedMap)(RTInstance game, int32_t x, int32_t y, uint32_t flag);
  RTSuccess (*DrawNumber)(RTInstance game, int32_t number, int32_t style, int32_t x, int32_t y, int32_t offset);
  void (*DrawPatientToolTip)(RTInstance game, RTTeskActorWrapper* wrapper, int32_t x, int32_t y);
  void (*DrawDoctorToolTip)(RTInstance game, RTTeskActorWrapper* wrapper, int32_t x, int32_t y);
  void (*AddLogLine)(RTInstance game, const char16_t* speaker, const char16_t* text);
  void (*DrawMouseOverPopUp)(RTInstance rasterizer, int32_t x, int32_t y, int32_t width, const char16_t* text);
  // The talking head: drawn between two screen-drawing brackets (the values are the projection
  // saved by the first), and whether it talks (non-zero), which hides the portal.
  RTSuccess (*DrawTalkingHead)(RTInstance game, const gui::SavedProjection& saved);
  uint32_t (*TalkingHeadActive)(RTInstance game);
};

}  // namespace tesk::game
