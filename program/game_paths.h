// Paths under the game root.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tesk {

// Where the game lives when the registry does not say.
inline constexpr char16_t kFallbackGameRoot[] = u"c:/usr/brellin/bin";

// `root` and `name` with one separator between them.
std::u16string JoinPath(std::u16string_view root, std::u16string_view name);
// The game root from the registry, else the fallback.
std::u16string GameRoot();
// The options file "tesk.ini" in the game root, as a native path.
std::filesystem::path OptionsFile();

}  // namespace tesk
