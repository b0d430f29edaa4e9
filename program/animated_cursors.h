// The program's animated cursors: resources of the program's "Tesk.resource" file (the same
// container of named streams as a component's resource file, beside the executable), each an
// animated cursor file, registered as screen cursors 101-107.
#pragma once

#include <filesystem>
#include <string>

#include "kivo/types.h"
#include "platform/ani_cursor.h"

namespace tesk {

inline constexpr int kCursorTarget = 101;
inline constexpr int kCursorWait = 107;

// One cursor, the named resource of an open resource container; false with the reason.
bool LoadAnimatedCursor(RTInstance resources, const char16_t* name, platform::AnimatedCursor* cursor,
                        std::string* error);
// The resource file beside the executable.
std::filesystem::path ProgramResourceFile();
// Registers the six cursors, the "_800" set when `width800` is set; false with the reason when
// a cursor cannot be loaded. Needs the started core (the resource is read through its components).
bool RegisterAnimatedCursors(const std::filesystem::path& resourceFile, bool width800, std::string* error);

}  // namespace tesk
