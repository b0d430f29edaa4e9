#include <string>

#include "coreregistry/registry.h"
#include "kivo/support/raise.h"
#include "platform/directory.h"
#include "platform/paths.h"
#include "platform/utf.h"

namespace kivo::core {

namespace {

bool IsComponentLibrary(const std::string& name) {
  if (name.size() < 3) return false;
  const std::string suffix = name.substr(name.size() - 3);
  return (suffix[0] == '.') && (suffix[1] == 's' || suffix[1] == 'S') && (suffix[2] == 'o' || suffix[2] == 'O');
}

// Depth first, in sorted order; linked folders are not followed.
void ScanComponentDirectory(const std::string& folder, std::vector<FoundComponent>& found) {
  for (const auto& entry : platform::ListDirectory(folder)) {
    const std::string path = folder + "/" + entry.name;
    if (entry.isDirectory) {
      ScanComponentDirectory(path, found);
      continue;
    }
    if (!entry.isFile || !IsComponentLibrary(entry.name)) continue;
    const std::u16string modulePath = platform::FromUtf8(path);
    RaiseFormatted(kLevelError, u"%s", modulePath);
    platform::LibraryHandle module = LoadModule(modulePath.c_str());
    if (!module) continue;
    if (const RTComponentDef* definition = IdentifyComponent(module, modulePath.c_str()))
      found.push_back({modulePath, definition->fpClassName});
    platform::CloseLibrary(module);
  }
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::vector<FoundComponent> ScanComponentFolders() {
  std::vector<FoundComponent> found;
  const std::u16string root = RootPath();
  if (root.empty()) return found;
  ScanComponentDirectory(WithoutTrailingSlash(platform::NativePath(root + u"components").string()), found);
  if (const std::u16string additional = AdditionalPath(); !additional.empty())
    ScanComponentDirectory(WithoutTrailingSlash(platform::NativePath(additional).string()), found);
  return found;
}

RTSuccess ScanAndRegister() {
  if (RootPath().empty()) return kRTFailure;
  for (const FoundComponent& component : ScanComponentFolders())
    RegisterComponent(component.modulePath.c_str(), nullptr, component.className.c_str());
  WriteRegistryDb();
  return kRTSuccess;
}

}  // namespace kivo::core
