#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DemoRun.h"
#include "scores/HiScoreEntry.h"
#include "scores/Hiscores.h"

namespace {

constexpr const char* kMakersPage = "file:///zestbox-e2e/maker.html";

// One whole game played by movement: the player catches every egg of the
// first level, then, tired, misses every egg from the second level on until
// no tries are left; the score enters the table and the player types a name.
// One run of the program (it takes a while) for all the checks.
TEST(GameRunTest, AWholeGameFromTheTitleToTheNameInTheTableAndTheEnd) {
  const CDemoRun run({"--demo-plan", "game,misses=0,tired=2,name=e2e,again=no", "--homepage", kMakersPage,
                      "--frames", "4000"});
  {
    SCOPED_TRACE("the title leads through the introduction to the game by movement alone");
    const std::vector<std::string> screens = run.Screens();
    ASSERT_GE(screens.size(), 3u) << run.Output();
    EXPECT_EQ((std::vector<std::string>{"title", "intro", "game"}),
              std::vector<std::string>(screens.begin(), screens.begin() + 3));
    EXPECT_EQ(1, run.Number("games"));
  }
  {
    SCOPED_TRACE("catching every egg of the first level reaches the second");
    EXPECT_GE(run.Number("best level"), 2) << run.Output();
    // The first level's quota is eight eggs of ten points each.
    EXPECT_GE(run.Number("eggs caught"), 8);
    EXPECT_GE(run.Number("score"), 80);
    EXPECT_EQ(0, run.Number("score") % 10);
  }
  {
    SCOPED_TRACE("with no tries left the score enters the table under the typed name");
    EXPECT_EQ("0", run.Summary("tries"));
    EXPECT_GE(run.Number("eggs dropped"), 6);
    EXPECT_EQ("e2e", run.Summary("name typed"));
    const std::vector<HiScoreEntry> table = Hiscores(run.File("cam.ini")).GetTable(0);
    ASSERT_FALSE(table.empty());
    EXPECT_EQ("e2e", table[0].name) << "the best score of a fresh table";
    EXPECT_EQ(run.Number("score"), table[0].score);
    bool entryShown = false;
    for (const auto& file : std::filesystem::directory_iterator(run.File("out"))) {
      entryShown = entryShown || file.path().filename().string().find("name-entry") != std::string::npos;
    }
    EXPECT_TRUE(entryShown) << "a screenshot of the name entry";
  }
  {
    SCOPED_TRACE("the end of the game opens the maker's page and ends the program cleanly");
    EXPECT_EQ(0, run.ExitCode()) << run.Output();
    EXPECT_EQ("the game", run.Summary("ended by"));
    EXPECT_EQ(kMakersPage, run.Summary("maker's page"));
  }
}

}  // namespace
