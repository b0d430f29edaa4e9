#include "platform/virtual_keys.h"

#include <SDL.h>

#include <utility>

#include "platform/ascii_case.h"

namespace platform {

namespace {

struct KeyPair {
  SDL_Keycode sdl;
  uint32_t vk;
};

constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, kVkBack},
    {SDLK_TAB, kVkTab},
    {SDLK_CLEAR, 0x0C},
    {SDLK_RETURN, kVkReturn},
    {SDLK_KP_ENTER, kVkReturn},
    {SDLK_LSHIFT, kVkShift},
    {SDLK_RSHIFT, kVkShift},
    {SDLK_LCTRL, kVkControl},
    {SDLK_RCTRL, kVkControl},
    {SDLK_LALT, kVkMenu},
    {SDLK_RALT, kVkMenu},
    {SDLK_PAUSE, 0x13},
    {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, kVkEscape},
    {SDLK_SPACE, kVkSpace},
    {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},
    {SDLK_HOME, 0x24},
    {SDLK_LEFT, kVkLeft},
    {SDLK_UP, kVkUp},
    {SDLK_RIGHT, kVkRight},
    {SDLK_DOWN, kVkDown},
    {SDLK_PRINTSCREEN, 0x2C},
    {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},
    {SDLK_LGUI, 0x5B},
    {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_0, 0x60},
    {SDLK_KP_1, 0x61},
    {SDLK_KP_2, 0x62},
    {SDLK_KP_3, 0x63},
    {SDLK_KP_4, 0x64},
    {SDLK_KP_5, 0x65},
    {SDLK_KP_6, 0x66},
    {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68},
    {SDLK_KP_9, 0x69},
    {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},
    {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},
    {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},
    {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},
    {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

}  // namespace

uint32_t VirtualKeyFromSdl(int32_t sdlKey) {
  if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) return static_cast<uint32_t>('A' + (sdlKey - SDLK_a));
  if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) return static_cast<uint32_t>('0' + (sdlKey - SDLK_0));
  if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12) return kVkF1 + static_cast<uint32_t>(sdlKey - SDLK_F1);
  if (sdlKey >= SDLK_F13 && sdlKey <= SDLK_F24) return kVkF1 + 12 + static_cast<uint32_t>(sdlKey - SDLK_F13);
  for (const KeyPair& pair : kKeys)
    if (pair.sdl == sdlKey) return pair.vk;
  return 0;
}

int32_t SdlKeyFromName(std::string_view name) {
  // Walks the keys that have a virtual-key code, matching SDL's own name of each (SDL's reverse
  // lookup would leave an error text allocated for a name it does not know).
  const auto named = [name](SDL_Keycode key) { return EqualIgnoringAsciiCase(SDL_GetKeyName(key), name); };
  for (SDL_Keycode key = SDLK_a; key <= SDLK_z; ++key)
    if (named(key)) return key;
  for (SDL_Keycode key = SDLK_0; key <= SDLK_9; ++key)
    if (named(key)) return key;
  for (const auto& [first, last] : {std::pair{SDLK_F1, SDLK_F12}, std::pair{SDLK_F13, SDLK_F24}})
    for (SDL_Keycode key = first; key <= last; ++key)
      if (named(key)) return key;
  for (const KeyPair& pair : kKeys)
    if (named(pair.sdl)) return pair.sdl;
  return 0;
}

TypedKey SdlKeyForCharacter(char character) {
  if (character >= 'A' && character <= 'Z') return {character - 'A' + SDLK_a, true};
  // Every other character that a key types alone has that key's code (SDL's rule for printable keys).
  const auto code = static_cast<unsigned char>(character);
  if (code < 0x20 || code >= 0x7F || VirtualKeyFromSdl(code) == 0) return {};
  return {code, false};
}

}  // namespace platform
