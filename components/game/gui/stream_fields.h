// The reads the widget classes share on top of the typed stream values: texts into owned texts,
// colours checked for their twelve bytes, and class versions and counts refused above their limits.
// A read that fails returns failure at once.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "owned_text.h"
#include "widget.h"

namespace tesk::game::gui {

// A wide string from the stream into the owned text (a stored count 0 reads as "").
RTSuccess ReadText(RTInstance stream, OwnedText* text);
// Red, green and blue; the fourth float is left as it was.
RTSuccess ReadColour(RTInstance stream, Colour* colour);
// Refuses a read value above `most`, with `refusal` raised at the error level when there is one.
RTSuccess RefuseAbove(uint32_t value, uint32_t most, const char16_t* refusal);
// A class block's version; one above `newest` is refused, with `refusal` raised at the error level
// when there is one.
RTSuccess ReadClassVersion(RTInstance stream, uint32_t newest, const char16_t* refusal, uint32_t* version);

}  // namespace tesk::game::gui
