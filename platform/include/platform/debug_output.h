// The debug output: one UTF-8 line per call, on standard error or appended to the file named by
// $TESK_DEBUG_LOG.
#pragma once

#include <string_view>

namespace platform {

void DebugOutput(std::u16string_view text);

}  // namespace platform
