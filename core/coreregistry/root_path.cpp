#include "coreregistry/registry.h"

#include <string>

#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"
#include "platform/message_box.h"
#include "platform/registry.h"

namespace kivo::core {

namespace {
constexpr char16_t kKivoKey[] = u"Software\\Ostrawen\\Kivo\\1.0\\";
constexpr char16_t kInitializationError[] = u"Kivo Initialization Error!";
}  // namespace

RTSuccess GetRootPath(RTInstance, char16_t* buffer, uint32_t byteLength) {
  if (!buffer) return kRTFailure;
  std::u16string root;
  switch (platform::ReadRegistryValue(std::u16string(u"HKEY_LOCAL_MACHINE\\") + kKivoKey, u"Root", byteLength, root)) {
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

}  // namespace kivo::core
