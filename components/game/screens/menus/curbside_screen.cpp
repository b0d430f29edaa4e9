// The curbside request screen: who asks, the patient, where the patient is and up to three of the
// patient's known problems with their severities.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/instance_ref.h"
#include "menu_screens.h"
#include "screen_controls.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::game {

namespace {

namespace scripting = varno::scripting;

constexpr int32_t kMultipleProblems = 10;
constexpr uint32_t kRows = 3;
constexpr uint32_t kRoomNameUnits = 512;
constexpr const char16_t* kShortNames[kSkillCount] = {u"Cardio", u"Toxic", u"Neuro", u"Surg", u"Pedia", u"Ortho"};

const char16_t* ShortName(int32_t specialty) {
  return specialty >= 0 && static_cast<uint32_t>(specialty) < kSkillCount ? kShortNames[specialty] : u"";
}

std::u16string RowName(const char16_t* format, uint32_t row) { return kivo::Format(format, row); }

// The room the patient stands in, by the scene tree; "Unknown" without a wrapper or a room.
std::u16string PatientLocation(const GamePrivateData& game, ScriptObject patient) {
  for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(game.lists.actorList)) {
    if (!patient || wrapper->ScriptObject != patient) continue;
    const auto& at = wrapper->Frame.m[3];
    const RTFVector3D point{at[0], at[1], at[2], 0.0f};
    kivo::InstanceRef room;
    char16_t name[kRoomNameUnits] = {};
    if (!game.sceneTree || !scene_tree::GetRoomByPoint(game.sceneTree, &point, room.out()) || !room.get() ||
        !Core().GetInstanceName(nullptr, room.get(), name, kRoomNameUnits))
      return u"Unknown";
    name[kRoomNameUnits - 1] = 0;
    return name;
  }
  return u"Unknown";
}

// Up to three known problems: severities into the number cells, short names into the problem cells.
void FillKnownProblems(GamePrivateData& game, const gui::TeskForm* form, ScriptObject patient) {
  int32_t known = 0;
  ReadWholeNumber(game, patient, u"numKnownProblems", scripting::kWholeAttribute, &known);
  for (uint32_t row = 1; row <= kRows && static_cast<int32_t>(row) <= known; ++row) {
    int32_t severity = 0;
    if (ReadWholeNumber(game, patient, u"problemSeverityList", row - 1, &severity))
      SetLabel(form, RowName(u"CURB_PROB_DIS%d_NUM", row).c_str(), kivo::Format(u"%d", severity).c_str());
    int32_t problem = 0;
    if (ReadWholeNumber(game, patient, u"problemList", row - 1, &problem))
      SetLabel(form, RowName(u"CURB_PROB_DIS%d", row).c_str(), ShortName(problem));
  }
}

}  // namespace

namespace method {

TESK_GAME_SCRIPT_METHOD(OpenCurbsideScreen) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  game->ScreenMode = ScreenCurbside;
  PauseC(self);
  const gui::TeskForm* form = game->forms.curbside;
  const ScriptObject patient = ObjectArgument(count, arguments, 1);
  SetTextBox(form, u"CURB_TEXTBOX",
             kivo::Format(u"%s has requested a curbside.  Will you accept?", OrEmpty(TextArgument(count, arguments, 0)))
                 .c_str());
  for (uint32_t row = 1; row <= kRows; ++row) {
    SetLabel(form, RowName(u"CURB_PROB_DIS%d", row).c_str(), u"");
    SetLabel(form, RowName(u"CURB_PROB_DIS%d_NUM", row).c_str(), u"");
  }
  SetLabel(form, u"CURB_PAT_NAME_FIRST", ReadText(*game, patient, u"name").c_str());
  SetLabel(form, u"CURB_LOC", PatientLocation(*game, patient).c_str());
  int32_t diagnosed = 0;
  ReadWholeNumber(*game, patient, u"bDiagnosed", scripting::kWholeAttribute, &diagnosed);
  int32_t problem = 0;
  ReadWholeNumber(*game, patient, u"problem", scripting::kWholeAttribute, &problem);
  if (!diagnosed) {
    SetLabel(form, u"CURB_PROB_DIS1", u"Undiagnosed");
  } else if (problem == kMultipleProblems) {
    FillKnownProblems(*game, form, patient);
  } else {
    int32_t severity = 0;
    ReadWholeNumber(*game, patient, u"problem_severity", scripting::kWholeAttribute, &severity);
    SetLabel(form, u"CURB_PROB_DIS1", ShortName(problem));
    SetLabel(form, u"CURB_PROB_DIS1_NUM", kivo::Format(u"%d", severity).c_str());
  }
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
