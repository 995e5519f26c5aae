#include <gtest/gtest.h>

#include <cstdlib>

// Every test program starts here, so that it runs headless however it is
// started (ctest, by hand, under a debugger): SDL draws offscreen, sounds go
// to a fake sink that keeps real time, and resources can be found from the
// source tree. Values already set in the environment win, except the locale.
int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("ZESTBOX_AUDIO_SINK", "fakesink sync=true", 0);
  setenv("ZESTBOX_SOURCE_DIR", ZESTBOX_SOURCE_DIR, 0);
  // Texts are compared as the game writes them, whatever language the
  // machine speaks; the tests of the player's language set their own.
  setenv("LC_ALL", "C", 1);
  unsetenv("LANGUAGE");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
