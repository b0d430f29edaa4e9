// Loading shared libraries and binding their exports.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

using LibraryHandle = void*;

// Loads with every symbol bound now and kept local to the library; null on failure.
LibraryHandle OpenLibrary(const std::filesystem::path& path);
void* FindSymbol(LibraryHandle library, const char* name);
void CloseLibrary(LibraryHandle library);
// The loader's description of the last failure.
std::string LastLibraryError();

}  // namespace platform
