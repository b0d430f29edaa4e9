// The widgets start-up keeps at hand beside the forms: the two camera-rotation icons (copies of
// the master icons' "CAM_ROT_ICON", owned by the record), the gossip screen's widgets, the
// conversation and topic icons of the master icons form, and one icon of no form (owned). A
// widget its form lacks stays null.
#pragma once

#include <cstddef>

namespace tesk::game {

namespace gui {
class TeskIcon;
class TeskIWidget;
}  // namespace gui

inline constexpr size_t kGossipWidgetCount = 8;
inline constexpr size_t kConversationIconCount = 13;
inline constexpr size_t kTopicIconCount = 6;

struct StartupWidgets {
  gui::TeskIcon* cameraRotateLeft;   // at the bottom-left corner, mirrored left to right
  gui::TeskIcon* cameraRotateRight;  // at the bottom-right corner
  // "GOSSIP_3ICN", "GOSSIP_PER1_TYPE", "GOSSIP_PER2_TYPE", "GOSSIP_PER1_LASTNAME",
  // "GOSSIP_PER2_LASTNAME", "GOSSIP_TEXT", "GOSSIP_PER1", "GOSSIP_PER2"
  gui::TeskIWidget* gossip[kGossipWidgetCount];
  // "CONV_LAUGH", "CONV_GOSSIP", "CONV_SOCIAL", "CONV_WEATHER", "CONV_CONFIDE", "CONV_SYMPATHY",
  // "CONV_FLIRT", "CONV_LOVE", "CONV_ANGRY", "CONV_CRY", "CONV_PERKS", "CONV_TALK", "CONV_DISLIKE"
  gui::TeskIcon* conversationIcons[kConversationIconCount];
  // "TOPICS_TV", "TOPICS_SPORTS", "TOPICS_OPERA", "TOPICS_TRAVEL", "TOPICS_POLITICS", "TOPICS_DISLIKES"
  gui::TeskIcon* topicIcons[kTopicIconCount];
  gui::TeskIcon* dislikeHeadBackground;  // "DISLIKE_HEAD_BG"
  gui::TeskIcon* freeIcon;               // the conversation HUD's
};

}  // namespace tesk::game
