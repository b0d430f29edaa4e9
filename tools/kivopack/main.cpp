// kivopack build DESCRIPTION.json OUT.kivopack
// kivopack resource DESCRIPTION.json OUT.resource
// kivopack list PACK.kivopack
// kivopack extract PACK.kivopack INSTANCE-PATH OUT-FILE
//
// The core runs against the Kivo root that the registry names; its components build the content.
#include <cstdio>
#include <cstring>
#include <string>

#include "core_session.h"
#include "pack_tool.h"
#include "platform/utf.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: kivopack build DESCRIPTION.json OUT.kivopack\n"
               "       kivopack resource DESCRIPTION.json OUT.resource\n"
               "       kivopack list PACK.kivopack\n"
               "       kivopack extract PACK.kivopack INSTANCE-PATH OUT-FILE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const bool known = (command == "build" && argc == 4) || (command == "resource" && argc == 4) ||
                     (command == "list" && argc == 3) || (command == "extract" && argc == 5);
  if (!known) return Usage();

  std::string error;
  auto session = tesk::CoreSession::Start(&error);
  if (!session) {
    std::fprintf(stderr, "kivopack: %s\n", error.c_str());
    return 1;
  }
  CoreTable& core = session->core();
  bool ok = false;
  if (command == "build") {
    ok = kivopack::BuildPack(core, argv[2], argv[3], &error);
  } else if (command == "resource") {
    ok = kivopack::BuildResource(core, argv[2], argv[3], &error);
  } else if (command == "list") {
    std::string listing;
    ok = kivopack::ListPack(core, argv[2], &listing, &error);
    std::fputs(listing.c_str(), stdout);
  } else {
    ok = kivopack::ExtractData(core, argv[2], platform::FromUtf8(argv[3]), argv[4], &error);
  }
  if (!ok) std::fprintf(stderr, "kivopack: %s\n", error.c_str());
  return ok ? 0 : 1;
}
