#include "game_resource.h"

#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "tesk/game_slots.h"

namespace tesk::game::gui {

kivo::InstanceRef OpenGameResource(const char16_t* name) {
  kivo::InstanceRef stream;
  if (kivo::ModuleCore()->OpenResourceStream(nullptr, kClassName, name, stream.out()) && stream.get())
    kivo::stream::Seek(stream.get(), 0);
  return stream;
}

}  // namespace tesk::game::gui
