// The pop-ups the frame draws straight from the game: a master icon where it is asked for, and the
// doctor and patient tool tips. A tool tip is a fresh copy of its form's "STT_MAIN" panel, filled
// from the actor's script object, drawn above the point and destroyed.
#include <algorithm>
#include <iterator>

#include "form_drawing.h"
#include "game_context.h"
#include "game_methods.h"
#include "hud_state.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"
#include "screen_controls.h"
#include "widget_stream.h"
#include "widget_tree.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;
namespace scripting = varno::scripting;

constexpr int32_t kMultipleProblems = 10;
constexpr uint32_t kRows = 3;
constexpr int32_t kGapAbovePoint = 20;
// "SKILL1" to "SKILL6" show these elements of the doctor's "skills".
constexpr uint32_t kSkillLabelElements[kSkillCount] = {3, 1, 2, 0, 4, 5};

// The copy of the form's "STT_MAIN", or null.
gui::TeskPanel* CloneToolTip(const gui::TeskForm* form) {
  const gui::TeskPanel* main = Control<gui::TeskPanel>(form, u"STT_MAIN");
  gui::TeskIWidget* copy = nullptr;
  if (!main || !gui::CloneWidget(main, &copy)) return nullptr;
  if (gui::TeskPanel* panel = gui::OfKind<gui::TeskPanel>(copy)) return panel;
  gui::DestroyWidgetTree(copy);
  return nullptr;
}

// Draws the widget at origin (0, 0) with the two scene switches off.
void DrawFlat(const GamePrivateData& game, gui::TeskIWidget* widget) {
  r::EnableDepthTest(game.rasterizer, 0);
  r::EnableDepthWrite(game.rasterizer, 0);
  widget->Draw(0, 0, game.rasterizer);
  r::EnableDepthTest(game.rasterizer, 1);
  r::EnableDepthWrite(game.rasterizer, 1);
}

// Centred above the point, drawn, then destroyed.
void DrawAndRelease(const GamePrivateData& game, gui::TeskPanel* tip, int32_t x, int32_t y) {
  tip->SetX(x - tip->GetWidth() / 2);
  tip->SetY(y - tip->GetHeight() - kGapAbovePoint);
  DrawFlat(game, tip);
  gui::DestroyWidgetTree(tip);
}

void SetText(const gui::TeskPanel* tip, const char16_t* name, const std::u16string& text, bool centred = false) {
  gui::TeskLabel* label = Control<gui::TeskLabel>(tip, name);
  if (!label) return;
  label->SetText(text.c_str());
  if (centred) label->SetCentred(1);
}

int32_t NumberOr0(GamePrivateData& game, ScriptObject object, const char16_t* name, uint32_t element) {
  int32_t number = 0;
  ReadWholeNumber(game, object, name, element, &number);
  return number;
}

int32_t Number(GamePrivateData& game, ScriptObject object, const char16_t* name) {
  return NumberOr0(game, object, name, scripting::kWholeAttribute);
}

const char16_t* StaffClassName(int32_t staffClass) {
  switch (staffClass) {
    case 0:
      return u"Security";
    case 1:
      return u"Tech";
    case 2:
      return u"Nurse";
    default:
      return u"Doctor";
  }
}

bool IsName(const std::u16string& name, const char16_t* other) {
  return kivo::WideStrEqualNoCase(name.c_str(), other) == 0;
}

// A problem row of the patient tool tip: the problem's skill icon, its severity and, unless
// `showSkill` is false, the doctor's skill in it.
void FillProblemRow(RTInstance self, GamePrivateData& game, const gui::TeskPanel* tip, uint32_t row, int32_t problem,
                    int32_t severity, ScriptObject doctor, bool showSkill) {
  const std::u16string icon = kivo::Format(u"INJURY%d_ICON", row);
  SetSkillIconTemplate(self, problem, Control<gui::TeskIcon>(tip, icon.c_str()), icon.c_str());
  SetText(tip, kivo::Format(u"INJURY%d_SEVERITY", row).c_str(), kivo::Format(u"%d", severity));
  if (!showSkill) return;
  const int32_t skill = problem >= 0 ? NumberOr0(game, doctor, u"skills", static_cast<uint32_t>(problem)) : 0;
  SetText(tip, kivo::Format(u"INJURY%d_SKILL", row).c_str(), kivo::Format(u"%d", skill));
}

// The row of problem i of n: the middle one alone, the outer two for two.
uint32_t ProblemRow(int32_t n, int32_t i) {
  if (n == 1) return 2;
  if (n == 2) return i == 0 ? 1 : 3;
  return static_cast<uint32_t>(i + 1);
}

void FillProblems(RTInstance self, GamePrivateData& game, const gui::TeskPanel* tip, ScriptObject patient,
                  ScriptObject doctor, const std::u16string& doctorName) {
  const int32_t problem = Number(game, patient, u"problem");
  if (problem != kMultipleProblems) {
    FillProblemRow(self, game, tip, 2, problem, Number(game, patient, u"problem_severity"), doctor, true);
    return;
  }
  const int32_t known = Number(game, patient, u"numKnownProblems");
  const bool showSkill = !IsName(doctorName, u"unnamed actor");
  for (int32_t i = 0; i < known && static_cast<uint32_t>(i) < kRows; ++i) {
    const auto element = static_cast<uint32_t>(i);
    FillProblemRow(self, game, tip, ProblemRow(known, i), NumberOr0(game, patient, u"problemList", element),
                   NumberOr0(game, patient, u"problemSeverityList", element), doctor, showSkill);
  }
}

ScriptObject ObjectAttribute(GamePrivateData& game, ScriptObject object, const char16_t* name) {
  varno::RTVarnoConstantValue value{};
  return ReadAttribute(game, object, name, varno::kFirstClassType, &value) ? static_cast<ScriptObject>(value.value.pointer)
                                                                             : nullptr;
}

}  // namespace

namespace method {

RTSuccess DrawMasterIcon(RTInstance self, const char16_t* name, int32_t x, int32_t y, int32_t width, int32_t height) {
  GamePrivateData* game = RecordOf(self);
  gui::TeskIWidget* icon = game && name ? FormWidget(game->forms.icons, name) : nullptr;
  if (!icon) return kRTSuccess;
  icon->SetX(x);
  icon->SetY(y);
  if (width > 0) icon->SetWidth(width);
  if (height > 0) icon->SetHeight(height);
  DrawFlat(*game, icon);
  return kRTSuccess;
}

RTSuccess DrawDoctorToolTip(RTInstance self, RTTeskActorWrapper* wrapper, int32_t x, int32_t y) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !wrapper) return kRTSuccess;
  const auto doctor = static_cast<ScriptObject>(wrapper->ScriptObject);
  int32_t stats[kStatCount] = {};
  const char16_t* statNames[kStatCount] = {u"hygiene", u"energy", u"composure"};
  for (uint32_t i = 0; i < kStatCount; ++i)
    if (!ReadWholeNumber(*game, doctor, statNames[i], scripting::kWholeAttribute, &stats[i])) return kRTFailure;
  gui::TeskPanel* tip = CloneToolTip(game->forms.doctorToolTip);
  if (!tip) return kRTSuccess;
  SetText(tip, u"DSTT_DOC_NAME", ReadText(*game, doctor, u"name"), true);
  const char16_t* statLabels[kStatCount] = {u"HYG", u"ENG", u"COM"};
  for (uint32_t i = 0; i < kStatCount; ++i) SetText(tip, statLabels[i], kivo::Format(u"%d%%", stats[i]));
  const int32_t staffClass = Number(*game, doctor, u"staffClass");
  SetText(tip, u"DSTT_DOC", StaffClassName(staffClass), true);
  for (uint32_t i = 0; staffClass > 2 && i < kSkillCount; ++i)
    SetText(tip, kivo::Format(u"SKILL%d", i + 1).c_str(),
            kivo::Format(u"%d", NumberOr0(*game, doctor, u"skills", kSkillLabelElements[i])));
  DrawAndRelease(*game, tip, x, y);
  return kRTSuccess;
}

RTSuccess DrawPatientToolTip(RTInstance self, RTTeskActorWrapper* wrapper, int32_t x, int32_t y) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !wrapper) return kRTSuccess;
  gui::TeskPanel* tip = CloneToolTip(game->forms.patientToolTip);
  if (!tip) return kRTSuccess;
  FillPatientToolTip(self, *game, tip, static_cast<ScriptObject>(wrapper->ScriptObject));
  DrawAndRelease(*game, tip, x, y);
  return kRTSuccess;
}

}  // namespace method

void FillPatientToolTip(RTInstance self, GamePrivateData& game, const gui::TeskPanel* tip, ScriptObject patient) {
  const ScriptObject doctor = ObjectAttribute(game, patient, u"attendingDoc");
  const bool byPlayer = doctor && doctor == game.playerObject;
  const std::u16string doctorName = ReadText(game, doctor, byPlayer ? u"playerName" : u"lastName");
  SetText(tip, u"STT_PAT_NAME", ReadText(game, patient, u"name"), true);
  std::u16string shownDoctor;
  if (doctorName.empty() || IsName(doctorName, u"Unnamed Actor") || IsName(doctorName, u".!p@@p!."))
    shownDoctor.clear();
  else if (byPlayer)
    shownDoctor = doctorName;
  else
    shownDoctor = kivo::Format(u"%s %s", ReadText(game, doctor, u"firstName").c_str(), doctorName.c_str());
  SetText(tip, u"STT_DOC_NAME", shownDoctor, true);
  if (Number(game, patient, u"bDiagnosisFailure") == 0) FillProblems(self, game, tip, patient, doctor, doctorName);
}

}  // namespace tesk::game
