#pragma once
#include <SDL_events.h>

#include <cstdint>

// A key press as SDL hands it over.
inline SDL_Event KeyDown(SDL_Keycode key, uint16_t modifiers = KMOD_NONE) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = key;
  event.key.keysym.mod = modifiers;
  return event;
}
