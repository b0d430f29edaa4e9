// The rasterizer's module choice: the variant named by the "Video Driver" option is copied over
// the rasterizer library in the framework's component folder before the core starts. The copy
// goes to a temporary file in the same folder that is then renamed over the library, so a
// library that a running program has loaded is never truncated.
#pragma once

#include <cstdint>
#include <string_view>

namespace tesk {

// Driver 0: "<root>components/bin/rtrasterizer.pix" (software); any other value
// "<root>components/bin/rtrasterizer.ogl"; both over "<root>components/bin/rtrasterizer.so".
// False when the copy did not happen (the program goes on with whatever library is there).
bool CopyRasterizerModule(std::u16string_view frameworkRoot, int32_t driver);

}  // namespace tesk
