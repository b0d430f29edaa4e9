// The single-instance guard: an exclusive flock on a lock file named after the guard, in
// $XDG_RUNTIME_DIR, else (or when no lock file can be made there) in the temporary folder
// ($TMPDIR, else /tmp). The lock is held until the process ends.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace platform {

// True when another holder (another process, or an earlier guard of this one) has the named
// guard; otherwise this process takes it. When no lock file can be made in any of the folders, the
// debug output says so and the process runs without the guard (false): a guard that cannot be
// made is no second instance.
bool CheckSecondInstance(std::u16string_view name);
// The lock files of a guard, in the order they are tried.
std::vector<std::filesystem::path> InstanceLockFiles(std::u16string_view name);

}  // namespace platform
