#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "base/GamePaths.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// A scratch tree: "game" and "install" hold res/fonts.conf as a game folder
// does; "elsewhere" holds a res/ folder that is not the game's (its fonts.conf
// is a folder); "home" is the user's data folder, made only by settling.
class GamePathsTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* game : {"game", "install"}) {
      fs::create_directories(At(game) + "/res");
      WriteFile(At(game) + "/res/fonts.conf", "<fontconfig/>\n");
    }
    fs::create_directories(At("elsewhere/res/fonts.conf"));
    places.workingFolder = At("elsewhere"), places.userDataFolder = At("home/zestbox");
    places.installFolders = {At("missing"), At("install")};
  }
  std::string At(const std::string& relative) const { return relative.empty() ? "" : root.File(relative); }

  TempFolder root;
  GamePlaces places;
};

TEST_F(GamePathsTest, ChoosesWhereTheResourcesAndTheScoresAre) {
  const struct {
    const char *working, *res, *scores, *gameFolder, *scoresFile;
    bool install, home, inUserData;
    std::vector<std::string> errorHas;
  } rows[] = {
      {"game", "", "", "game", "game/cam.ini", true, true, false, {}},
      {"elsewhere", "", "", "install", "home/zestbox/cam.ini", true, true, true, {}},
      {"elsewhere", "", "", "", "", false, true, false, {"missing", "--res"}},
      {"elsewhere", "../game", "", "game", "home/zestbox/cam.ini", true, true, true, {}},
      {"elsewhere", "../game/res/", "", "game", "home/zestbox/cam.ini", false, true, true, {}},
      {"elsewhere", "../elsewhere", "", "", "", true, true, false, {"../elsewhere"}},
      {"elsewhere", "", "mine.ini", "install", "elsewhere/mine.ini", true, true, false, {}},
      {"game", "", "../elsewhere/other.ini", "game", "elsewhere/other.ini", true, true, false, {}},
      {"elsewhere", "", "", "", "", true, false, false, {"--scores"}},
      {"elsewhere", "", "s.ini", "install", "elsewhere/s.ini", true, false, false, {}},
      {"game", "", "", "game", "game/cam.ini", true, false, false, {}}};
  for (const auto& row : rows) {
    GamePlaces given = places;
    given.workingFolder = At(row.working), given.resOption = row.res, given.scoresOption = row.scores;
    if (!row.install) given.installFolders = {At("missing")};
    if (!row.home) given.userDataFolder = "";
    const GamePaths paths = ChooseGamePaths(given);
    const std::string where = std::string(row.working) + " --res '" + row.res + "' --scores '" + row.scores + "'";
    for (const std::string& part : row.errorHas) EXPECT_NE(paths.error.find(part), std::string::npos) << where << ": " << paths.error;
    if (!row.errorHas.empty()) continue;
    EXPECT_EQ(std::tie(paths.error, paths.gameFolder, paths.scoresFile, paths.scoresInUserData),
              std::make_tuple(std::string(), At(row.gameFolder), At(row.scoresFile), row.inUserData)) << where;
  }
}

TEST(GamePaths, UserDataFolderAndAbsolutePathsFollowTheRules) {
  const char* const rows[][3] = {
      {"/data", "/home/ann", "/data/zestbox"}, {"/data/", "/home/ann", "/data/zestbox"}, {"", "", ""}, {"", "not/absolute", ""},
      {"", "/home/ann", "/home/ann/.local/share/zestbox"}, {"relative/data", "/home/ann", "/home/ann/.local/share/zestbox"}};
  for (const auto& row : rows) EXPECT_EQ(UserDataFolder(row[0], row[1]), row[2]) << row[0] << " " << row[1];
  const char* const absolute[][3] = {{"/a/b", "c/../d/", "/a/b/d"}, {"/a/b", "/x/./y", "/x/y"}, {"/a/b", ".", "/a/b"}, {"/", "..", "/"}, {"/a", "", ""}};
  for (const auto& row : absolute) EXPECT_EQ(AbsoluteIn(row[0], row[1]), row[2]) << row[0] << " " << row[1];
}

TEST_F(GamePathsTest, SettlingMakesAPrivateDataFolderOrWarnsAndMovesIntoTheGameFolder) {
  const fs::path before = fs::current_path();
  GamePaths paths = ChooseGamePaths(places);
  std::string warning;
  EXPECT_EQ(SettleGamePaths(paths, warning) + warning, "");
  EXPECT_EQ(fs::current_path(), fs::path(At("install")));
  fs::current_path(before);
  EXPECT_EQ(fs::status(At("home/zestbox")).permissions(), fs::perms::owner_all);

  paths.scoresFile = At("blocked/zestbox/cam.ini");
  WriteFile(At("blocked"), "a file where the home folder should be\n");
  EXPECT_EQ(SettleGamePaths(paths, warning), "");
  fs::current_path(before);
  EXPECT_NE(warning.find(At("blocked/zestbox")), std::string::npos) << warning;

  paths.gameFolder = At("gone");
  EXPECT_NE(SettleGamePaths(paths, warning).find(At("gone")), std::string::npos);
  EXPECT_EQ(fs::current_path(), before);
}

}  // namespace
