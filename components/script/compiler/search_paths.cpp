#include "compiler/search_paths.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "kivo/support/wide_string.h"
#include "platform/paths.h"

namespace varno {

namespace {

char16_t* gPaths[kMaxSearchPaths] = {};
uint32_t gPathCount = 0;

// Developer fallback directories tried after the search paths: none on this build.
constexpr std::array<const char16_t*, 0> kFallbackPaths{};

// Tries directory + class + ".varno", then ".varnoc"; 1 found, 0 not there, -1 failed (reported).
int TryDirectory(const char16_t* directory, const char16_t* className, char16_t* buffer, uint32_t bufferSize) {
  for (const char16_t* extension : {u".varno", u".varnoc"}) {
    const std::u16string candidate = std::u16string(directory) + className + extension;
    if (candidate.size() > kMaxClassPathUnits) {
      Raise(u"[VARNO] Class path too long (limit is %d characters): %s", kMaxClassPathUnits, candidate);
      return 0;
    }
    if (!SourceFileExists(candidate.c_str())) continue;
    if (!buffer || !kivo::WideStrCopyBounded(buffer, bufferSize, candidate.c_str())) {
      Raise(u"[VARNO] Class path does not fit the buffer of %u characters: %s", bufferSize, candidate);
      return -1;
    }
    return 1;
  }
  return 0;
}

}  // namespace

RTSuccess AddSearchPath(const char16_t* path) {
  if (gPathCount >= kMaxSearchPaths) {
    Raise(u"Too many search paths (limit is currently 16)");
    return kRTFailure;
  }
  if (!path) return kRTFailure;
  char16_t* copy = CopyText(path);
  if (!copy) return kRTFailure;
  gPaths[gPathCount++] = copy;
  Raise(u"%s", path);
  return kRTSuccess;
}

uint32_t SearchPathCount() { return gPathCount; }

void ClearSearchPaths() {
  for (uint32_t i = 0; i < gPathCount; ++i) {
    FreeText(gPaths[i]);
    gPaths[i] = nullptr;
  }
  gPathCount = 0;
}

RTSuccess VarnoFindClass(const char16_t* className, char16_t* buffer, uint32_t bufferSize) {
  if (buffer && bufferSize > 0) buffer[0] = 0;
  if (className) {
    for (uint32_t i = 0; i < gPathCount; ++i) {
      const int found = TryDirectory(gPaths[i], className, buffer, bufferSize);
      if (found != 0) return found > 0 ? kRTSuccess : kRTFailure;
    }
    for (const char16_t* directory : kFallbackPaths) {
      const int found = TryDirectory(directory, className, buffer, bufferSize);
      if (found != 0) return found > 0 ? kRTSuccess : kRTFailure;
    }
  }
  Raise(u"Couldn't find class specified");
  std::u16string folders;
  for (uint32_t i = 0; i < gPathCount; ++i) folders += (i ? u", " : u"") + std::u16string(gPaths[i]);
  Raise(u"[VARNO] The class %s is in none of the class folders (%s)", className ? className : u"",
        folders.empty() ? u"there are none" : folders);
  return kRTFailure;
}

bool SourceFileExists(const char16_t* path) {
  if (!path) return false;
  const std::filesystem::path native = platform::NativePath(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(native, error)) return false;
  std::FILE* file = std::fopen(native.c_str(), "r");
  if (!file) return false;
  std::fclose(file);
  return true;
}

}  // namespace varno
