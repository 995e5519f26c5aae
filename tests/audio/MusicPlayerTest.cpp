#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "SinkWatch.h"
#include "TestMedia.h"
#include "audio/MusicNotice.h"
#include "audio/MusicPlayer.h"
#include "support/TestPictures.h"

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

TEST(MusicPlayer, PauseHoldsAndStopStartsOverFromTheBeginning) {
  SinkWatch watch;
  TestMedia media;
  CMusicPlayer player;
  ASSERT_EQ(player.Open(media.MakeWav("long.wav", 3000)), S_OK);
  // The volume goes through the player's scale and reads back as set.
  EXPECT_FLOAT_EQ(player.GetVolume(), 100.0f);
  EXPECT_EQ(player.SetVolume(90.0f), S_OK);
  EXPECT_FLOAT_EQ(player.GetVolume(), 90.0f);
  std::string name;
  EXPECT_EQ(player.GetFileName(name), S_OK);
  EXPECT_EQ(name, media.PathOf("long.wav"));
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
      media.PathOf("picture.mp3"),
  };
  // A real file with a stream in it, but no sound.
  ASSERT_TRUE(testpictures::WriteBmp24(bad[6], 2, 2, testpictures::Solid(2, 2, 0xFF336699)));
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
