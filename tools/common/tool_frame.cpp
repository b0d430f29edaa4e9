#include "tool_frame.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/debug_output.h"
#include "platform/executable_path.h"

namespace tesk {

namespace {

void UseStageRegistry() {
  if (const char* set = std::getenv("TESK_REGISTRY"); set && *set) return;
  const std::filesystem::path folder = platform::ExecutableDirectory();
  if (folder.empty()) return;
  const std::filesystem::path stage = folder.parent_path() / "registry.ini";
  std::error_code error;
  if (std::filesystem::is_regular_file(stage, error)) setenv("TESK_REGISTRY", stage.c_str(), 1);
}

}  // namespace

std::optional<int> StartTool(int& argc, char** argv, const ToolText& text) {
  bool help = false;
  bool verbose = false;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      help = true;
    } else if (std::strcmp(argv[i], "--verbose") == 0) {
      verbose = true;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  argv[argc] = nullptr;
  if (help) {
    std::printf("%s\n%s", text.usage, text.options);
    return 0;
  }
  UseStageRegistry();
  platform::RouteDebugOutput(verbose, "/dev/null");
  return std::nullopt;
}

int RefuseCommandLine(const ToolText& text) {
  PrintError("%s(--help tells more)\n", text.usage);
  return kExitUsage;
}

void PrintError(const char* format, ...) {
  std::fflush(stdout);
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(stderr, format, arguments);
  va_end(arguments);
}

}  // namespace tesk
