// Forms: a form definition in the widget stream read into a form, as the game reads the forms of
// its resource file; the form goes with its widgets, as whoever loaded one destroys it.
#include <string>

#include "form_definition.h"
#include "fuzz_host.h"
#include "host/stream_bytes.h"
#include "widget_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({});
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tesk::fuzz::RunInput([&] {
    kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
    auto* form = new tesk::game::gui::TeskForm;
    tesk::game::gui::ReadFormDefinition(stream.get(), form);
    tesk::game::gui::DestroyWidgetTree(form);
  });
  return 0;
}
