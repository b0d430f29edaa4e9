// The screen cursor: an id as the form sets it, registered animated cursors for the program's own
// ids, stepped while messages are processed. SDL colour cursors show the frames where the video
// driver has cursors at all; elsewhere only the id changes.
#pragma once

#include <functional>

#include "platform/ani_cursor.h"

namespace platform {

inline constexpr int kCursorDefault = 0;
inline constexpr int kCursorNone = -1;  // hidden
inline constexpr int kCursorArrow = -2;

// Registers (or replaces) the cursor shown for `id`.
void RegisterScreenCursor(int id, AnimatedCursor cursor);
bool IsScreenCursorRegistered(int id);
// The cursor registered for `id`, or null.
const AnimatedCursor* RegisteredScreenCursor(int id);
// Shows the cursor of `id`: hidden, the arrow, a registered cursor, or the default cursor for an
// id that nothing registered.
void SetScreenCursor(int id);
int ScreenCursor();
// Moves an animated screen cursor on to the step that is due.
void StepScreenCursor();

// While set, the observer hears every id set (tests).
using CursorObserver = std::function<void(int id)>;
void SetCursorObserver(CursorObserver observer);

}  // namespace platform
