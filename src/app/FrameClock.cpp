#include "app/FrameClock.h"

#include <SDL_timer.h>

CFrameClock::CFrameClock()
    : frequency(static_cast<double>(SDL_GetPerformanceFrequency())), base(Now()), last(base), stoppedAt(base) {}

uint64_t CFrameClock::Now() const { return SDL_GetPerformanceCounter(); }

void CFrameClock::Start() {
  if (!stopped) {
    return;
  }
  const uint64_t pausedFor = Now() - stoppedAt;
  base += pausedFor;
  last += pausedFor;
  stopped = false;
}

void CFrameClock::Stop() {
  if (!stopped) {
    stoppedAt = Now();
    stopped = true;
  }
}

void CFrameClock::Read(float& time, float& elapsedTime) {
  const uint64_t now = stopped ? stoppedAt : Now();
  time = static_cast<float>(static_cast<double>(now - base) / frequency);
  elapsedTime = static_cast<float>(static_cast<double>(now - last) / frequency);
  last = now;
}
