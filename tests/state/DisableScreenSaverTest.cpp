#include <gtest/gtest.h>

#include "state/DisableScreenSaver.h"
#include "support/RecordingDesktop.h"

namespace {

// Guards one after the other, each with one nested in it: each puts back what
// it found, so the desktop ends as the player had it.
TEST(DisableScreenSaverTest, GuardsLeaveTheDesktopAsFound) {
  for (const bool allowed : {true, false}) {
    SCOPED_TRACE(allowed);
    RecordingDesktop desktop;
    desktop.screenSaverAllowed = allowed;
    for (int guard = 0; guard < 2; ++guard) {
      CDisableScreenSaver outer;
      { CDisableScreenSaver inner; }
      EXPECT_FALSE(desktop.screenSaverAllowed) << "the inner guard puts back what it found: off";
    }
    EXPECT_EQ(desktop.screenSaverAllowed, allowed);
  }
}

}  // namespace
