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
  const std::vector<std::string> noDisplay{"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
  const struct {
    std::vector<std::string> environment;
    std::vector<std::string> arguments;
    std::string said;
  } rows[] = {
      {noDisplay, {}, "No display"},
      {noDisplay, {"--windowed"}, "No display"},
      {noDisplay, {"--camera", "test"}, "No display"},
      {noDisplay, {"--demo"}, "No display"},
      {{"SDL_VIDEODRIVER=zestboxnosuchdisplay"}, {}, ComposeErrorMessage(kErrorNoGraphics, ErrorKind::Fatal)},
      {{"SDL_VIDEODRIVER=zestboxnosuchdisplay"}, {"--windowed"}, ComposeErrorMessage(kErrorNoGraphics, ErrorKind::Fatal)},
      {{"SDL_VIDEODRIVER=zestboxnosuchdisplay"}, {"--demo", "--frames", "10"},
       ComposeErrorMessage(kErrorNoGraphics, ErrorKind::Fatal)},
  };
  for (const auto& row : rows) {
    const auto start = std::chrono::steady_clock::now();
    ProgramRun run(row.arguments, row.environment);
    const std::string output = run.ReadAll(20);
    EXPECT_EQ(1, run.Wait()) << row.said << "\n" << output;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << row.said;
    EXPECT_NE(std::string::npos, output.find(row.said)) << output;
  }
  // Drawing offscreen on purpose still works: a screenshot run.
  ProgramRun screenshot({"--windowed", "--camera", "test", "--frames", "3", "--screenshot", "/dev/null"}, noDisplay);
  const std::string output = screenshot.ReadAll(60);
  EXPECT_EQ(0, screenshot.Wait()) << output;
}

}  // namespace
