#include "command_line.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/utf.h"

namespace tesk {

std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--frames") == 0 && hasValue) {
      const char* text = argv[++i];
      char* end = nullptr;
      const unsigned long frames = std::strtoul(text, &end, 10);
      const bool number = std::isdigit(static_cast<unsigned char>(*text)) && *end == '\0';
      if (!number || frames == 0 || frames > 0xFFFFFFFFul) return std::nullopt;
      line.limits.frames = static_cast<uint32_t>(frames);
    } else if (std::strcmp(argv[i], "--screenshot") == 0 && hasValue) {
      line.limits.screenshot = platform::FromUtf8(argv[++i]);
    } else if (std::strcmp(argv[i], "--input") == 0 && hasValue) {
      line.input = argv[++i];
    } else if (std::strcmp(argv[i], "--verbose") == 0) {
      line.verbose = true;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      line.help = true;
    } else {
      return std::nullopt;
    }
  }
  return line;
}

}  // namespace tesk
