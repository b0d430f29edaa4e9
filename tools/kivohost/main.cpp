// kivohost: starts the core of the Kivo root the registry names, reports, and stops it. The
// core's debug output, with its memory report, goes to standard error.
#include <cstdio>
#include <string>

#include "core_session.h"

int main() {
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
