#include "form_definition.h"

#include "game_resource.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "widget_stream.h"

namespace tesk::game::gui {

RTSuccess ReadFormDefinition(RTInstance stream, TeskForm* form) {
  uint32_t type = 0;
  if (!form || !ReadWidgetHeader(stream, &type)) return kRTFailure;
  if (type != kWidgetForm) {
    kivo::ModuleCore()->RaiseError(nullptr, u"ReadFormDefinition() -- The definition is not a form", kivo::kLevelError);
    return kRTFailure;
  }
  return form->StreamIn(stream);
}

RTSuccess LoadFromResource(const char16_t* name, TeskForm* form) {
  const kivo::InstanceRef stream = OpenGameResource(name);
  return stream.get() && ReadFormDefinition(stream.get(), form) ? kRTSuccess : kRTFailure;
}

}  // namespace tesk::game::gui
