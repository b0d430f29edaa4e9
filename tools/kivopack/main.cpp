// kivopack: builds instance-store packs and component resource files from readable descriptions,
// and lists and extracts what a pack holds. The core runs against the Kivo root that the registry
// names; its components build the content. The description formats are in docs/content.md.
#include <cstdio>
#include <cstring>
#include <string>

#include "core_session.h"
#include "pack_tool.h"
#include "platform/utf.h"
#include "tool_frame.h"

namespace {

constexpr tesk::ToolText kText = {
    "usage: kivopack [--verbose] build DESCRIPTION.json OUT.kivopack\n"
    "       kivopack [--verbose] resource DESCRIPTION.json OUT.resource\n"
    "       kivopack bank DESCRIPTION.json OUT.bank\n"
    "       kivopack [--verbose] list PACK.kivopack\n"
    "       kivopack [--verbose] extract PACK.kivopack INSTANCE-PATH OUT-FILE\n",
    "  build     a pack (an instance store) from a pack description\n"
    "  resource  a component resource file from a resource description\n"
    "  bank      a sound bank over the WAV and Ogg files in OUT.bank's folder\n"
    "  list      a line per instance of a pack: path, class, data bytes, children; for a mesh its\n"
    "            vertices, UV layers, materials, strips, lists, triangles, open and shared edges\n"
    "  extract   the component data stored for one instance path into a file\n"
    "  --verbose the core's debug output on standard error\n"
    "Exit status: 0 done, 1 the work failed (the message says why), 2 bad arguments.\n",
};

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  const std::string command = argc > 1 ? argv[1] : "";
  const bool known = (command == "build" && argc == 4) || (command == "resource" && argc == 4) ||
                     (command == "bank" && argc == 4) ||
                     (command == "list" && argc == 3) || (command == "extract" && argc == 5);
  if (!known) return tesk::RefuseCommandLine(kText);

  std::string error;
  if (command == "bank") {
    const bool built = kivopack::BuildBank(argv[2], argv[3], &error);
    if (!built) tesk::PrintError("kivopack: %s\n", error.c_str());
    return built ? 0 : 1;
  }
  // Packs hold what their descriptions say, never an instance of the registry root's own store.
  auto session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kNone);
  if (!session) {
    tesk::PrintError("kivopack: %s\n", error.c_str());
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
  if (!ok) tesk::PrintError("kivopack: %s\n", error.c_str());
  return ok ? 0 : 1;
}
