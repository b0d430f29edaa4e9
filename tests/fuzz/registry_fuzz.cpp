// Registry files: an INI file read as the registry (the values the core, the tools and the program
// ask for, each with its size limit) and as the program's options file.
#include <cstdlib>
#include <string>

#include "fuzz_host.h"
#include "host/temp_dir.h"
#include "platform/ini_file.h"
#include "platform/registry.h"

namespace {

struct Query {
  const char16_t* key;
  const char16_t* value;
  size_t bytes;
};

constexpr Query kQueries[] = {
    {platform::kKivoKeyPath, u"Root", 512},
    {platform::kKivoKeyPath, u"AdditionalPaths", 512},
    {platform::kGameKeyPath, u"Root", 2048},
    {platform::kGameKeyPath, u"Varno Paths", 2048},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::filesystem::path file = tesk::fuzz::ScratchFolder() / "registry.ini";
  tesk::testing::WriteFile(file, std::string_view(reinterpret_cast<const char*>(data), size));
  setenv("TESK_REGISTRY", file.c_str(), 1);
  for (const Query& query : kQueries) {
    std::u16string value;
    platform::ReadRegistryValue(query.key, query.value, query.bytes, value);
  }
  const platform::IniFile options(file);
  options.ReadInteger("Video Resolution", "Width", 1024);
  options.ReadString("Video capture", "Path", "c:\\");
  return 0;
}
