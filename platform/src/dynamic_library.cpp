#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace platform {

namespace {
std::string gLastError;
}

LibraryHandle OpenLibrary(const std::filesystem::path& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) gLastError = dlerror();
  return library;
}

void* FindSymbol(LibraryHandle library, const char* name) {
  if (!library) return nullptr;
  dlerror();
  return dlsym(library, name);
}

void CloseLibrary(LibraryHandle library) {
  if (library) dlclose(library);
}

std::string LastLibraryError() { return gLastError; }

}  // namespace platform
