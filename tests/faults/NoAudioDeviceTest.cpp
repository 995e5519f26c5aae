#include <SDL_events.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/MyD3DApplication.h"
#include "audio/AudioEngine.h"
#include "audio/MusicPlayer.h"
#include "audio/Sound.h"
#include "render/RenderDevice.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

// No audio output: the sink the game plays into cannot be made. Everything
// stays silent and nothing fails loudly.
namespace {

class NoAudioDeviceTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    const char* sink = std::getenv("ZESTBOX_AUDIO_SINK");
    previousSink = sink != nullptr ? sink : "";
    setenv("ZESTBOX_AUDIO_SINK", "zestboxnosuchsink", 1);
  }
  void TearDown() override {
    setenv("ZESTBOX_AUDIO_SINK", previousSink.c_str(), 1);
    ManualClockTest::TearDown();
  }
  std::string previousSink;
};

TEST_F(NoAudioDeviceTest, SoundsAndMusicFailQuietly) {
  CAudioEngine engine;
  EXPECT_TRUE(Failed(engine.Initialize()));
  CSound sound;
  sound.SetAudioEngine(&engine);
  EXPECT_FALSE(sound.Load("res/sounds/crump2.wav"));
  EXPECT_FALSE(sound.Play(0));
  EXPECT_FALSE(sound.IsPlaying());

  CMusicPlayer music;
  EXPECT_TRUE(Failed(music.Open("res/yazda.mp3")));
  EXPECT_TRUE(Failed(music.Play()));
  music.HandleEvents();
}

// The whole application: its title screen with music for six seconds, then
// the player leaves.
TEST_F(NoAudioDeviceTest, TheGameRunsSilentAndSaysNothing) {
  RecordingDesktop desktop;
  {
    CMyD3DApplication app;
    ASSERT_EQ(S_OK, app.CreateOnDevice(std::make_unique<RecordingDevice>()));
    ASSERT_EQ(S_OK, app.InitGame());
    ASSERT_NE(nullptr, app.CurrentState());
    for (int frame = 0; frame < 150; ++frame) {
      Advance(CMyD3DApplication::kFrameInterval);
      ASSERT_EQ(S_OK, app.FrameStep());
    }
    SDL_Event escape = {};
    escape.type = SDL_KEYDOWN;
    escape.key.keysym.sym = SDLK_ESCAPE;
    app.HandleEvent(escape);
    for (int frame = 0; frame < 200 && !app.IsQuitPosted(); ++frame) {
      Advance(CMyD3DApplication::kFrameInterval);
      ASSERT_EQ(S_OK, app.FrameStep());
    }
    EXPECT_TRUE(app.IsQuitPosted());
  }
  EXPECT_EQ(nullptr, d3dDevice);
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
