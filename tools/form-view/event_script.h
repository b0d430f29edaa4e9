// form-view's event script: one event a line, sent to the form as a screen would send it, on a
// clock the script advances.
//   press X Y   a press (the form's Mouse with buttons 1)      hover X Y  buttons 0
//   drag X Y    a pointer move with the button held            move X Y   the same, button up
//   key UNIT    a typed UTF-16 unit: one character stands for itself, a longer word is its code
//               (decimal, or hexadecimal after 0x; "key 8" types an 8, "key 0x8" a backspace)
//   wait MS     advances the clocks the toolkit reads by MS milliseconds
// Blank lines and lines starting with '#' are skipped. After each event the report gives the line,
// the name the form answered ("-" for none) and the focused control ("-"), then a line for each
// slider (position and step count), list box (selected row, top row, row under the pointer) and
// edit box (text) of the form, in the order of its tree.
#pragma once

#include <istream>
#include <string>

#include "form.h"

namespace formview {

// Puts the script's clock in place of the toolkit's for the rest of the process, starting at 0.
void UseScriptClock();

// Runs the script on the form; false, with the line and what is wrong with it, at the first line
// it cannot read (the events before it are reported).
bool RunEventScript(std::istream& script, tesk::game::gui::TeskForm* form, std::string* report, std::string* error);

}  // namespace formview
