#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "support/TestPictures.h"

// Our sounds and tunes as the player hears them: the game loading and
// playing them is checked by the audio tests; here, what they are.
namespace {

// The little-endian word of `size` bytes at `at`.
uint32_t Little(const std::vector<uint8_t>& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}
double Db(double linear) { return 20 * std::log10(std::max(linear, 1e-9)); }

// A 16-bit PCM WAV of 0.2 to 0.4 s: no clipping, not silent, a quick attack,
// and it dies away with no click at the end.
TEST(ResourceAudio, TheCrunchIsAShortLoudEnoughPcmWavWithAQuickAttack) {
  const std::vector<uint8_t> bytes = testpictures::ReadBytes("./res/sounds/crump2.wav");
  ASSERT_TRUE(bytes.size() >= 44 && std::memcmp(bytes.data(), "RIFF", 4) == 0 && std::memcmp(bytes.data() + 8, "WAVEfmt ", 8) == 0 &&
              std::memcmp(bytes.data() + 36, "data", 4) == 0 && Little(bytes, 20, 2) == 1 && Little(bytes, 34, 2) == 16);
  const uint32_t channels = Little(bytes, 22, 2), rate = Little(bytes, 24, 4), count = Little(bytes, 40, 4) / 2;
  ASSERT_EQ(bytes.size(), 44 + count * 2);
  const size_t tailStart = count - static_cast<size_t>(0.01 * rate) * channels;
  double peak = 0, sum = 0, tail = 0, peakAt = 0;
  for (size_t i = 0; i < count; ++i) {
    const double s = static_cast<int16_t>(Little(bytes, 44 + 2 * i, 2)) / 32768.0;
    if (std::fabs(s) > peak) peak = std::fabs(s), peakAt = i;
    sum += s * s, tail += i >= tailStart ? s * s : 0;
  }
  const double seconds = static_cast<double>(count) / channels / rate;
  EXPECT_TRUE(seconds >= 0.2 && seconds <= 0.4 && Db(peak) < -1.0 && Db(std::sqrt(sum / count)) > -30.0 &&
              peakAt / channels / rate < 0.03 && Db(std::sqrt(tail / (count - tailStart))) < -40.0)
      << seconds << " s, peak " << peak << " at " << peakAt << ", " << sum << ", " << tail;
}

// Walks the MP3 frame headers after the ID3 tag: MPEG-1 layer III at 44.1 kHz
// in stereo, at most 128 kbit/s, 1152 samples a frame (the encoder's tag frame
// and its delay, a few milliseconds, are counted in); all the resources
// together stay small.
TEST(ResourceAudio, MusicIsSmallConstantRateStereoMp3OfTheRightLength) {
  static const int kBitrates[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  for (const auto& [file, minSeconds, maxSeconds] : {std::tuple{"./res/nienawisc2_loop.mp3", 20, 40}, {"./res/yazda.mp3", 30, 60}}) {
    const std::vector<uint8_t> bytes = testpictures::ReadBytes(file);
    ASSERT_TRUE(bytes.size() > 10 && bytes.size() < 1024u * 1024u) << file;
    size_t at = std::memcmp(bytes.data(), "ID3", 3) == 0 ? 10 + ((bytes[6] << 21) | (bytes[7] << 14) | (bytes[8] << 7) | bytes[9]) : 0;
    int frames = 0;
    for (; at + 4 <= bytes.size(); ++frames) {
      const uint32_t header = uint32_t(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
      const int bitrate = kBitrates[(header >> 12) & 15];
      // Sync, MPEG-1 layer III, 44.1 kHz; not mono.
      ASSERT_TRUE((header & 0xFFFE0C00u) == 0xFFFA0000u && ((header >> 6) & 3) != 3 && bitrate > 0 && bitrate <= 128)
          << file << " frame " << frames;
      at += 144000 * bitrate / 44100 + ((header >> 9) & 1);
    }
    const double seconds = frames * 1152.0 / 44100.0;
    EXPECT_TRUE(seconds >= minSeconds && seconds <= maxSeconds) << file << ": " << seconds << " s";
  }
  uintmax_t total = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("./res"))
    total += entry.is_regular_file() ? entry.file_size() : 0;
  EXPECT_LT(total, 8u * 1024u * 1024u);
}

}  // namespace
