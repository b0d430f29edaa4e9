// The single-instance guard: an exclusive flock on a lock file named after the guard, in
// $XDG_RUNTIME_DIR (else the temporary folder). The lock is held until the process ends.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// True when another process holds the named guard or the guard cannot be made; otherwise this
// process takes it.
bool CheckSecondInstance(std::u16string_view name);
std::filesystem::path InstanceLockFile(std::u16string_view name);

}  // namespace platform
