// RTAudioBufferInfo: what the audio service's GetBufferInfo hands out about a buffer, its length.
#include "audio_buffer.h"
#include "kivo/support/component_kit.h"

namespace {

using namespace kivo;
namespace slot = kivo::audio_buffer_info;

constexpr uint32_t kLengthWord = slot::kOwnTable + 4;
constexpr uint32_t kObjectSize = kLengthWord + 4;

// The length in milliseconds, kept in its object word.
ObjectWord& LengthWord(RTInstance self) { return Word(ComponentObject(self), kLengthWord); }

RTSuccess GetLength(RTInstance self, uint32_t* milliseconds) {
  if (!self || !milliseconds) return kRTFailure;
  *milliseconds = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(LengthWord(self)));
  return kRTSuccess;
}

RTSuccess Describe(RTInstance self, const RTAudioBuffer* buffer) {
  if (!self || !buffer) return kRTFailure;
  LengthWord(self) = reinterpret_cast<ObjectWord>(uintptr_t{buffer->milliseconds()});
  return kRTSuccess;
}

constexpr PublishedMethod kPublished[] = {
#define KIVO_AUDIO_BUFFER_INFO_PUBLISHED(name, offset) {u"" #name, offset},
    KIVO_AUDIO_BUFFER_INFO_METHODS(KIVO_AUDIO_BUFFER_INFO_PUBLISHED)
#undef KIVO_AUDIO_BUFFER_INFO_PUBLISHED
};
auto gMethods = PublishedMethodTable(kPublished, {Built(slot::kGetLength, GetLength), Built(slot::kDescribe, Describe)});

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The length of a buffer of the audio service",
    .objectSize = kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods.data(),
});

}  // namespace

KIVO_COMPONENT(gDefinition)
