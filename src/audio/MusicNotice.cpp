#include "audio/MusicNotice.h"

#include <SDL.h>

#include <mutex>

namespace {
std::once_flag registration;
uint32_t registeredType = 0;
}  // namespace

uint32_t MusicNoticeEventType() {
  std::call_once(registration, [] {
    const Uint32 type = SDL_RegisterEvents(1);
    registeredType = type == static_cast<Uint32>(-1) ? 0 : type;  // 0: no notices at all
  });
  return registeredType;
}

void PostMusicNotice(uint32_t eventType, intptr_t param) {
  if (eventType == 0 || SDL_WasInit(SDL_INIT_EVENTS) == 0) {
    return;
  }
  SDL_Event event{};
  event.type = eventType;
  event.user.type = eventType;
  event.user.code = 0;
  event.user.data1 = reinterpret_cast<void*>(param);
  SDL_PushEvent(&event);
}
