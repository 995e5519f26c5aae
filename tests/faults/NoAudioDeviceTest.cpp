#include <gtest/gtest.h>

#include <memory>

#include "app/MyD3DApplication.h"
#include "audio/AudioEngine.h"
#include "audio/MusicPlayer.h"
#include "audio/Sound.h"
#include "render/RenderDevice.h"
#include "support/KeyEvent.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/ScopedEnvironment.h"
#include "support/TestClock.h"

// No audio output: the sink the game plays into cannot be made. Everything
// stays silent and nothing fails loudly: the sounds and the music refuse, and
// the whole application plays its title with music for six seconds, then
// the player leaves.
namespace {

class NoAudioDeviceTest : public ManualClockTest {
 protected:
  ScopedEnvironment noSink{"ZESTBOX_AUDIO_SINK", "zestboxnosuchsink"};
};

TEST_F(NoAudioDeviceTest, TheGameRunsSilentAndSaysNothing) {
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

  RecordingDesktop desktop;
  {
    CMyD3DApplication app;
    ASSERT_EQ(S_OK, app.CreateOnDevice(std::make_unique<RecordingDevice>()));
    ASSERT_EQ(S_OK, app.InitGame());
    ASSERT_NE(nullptr, app.CurrentState());
    for (int frame = 0; frame < 350 && !app.IsQuitPosted(); ++frame) {
      if (frame == 150) app.HandleEvent(KeyDown(SDLK_ESCAPE));
      Advance(CMyD3DApplication::kFrameInterval);
      ASSERT_EQ(S_OK, app.FrameStep());
    }
    EXPECT_TRUE(app.IsQuitPosted());
  }
  EXPECT_EQ(nullptr, d3dDevice);
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
