// RTAudioBufferInfo: what the audio service's GetBufferInfo hands out about a buffer: its length
// and its rate.
#include "audio_buffer.h"
#include "kivo/support/component_kit.h"

namespace {

using namespace kivo;
namespace slot = kivo::audio_buffer_info;

constexpr uint32_t kLengthWord = slot::kOwnTable + 4;  // milliseconds
constexpr uint32_t kRateWord = kLengthWord + 4;        // hertz
constexpr uint32_t kObjectSize = kRateWord + 4;

uint32_t ReadWord(RTInstance self, uint32_t word) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Word(ComponentObject(self), word)));
}
void WriteWord(RTInstance self, uint32_t word, uint32_t value) {
  Word(ComponentObject(self), word) = reinterpret_cast<ObjectWord>(uintptr_t{value});
}

RTSuccess GetLength(RTInstance self, uint32_t* milliseconds) {
  if (!self || !milliseconds) return kRTFailure;
  *milliseconds = ReadWord(self, kLengthWord);
  return kRTSuccess;
}

RTSuccess GetRate(RTInstance self, uint32_t* hertz) {
  if (!self || !hertz) return kRTFailure;
  *hertz = ReadWord(self, kRateWord);
  return kRTSuccess;
}

RTSuccess Describe(RTInstance self, const RTAudioBuffer* buffer) {
  if (!self || !buffer) return kRTFailure;
  WriteWord(self, kLengthWord, buffer->milliseconds());
  WriteWord(self, kRateWord, buffer->rate);
  return kRTSuccess;
}

constexpr PublishedMethod kPublished[] = {
#define KIVO_AUDIO_BUFFER_INFO_PUBLISHED(name, offset) {u"" #name, offset},
    KIVO_AUDIO_BUFFER_INFO_METHODS(KIVO_AUDIO_BUFFER_INFO_PUBLISHED)
#undef KIVO_AUDIO_BUFFER_INFO_PUBLISHED
};
auto gMethods = PublishedMethodTable(
    kPublished, {Built(slot::kGetLength, GetLength), Built(slot::kDescribe, Describe), Built(slot::kGetRate, GetRate)});

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The length and rate of a buffer of the audio service",
    .objectSize = kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods.data(),
});

}  // namespace

KIVO_COMPONENT(gDefinition)
