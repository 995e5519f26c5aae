#include <gtest/gtest.h>
#include <sys/mman.h>

#include <chrono>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "demo/RunStats.h"

namespace {

constexpr uint32_t kFrameMs = 40;
constexpr size_t kBumpBytes = 64u << 20;

// The figures of the memory line, in MB.
std::vector<double> MinuteLows(const std::string& report) {
  const std::string key = "resident memory by minute of game time (lowest in each, MB):";
  const size_t at = report.find(key);
  std::vector<double> lows;
  if (at == std::string::npos) return lows;
  std::istringstream line(report.substr(at + key.size(), report.find(';', at) - at - key.size()));
  for (double mb = 0.0; line >> mb;) lows.push_back(mb);
  return lows;
}

// Memory the process really holds while it lives: mapped and touched, and
// given back at once when it goes (a sanitizer's allocator would keep it).
class Bump {
 public:
  Bump() : bytes(mmap(nullptr, kBumpBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) {
    if (bytes != MAP_FAILED) std::memset(bytes, 1, kBumpBytes);
  }
  ~Bump() {
    if (bytes != MAP_FAILED) munmap(bytes, kBumpBytes);
  }
  Bump(const Bump&) = delete;
  Bump& operator=(const Bump&) = delete;
  bool Mapped() const { return bytes != MAP_FAILED; }

 private:
  void* bytes;
};

void Frames(CRunStats& stats, uint32_t& gameMs, uint32_t count) {
  for (uint32_t n = 0; n < count; ++n, gameMs += kFrameMs) {
    stats.FramePresented(5.0);
    stats.NoteGameTime(gameMs);
  }
}

// A screen change that holds memory for a while must not count in its minute,
// memory held for a whole minute must: the soak compares these figures.
TEST(RunStatsTest, EachMinuteOfGameTimeKeepsItsLowestResidentMemory) {
  CRunStats stats(std::chrono::steady_clock::now());
  uint32_t gameMs = 0;
  const uint32_t framesPerMinute = 60000 / kFrameMs;
  Frames(stats, gameMs, framesPerMinute);
  {
    const Bump passing;  // the first half of the second minute only
    ASSERT_TRUE(passing.Mapped());
    Frames(stats, gameMs, framesPerMinute / 2);
  }
  Frames(stats, gameMs, framesPerMinute / 2);
  const Bump kept;  // the whole third minute
  ASSERT_TRUE(kept.Mapped());
  Frames(stats, gameMs, framesPerMinute);

  const std::vector<double> lows = MinuteLows(stats.Report());
  ASSERT_EQ(3u, lows.size()) << stats.Report();
  const double bumpMb = static_cast<double>(kBumpBytes) / (1024.0 * 1024.0);
  EXPECT_LT(lows[1], lows[0] + bumpMb / 2) << "a passing peak counted";
  EXPECT_GT(lows[2], lows[1] + bumpMb / 2) << "memory held all minute not seen";
}

}  // namespace
