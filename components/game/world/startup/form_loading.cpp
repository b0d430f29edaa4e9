// Start-up's forms: the rows of the form table in order with what each row does once loaded, the
// camera-rotation copies right after the tutorial-continue form, then the gossip widgets, the HUD
// panel's flags, the conversation and topic icons, the free icon, the conversation HUD, the HUD
// panel's bars and the boost icons.
//
// The boost icons are the master icons form's, both here and in the episode reset: the reset
// empties the list and takes the same four icons again, so the boost setters keep working.
#include "form_loading.h"

#include "edit_box.h"
#include "form.h"
#include "form_definition.h"
#include "form_drawing.h"
#include "form_table.h"
#include "game_context.h"
#include "game_methods.h"
#include "icon.h"
#include "label.h"
#include "panel.h"
#include "widget_stream.h"
#include "widget_tree.h"

namespace tesk::game {

namespace {

constexpr uint32_t kSaveNameLength = 32;
constexpr gui::Colour kLockedPerkTint = {0.65f, 0.65f, 0.65f, 0.0f};
constexpr int8_t kMirrorLeftToRight = 2;

const char16_t* const kGossipWidgets[kGossipWidgetCount] = {
    u"GOSSIP_3ICN", u"GOSSIP_PER1_TYPE", u"GOSSIP_PER2_TYPE", u"GOSSIP_PER1_LASTNAME",
    u"GOSSIP_PER2_LASTNAME", u"GOSSIP_TEXT", u"GOSSIP_PER1", u"GOSSIP_PER2"};
const char16_t* const kConversationIcons[kConversationIconCount] = {
    u"CONV_LAUGH", u"CONV_GOSSIP", u"CONV_SOCIAL", u"CONV_WEATHER", u"CONV_CONFIDE", u"CONV_SYMPATHY", u"CONV_FLIRT",
    u"CONV_LOVE",  u"CONV_ANGRY",  u"CONV_CRY",    u"CONV_PERKS",   u"CONV_TALK",    u"CONV_DISLIKE"};
const char16_t* const kTopicIcons[kTopicIconCount] = {u"TOPICS_TV",     u"TOPICS_SPORTS",   u"TOPICS_OPERA",
                                                      u"TOPICS_TRAVEL", u"TOPICS_POLITICS", u"TOPICS_DISLIKES"};

struct BoostIcon {
  const char16_t* name;
  const char16_t* toolTip;
};
constexpr BoostIcon kBoostIcons[] = {{u"BOOST_FITNESS", u"Fitness Boost"},
                                     {u"BOOST_FITNESS_PENALTY", u"Unfit Penalty"},
                                     {u"BOOST_GAMERS", u"Gamers Boost"},
                                     {u"PROX_ALERT", u"Proximity Icon"}};

template <class Widget>
Widget* Find(const gui::TeskForm* form, const char16_t* name, gui::WidgetType type) {
  gui::TeskIWidget* widget = FormWidget(form, name);
  return widget && widget->GetType() == type ? static_cast<Widget*>(widget) : nullptr;
}

// The hidden flag of the kinds that have one: a panel's is its visibility.
void SetHidden(gui::TeskIWidget* widget, uint32_t hidden) {
  if (!widget) return;
  switch (widget->GetType()) {
    case gui::kWidgetIcon:
      static_cast<gui::TeskIcon*>(widget)->SetHidden(hidden);
      break;
    case gui::kWidgetLabel:
      static_cast<gui::TeskLabel*>(widget)->SetHidden(hidden);
      break;
    case gui::kWidgetPanel:
      static_cast<gui::TeskPanel*>(widget)->SetVisible(hidden ? 0 : 1);
      break;
    default:
      break;
  }
}

void Disable(gui::TeskIWidget* widget) {
  if (widget) widget->Disable();
}

// The two copies of "CAM_ROT_ICON" in the bottom corners, the left one mirrored.
void MakeCameraRotationIcons(GamePrivateData& game) {
  const gui::TeskIcon* source = FormIcon(game.forms.icons, u"CAM_ROT_ICON");
  if (!source) return;
  gui::TeskIWidget* copies[2] = {};
  for (gui::TeskIWidget*& copy : copies)
    if (!gui::CloneWidget(source, &copy)) copy = nullptr;
  const auto width = static_cast<int32_t>(game.screenWidth);
  const auto height = static_cast<int32_t>(game.screenHeight);
  if (auto* left = static_cast<gui::TeskIcon*>(copies[0])) {
    left->SetX(0);
    left->SetY(height - left->GetHeight());
    gui::TeskIconSetFlag(left, kMirrorLeftToRight);
    game.widgets.cameraRotateLeft = left;
  }
  if (auto* right = static_cast<gui::TeskIcon*>(copies[1])) {
    right->SetX(width - right->GetWidth());
    right->SetY(height - right->GetHeight());
    game.widgets.cameraRotateRight = right;
  }
}

void ApplyStep(GamePrivateData& game, gui::TeskForm& form, const AfterLoading& after) {
  switch (after.step) {
    case FormStep::kDisableForm:
      form.Disable();
      return;
    case FormStep::kDisable:
      Disable(form.FindWidgetByName(after.widget));
      return;
    case FormStep::kHidePanel:
      if (auto* panel = Find<gui::TeskPanel>(&form, after.widget, gui::kWidgetPanel)) panel->Hide();
      return;
    case FormStep::kCentreLabel:
      if (auto* label = Find<gui::TeskLabel>(&form, after.widget, gui::kWidgetLabel)) label->SetCentred(1);
      return;
    case FormStep::kEpisodeLabel:
      if (auto* label = Find<gui::TeskLabel>(&form, after.widget, gui::kWidgetLabel)) label->SetText(u"Episode:");
      return;
    case FormStep::kLimitEditBox:
      if (auto* box = Find<gui::TeskEditBox>(&form, after.widget, gui::kWidgetEditBox))
        box->SetMaxLength(kSaveNameLength);
      return;
    case FormStep::kGreyIcon:
      if (gui::TeskIcon* icon = FormIcon(&form, after.widget)) gui::TeskIconSetColor(icon, kLockedPerkTint);
      return;
    case FormStep::kGlowIcon:
      if (gui::TeskIcon* icon = FormIcon(&form, after.widget)) icon->SetGlow(1);
      return;
    case FormStep::kCameraRotation:
      MakeCameraRotationIcons(game);
      return;
  }
}

// A new form in the row's handle, read from its resource (its message when that fails: the form
// stays, empty), then the row's steps.
void LoadRow(GamePrivateData& game, const FormRow& row, int32_t width, bool debugIcons) {
  auto* form = new gui::TeskForm();
  game.forms.*row.form = form;
  if (!form) return;
  if (!gui::LoadFromResource(FormResource(row, width, debugIcons), form)) Report(FormMessage(row, width));
  for (const AfterLoading& after : row.after) ApplyStep(game, *form, after);
}

// The HUD panel is inactive, the floor toggle hidden and inactive, the level icons
// hidden and inactive behind their labels, the six skills shown.
void SetHudPanelFlags(gui::TeskForm& hud) {
  hud.Disable();
  gui::TeskIWidget* floorToggle = hud.FindWidgetByName(u"FLOOR_TOGGLE");
  SetHidden(floorToggle, 1);
  Disable(floorToggle);
  constexpr const char16_t* kLevelIcons[] = {u"1_ICON", u"2_ICON", u"A_ICON"};
  for (const char16_t* name : kLevelIcons) SetHidden(hud.FindWidgetByName(name), 1);
  for (const char16_t* name : {u"1_LBL", u"2_LBL", u"A_LBL"}) SetHidden(hud.FindWidgetByName(name), 0);
  for (const char16_t* name : kLevelIcons) Disable(hud.FindWidgetByName(name));
  for (const char16_t* name : {u"GEN_SKILL", u"TOX_SKILL", u"NEU_SKILL", u"CAR_SKILL", u"PED_SKILL", u"ORT_SKILL"})
    SetHidden(hud.FindWidgetByName(name), 0);
}

// The widgets start-up keeps at hand.
void KeepHudWidgets(GamePrivateData& game) {
  StartupWidgets& widgets = game.widgets;
  for (size_t i = 0; i < kGossipWidgetCount; ++i) widgets.gossip[i] = FormWidget(game.forms.gossip, kGossipWidgets[i]);
  if (game.forms.hud) SetHudPanelFlags(*game.forms.hud);
  for (size_t i = 0; i < kConversationIconCount; ++i)
    widgets.conversationIcons[i] = FormIcon(game.forms.icons, kConversationIcons[i]);
  for (size_t i = 0; i < kTopicIconCount; ++i) widgets.topicIcons[i] = FormIcon(game.forms.icons, kTopicIcons[i]);
  widgets.dislikeHeadBackground = FormIcon(game.forms.icons, u"DISLIKE_HEAD_BG");
  widgets.freeIcon = new gui::TeskIcon();
}

}  // namespace

void LoadForms(GamePrivateData& game, int32_t width) {
  constexpr int32_t kOptionDebugKeys = 10;
  const bool debugIcons = method::OptionValue(game, kOptionDebugKeys) != 0;
  const std::span<const FormRow> rows = FormTable();
  for (const FormRow& row : rows.first(rows.size() - 1)) LoadRow(game, row, width, debugIcons);
  Report(u"Startup()... Loaded all menus");
  KeepHudWidgets(game);
  LoadRow(game, rows.back(), width, debugIcons);
  if (gui::TeskForm* hud = game.forms.hud)
    for (const char16_t* name : {u"BG_BAR_1", u"BG_BAR_2", u"FLOOR_TOGGLE"}) Disable(hud->FindWidgetByName(name));
  for (const BoostIcon& boost : kBoostIcons)
    if (gui::TeskIcon* icon = FormIcon(game.forms.icons, boost.name)) icon->SetToolTip(boost.toolTip);
  FillBoostIcons(game);
}

void FillBoostIcons(GamePrivateData& game) {
  kivo::List* list = game.lists.boostIconList;
  if (!list) return;
  kivo::ListClear(list);
  for (const BoostIcon& boost : kBoostIcons) {
    gui::TeskIcon* icon = FormIcon(game.forms.icons, boost.name);
    if (!icon) continue;
    icon->SetHidden(1);
    kivo::ListAppend(list, icon);
  }
}

void ShowBoostIcon(GamePrivateData& game, uint32_t index, uint32_t flag) {
  void* icon = nullptr;
  if (game.lists.boostIconList && kivo::ListDataAt(game.lists.boostIconList, index, &icon) && icon)
    static_cast<gui::TeskIcon*>(icon)->SetHidden(flag ? 0 : 1);
}

void DestroyForms(GamePrivateData& game) {
  if (game.lists.boostIconList) kivo::ListClear(game.lists.boostIconList);
  StartupWidgets& widgets = game.widgets;
  for (gui::TeskIcon* owned : {widgets.cameraRotateLeft, widgets.cameraRotateRight, widgets.freeIcon})
    gui::DestroyWidgetTree(owned);
  widgets = StartupWidgets{};
  for (gui::TeskForm*& form : FormSlots(game.forms)) {
    gui::DestroyWidgetTree(form);
    form = nullptr;
  }
}

}  // namespace tesk::game
