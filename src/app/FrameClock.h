#pragma once
#include <cstdint>

// The framework's clock: application time and the time since the previous
// frame, in seconds, from the high-resolution counter. While stopped (the
// application paused) time stands still, and the stopped span never counts.
class CFrameClock {
 public:
  CFrameClock();
  void Start();
  void Stop();
  // Advances to now (or to the moment it was stopped) and returns through
  // the arguments the time since Start and the time since the previous Read.
  void Read(float& time, float& elapsedTime);

 private:
  uint64_t Now() const;
  double frequency;
  uint64_t base;
  uint64_t last;
  uint64_t stoppedAt;
  bool stopped = true;
};
