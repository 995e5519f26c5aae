#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "LiveMessages.h"
#include "SinkWatch.h"
#include "TestMedia.h"
#include "audio/AudioEngine.h"
#include "audio/MusicPlayer.h"
#include "audio/Sound.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Polls IsPlaying as the game does; false if it still plays after `timeout`.
bool WaitUntilSilent(const CSound& sound, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (sound.IsPlaying() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
  return !sound.IsPlaying();
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(engine.Initialize(), S_OK);
    ASSERT_EQ(engine.SetSearchDirectory(media.Directory().c_str()), S_OK);
    media.MakeWav("long.wav", 2000);
    media.MakeWav("short.wav", 200);
  }
  // A sound bound to `onEngine` with `file` loaded.
  std::unique_ptr<CSound> Loaded(const char* file, CAudioEngine& onEngine) {
    auto sound = std::make_unique<CSound>();
    sound->SetAudioEngine(&onEngine);
    EXPECT_TRUE(sound->Load(file)) << file;
    return sound;
  }

  SinkWatch watch;  // first, so that every sink below signals its buffers
  TestMedia media;
  CAudioEngine engine;
};

}  // namespace

TEST(Sound, EveryCallFailsUntilBoundInitialisedAndLoaded) {
  UseTestAudioSink();
  TestMedia media;
  const std::string file = media.MakeWav("crunch.wav", 100);
  CSound sound;
  CAudioEngine engine;
  for (int step = 0; step < 3; ++step) {  // unbound, bound to an engine not initialised, not loaded
    if (step == 1) sound.SetAudioEngine(&engine);
    if (step == 2) {
      ASSERT_EQ(engine.Initialize(), S_OK);
    }
    EXPECT_FALSE(sound.Load(step < 2 ? file.c_str() : nullptr)) << step;
    EXPECT_FALSE(sound.Play(0) || sound.Stop() || sound.IsPlaying()) << step;
  }
  EXPECT_EQ(engine.SetSearchDirectory(nullptr), E_INVALIDARG);
  EXPECT_EQ(CAudioEngine().SetSearchDirectory(media.Directory().c_str()), E_UNEXPECTED);
  EXPECT_TRUE(sound.Load(file.c_str()));
  EXPECT_FALSE(sound.IsPlaying());
  EXPECT_TRUE(sound.Stop());
  EXPECT_TRUE(sound.Play(0));
}

TEST_F(SoundTest, BadOrMissingFilesFailAndKeepTheSoundLoadedBefore) {
  media.MakeFile("broken.wav", std::string("RIFF\x10\0\0\0WAVEfmt ", 16));
  media.MakeFile("empty.wav", "");
  media.MakeTruncated("header.wav", media.PathOf("short.wav"), 30);
  auto sound = Loaded("short.wav", engine);  // found in the search directory
  for (const std::string& bad : {std::string("nothing.wav"), std::string("broken.wav"), std::string("empty.wav"),
                                 std::string("header.wav"), media.Directory()}) {
    EXPECT_FALSE(sound->Load(bad.c_str())) << bad;
  }
  EXPECT_TRUE(sound->Play(0));
  EXPECT_TRUE(watch.WaitForStarts(1, 1s));
}

TEST_F(SoundTest, PlaysOnceOrRepeatsAndStopsAtOnce) {
  auto sound = Loaded("short.wav", engine);
  const struct {
    int repeats;
    std::chrono::milliseconds atLeast;
    int starts;
  } rows[] = {{0, 180ms, 1}, {2, 550ms, 4}};
  for (const auto& row : rows) {
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(sound->Play(row.repeats));
    EXPECT_TRUE(sound->IsPlaying());
    EXPECT_TRUE(WaitUntilSilent(*sound, 3s));
    EXPECT_GE(Clock::now() - start, row.atLeast);
    EXPECT_EQ(watch.Starts(), row.starts);
  }
  ASSERT_TRUE(sound->Play(-1));
  EXPECT_TRUE(watch.WaitForStarts(8, 3s));
  EXPECT_TRUE(sound->IsPlaying());
  EXPECT_TRUE(sound->Stop());
  EXPECT_FALSE(sound->IsPlaying());
  std::this_thread::sleep_for(100ms);
  const int buffers = watch.Buffers();
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(watch.Buffers(), buffers);
}

// Loading the same file again, mid-play or after the end, stops it and
// rewinds its pipeline; only another file needs a pipeline of its own.
TEST_F(SoundTest, LoadingTheSameFileAgainRewindsItsPipeline) {
  auto sound = Loaded("long.wav", engine);
  ASSERT_TRUE(sound->Play(0));
  ASSERT_TRUE(watch.WaitForStarts(1, 1s));
  std::this_thread::sleep_for(300ms);
  ASSERT_TRUE(sound->Load("long.wav"));
  EXPECT_FALSE(sound->IsPlaying());
  ASSERT_TRUE(sound->Play(0));
  EXPECT_TRUE(watch.WaitForStarts(2, 1s));
  EXPECT_EQ(watch.Now().sinks, 1);

  ASSERT_TRUE(sound->Load("short.wav"));
  ASSERT_TRUE(sound->Play(0));
  ASSERT_TRUE(WaitUntilSilent(*sound, 2s));
  ASSERT_TRUE(sound->Load("short.wav"));
  ASSERT_TRUE(sound->Play(0));
  EXPECT_TRUE(watch.WaitForStarts(4, 1s));
  EXPECT_EQ(watch.Now().sinks, 2);
}

// Every bus message must be released, and a sound played again must be heard
// again: a few hundred messages go by here, a game posts thousands an hour.
TEST_F(SoundTest, PipelinesLeaveNoMessageBehind) {
  const long before = LiveMessages();
  {
    auto sound = Loaded("short.wav", engine);
    for (int play = 0; play < 3; ++play) {
      ASSERT_TRUE(sound->Play(1));
      ASSERT_TRUE(WaitUntilSilent(*sound, 2s));
    }
    CMusicPlayer music;
    ASSERT_EQ(music.Open(media.PathOf("short.wav")), S_OK);
    ASSERT_EQ(music.Play(), S_OK);
    std::this_thread::sleep_for(300ms);
    music.HandleEvents();
  }
  EXPECT_LE(LiveMessages(), before);
}

TEST_F(SoundTest, PlayingASoundStopsTheOnePlayedBeforeAndASoundOutlivingItsEngineFallsSilent) {
  auto ownEngine = std::make_unique<CAudioEngine>();
  ASSERT_EQ(ownEngine->Initialize(), S_OK);
  auto first = Loaded(media.PathOf("long.wav").c_str(), *ownEngine);
  auto second = Loaded(media.PathOf("short.wav").c_str(), *ownEngine);
  ASSERT_TRUE(first->Play(0));
  ASSERT_TRUE(second->Play(0));
  EXPECT_FALSE(first->IsPlaying());
  EXPECT_TRUE(second->IsPlaying());
  ownEngine.reset();
  EXPECT_FALSE(second->IsPlaying());
  EXPECT_FALSE(second->Play(0));
  EXPECT_FALSE(second->Load(media.PathOf("long.wav").c_str()));
}
