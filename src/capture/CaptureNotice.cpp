#include "capture/CaptureNotice.h"

#include <SDL.h>

#include <atomic>

namespace {
std::atomic<uint32_t> noticeType{0};
}

uint32_t CaptureNoticeEventType() {
  if (noticeType == 0) {
    const Uint32 type = SDL_RegisterEvents(1);
    if (type != static_cast<Uint32>(-1)) noticeType = type;
  }
  return noticeType;
}

bool PostCaptureNotice() {
  const uint32_t type = noticeType;
  if (type == 0 || !SDL_WasInit(SDL_INIT_EVENTS)) return false;
  SDL_Event event = {};
  event.type = type;
  return SDL_PushEvent(&event) == 1;
}
