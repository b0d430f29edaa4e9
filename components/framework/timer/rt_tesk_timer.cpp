// RTTeskTimer: the game's timer, a singleton counting the frames it is ticked since its last reset
// (see timer_calls.h).
//
// Stream form, all little-endian:
//   u32 version        1; a newer version is refused
//   u32                the ticks since the last reset
// A short or newer stream is refused with a message and the count is kept.
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "kivo/timer/timer_calls.h"

namespace {

using namespace kivo;
namespace slot = kivo::timer;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;
constexpr bool kOverrides = true;

struct TimerState {
  uint32_t ticks = 0;
};

TimerState* StateOf(RTInstance self) { return StateIn<TimerState>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<TimerState>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<TimerState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess Tick(RTInstance self, void*) {
  TimerState* timer = StateOf(self);
  if (!timer) return kRTFailure;
  ++timer->ticks;
  return kRTSuccess;
}

RTSuccess Reset(RTInstance self) {
  TimerState* timer = StateOf(self);
  if (!timer) return kRTFailure;
  timer->ticks = 0;
  return kRTSuccess;
}

RTSuccess GetTicks(RTInstance self, uint32_t* ticks) {
  TimerState* timer = StateOf(self);
  if (!timer || !ticks) return kRTFailure;
  *ticks = timer->ticks;
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  TimerState* timer = StateOf(self);
  return timer && component::IsWholeStage(stage) && StreamWriteUInt(stream, slot::kStreamVersion) &&
                 StreamWriteUInt(stream, timer->ticks)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  TimerState* timer = StateOf(self);
  if (!timer || !component::IsWholeStage(stage)) return kRTFailure;
  uint32_t version = 0;
  uint32_t ticks = 0;
  if (!StreamReadVersion(stream, slot::kStreamVersion, &version) || !StreamReadUInt(stream, &ticks)) {
    RaiseFormatted(kLevelError, u"RTTeskTimer::StreamIn(): the timer's stream is damaged or newer than version %u; "
                                u"the timer keeps its count",
                   slot::kStreamVersion);
    return kRTFailure;
  }
  timer->ticks = ticks;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"Tick", Tick, slot::kTick, u"RTSuccess", u"RTVarnoVM in apVM"),
    Method(u"Reset", Reset, slot::kReset, u"RTSuccess", u""),
    Method(u"GetTicks", GetTicks, slot::kGetTicks, u"RTSuccess", u"uint out opTicks"),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The game's timer: the frames ticked since the last reset",
    .singleton = true,
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
