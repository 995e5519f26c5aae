#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/GamePaths.h"

namespace fs = std::filesystem;

namespace {

// A scratch tree: "game" holds res/fonts.conf as a game folder does, "install"
// is an install's data folder, "elsewhere" is any other folder, "home" the
// user's data folder. Removed afterwards.
class GamePathsTest : public ::testing::Test {
protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("zestbox-paths-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    MakeGameFolder(root / "game");
    MakeGameFolder(root / "install");
    fs::create_directories(root / "elsewhere");
    places.workingFolder = (root / "elsewhere").string();
    places.installFolders = {(root / "missing").string(), (root / "install").string()};
    places.userDataFolder = (root / "home/.local/share/zestbox").string();
  }
  void TearDown() override { fs::remove_all(root); }

  static void MakeGameFolder(const fs::path& folder) {
    fs::create_directories(folder / "res");
    std::ofstream(folder / "res/fonts.conf") << "<fontconfig/>\n";
  }
  std::string At(const char* relative) const { return (root / relative).string(); }

  fs::path root;
  GamePlaces places;
};

TEST_F(GamePathsTest, StartedInTheGameFolderKeepsEverythingThere) {
  places.workingFolder = At("game");
  const GamePaths paths = ChooseGamePaths(places);
  EXPECT_EQ(paths.error, "");
  EXPECT_EQ(paths.gameFolder, At("game"));
  EXPECT_EQ(paths.scoresFile, At("game/cam.ini"));
  EXPECT_FALSE(paths.scoresInUserData);
}

TEST_F(GamePathsTest, StartedElsewhereTakesTheFirstInstallWithResourcesAndTheUsersScores) {
  const GamePaths paths = ChooseGamePaths(places);
  EXPECT_EQ(paths.error, "");
  EXPECT_EQ(paths.gameFolder, At("install"));
  EXPECT_EQ(paths.scoresFile, At("home/.local/share/zestbox/cam.ini"));
  EXPECT_TRUE(paths.scoresInUserData);
}

TEST_F(GamePathsTest, AFolderNamedResWithoutTheGamesFilesIsNotTheGame) {
  fs::create_directories(root / "elsewhere/res");
  std::ofstream(root / "elsewhere/res/notes.txt") << "not ours\n";
  EXPECT_FALSE(HoldsGameResources(At("elsewhere")));
  EXPECT_EQ(ChooseGamePaths(places).gameFolder, At("install"));
  // A folder named fonts.conf does not count either.
  fs::create_directories(root / "elsewhere/res/fonts.conf");
  EXPECT_FALSE(HoldsGameResources(At("elsewhere")));
}

TEST_F(GamePathsTest, NoResourcesAnywhereIsRefusedWithWhereItLooked) {
  places.installFolders = {At("missing")};
  const GamePaths paths = ChooseGamePaths(places);
  EXPECT_NE(paths.error.find(At("missing")), std::string::npos) << paths.error;
  EXPECT_NE(paths.error.find("--res"), std::string::npos) << paths.error;
}

TEST_F(GamePathsTest, ResOptionTakesTheGameFolderOrItsResFolderRelativeToTheStart) {
  for (const std::string& option : {std::string("../game"), std::string("../game/res"), std::string("../game/res/"), At("game/res")}) {
    places.resOption = option;
    const GamePaths paths = ChooseGamePaths(places);
    EXPECT_EQ(paths.error, "") << option;
    EXPECT_EQ(paths.gameFolder, At("game")) << option;
    // Only where the resources come from changes: the scores stay the user's.
    EXPECT_EQ(paths.scoresFile, At("home/.local/share/zestbox/cam.ini")) << option;
  }
}

TEST_F(GamePathsTest, ResOptionWithoutResourcesIsRefusedEvenWhenAnInstallWouldDo) {
  for (const char* option : {"../elsewhere", "../nothing", "../install/res/fonts.conf"}) {
    places.resOption = option;
    const GamePaths paths = ChooseGamePaths(places);
    EXPECT_NE(paths.error.find(option), std::string::npos) << paths.error;
    EXPECT_EQ(paths.gameFolder, "") << option;
  }
}

TEST_F(GamePathsTest, ScoresOptionOverridesBothPlacesAndIsTakenFromTheStart) {
  places.scoresOption = "mine.ini";
  GamePaths paths = ChooseGamePaths(places);
  EXPECT_EQ(paths.scoresFile, At("elsewhere/mine.ini"));
  EXPECT_FALSE(paths.scoresInUserData);
  places.workingFolder = At("game");
  places.scoresOption = At("elsewhere/other.ini");
  paths = ChooseGamePaths(places);
  EXPECT_EQ(paths.gameFolder, At("game"));
  EXPECT_EQ(paths.scoresFile, At("elsewhere/other.ini"));
}

TEST_F(GamePathsTest, NoHomeNeedsAScoresFileOnlyWhenStartedElsewhere) {
  places.userDataFolder = "";
  EXPECT_NE(ChooseGamePaths(places).error.find("--scores"), std::string::npos);
  places.scoresOption = "s.ini";
  EXPECT_EQ(ChooseGamePaths(places).error, "");
  places.scoresOption = "";
  places.workingFolder = At("game");
  EXPECT_EQ(ChooseGamePaths(places).error, "");
}

TEST(GamePaths, UserDataFolderFollowsTheBaseDirectoryRules) {
  EXPECT_EQ(UserDataFolder("/data", "/home/ann"), "/data/zestbox");
  EXPECT_EQ(UserDataFolder("/data/", "/home/ann"), "/data/zestbox");
  EXPECT_EQ(UserDataFolder("", "/home/ann"), "/home/ann/.local/share/zestbox");
  EXPECT_EQ(UserDataFolder("relative/data", "/home/ann"), "/home/ann/.local/share/zestbox");
  EXPECT_EQ(UserDataFolder("", ""), "");
  EXPECT_EQ(UserDataFolder("", "not/absolute"), "");
}

TEST(GamePaths, AbsoluteInNormalisesWithoutATrailingSeparator) {
  EXPECT_EQ(AbsoluteIn("/a/b", "c/../d/"), "/a/b/d");
  EXPECT_EQ(AbsoluteIn("/a/b", "/x/./y"), "/x/y");
  EXPECT_EQ(AbsoluteIn("/a/b", "."), "/a/b");
  EXPECT_EQ(AbsoluteIn("/", ".."), "/");
  EXPECT_EQ(AbsoluteIn("/a", ""), "");
}

TEST_F(GamePathsTest, SettlingMakesThePrivateDataFolderAndMovesIntoTheGameFolder) {
  const fs::path before = fs::current_path();
  const GamePaths paths = ChooseGamePaths(places);
  std::string warning;
  EXPECT_EQ(SettleGamePaths(paths, warning), "");
  const fs::path now = fs::current_path();
  fs::current_path(before);
  EXPECT_EQ(warning, "");
  EXPECT_EQ(now, fs::path(At("install")));
  struct stat info {};
  ASSERT_EQ(::stat(At("home/.local/share/zestbox").c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(GamePathsTest, SettlingWarnsWhenTheDataFolderCannotBeMadeAndFailsWhenTheGameFolderIsGone) {
  std::ofstream(root / "home") << "a file where the home folder should be\n";
  GamePaths paths = ChooseGamePaths(places);
  std::string warning;
  const fs::path before = fs::current_path();
  EXPECT_EQ(SettleGamePaths(paths, warning), "");
  fs::current_path(before);
  EXPECT_NE(warning.find(At("home/.local/share/zestbox")), std::string::npos) << warning;

  paths.gameFolder = At("gone");
  EXPECT_NE(SettleGamePaths(paths, warning).find(At("gone")), std::string::npos);
  EXPECT_EQ(fs::current_path(), before);
}

TEST(GamePaths, ThisProcessLooksBesideItsExecutableAndInTheUsersDataFolder) {
  const GamePlaces places = CurrentGamePlaces("r", "s");
  EXPECT_EQ(places.workingFolder, fs::current_path().string());
  EXPECT_EQ(places.resOption, "r");
  EXPECT_EQ(places.scoresOption, "s");
  ASSERT_FALSE(places.installFolders.empty());
  const fs::path exe = fs::read_symlink("/proc/self/exe");
  EXPECT_EQ(places.installFolders[0], (exe.parent_path() / "../share/zestbox").lexically_normal().string());
  EXPECT_NE(places.userDataFolder.find("zestbox"), std::string::npos);
}

}  // namespace
