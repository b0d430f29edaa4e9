#include "speech_text.h"

#include "actor_state.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/module_core.h"
#include "kivo/support/wide_string.h"
#include "tesk/game_slots.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

float GameClock(RTInstance self) {
  const ActorControllerData* actor = StateOf(self);
  Cell now{};
  return actor && actor->game && game::call::GetCurrentTime(actor->game, &now) ? now.value.real : 0.0f;
}

}  // namespace

RTSuccess CreateSpeechText(RTInstance self, SpeechText** record, const char16_t* text, float duration) {
  if (!record) return kRTFailure;
  *record = nullptr;
  auto* made = static_cast<SpeechText*>(kivo::CoreAlloc(sizeof(SpeechText)));
  if (!made) return kRTFailure;
  *made = SpeechText{nullptr, GameClock(self), duration > 0.0f ? duration : kDefaultSpeechDuration};
  if (!kivo::WideStrDup(text, &made->Text)) {
    kivo::CoreFree(made);
    return kRTFailure;
  }
  *record = made;
  return kRTSuccess;
}

RTSuccess FreeSpeechText(RTInstance, SpeechText* record) {
  if (!record) return kRTFailure;
  kivo::ModuleCore()->ArrayFree(nullptr, record->Text);
  kivo::CoreFree(record);
  return kRTSuccess;
}

void DestroySpeechList(RTInstance self, kivo::List* list) {
  for (SpeechText* record : kivo::ListItems<SpeechText>(list)) FreeSpeechText(self, record);
  kivo::ListDestroy(list);
}

RTSuccess Say(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const ScriptArguments read(count, arguments);
  const char16_t* text = read.Text(0);
  const std::optional<float> duration = read.Real(1);
  RTTeskActorWrapper* wrapper = WrapperOf(self, object);
  SpeechText* record = nullptr;
  if (!wrapper || !text || !duration || !CreateSpeechText(self, &record, text, *duration)) return kRTFailure;
  kivo::List* list = wrapper->SpeechList;
  if (!kivo::ListPrepend(list, record)) {
    FreeSpeechText(self, record);
    return kRTFailure;
  }
  while (list->count > kMaxSpeechTexts) {
    FreeSpeechText(self, static_cast<SpeechText*>(list->last->data));
    kivo::ListRemoveLink(list, list->last);
  }
  return kRTSuccess;
}

}  // namespace tesk::actor
