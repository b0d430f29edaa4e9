// kivohost: starts the core of the Kivo root the registry names, says how many components it
// registered, and stops it. With --create it also creates an instance of a class by name, printing
// the errors raised meanwhile on standard error, and releases it before stopping; the core then
// runs on a root of its own with the registry root's components and store and the software
// rasterizer, as the tools do, so the root's files are left alone. The core's debug output (its
// registration lines, the memory report at shutdown) shows with --verbose.
#include <cstdio>
#include <cstring>
#include <string>

#include "core_session.h"
#include "raised_messages.h"
#include "platform/utf.h"
#include "tool_frame.h"

namespace {

constexpr tesk::ToolText kText = {
    "usage: kivohost [--verbose] [--create CLASS]\n",
    "Starts the Kivo core of the framework root the registry names and stops it again.\n"
    "  --create CLASS  creates an instance of the class by name, with the software rasterizer, and\n"
    "                  releases it before stopping; the errors it raises go to standard error\n"
    "  --verbose       the core's debug output (registration, messages, memory report) on standard error\n"
    "Exit status: 0 the core started and stopped (and the instance was created), 1 it did not start or\n"
    "the class has no instance, 2 bad arguments.\n",
};

// The instance of the class, made and released; false when the core cannot make one.
bool CreateAndRelease(CoreTable& core, const char* className) {
  const std::u16string name = platform::FromUtf8(className);
  RTInstance instance = nullptr;
  tesk::RaisedMessages messages(core);
  messages.Print(true);
  if (!core.CreateInstanceByString(nullptr, name.c_str(), &instance, 0, 1)) {
    tesk::PrintError("kivohost: cannot create an instance of %s\n", className);
    return false;
  }
  std::printf("kivohost: created an instance of %s\n", className);
  core.ReleaseInstance(nullptr, instance);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  const bool create = argc == 3 && std::strcmp(argv[1], "--create") == 0;
  if (argc != 1 && !create) return tesk::RefuseCommandLine(kText);
  std::string error;
  auto session = tesk::CoreSession::Start(
      &error, create ? tesk::StoredInstances::kRootsOwnRoot : tesk::StoredInstances::kRoots);
  if (!session) {
    tesk::PrintError("kivohost: %s\n", error.c_str());
    return 1;
  }
  uint32_t components = 0;
  session->core().GetComponentCount(nullptr, &components);
  std::printf("kivohost: core started with %u registered components\n", components);
  session->core().RaiseError(nullptr, u"kivohost: core started", 5);
  return create && !CreateAndRelease(session->core(), argv[2]) ? 1 : 0;
}
