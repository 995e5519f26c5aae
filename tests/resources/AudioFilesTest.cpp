#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "audio/AudioEngine.h"
#include "audio/MusicPlayer.h"
#include "audio/Sound.h"

namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

uint32_t Little32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint16_t Little16(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

double Db(double linear) { return 20 * std::log10(std::max(linear, 1e-9)); }

struct Mp3Facts {
  int frames = 0;            // audio frames, without the tag frame
  int maxBitrate = 0;        // kbit/s
  bool allStereo44k = true;  // MPEG-1 layer III, 44.1 kHz, two channels
  int delay = 0, padding = 0;
  bool tagFound = false;
};

// Walks the MP3 frame headers; reads the encoder delay and padding from the
// encoder's tag in the first frame.
Mp3Facts ReadMp3(const std::vector<uint8_t>& bytes) {
  static const int kBitrates[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  Mp3Facts facts;
  size_t at = 0;
  if (bytes.size() > 10 && std::memcmp(bytes.data(), "ID3", 3) == 0) {
    at = 10 + ((bytes[6] << 21) | (bytes[7] << 14) | (bytes[8] << 7) | bytes[9]);
  }
  bool first = true;
  while (at + 4 <= bytes.size()) {
    const uint32_t header = (bytes[at] << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
    if ((header & 0xFFE00000u) != 0xFFE00000u) break;
    const int version = (header >> 19) & 3, layer = (header >> 17) & 3, rate = (header >> 10) & 3;
    const int bitrate = kBitrates[(header >> 12) & 15], padding = (header >> 9) & 1, mode = (header >> 6) & 3;
    if (version != 3 || layer != 1 || rate != 0 || mode == 3 || bitrate == 0) {
      facts.allStereo44k = false;
      break;
    }
    const size_t length = 144000 * bitrate / 44100 + padding;
    const size_t tag = at + 4 + 32;  // after the side information of a stereo frame
    if (first && tag + 144 <= bytes.size() &&
        (std::memcmp(&bytes[tag], "Info", 4) == 0 || std::memcmp(&bytes[tag], "Xing", 4) == 0)) {
      const size_t lame = tag + 120;
      facts.delay = (bytes[lame + 21] << 4) | (bytes[lame + 22] >> 4);
      facts.padding = ((bytes[lame + 22] & 15) << 8) | bytes[lame + 23];
      facts.tagFound = true;
    } else {
      ++facts.frames;
      facts.maxBitrate = std::max(facts.maxBitrate, bitrate);
    }
    first = false;
    at += length;
  }
  return facts;
}

}  // namespace

TEST(ResourceAudio, TheCrunchIsAShortLoudEnoughPcmWavWithAQuickAttack) {
  const std::vector<uint8_t> bytes = FileBytes("./res/sounds/crump2.wav");
  ASSERT_GE(bytes.size(), 44u);
  ASSERT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
  ASSERT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(Little16(bytes, 20), 1);   // PCM
  EXPECT_EQ(Little16(bytes, 34), 16);  // bits
  const int channels = Little16(bytes, 22);
  const uint32_t rate = Little32(bytes, 24);
  ASSERT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0);
  const size_t count = Little32(bytes, 40) / 2;
  ASSERT_EQ(bytes.size(), 44 + count * 2);
  const double seconds = static_cast<double>(count) / channels / rate;
  EXPECT_GE(seconds, 0.2);
  EXPECT_LE(seconds, 0.4);

  double peak = 0, sum = 0, tail = 0;
  size_t peakAt = 0;
  const size_t tailStart = count - static_cast<size_t>(0.01 * rate) * channels;
  for (size_t i = 0; i < count; ++i) {
    const double s = static_cast<int16_t>(Little16(bytes, 44 + 2 * i)) / 32768.0;
    if (std::fabs(s) > peak) {
      peak = std::fabs(s);
      peakAt = i;
    }
    sum += s * s;
    if (i >= tailStart) tail += s * s;
  }
  EXPECT_LT(Db(peak), -1.0);                                        // no clipping
  EXPECT_GT(Db(std::sqrt(sum / count)), -30.0);                     // not silent
  EXPECT_LT(static_cast<double>(peakAt) / channels / rate, 0.03);   // quick attack
  EXPECT_LT(Db(std::sqrt(tail / (count - tailStart))), -40.0);      // dies away, no click at the end
}

TEST(ResourceAudio, MusicIsSmallConstantRateStereoMp3OfTheRightLength) {
  struct Tune {
    const char* file;
    double minSeconds, maxSeconds;
  };
  for (const Tune& tune : {Tune{"./res/nienawisc2_loop.mp3", 20, 40}, Tune{"./res/yazda.mp3", 30, 60}}) {
    SCOPED_TRACE(tune.file);
    const std::vector<uint8_t> bytes = FileBytes(tune.file);
    ASSERT_FALSE(bytes.empty());
    EXPECT_LT(bytes.size(), 1024u * 1024u);
    const Mp3Facts facts = ReadMp3(bytes);
    EXPECT_TRUE(facts.allStereo44k);
    EXPECT_TRUE(facts.tagFound);
    EXPECT_LE(facts.maxBitrate, 128);
    const double seconds = (facts.frames * 1152.0 - facts.delay - facts.padding) / 44100.0;
    EXPECT_GE(seconds, tune.minSeconds);
    EXPECT_LE(seconds, tune.maxSeconds);
  }
}

TEST(ResourceAudio, TheWholeResourceFolderStaysSmall) {
  uintmax_t total = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator("./res")) {
    if (entry.is_regular_file()) total += entry.file_size();
  }
  EXPECT_LT(total, 8u * 1024u * 1024u);
}

TEST(ResourceAudio, TheGameLoadsAndPlaysTheCrunchAndBothTunes) {
  setenv("ZESTBOX_AUDIO_SINK", "fakesink sync=true", 0);  // never a real sound device
  CAudioEngine engine;
  ASSERT_EQ(engine.Initialize(), S_OK);
  CSound crunch;
  crunch.SetAudioEngine(&engine);
  ASSERT_TRUE(crunch.Load("./res/sounds/crump2.wav"));
  ASSERT_TRUE(crunch.Play(0));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (crunch.IsPlaying() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(crunch.IsPlaying());
  for (const char* file : {"./res/nienawisc2_loop.mp3", "./res/yazda.mp3"}) {
    SCOPED_TRACE(file);
    CMusicPlayer music;
    EXPECT_EQ(music.Open(file), S_OK);
    EXPECT_EQ(music.Play(), S_OK);
  }
}

TEST(ResourceAudio, TheWebPageExplainsTheGame) {
  const std::vector<uint8_t> bytes = FileBytes("./res/web/index.html");
  const std::string page(bytes.begin(), bytes.end());
  EXPECT_NE(page.find("<title>Zestbox</title>"), std::string::npos);
  EXPECT_NE(page.find("Nestfall"), std::string::npos);
  EXPECT_NE(page.find("Credits"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists("./res/web/../zestbox.png"));
}
