#include "stream_fields.h"

#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace tesk::game::gui {

namespace {
constexpr uint32_t kColourBytes = 12;
}  // namespace

RTSuccess ReadText(RTInstance stream, OwnedText* text) {
  char16_t* read = nullptr;
  if (!kivo::StreamReadWString(stream, &read)) return kRTFailure;
  const RTSuccess kept = text->Set(read);
  kivo::ModuleCore()->ArrayFree(nullptr, read);
  return kept;
}

RTSuccess ReadColour(RTInstance stream, Colour* colour) {
  return kivo::StreamHolds(stream, kColourBytes) && kivo::StreamReadColor(stream, colour) ? kRTSuccess : kRTFailure;
}

RTSuccess RefuseAbove(uint32_t value, uint32_t most, const char16_t* refusal) {
  if (value <= most) return kRTSuccess;
  if (refusal) kivo::ModuleCore()->RaiseError(nullptr, refusal, kivo::kLevelError);
  return kRTFailure;
}

RTSuccess ReadClassVersion(RTInstance stream, uint32_t newest, const char16_t* refusal, uint32_t* version) {
  return kivo::StreamReadUInt(stream, version) ? RefuseAbove(*version, newest, refusal) : kRTFailure;
}

}  // namespace tesk::game::gui
