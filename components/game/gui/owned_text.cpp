#include "owned_text.h"

#include "kivo/support/module_core.h"
#include "kivo/support/wide_string.h"

namespace tesk::game::gui {

OwnedText::~OwnedText() { kivo::ModuleCore()->ArrayFree(nullptr, text_); }

RTSuccess OwnedText::Set(const char16_t* text) {
  char16_t* copy = nullptr;
  if (!kivo::WideStrDup(text, &copy) || !copy) return kRTFailure;
  kivo::ModuleCore()->ArrayFree(nullptr, text_);
  text_ = copy;
  return kRTSuccess;
}

}  // namespace tesk::game::gui
