// Where the Varno compilers of the command line look for classes.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tesk {

// Hands the class folders to `add` (the compiler's AddSearchPath), in this order: the -I folders;
// the folder of each class file named on the command line; the folders of the game key's "Varno
// Paths" (";" between them). Each ends with "/" (the class name follows it directly) and each
// comes once. A folder `add` refuses (the compiler keeps 16 at most) is reported on standard
// error, as `tool` says, and left out.
void AddClassFolders(const char* tool, const std::vector<std::string>& includes,
                     const std::vector<std::string>& namedFiles, const std::function<bool(const char16_t*)>& add);

}  // namespace tesk
