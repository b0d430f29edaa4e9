#include "report.h"

#include "kivo_loader.h"
#include "platform/message_box.h"

namespace tesk {

void Raise(std::u16string_view text, uint32_t level) {
  CoreTable* core = CoreStarted() ? CoreInterface() : nullptr;
  if (!core || !core->RaiseError) return;
  const std::u16string copy(text);
  core->RaiseError(nullptr, copy.c_str(), level);
}

void ShowMessage(std::u16string_view text) { platform::ShowMessageBox(kApplicationTitle, text); }

}  // namespace tesk
