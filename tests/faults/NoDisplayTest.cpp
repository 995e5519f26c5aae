#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/ErrorMessages.h"

// The real program where no display can be had: it says why on standard
// error and ends with a failure code, whatever the options, instead of
// running where nobody can see it.
namespace {

struct Outcome {
  int exitCode = -1;
  std::string errors;
  double seconds = 0;
};

// `environment` is put before the program on a shell command line.
Outcome RunProgram(const std::string& environment, const std::string& arguments) {
  const std::string command =
      environment + " timeout 20 " ZESTBOX_PROGRAM " " + arguments + " 2>&1 >/dev/null";
  Outcome outcome;
  const auto start = std::chrono::steady_clock::now();
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  char buffer[512];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) outcome.errors.append(buffer, got);
  const int status = pclose(pipe);
  outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(NoDisplayTest, TheProgramExplainsAndFails) {
  const std::string message = ComposeErrorMessage(kErrorNoGraphics, ErrorKind::Fatal);
  for (const char* arguments : {"", "--windowed", "--demo --frames 10"}) {
    const Outcome outcome = RunProgram("SDL_VIDEODRIVER=zestboxnosuchdisplay", arguments);
    EXPECT_NE(0, outcome.exitCode) << arguments;
    EXPECT_NE(124, outcome.exitCode) << "hung: " << arguments;
    EXPECT_NE(std::string::npos, outcome.errors.find(message)) << arguments << "\n" << outcome.errors;
  }
}

// Started from a text console or over ssh without X forwarding, SDL would
// quietly draw offscreen: the game would run for ever with nothing on screen
// (and the camera dialog wait for a click nobody can give).
TEST(NoDisplayTest, WithoutADisplayTheProgramSaysSoAndEndsAtOnce) {
  const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER";
  for (const char* arguments : {"", "--windowed", "--camera test", "--demo"}) {
    const Outcome outcome = RunProgram(noDisplay, arguments);
    EXPECT_EQ(1, outcome.exitCode) << arguments << "\n" << outcome.errors;
    EXPECT_LT(outcome.seconds, 1.0) << arguments;
    EXPECT_NE(std::string::npos, outcome.errors.find("No display")) << arguments << "\n" << outcome.errors;
  }
  // Drawing offscreen on purpose still works: a screenshot run.
  const Outcome screenshot = RunProgram(noDisplay, "--windowed --camera test --frames 3 --screenshot /dev/null");
  EXPECT_EQ(0, screenshot.exitCode) << screenshot.errors;
}

}  // namespace
