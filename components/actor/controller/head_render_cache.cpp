#include "head_render_cache.h"

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr uint32_t kBuckets = 31;
constexpr uint32_t kKeyUnits = 128;  // the key with its terminating zero
constexpr uint32_t kRepeat = 0x2901;
constexpr uint32_t kLinear = 0x2601;
constexpr uint32_t kLinearMipmapLinear = 0x2703;
constexpr uint32_t kMipmaps = 1;

struct HeadEntry {
  uint32_t alternate;  // 0 when the character has no alternate head
  uint32_t primary;    // 0 when its image could not be loaded
};

void FreeEntry(void* entry) { CoreFree(entry); }

// The texture of "Root:HeadRenders:<name>.tga"; false, reported, when there is no such image.
bool LoadHeadTexture(RTInstance rasterizer, const char16_t* name, uint32_t* texture) {
  RTInstance image = nullptr;
  const std::u16string path = Format(u"Root:HeadRenders:%s.tga", name);
  if (!ModuleCore()->GetInstanceByName(nullptr, path.c_str(), &image, 0)) {
    ModuleCore()->RaiseError(nullptr, u"Can't retrieve a head render!", kLevelError);
    return false;
  }
  rasterizer::CreateTextureFromImage(rasterizer, image, texture, kRepeat, kRepeat, kLinear, kLinearMipmapLinear,
                                     kMipmaps);
  ModuleCore()->ReleaseInstance(nullptr, image);
  return true;
}

}  // namespace

bool HeadRenderCache::Create() { return table_ || StrHashTableCreate(&table_, kBuckets, FreeEntry); }

void HeadRenderCache::Destroy() {
  StrHashTableDestroy(table_);
  table_ = nullptr;
}

void HeadRenderCache::Add(RTInstance rasterizer, const char16_t* key, const char16_t* primary,
                          const char16_t* alternate) {
  auto* entry = static_cast<HeadEntry*>(CoreAlloc(sizeof(HeadEntry)));
  if (!table_ || !entry || !key || !primary) {
    CoreFree(entry);
    return;
  }
  *entry = HeadEntry{};
  if (LoadHeadTexture(rasterizer, primary, &entry->primary) && alternate)
    LoadHeadTexture(rasterizer, alternate, &entry->alternate);
  if (!StrHashTableInsert(table_, key, entry)) CoreFree(entry);
}

RTSuccess HeadRenderCache::Retrieve(const char16_t* key, RTBool alternate, uint32_t* texture) const {
  if (!texture) return kRTFailure;
  *texture = 0;
  char16_t upper[kKeyUnits];
  void* found = nullptr;
  if (!table_ || !WideStrUpperBounded(key, upper, kKeyUnits) || !StrHashTableLookup(table_, upper, &found))
    return kRTFailure;
  const auto* entry = static_cast<const HeadEntry*>(found);
  *texture = entry->alternate && alternate ? entry->alternate : entry->primary;
  return kRTSuccess;
}

}  // namespace tesk::actor
