// The registry: an INI-style UTF-8 file with one section per key path, such as
//   [HKEY_LOCAL_MACHINE\Software\Ostrawen\Kivo\1.0]
//   Root=/opt/kivo/
// Key paths and value names compare ignoring ASCII case; a trailing "\" of a queried key path
// does not count (sections are written without it); blank lines and lines starting with ';' or '#' are ignored; a value may be quoted.
// The file is $TESK_REGISTRY, else $XDG_CONFIG_HOME/tesk/registry.ini (~/.config/...).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

enum class RegistryResult { kOk, kKeyMissing, kValueMissing, kTooLong };

// The keys of the system: the framework's (its root) and the game's (its root and class folders).
inline constexpr char16_t kKivoKeyPath[] = u"HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0";
inline constexpr char16_t kGameKeyPath[] = u"HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk";

std::filesystem::path RegistryFilePath();

// Reads a string value whose UTF-16 units and terminating zero fit in `byteSize` bytes; a longer
// value is refused as the system's registry refuses it.
RegistryResult ReadRegistryValue(std::u16string_view keyPath, std::u16string_view name, size_t byteSize,
                                 std::u16string& value);

}  // namespace platform
