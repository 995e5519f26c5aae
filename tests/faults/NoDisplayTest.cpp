#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/ErrorMessages.h"
#include "support/ProgramRun.h"

// The real program where no display can be had: it says why on standard
// error and ends with a failure code, whatever the options, instead of
// running where nobody can see it.
namespace {

// Started from a text console or over ssh without X forwarding, SDL would
// quietly draw offscreen: the game would run for ever with nothing on screen
// (and the camera dialog wait for a click nobody can give). A display driver
// that cannot start is a fatal error of its own.
TEST(NoDisplayTest, WithoutADisplayTheProgramSaysSoAndEndsAtOnce) {
  const std::vector<std::string> noDisplay{"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"},
      badDriver{"SDL_VIDEODRIVER=zestboxnosuchdisplay"};
  const std::string noGraphics = ComposeErrorMessage(kErrorNoGraphics, ErrorKind::Fatal);
  // Without a display at all, or with a display driver that cannot start.
  const struct { bool driver; std::vector<std::string> arguments; } rows[] = {
      {false, {}}, {false, {"--windowed"}}, {false, {"--camera", "test"}}, {false, {"--demo"}},
      {true, {}},  {true, {"--windowed"}},  {true, {"--demo", "--frames", "10"}}};
  for (const auto& row : rows) {
    const auto start = std::chrono::steady_clock::now();
    ProgramRun run(row.arguments, row.driver ? badDriver : noDisplay);
    const std::string output = run.ReadAll(20);
    EXPECT_EQ(1, run.Wait()) << output;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << output;
    EXPECT_NE(std::string::npos, output.find(row.driver ? noGraphics : "No display")) << output;
  }
  // Drawing offscreen on purpose still works: a screenshot run.
  ProgramRun screenshot({"--windowed", "--camera", "test", "--frames", "3", "--screenshot", "/dev/null"}, noDisplay);
  const std::string output = screenshot.ReadAll(60);
  EXPECT_EQ(0, screenshot.Wait()) << output;
}

}  // namespace
