// System paths to native paths. The system writes paths the Windows way ("c:/usr/tesk",
// "Data\\Audio"): backslashes become slashes, a leading drive "x:" maps to $TESK_DRIVE_X (else
// $XDG_DATA_HOME/tesk/x, else ~/.local/share/tesk/x), and a segment that does not exist as
// written is matched ignoring ASCII case against its folder's entries.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

std::filesystem::path NativePath(std::u16string_view systemPath);

}  // namespace platform
