// Forms: a form definition in the widget stream read into a form, as the game reads the forms of
// its resource file.
#include <string>

#include "form_definition.h"
#include "fuzz_host.h"
#include "host/stream_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({});
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tesk::fuzz::RunInput([&] {
    kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
    tesk::game::gui::TeskForm form;
    tesk::game::gui::ReadFormDefinition(stream.get(), &form);
  });
  return 0;
}
