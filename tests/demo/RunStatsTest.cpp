#include <gtest/gtest.h>
#include <sys/mman.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "demo/RunStats.h"

namespace {

constexpr size_t kBumpMb = 64, kBumpBytes = kBumpMb << 20;

// Memory the process really holds while it lives: mapped and touched, and
// given back at once when it goes (a sanitizer's allocator would keep it).
std::unique_ptr<void, void (*)(void*)> Bump() {
  void* bytes = mmap(nullptr, kBumpBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (bytes == MAP_FAILED) return {nullptr, [](void*) {}};
  std::memset(bytes, 1, kBumpBytes);
  return {bytes, [](void* mapped) { munmap(mapped, kBumpBytes); }};
}

// A screen change that holds memory for a while must not count in its minute,
// memory held for a whole minute must: the soak compares these figures.
TEST(RunStatsTest, EachMinuteOfGameTimeKeepsItsLowestResidentMemory) {
  CRunStats stats(std::chrono::steady_clock::now());
  uint32_t gameMs = 0;
  const auto halfMinutes = [&](int count) {  // of 40 ms frames
    for (uint32_t end = gameMs + 30000u * count; gameMs < end; gameMs += 40) {
      stats.FramePresented(5.0);
      stats.NoteGameTime(gameMs);
    }
  };
  halfMinutes(2);
  {
    const auto passing = Bump();  // the first half of the second minute only
    ASSERT_TRUE(passing);
    halfMinutes(1);
  }
  halfMinutes(1);
  const auto kept = Bump();  // the whole third minute
  ASSERT_TRUE(kept);
  halfMinutes(2);

  // The figures of the memory line, in MB.
  const std::string report = stats.Report(), key = "resident memory by minute of game time (lowest in each, MB):";
  ASSERT_NE(std::string::npos, report.find(key)) << report;
  std::istringstream line(report.substr(report.find(key) + key.size()));
  std::vector<double> lows;
  for (double mb = 0.0; line >> mb;) lows.push_back(mb);
  ASSERT_EQ(3u, lows.size()) << report;
  EXPECT_LT(lows[1], lows[0] + kBumpMb / 2.0) << "a passing peak counted";
  EXPECT_GT(lows[2], lows[1] + kBumpMb / 2.0) << "memory held all minute not seen";
}

}  // namespace
