#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DemoRun.h"

namespace {

constexpr const char* kQuitMakersPage = "file:///zestbox-e2e/quit.html";

// The player chooses "High scores" on the title, leaves the high-score screen
// with "Back", then chooses "Quit": every choice by movement, turning the
// wheels with the arrow first. One run of the program for both checks.
TEST(MenuRunTest, HighScoresVisitedAndLeftThenQuitByMovement) {
  const CDemoRun run({"--demo-plan", "scores,quit", "--homepage", kQuitMakersPage, "--frames", "3000"});
  {
    SCOPED_TRACE("the high-score screen is reached and left for the title by movement");
    EXPECT_EQ((std::vector<std::string>{"title", "high scores", "title"}), run.Screens()) << run.Output();
    EXPECT_EQ(0, run.Number("games"));
  }
  {
    SCOPED_TRACE("quitting by movement opens the maker's page and exits cleanly");
    EXPECT_EQ(0, run.ExitCode()) << run.Output();
    EXPECT_EQ("the game", run.Summary("ended by")) << "not the frame limit";
    EXPECT_EQ(kQuitMakersPage, run.Summary("maker's page"));
    EXPECT_NE(std::string::npos, run.Output().find(std::string("The maker's page: ") + kQuitMakersPage));
  }
}

}  // namespace
