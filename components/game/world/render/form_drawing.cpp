#include "form_drawing.h"

#include "form.h"
#include "gui_skin.h"
#include "icon.h"
#include "widget_kind.h"

namespace tesk::game {

namespace {

// The specials menu opens at the HUD's specials button (a little further in on the 800 layout).
void PlaceAtSpecialsButton(const GamePrivateData& game, gui::TeskForm* form) {
  const gui::TeskForm* hud = game.forms.hud;
  const gui::TeskIWidget* panel = FormWidget(hud, u"MAIN_PANEL");
  const gui::TeskIWidget* button = FormWidget(hud, u"SPECIALS_BUTTON");
  if (!panel || !button) return;
  int32_t x = hud->GetX() + panel->GetX() + button->GetX();
  int32_t y = hud->GetY() + panel->GetY() + button->GetY();
  if (SkinIs800()) {
    x += 4;
    y += 6;
  } else {
    x += 1;
  }
  form->SetX(x);
  form->SetY(y);
}

}  // namespace

bool SkinIs800() { return gui::GetSkinVariant() == kSkinVariant800; }

gui::TeskIWidget* FormWidget(const gui::TeskForm* form, const char16_t* name) {
  return form ? form->FindWidgetByName(name) : nullptr;
}

gui::TeskIcon* FormIcon(const gui::TeskForm* form, const char16_t* name) {
  return gui::OfKind<gui::TeskIcon>(FormWidget(form, name));
}

void DrawCentredForm(GamePrivateData& game, gui::TeskForm* form, const char16_t* panel, int32_t shift) {
  if (!form) return;
  if (const gui::TeskIWidget* centre = FormWidget(form, panel)) {
    form->SetX(CentredX(game.screenWidth, centre->GetWidth()));
    form->SetY(CentredY(game.screenHeight, centre->GetHeight(), shift));
  }
  form->Draw(0, 0, game.rasterizer);
}

void DrawChosenForm(GamePrivateData& game, const ScreenFormRow& row) {
  gui::TeskForm* form = game.forms.*row.form;
  if (!form) return;
  switch (row.placement) {
    case FormPlacement::kCentred:
      DrawCentredForm(game, form, row.panel, row.shift);
      return;
    case FormPlacement::kOrigin:
      form->SetX(0);
      form->SetY(0);
      break;
    case FormPlacement::kSpecialsButton:
      PlaceAtSpecialsButton(game, form);
      break;
  }
  form->Draw(0, 0, game.rasterizer);
}

}  // namespace tesk::game
