// Text at the operating-system boundary is UTF-8; inside the system it is UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Unpaired surrogates and malformed bytes become U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace platform
