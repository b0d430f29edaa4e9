#include "icon_replacement.h"

#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "panel.h"
#include "widget_kind.h"
#include "widget_stream.h"
#include "widget_tree.h"

namespace tesk::game {

namespace {

constexpr size_t kNameUnits = 512;

gui::TeskPanel* ParentPanel(const gui::TeskIcon& icon) {
  return gui::OfKind<gui::TeskPanel>(icon.GetParent());
}

RTSuccess Refuse(const char16_t* why, const char16_t* name) {
  kivo::RaiseFormatted(kivo::kLevelError, u"RTTeskGame... Cannot replace the icon %s: %s", name ? name : u"", why);
  return kRTFailure;
}

}  // namespace

RTSuccess ReplaceIconFromTemplate(RTInstance /*game*/, gui::TeskIcon* icon, const gui::TeskIcon* templateIcon,
                                  const char16_t* name) {
  if (!name) return Refuse(u"no name", name);
  if (!icon) return Refuse(u"the icon is missing", name);
  if (!templateIcon) return Refuse(u"the template is missing", name);
  gui::TeskPanel* panel = ParentPanel(*icon);
  if (!panel) return Refuse(u"the icon is not in a panel", name);
  char16_t copiedName[kNameUnits] = {};
  kivo::FormatTo(copiedName, kNameUnits, u"%s", name);
  gui::TeskIWidget* copy = nullptr;
  if (!gui::CloneWidget(templateIcon, &copy) || !copy || copy->GetType() != gui::kWidgetIcon) {
    gui::DestroyWidgetTree(copy);
    return Refuse(u"the template cannot be copied", name);
  }
  auto* clone = static_cast<gui::TeskIcon*>(copy);
  clone->SetX(icon->GetX());
  clone->SetY(icon->GetY());
  clone->SetHeight(icon->GetHeight());
  clone->SetWidth(icon->GetWidth());
  gui::TeskIconSetFlag(clone, gui::TeskIconGetFlag(icon));
  clone->SetTextureId(templateIcon->GetTextureId());
  gui::TeskIconSetColor(clone, gui::TeskIconGetColor(icon));
  if (!clone->SetName(copiedName) || !panel->AddChild(clone)) {
    gui::DestroyWidgetTree(clone);
    return Refuse(u"the copy cannot be named or placed", name);
  }
  panel->RemoveChild(icon);
  gui::DestroyWidgetTree(icon);
  return kRTSuccess;
}

}  // namespace tesk::game
