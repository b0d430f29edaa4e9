#include "tesk_registry.h"

#include <optional>
#include <string>

#include "kivo/support/format.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "report.h"

namespace tesk {

namespace {

// The game's key, as the queries and the messages name it.
constexpr const char16_t* kTeskKey = platform::kGameKeyPath;
// The registry's own limit on what one query reads.
constexpr uint32_t kQueryBytes = 2048;
// Windows error numbers and texts of a failed registry query, as the program reports them.
constexpr int32_t kErrorFileNotFound = 2;
constexpr int32_t kErrorMoreData = 234;

std::optional<std::u16string> gRootCache;
std::optional<std::u16string> gVarnoPathsCache;

struct Query {
  platform::RegistryResult result;
  std::u16string value;
};

Query ReadValue(const char16_t* name) {
  Query query;
  query.result = platform::ReadRegistryValue(kTeskKey, name, kQueryBytes, query.value);
  return query;
}

void ShowQueryFailure(platform::RegistryResult result) {
  const bool tooLong = result == platform::RegistryResult::kTooLong;
  platform::ShowMessageBox(u"Error", kivo::Format(u"%s failed with error %d: %s", u"GetRegistryKeyP",
                                                  tooLong ? kErrorMoreData : kErrorFileNotFound,
                                                  tooLong ? u"More data is available."
                                                          : u"The system cannot find the file specified."));
}

// The cached value of an index, reading it on first use; null (after the reports) on failure.
const std::u16string* CachedValue(uint32_t index, platform::RegistryResult* keyState) {
  std::optional<std::u16string>& cache = index == kRegistryGameRoot ? gRootCache : gVarnoPathsCache;
  const char16_t* name = index == kRegistryGameRoot ? u"Root" : u"Varno Paths";
  Query query = ReadValue(name);
  *keyState = query.result;
  if (query.result == platform::RegistryResult::kKeyMissing) return nullptr;
  if (cache) return &*cache;
  if (query.result != platform::RegistryResult::kOk) {
    if (index == kRegistryGameRoot) {
      Raise(u"Couldn't open the Tesk Root registry key");
      ShowQueryFailure(query.result);
    } else {
      Raise(u"Couldn't open the Varno Paths registry key");
    }
    Raise(u"Error retrieving registry key");
    return nullptr;
  }
  cache = std::move(query.value);
  return &*cache;
}

// The message names the key from the one constant, so its separators are the key's own.
void ReportKeyMissing() { ReportError(u"Couldn't open %s for reading?", kTeskKey); }

}  // namespace

int32_t ReadTeskRegistry(uint32_t index, char16_t* buffer, uint32_t capacity) {
  if (index != kRegistryGameRoot && index != kRegistryVarnoPaths) {
    if (ReadValue(u"Root").result == platform::RegistryResult::kKeyMissing) {
      ReportKeyMissing();
      return 0;
    }
    Raise(u"Registry key specified is not valid");
    Raise(u"Error retrieving registry key");
    return 0;
  }
  platform::RegistryResult keyState = platform::RegistryResult::kOk;
  const std::u16string* value = CachedValue(index, &keyState);
  if (keyState == platform::RegistryResult::kKeyMissing) {
    ReportKeyMissing();
    return 0;
  }
  if (!value) return 0;
  if (!buffer || value->size() + 1 > capacity) {
    Raise(u"Registry value does not fit the caller's buffer");
    Raise(u"Error retrieving registry key");
    return 0;
  }
  if (index == kRegistryVarnoPaths) Raise(*value);
  value->copy(buffer, value->size());
  buffer[value->size()] = 0;
  return 1;
}

}  // namespace tesk
