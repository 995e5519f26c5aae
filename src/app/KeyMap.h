#pragma once
#include <SDL_keyboard.h>

#include <cstdint>

// The keyboard as the game states understand it: Windows virtual-key codes
// (letters 65-90, digits 48-57, Enter 13, the arrows 37-40, ...) and the few
// key commands of the game. Pure functions; the application applies them.

// The virtual-key code for an SDL key, or 0 for a key that has none.
int32_t VirtualKeyFromSdl(SDL_Keycode key);

// What one key press asks of the current state.
struct KeyCommand {
  enum class Kind {
    Ignore,   // no effect (F2, Alt+Enter, keys without a code)
    Leave,    // Escape, Alt+X: the state's Leave, unless it is fading out
    OnKey,    // Left, Right, Enter: the state's OnKey(code); Enter also SetLastKey(13)
    LastKey,  // any other key: the state's SetLastKey(code)
  };
  Kind kind = Kind::Ignore;
  int32_t code = 0;  // the virtual-key code the state receives
};

// Translates a key press with its modifier state (SDL_Keymod bits). The key
// commands match only with exactly their own Shift/Ctrl/Alt modifiers, as
// accelerators do; with other modifiers the key is an ordinary key.
KeyCommand TranslateKey(SDL_Keycode key, uint16_t modifiers);
