#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "SinkWatch.h"
#include "TestMedia.h"
#include "audio/MusicNotice.h"
#include "audio/MusicPlayer.h"

// Every player waits a second when it is destroyed, so each test uses one.

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

long MillisecondsSince(Clock::time_point start) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Waits for the next music notice; returns its parameter, or -1 after `timeout`.
intptr_t WaitForNotice(std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  SDL_Event event;
  while (Clock::now() < deadline) {
    if (SDL_WaitEventTimeout(&event, 20) == 1 && event.type == MusicNoticeEventType()) {
      return reinterpret_cast<intptr_t>(event.user.data1);
    }
  }
  return -1;
}

// A small valid PNG: a real file with a stream in it, but no sound.
std::string PictureBytes() {
  static const unsigned char png[] = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
      0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4,
      0x89, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0,
      0x1F, 0x00, 0x05, 0x00, 0x01, 0xFF, 0x89, 0x99, 0x3D, 0x1D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45,
      0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  return std::string(reinterpret_cast<const char*>(png), sizeof png);
}

}  // namespace

TEST(MusicPlayer, WithoutAPipelineEveryCallFailsAtOnceAndTheReleaseWaitsASecond) {
  auto player = std::make_unique<CMusicPlayer>();
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(player->Stop(), E_FAIL);
  EXPECT_LT(MillisecondsSince(start), 50);
  EXPECT_EQ(player->Play(), E_FAIL);
  EXPECT_EQ(player->Pause(), E_FAIL);
  EXPECT_EQ(player->Rewind(), E_FAIL);
  EXPECT_EQ(player->SetVolume(50.0f), E_FAIL);
  EXPECT_EQ(player->GetVolume(), 0.0f);
  player->HandleEvents();
  std::string name = "stale";
  EXPECT_EQ(player->GetFileName(name), S_OK);
  EXPECT_EQ(name, "");

  const Clock::time_point released = Clock::now();
  player.reset();
  EXPECT_GE(MillisecondsSince(released), static_cast<long>(CMusicPlayer::kReleaseWaitMs));
}

TEST(MusicPlayer, VolumeIsClampedAndReadBackInPercent) {
  UseTestAudioSink();
  TestMedia media;
  CMusicPlayer player;
  ASSERT_EQ(player.Open(media.MakeWav("tone.wav", 200)), S_OK);
  EXPECT_FLOAT_EQ(player.GetVolume(), 100.0f);
  EXPECT_EQ(player.SetVolume(150.0f), S_OK);
  EXPECT_FLOAT_EQ(player.GetVolume(), 100.0f);
  player.SetVolume(-5.0f);
  EXPECT_FLOAT_EQ(player.GetVolume(), 0.0f);
  player.SetVolume(90.0f);
  EXPECT_FLOAT_EQ(player.GetVolume(), 90.0f);
  player.SetVolume(50.5f);
  EXPECT_FLOAT_EQ(player.GetVolume(), 50.5f);
  player.SetVolume(99.995f);  // -0.5 hundredths truncate to 0
  EXPECT_FLOAT_EQ(player.GetVolume(), 100.0f);
  std::string name;
  player.GetFileName(name);
  EXPECT_EQ(name, media.PathOf("tone.wav"));
}

TEST(MusicPlayer, PauseHoldsAndStopStartsOverFromTheBeginning) {
  SinkWatch watch;
  TestMedia media;
  CMusicPlayer player;
  ASSERT_EQ(player.Open(media.MakeWav("long.wav", 3000)), S_OK);
  ASSERT_EQ(player.Play(), S_OK);
  ASSERT_TRUE(watch.WaitForStarts(1, 2s));
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(player.Pause(), S_OK);
  std::this_thread::sleep_for(100ms);
  const int heldAt = watch.Buffers();
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(watch.Buffers(), heldAt);

  const Clock::time_point stopping = Clock::now();
  EXPECT_EQ(player.Stop(), S_OK);
  EXPECT_LT(MillisecondsSince(stopping), 500);
  EXPECT_EQ(player.Rewind(), S_OK);
  EXPECT_EQ(player.Play(), S_OK);
  EXPECT_TRUE(watch.WaitForStarts(2, 2s));
  EXPECT_EQ(player.Rewind(), S_OK);
  EXPECT_TRUE(watch.WaitForStarts(3, 2s));

  // Each new game opens its music again, stopped or playing: it starts over.
  EXPECT_EQ(player.Stop(), S_OK);
  ASSERT_EQ(player.Open(media.PathOf("long.wav")), S_OK);
  EXPECT_EQ(player.Play(), S_OK);
  EXPECT_TRUE(watch.WaitForStarts(4, 2s));
  std::this_thread::sleep_for(200ms);
  ASSERT_EQ(player.Open(media.PathOf("long.wav")), S_OK);
  EXPECT_EQ(player.Play(), S_OK);
  EXPECT_TRUE(watch.WaitForStarts(5, 2s));
}

TEST(MusicPlayer, TheNoticeRestartsLoopingMusicAndLeavesOtherMusicStopped) {
  ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
  SinkWatch watch;
  TestMedia media;
  {
    CMusicPlayer player;
    ASSERT_EQ(player.Open(media.MakeMp3("short.mp3", 400)), S_OK);
    player.SetLoop(true);
    player.SetNotifyWindow(MusicNoticeEventType(), 42);
    ASSERT_EQ(player.Play(), S_OK);

    EXPECT_EQ(WaitForNotice(3s), 42);
    EXPECT_EQ(watch.Starts(), 1);  // nothing restarts before the main loop answers
    player.HandleEvents();
    EXPECT_TRUE(watch.WaitForStarts(2, 2s));

    EXPECT_EQ(WaitForNotice(3s), 42);
    player.SetLoop(false);
    player.HandleEvents();
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(watch.Starts(), 2);
    const int buffers = watch.Buffers();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(watch.Buffers(), buffers);

    // Notices off: the end of the music posts nothing.
    player.SetNotifyWindow(0, 0);
    player.SetLoop(true);
    player.Rewind();
    player.Play();
    EXPECT_TRUE(watch.WaitForStarts(3, 2s));
    EXPECT_EQ(WaitForNotice(800ms), -1);
  }
  SDL_Quit();
}

TEST(MusicPlayer, BadFilesFailQuicklyAndStaySilent) {
  SinkWatch watch;
  TestMedia media;
  const std::string wav = media.MakeWav("good.wav", 400);
  const std::string mp3 = media.MakeMp3("good.mp3", 1500);
  const std::string bad[] = {
      media.PathOf("missing.mp3"),
      media.MakeFile("empty.mp3", ""),
      media.MakeTruncated("header.wav", wav, 30),
      media.MakeTruncated("head.mp3", mp3, 60),
      media.MakeFile("text.mp3", "This is not music at all.\n"),
      media.MakeFile("noise.wav", std::string(4096, '\x5a')),
      media.MakeFile("picture.mp3", PictureBytes()),
  };
  CMusicPlayer player;
  for (const std::string& file : bad) {
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(Failed(player.Open(file))) << file;
    EXPECT_LT(MillisecondsSince(start), 3000) << file;
    EXPECT_EQ(player.Play(), E_FAIL) << file;
  }
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(watch.Buffers(), 0);

  // A file cut in the middle plays what there is; the same player still works.
  ASSERT_EQ(player.Open(media.MakeTruncated("half.mp3", mp3, 12000)), S_OK);
  EXPECT_EQ(player.Play(), S_OK);
  EXPECT_TRUE(watch.WaitForStarts(1, 2s));
  EXPECT_EQ(player.Stop(), S_OK);

  // After Close a new Open builds a new pipeline.
  player.Close();
  EXPECT_EQ(player.Play(), E_FAIL);
  ASSERT_EQ(player.Open(mp3), S_OK);
  EXPECT_EQ(player.Play(), S_OK);
  EXPECT_TRUE(watch.WaitForStarts(2, 2s));
}

TEST(MusicPlayer, TheGamesMusicOpensAndPlays) {
  const char* files[] = {"./res/nienawisc2_loop.mp3", "./res/yazda.mp3"};
  for (const char* file : files) {
    if (FILE* probe = std::fopen(file, "rb")) {
      std::fclose(probe);
    } else {
      GTEST_SKIP() << file << " is not there yet";
    }
  }
  SinkWatch watch;
  CMusicPlayer player;
  int starts = 0;
  for (const char* file : files) {
    ASSERT_EQ(player.Open(file), S_OK) << file;
    player.SetVolume(90.0f);
    EXPECT_EQ(player.Play(), S_OK);
    EXPECT_TRUE(watch.WaitForStarts(++starts, 3s)) << file;
    EXPECT_EQ(player.Rewind(), S_OK);
    EXPECT_TRUE(watch.WaitForStarts(++starts, 3s)) << file;
  }
}
