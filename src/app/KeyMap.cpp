#include "app/KeyMap.h"
#include "base/VirtualKeys.h"

namespace {

struct KeyEntry {
  SDL_Keycode key;
  int32_t virtualKey;
};

constexpr KeyEntry kKeyTable[] = {
    {SDLK_BACKSPACE, kVkBack}, {SDLK_TAB, kVkTab}, {SDLK_RETURN, kVkReturn}, {SDLK_KP_ENTER, kVkReturn},
    {SDLK_LSHIFT, kVkShift}, {SDLK_RSHIFT, kVkShift}, {SDLK_LCTRL, kVkControl}, {SDLK_RCTRL, kVkControl},
    {SDLK_LALT, kVkMenu}, {SDLK_RALT, kVkMenu}, {SDLK_PAUSE, kVkPause}, {SDLK_CAPSLOCK, kVkCapital},
    {SDLK_ESCAPE, kVkEscape}, {SDLK_SPACE, kVkSpace}, {SDLK_PAGEUP, kVkPrior}, {SDLK_PAGEDOWN, kVkNext},
    {SDLK_END, kVkEnd}, {SDLK_HOME, kVkHome}, {SDLK_LEFT, kVkLeft}, {SDLK_UP, kVkUp},
    {SDLK_RIGHT, kVkRight}, {SDLK_DOWN, kVkDown}, {SDLK_PRINTSCREEN, kVkSnapshot}, {SDLK_INSERT, kVkInsert},
    {SDLK_DELETE, kVkDelete}, {SDLK_LGUI, kVkLWin}, {SDLK_RGUI, kVkRWin}, {SDLK_APPLICATION, kVkApps},
    {SDLK_KP_MULTIPLY, kVkMultiply}, {SDLK_KP_PLUS, kVkAdd}, {SDLK_KP_MINUS, kVkSubtract},
    {SDLK_KP_PERIOD, kVkDecimal}, {SDLK_KP_DIVIDE, kVkDivide}, {SDLK_NUMLOCKCLEAR, kVkNumLock},
    {SDLK_SCROLLLOCK, kVkScroll},
    // The punctuation keys of a US keyboard (the OEM codes).
    {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187}, {SDLK_COMMA, 188}, {SDLK_MINUS, 189}, {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191}, {SDLK_BACKQUOTE, 192}, {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

// Runs of keys whose codes follow each other in both tables.
int32_t VirtualKeyFromRun(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) {
    return 'A' + (key - SDLK_a);
  }
  if (key >= SDLK_0 && key <= SDLK_9) {
    return '0' + (key - SDLK_0);
  }
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
    return kVkNumpad0 + 1 + (key - SDLK_KP_1);
  }
  if (key == SDLK_KP_0) {
    return kVkNumpad0;
  }
  if (key >= SDLK_F1 && key <= SDLK_F12) {
    return kVkF1 + (key - SDLK_F1);
  }
  if (key >= SDLK_F13 && key <= SDLK_F24) {
    return kVkF13 + (key - SDLK_F13);
  }
  return 0;
}

constexpr uint16_t kModifierMask = KMOD_SHIFT | KMOD_CTRL | KMOD_ALT;

}  // namespace

int32_t VirtualKeyFromSdl(SDL_Keycode key) {
  for (const KeyEntry& entry : kKeyTable) {
    if (entry.key == key) {
      return entry.virtualKey;
    }
  }
  return VirtualKeyFromRun(key);
}

KeyCommand TranslateKey(SDL_Keycode key, uint16_t modifiers) {
  const int32_t code = VirtualKeyFromSdl(key);
  const uint16_t held = modifiers & kModifierMask;
  const bool plain = held == 0;
  const bool altOnly = held != 0 && (held & ~KMOD_ALT) == 0;
  if (code == 0) {
    return {KeyCommand::Kind::Ignore, 0};
  }
  if ((plain && code == kVkEscape) || (altOnly && code == 'X')) {
    return {KeyCommand::Kind::Leave, code};
  }
  if (plain && (code == kVkLeft || code == kVkRight || code == kVkReturn)) {
    return {KeyCommand::Kind::OnKey, code};
  }
  if ((plain && code == kVkF1 + 1) || (altOnly && code == kVkReturn)) {
    return {KeyCommand::Kind::Ignore, code};
  }
  return {KeyCommand::Kind::LastKey, code};
}
