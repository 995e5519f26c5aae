#include "base/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {
std::atomic<bool> manualInstalled{false};
std::atomic<uint32_t> manualNow{0};
}  // namespace

uint32_t TickCount() {
  if (manualInstalled.load(std::memory_order_acquire)) {
    return manualNow.load(std::memory_order_acquire);
  }
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void WaitMs(uint32_t milliseconds) {
  if (!IsManualClockInstalled()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
}

void InstallManualClock(uint32_t start) {
  manualNow.store(start, std::memory_order_release);
  manualInstalled.store(true, std::memory_order_release);
}

void SetManualTickCount(uint32_t now) { manualNow.store(now, std::memory_order_release); }

void AdvanceManualTickCount(uint32_t milliseconds) {
  manualNow.fetch_add(milliseconds, std::memory_order_acq_rel);
}

void RemoveManualClock() { manualInstalled.store(false, std::memory_order_release); }

bool IsManualClockInstalled() { return manualInstalled.load(std::memory_order_acquire); }
