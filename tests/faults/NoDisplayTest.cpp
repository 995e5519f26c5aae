#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "app/ErrorMessages.h"

// The real program on a display that cannot be opened: it says why on
// standard error and ends with a failure code, whatever the options.
namespace {

struct Outcome {
  int exitCode = -1;
  std::string errors;
};

Outcome RunProgram(const std::string& arguments) {
  const std::string command = "SDL_VIDEODRIVER=zestboxnosuchdisplay timeout 60 " ZESTBOX_PROGRAM " " + arguments +
                              " 2>&1 >/dev/null";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return outcome;
  char buffer[512];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) outcome.errors.append(buffer, got);
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(NoDisplayTest, TheProgramExplainsAndFails) {
  const std::string message = ComposeErrorMessage(kErrorNoGraphics, ErrorKind::Fatal);
  for (const char* arguments : {"", "--windowed", "--demo --frames 10"}) {
    const Outcome outcome = RunProgram(arguments);
    EXPECT_NE(0, outcome.exitCode) << arguments;
    EXPECT_NE(124, outcome.exitCode) << "hung: " << arguments;
    EXPECT_NE(std::string::npos, outcome.errors.find(message)) << arguments << "\n" << outcome.errors;
  }
}

}  // namespace
