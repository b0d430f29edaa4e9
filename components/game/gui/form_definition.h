// Form definitions: a form as the widget factory writes it (StreamWidgetOut), stored as a named
// resource of the game component. The form that is read into stays whatever happens: it takes the
// definition's widgets, or stays empty when the definition cannot be read.
#pragma once

#include "form.h"
#include "kivo/types.h"

namespace tesk::game::gui {

// A form record from the stream into the form: the factory header must name a form.
RTSuccess ReadFormDefinition(RTInstance stream, TeskForm* form);
// The form definition of the game's resource of that name; failure when there is none.
RTSuccess LoadFromResource(const char16_t* name, TeskForm* form);

}  // namespace tesk::game::gui
