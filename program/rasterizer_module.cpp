#include "rasterizer_module.h"

#include <unistd.h>

#include <filesystem>
#include <string>

#include "kivo/support/format.h"
#include "platform/paths.h"

namespace tesk {

bool CopyRasterizerModule(std::u16string_view frameworkRoot, int32_t driver) {
  const std::u16string root(frameworkRoot);
  const std::filesystem::path source = platform::NativePath(
      kivo::Format(driver == 0 ? u"%scomponents/bin/rtrasterizer.pix" : u"%scomponents/bin/rtrasterizer.ogl", root));
  const std::filesystem::path target = platform::NativePath(kivo::Format(u"%scomponents/bin/rtrasterizer.so", root));
  std::filesystem::path temporary = target;
  temporary += ".copy-" + std::to_string(getpid());
  std::error_code error;
  if (!std::filesystem::copy_file(source, temporary, std::filesystem::copy_options::overwrite_existing, error)) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace tesk
