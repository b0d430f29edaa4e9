// kivohost: starts the core of the Kivo root the registry names, says how many components it
// registered, and stops it. The core's debug output (its registration lines and the memory report
// at shutdown) shows with --verbose.
#include <cstdio>
#include <string>

#include "core_session.h"
#include "tool_frame.h"

namespace {

constexpr tesk::ToolText kText = {
    "usage: kivohost [--verbose]\n",
    "Starts the Kivo core of the framework root the registry names and stops it again.\n"
    "  --verbose  the core's debug output (registration, memory report) on standard error\n"
    "Exit status: 0 the core started and stopped, 1 it did not start, 2 bad arguments.\n",
};

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  if (argc != 1) return tesk::RefuseCommandLine(kText);
  std::string error;
  auto session = tesk::CoreSession::Start(&error);
  if (!session) {
    std::fprintf(stderr, "kivohost: %s\n", error.c_str());
    return 1;
  }
  uint32_t components = 0;
  session->core().GetComponentCount(nullptr, &components);
  std::printf("kivohost: core started with %u registered components\n", components);
  session->core().RaiseError(nullptr, u"kivohost: core started", 5);
  return 0;
}
