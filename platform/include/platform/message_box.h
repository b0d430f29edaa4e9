// Message boxes: always written to standard error, shown with SDL when a display is available,
// and handed to the sink a test installs.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

void ShowMessageBox(std::u16string_view title, std::u16string_view text);

// While a sink is installed it receives every message box instead of a window.
using MessageSink = std::function<void(std::u16string_view title, std::u16string_view text)>;
void SetMessageSink(MessageSink sink);

}  // namespace platform
