// kivoreg.db: u32 count, then per component the class name and the module path, each as a u32
// length n and n + 1 UTF-16 units (the last one zero); a missing text is length 0 and one zero
// unit. Little-endian throughout.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "coreregistry/registry.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "platform/paths.h"
#include "platform/utf.h"

namespace kivo::core {

namespace {

std::filesystem::path DbPath() {
  const std::u16string root = RootPath();
  return root.empty() ? std::filesystem::path() : platform::NativePath(root + u"kivoreg.db");
}

class DbReader {
 public:
  explicit DbReader(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  bool ReadU32(uint32_t& value) {
    if (bytes_.size() - position_ < 4) return false;
    value = bytes_[position_] | bytes_[position_ + 1] << 8 | bytes_[position_ + 2] << 16 |
            static_cast<uint32_t>(bytes_[position_ + 3]) << 24;
    position_ += 4;
    return true;
  }

  // A length that runs past the end of the file is refused rather than trusted.
  bool ReadText(std::u16string& text) {
    uint32_t length = 0;
    if (!ReadU32(length) || (bytes_.size() - position_) / 2 < uint64_t{length} + 1) return false;
    text.resize(length);
    for (uint32_t i = 0; i < length; ++i, position_ += 2)
      text[i] = static_cast<char16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
    position_ += 2;
    return true;
  }

 private:
  std::vector<unsigned char> bytes_;
  size_t position_ = 0;
};

void AppendU32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(value >> shift);
}

void AppendText(std::string& out, const char16_t* text) {
  const auto length = static_cast<uint32_t>(WideStrLen(text));
  AppendU32(out, length);
  for (uint32_t i = 0; i <= length; ++i) {
    const char16_t unit = text ? text[i] : 0;
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
}

}  // namespace

RTSuccess ReadRegistryDb() {
  const auto path = DbPath();
  FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
  if (!file) {
    RaiseFormatted(kLevelError, u"Cannot open kivo component registry for reading!");
    return kRTFailure;
  }
  std::vector<unsigned char> bytes;
  unsigned char chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(file);

  // Read every entry before registering any, so that a damaged file registers nothing.
  DbReader reader(std::move(bytes));
  uint32_t count = 0;
  std::vector<std::pair<std::u16string, std::u16string>> entries;
  bool intact = reader.ReadU32(count);
  for (uint32_t i = 0; intact && i < count; ++i) {
    std::u16string className, modulePath;
    intact = reader.ReadText(className) && reader.ReadText(modulePath);
    if (intact) entries.emplace_back(std::move(className), std::move(modulePath));
  }
  if (!intact) {
    RaiseFormatted(kLevelError, u"The kivo component registry is damaged: %s", platform::FromUtf8(path.string()));
    return kRTFailure;
  }
  for (const auto& [className, modulePath] : entries)
    RegisterComponent(modulePath.empty() ? nullptr : modulePath.c_str(), nullptr,
                      className.empty() ? nullptr : className.c_str());
  return kRTSuccess;
}

RTSuccess WriteRegistryDb() {
  if (!Components()) {
    RaiseFormatted(kLevelError, u"Component DB is NULL");
    return kRTFailure;
  }
  std::string entries;
  uint32_t count = 0;
  for (const ComponentEntry* entry : ListItems<ComponentEntry>(Components())) {
    if (entry->unconfirmed) continue;
    AppendText(entries, entry->className);
    AppendText(entries, entry->modulePath);
    ++count;
  }
  std::string bytes;
  AppendU32(bytes, count);
  bytes += entries;
  // Written beside the old file (under a name of this process: two cores may start on one root)
  // and renamed over it, so a failed write keeps the old registry.
  const auto path = DbPath();
  const auto temporary = std::filesystem::path(path.string() + "." + std::to_string(getpid()) + ".new");
  FILE* file = path.empty() ? nullptr : std::fopen(temporary.c_str(), "wb");
  if (!file) {
    RaiseFormatted(kLevelError, u"Cannot open kivo registry for writing!");
    return kRTFailure;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  std::error_code error;
  if (!written || !closed || (std::filesystem::rename(temporary, path, error), error)) {
    std::filesystem::remove(temporary, error);
    RaiseFormatted(kLevelError, u"Cannot open kivo registry for writing!");
    return kRTFailure;
  }
  return kRTSuccess;
}

}  // namespace kivo::core
