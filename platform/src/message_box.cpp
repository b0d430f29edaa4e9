#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/utf.h"

namespace platform {

namespace {

MessageSink gSink;

bool DisplayAvailable() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) return false;
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

}  // namespace

void ShowMessageBox(std::u16string_view title, std::u16string_view text) {
  const std::string title8 = ToUtf8(title);
  const std::string text8 = ToUtf8(text);
  std::fprintf(stderr, "[%s] %s\n", title8.c_str(), text8.c_str());
  if (gSink) {
    gSink(title, text);
    return;
  }
  if (DisplayAvailable()) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title8.c_str(), text8.c_str(), nullptr);
}

void SetMessageSink(MessageSink sink) { gSink = std::move(sink); }

}  // namespace platform
