#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/CommandLine.h"
#include "app/GameFolders.h"
#include "scores/Hiscores.h"

namespace fs = std::filesystem;

namespace {

// Starts "the game" from a scratch folder with --res naming the test run's
// res/ and a private XDG_DATA_HOME; puts the working directory, the
// environment and the scores file back afterwards.
class GameFoldersTest : public ::testing::Test {
protected:
  void SetUp() override {
    runFolder = fs::current_path();
    scratch = fs::temp_directory_path() / ("zestbox-folders-" + std::to_string(getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch / "start");
    const char* data = std::getenv("XDG_DATA_HOME");
    oldData = data ? data : "";
    hadData = data != nullptr;
    setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
    oldScores = Hiscores::GetFileName();
    fs::current_path(scratch / "start");
  }
  void TearDown() override {
    fs::current_path(runFolder);
    if (hadData)
      setenv("XDG_DATA_HOME", oldData.c_str(), 1);
    else
      unsetenv("XDG_DATA_HOME");
    Hiscores::SetFileName(oldScores);
    fs::remove_all(scratch);
  }

  fs::path runFolder, scratch;
  std::string oldData, oldScores;
  bool hadData = false;
};

TEST_F(GameFoldersTest, MovesIntoTheGameFolderWithThePlayersPathsStillPointingWhereTheyWereMeant) {
  const char* argv[] = {"zestbox", "--res", "", "--screenshot", "shot.png", "--camera", "file:clips/a.mkv",
                        "--demo-out", "out"};
  const std::string res = (runFolder / "res").string();
  argv[2] = res.c_str();
  CommandLine options = ParseCommandLine(9, argv);
  ASSERT_EQ(options.error, "");
  ASSERT_TRUE(SettleGameFolders(options));
  EXPECT_EQ(fs::current_path(), runFolder);
  EXPECT_EQ(options.screenshotFile, (scratch / "start/shot.png").string());
  EXPECT_EQ(options.camera, "file:" + (scratch / "start/clips/a.mkv").string());
  EXPECT_EQ(options.demoOut, (scratch / "start/out").string());
  EXPECT_EQ(Hiscores::GetFileName(), (scratch / "data/zestbox/cam.ini").string());
  EXPECT_TRUE(fs::is_directory(scratch / "data/zestbox"));
}

TEST_F(GameFoldersTest, ScoresOptionIsTakenFromTheStartAndABadResStopsTheStart) {
  const std::string res = (runFolder / "res").string();
  const char* argv[] = {"zestbox", "--res", res.c_str(), "--scores", "my.ini"};
  CommandLine options = ParseCommandLine(5, argv);
  ASSERT_TRUE(SettleGameFolders(options));
  EXPECT_EQ(Hiscores::GetFileName(), (scratch / "start/my.ini").string());
  EXPECT_FALSE(fs::exists(scratch / "data"));

  fs::current_path(scratch / "start");
  const char* bad[] = {"zestbox", "--res", "nowhere"};
  options = ParseCommandLine(3, bad);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SettleGameFolders(options));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("\"nowhere\""), std::string::npos);
  EXPECT_EQ(fs::current_path(), scratch / "start");
}

}  // namespace
