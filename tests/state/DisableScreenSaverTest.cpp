#include <gtest/gtest.h>

#include <memory>

#include "state/DisableScreenSaver.h"
#include "support/RecordingDesktop.h"

namespace {

TEST(DisableScreenSaverTest, NestedGuardsRestoreInOrder) {
  RecordingDesktop desktop;
  {
    CDisableScreenSaver outer;
    EXPECT_FALSE(desktop.screenSaverAllowed);
    {
      CDisableScreenSaver inner;
      EXPECT_FALSE(desktop.screenSaverAllowed);
    }
    EXPECT_FALSE(desktop.screenSaverAllowed) << "the inner guard puts back what it found: off";
  }
  EXPECT_TRUE(desktop.screenSaverAllowed);
  EXPECT_EQ((std::vector<bool>{false, false, false, true}), desktop.screenSaverCalls);
}

TEST(DisableScreenSaverTest, ConsecutiveGuardsLeaveTheDesktopAsFound) {
  RecordingDesktop desktop;
  desktop.screenSaverAllowed = false;  // the user had switched it off already
  auto first = std::make_unique<CDisableScreenSaver>();
  first.reset();
  auto second = std::make_unique<CDisableScreenSaver>();
  second.reset();
  EXPECT_FALSE(desktop.screenSaverAllowed);

  desktop.screenSaverAllowed = true;
  first = std::make_unique<CDisableScreenSaver>();
  first.reset();
  second = std::make_unique<CDisableScreenSaver>();
  EXPECT_FALSE(desktop.screenSaverAllowed);
  second.reset();
  EXPECT_TRUE(desktop.screenSaverAllowed);
}

}  // namespace
