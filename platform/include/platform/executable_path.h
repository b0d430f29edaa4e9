// Where the running program lives.
#pragma once

#include <filesystem>

namespace platform {

// The folder of the running executable (from /proc/self/exe); empty when it cannot be read.
std::filesystem::path ExecutableDirectory();

}  // namespace platform
