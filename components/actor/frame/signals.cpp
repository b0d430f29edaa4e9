#include "signals.h"

#include "actor_control.h"
#include "actor_frame.h"
#include "actor_state.h"
#include "kivo/support/list.h"
#include "kivo/support/vector.h"
#include "script_events.h"
#include "side_step.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr uint32_t kAnswerActed = 2;
constexpr uint32_t kAnswerDone = 3;
using kivo::actor::kOnFoot;
constexpr char16_t kMoveOutOfWay[] = u"DoMoveOutOfWay";

bool Lists(List* list, const void* data) {
  ListLink* link = nullptr;
  return list && ListFind(list, data, &link, nullptr);
}

uint32_t BlockingAnswer(const RTTeskActorWrapper& receiver, const RTTeskActorWrapper& sender) {
  if (!receiver.Moving) return kAnswerDone;
  const bool yields = receiver.CanMove == 1 && receiver.VehicleMode == kOnFoot && sender.AvoidPriority != 0 &&
                      Lists(receiver.FreeNeighbourList, &sender);
  return yields ? kAnswerDone : kAnswerActed;
}

uint32_t MakeWay(const ActorControllerData& actor, RTTeskActorWrapper& receiver, const RTTeskActorWrapper& sender) {
  if (receiver.CanMove == 1) {
    RaiseEvent(actor, receiver.ScriptObject, kMoveOutOfWay, {SideStepPoint(receiver, sender)});
    return kAnswerActed;
  }
  StopActor(receiver);
  receiver.SignalFlags[kSignalMakeWay] = 0;
  return kAnswerDone;
}

}  // namespace

RTSuccess Signal(RTInstance self, RTTeskActorWrapper* receiver, RTTeskActorWrapper* sender, uint32_t type,
                 uint32_t* answer) {
  const ActorControllerData* actor = StateOf(self);
  if (!actor || !receiver || !sender || type > kSignalMakeWay) return kRTFailure;
  uint32_t given = kAnswerDone;
  if (!receiver->SignalFlags[type]) {
    receiver->SignalFlags[type] = 1;
    given = type == kSignalBlocking ? BlockingAnswer(*receiver, *sender) : MakeWay(*actor, *receiver, *sender);
  }
  if (answer) *answer = given;
  return kRTSuccess;
}

RTSuccess ClearSignal(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const std::optional<int32_t> type = ScriptArguments(count, arguments).Integer(0);
  RTTeskActorWrapper* w = WrapperOf(self, object);
  if (!w || !type || *type < 0 || *type > static_cast<int32_t>(kSignalMakeWay)) return kRTFailure;
  w->SignalFlags[*type] = 0;
  return kRTSuccess;
}

RTSuccess EnableCanMove(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const std::optional<int32_t> value = ScriptArguments(count, arguments).Integer(0);
  RTTeskActorWrapper* w = WrapperOf(self, object);
  if (!w || !value) return kRTFailure;
  w->CanMove = static_cast<RTBool>(*value);
  return kRTSuccess;
}

RTSuccess CanMove(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    if (result) result->value.number = static_cast<int32_t>(w.CanMove);
  });
}

}  // namespace tesk::actor
