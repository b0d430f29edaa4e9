// Swapping a named icon's picture: the icon is replaced in its panel by a copy of a template
// icon that keeps the old icon's place, size, tint and mirror mode.
#pragma once

#include "icon.h"
#include "kivo/types.h"

namespace tesk::game {

// The template is cloned first; the clone takes the old icon's x, y, height and width, the name
// (at most 511 units), the old mirror mode, the template's texture and the old tint, and goes last
// among the panel's children; then the old icon is removed and destroyed, and with it every
// reference to it. Returns 0, reporting why and leaving the old icon as it was, when the old
// icon, its parent panel, the template or the name is missing, or the copy cannot be made.
RTSuccess ReplaceIconFromTemplate(RTInstance game, gui::TeskIcon* icon, const gui::TeskIcon* templateIcon,
                                  const char16_t* name);

}  // namespace tesk::game
