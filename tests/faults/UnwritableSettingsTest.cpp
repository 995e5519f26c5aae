#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "StatePlay.h"
#include "app/StateFactory.h"
#include "render/RenderDevice.h"
#include "render/Texture.h"
#include "scores/Hiscores.h"
#include "support/TempFolder.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"

// cam.ini that cannot be written: the game plays on and says nothing.
namespace {

constexpr int32_t kQualifyingScore = 5000;

// An egg game to its end, a high score entered from the title screen and the
// high-score screen, all with the settings file at `path`.
void PlayWith(const std::string& path) {
  InstallManualClock(100000);
  RecordingDevice device;
  RenderDevice* const previousDevice = d3dDevice;
  d3dDevice = &device;
  {
    RecordingDesktop desktop;
    Hiscores::SetFileName(path);

    std::unique_ptr<CGameLoop> game = CreateGameState(StateRequest{StateKind::EggGame});
    game->Start();
    EXPECT_TRUE(StatePlay::EggGameToItsEnd(*game, 20000, 1));
    game.reset();

    std::unique_ptr<CGameLoop> title = CreateGameState(StateRequest{StateKind::Title});
    title->Start();
    title->ShowHiscoreEntry("Nestfall", kQualifyingScore, 0);
    StatePlay::Passes(*title, 50);
    title->OnKey(13);
    EXPECT_TRUE(StatePlay::PlayAndLeave(*title, 50, 200));
    title.reset();

    std::unique_ptr<CGameLoop> table = CreateGameState(StateRequest{StateKind::Hiscores});
    table->Start();
    EXPECT_TRUE(StatePlay::PlayAndLeave(*table, 50, 200));
    table.reset();

    EXPECT_TRUE(desktop.messages.empty()) << desktop.messages.front().text;
    Hiscores::SetFileName("cam.ini");
  }
  CTexture::ReleaseAll();
  d3dDevice = previousDevice;
  RemoveManualClock();
}

TEST(UnwritableSettingsTest, AMissingFolderIsNeitherCreatedNorComplainedAbout) {
  TempFolder folder;
  const std::string ini = folder.File("gone/cam.ini");
  PlayWith(ini);
  EXPECT_FALSE(std::filesystem::exists(folder.File("gone")));
}

TEST(UnwritableSettingsTest, AFolderInTheFilesPlaceStaysAsItIs) {
  TempFolder folder;
  const std::string ini = folder.File("cam.ini");
  std::filesystem::create_directory(ini);
  PlayWith(ini);
  EXPECT_TRUE(std::filesystem::is_directory(ini));
  EXPECT_TRUE(std::filesystem::is_empty(ini));
}

// Read-only for the player: as root the file would be writable, so the play
// runs in a child process that has become an ordinary user. The child is the
// test program started again (the safe way with threads about); it finds the
// parent's folder by the parent's process id.
TEST(UnwritableSettingsTest, AReadOnlyFileKeepsItsTables) {
  const bool child = !GTEST_FLAG_GET(internal_run_death_test).empty();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("zb_faults_readonly_" + std::to_string(child ? getppid() : getpid()));
  const std::string ini = (folder / "cam.ini").string();
  const std::string tables = " [Quorra]\n name_0=Ann\n score_0=9000\n";
  if (!child) {
    std::filesystem::create_directory(folder);
    WriteFile(ini, tables);
    ASSERT_EQ(0, chmod(ini.c_str(), 0444));
    ASSERT_EQ(0, chmod(folder.c_str(), 0555));
  }
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        PlayWith(ini);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(tables, ReadFile(ini));
  chmod(folder.c_str(), 0755);
  std::filesystem::remove_all(folder);
}

}  // namespace
