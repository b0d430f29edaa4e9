#include <string>

#include "coreregistry/registry.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"
#include "platform/message_box.h"
#include "platform/registry.h"

namespace kivo::core {

namespace {

constexpr char16_t kKivoKey[] = u"Software\\Ostrawen\\Kivo\\1.0\\";
constexpr char16_t kInitializationError[] = u"Kivo Initialization Error!";
// Byte sizes the registry queries are given: they bound the two values.
constexpr uint32_t kRootBytes = 256;
constexpr uint32_t kAdditionalPathBytes = 512;

platform::RegistryResult ReadKivoValue(const char16_t* name, uint32_t byteSize, std::u16string& value) {
  return platform::ReadRegistryValue(std::u16string(u"HKEY_LOCAL_MACHINE\\") + kKivoKey, name, byteSize, value);
}

}  // namespace

RTSuccess GetRootPath(RTInstance, char16_t* buffer, uint32_t byteLength) {
  if (!buffer) return kRTFailure;
  std::u16string root;
  switch (ReadKivoValue(u"Root", byteLength, root)) {
    case platform::RegistryResult::kOk:
      return WideStrCopyBounded(buffer, byteLength / sizeof(char16_t), root.c_str()) ? kRTSuccess : kRTFailure;
    case platform::RegistryResult::kKeyMissing:
      platform::ShowMessageBox(kInitializationError,
                               Format(u"Cannot open Kivo Root Registry key (expected in): %s", kKivoKey));
      return kRTFailure;
    case platform::RegistryResult::kValueMissing:
    case platform::RegistryResult::kTooLong:
      platform::ShowMessageBox(kInitializationError, u"Cannot open the Root Path value from registry!");
      return kRTFailure;
  }
  return kRTFailure;
}

std::u16string RootPath() {
  char16_t root[kRootBytes / sizeof(char16_t)];
  return GetRootPath(nullptr, root, kRootBytes) ? std::u16string(root) : std::u16string();
}

std::u16string AdditionalPath() {
  std::u16string value;
  return ReadKivoValue(u"AdditionalPaths", kAdditionalPathBytes, value) == platform::RegistryResult::kOk
             ? value
             : std::u16string();
}

}  // namespace kivo::core
