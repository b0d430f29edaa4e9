#include "game_paths.h"

#include "platform/paths.h"
#include "tesk_registry.h"

namespace tesk {

namespace {
constexpr uint32_t kRootUnits = 257;
}

std::u16string JoinPath(std::u16string_view root, std::u16string_view name) {
  std::u16string path(root);
  if (!path.empty() && path.back() != u'/' && path.back() != u'\\') path += u'/';
  path += name;
  return path;
}

std::u16string GameRoot() {
  char16_t root[kRootUnits];
  return ReadTeskRegistry(kRegistryGameRoot, root, kRootUnits) ? std::u16string(root) : kFallbackGameRoot;
}

std::filesystem::path OptionsFile() { return platform::NativePath(JoinPath(GameRoot(), u"tesk.ini")); }

}  // namespace tesk
