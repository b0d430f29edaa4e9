#include <filesystem>
#include <string>

#include "coreregistry/registry.h"
#include "kivo/support/raise.h"
#include "platform/paths.h"

namespace kivo::core {

// Copies every registered component's library, and its ".resource" file when there is one, into
// a folder, overwriting.
RTSuccess CopyComponent(RTInstance, const char16_t* destinationFolder) {
  namespace fs = std::filesystem;
  if (!Components()) {
    RaiseFormatted(kLevelError, u"Component DB is NULL");
    return kRTFailure;
  }
  std::error_code error;
  const fs::path destination = destinationFolder ? platform::NativePath(destinationFolder) : fs::path();
  if (destination.empty() || !fs::is_directory(destination, error)) {
    RaiseFormatted(kLevelError, u"Cannot open destination directory");
    return kRTFailure;
  }
  for (const ComponentEntry* entry : ListItems<ComponentEntry>(Components())) {
    if (!entry->modulePath) continue;
    const fs::path library = platform::NativePath(entry->modulePath);
    const auto options = fs::copy_options::overwrite_existing;
    if (!fs::copy_file(library, destination / library.filename(), options, error)) {
      RaiseFormatted(kLevelError, u"Cannot copy component: %s to destination folder", entry->modulePath);
      continue;
    }
    if (entry->resourcePath) {
      const fs::path resource = platform::NativePath(entry->resourcePath);
      fs::copy_file(resource, destination / resource.filename(), options, error);
    }
  }
  return kRTSuccess;
}

}  // namespace kivo::core
