// The HUD's state as the script and the screens set it: the subtitle box, the text log, prestige
// and its wings, the conversation HUD's buttons and disposition, the first portal's wedge and the
// specialty skill icons. The script's entries are game methods (game_methods.h).
#pragma once

#include "game_record.h"

namespace tesk::game {

namespace gui {
class TeskForm;
class TeskIcon;
class TeskPanel;
}  // namespace gui

// Draws the subtitle box's frame and the subtitle font's lines while subtitles are enabled.
void DrawSubtitleBox(RTInstance self);
// "first: second" as the newest (first) row of the info screen's log list.
void AddLogLine(RTInstance self, const char16_t* first, const char16_t* second);
// Stores the level, its title and wing tier, rebuilds the HUD panel's wings without flash and puts
// "PORTAL_FRAME" back over them.
void SetPrestigeC(RTInstance self, uint32_t level);
// The wings of the prestige tier on the form's "RIGHT_WING_WHOLE" and (mirrored)
// "LEFT_WING_WHOLE", and up to 400 the feathers gained toward the next tier; with the flash flag
// the last feather flashes for 3 seconds.
void ApplyPrestigeWings(RTInstance self, gui::TeskForm* form, bool flash);
// previous = current = value and the display value by band (399 and up leave it).
void SetDispositionC(GamePrivateData& game, int32_t value);
// The thirteen conversation buttons greyed (fade) or at full tint.
void SetupConversationButtons(GamePrivateData& game, bool fade);
// The first portal's wedge moves to the level over the duration.
void ChangeWedgeC(GamePrivateData& game, int32_t level, float duration);
// Fills a copy of the patient tool tip's "STT_MAIN" from the patient's script object: names and,
// unless the diagnosis failed, the problem rows (one problem: row 2; two: rows 1 and 3; more:
// rows 1 to 3); rows not filled keep what the template shows.
void FillPatientToolTip(RTInstance self, GamePrivateData& game, const gui::TeskPanel* tip, ScriptObject patient);
// Replaces the icon in its panel by a copy of the specialty's skill icon of the master icons,
// keeping its place, size and the given name; a code outside 0-5 replaces nothing.
void SetSkillIconTemplate(RTInstance self, int32_t specialty, gui::TeskIcon* icon, const char16_t* name);

}  // namespace tesk::game
